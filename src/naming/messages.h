#pragma once

#include <QCoreApplication>
#include <QString>

// The texts of the search-and-replace sets and of the names built, exactly as
// the user sees them.
namespace kesto::namingmessages {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(NamingMessages)
};

/// The status text of a set (counted from 0) that cannot run: "Fehler: Satz
/// n: <reason>."
inline QString setError(int set, const QString &reason)
{
    return Text::tr("Fehler: Satz %1: %2.").arg(QString::number(set + 1), reason);
}

/// \a position counts from 1; \a reason is PCRE2's, in the language Qt speaks.
inline QString badExpression(qsizetype position, const QString &reason)
{
    return Text::tr("Der reguläre Ausdruck ist an Stelle %1 fehlerhaft: %2")
        .arg(QString::number(position), reason);
}

/// \a group as written in the replacement: "$3", "${jahr}".
inline QString unknownGroup(const QString &group)
{
    return Text::tr("Die Gruppe %1 im Ersatz gibt es im Ausdruck nicht").arg(group);
}

inline QString unclosedGroup()
{
    return Text::tr("Im Ersatz fehlt die schließende Klammer nach ${");
}

/// A match PCRE2 gave up on (catastrophic backtracking reaches its limits);
/// \a name is the file's name.
inline QString brokenOff(const QString &name)
{
    return Text::tr("Die Suche bei „%1“ überschreitet die Grenzen von PCRE2").arg(name);
}

/// The hint of a row whose file has no value for \a placeholders, which
/// therefore gave no text: "kein Wert für [TITEL], [ALBUM]".
inline QString noValue(const QString &placeholders)
{
    return Text::tr("kein Wert für %1").arg(placeholders);
}

/// The status text when the mask holds "[LISTE]" but no name list was loaded.
inline QString noNameList()
{
    return Text::tr("Fehler: Für [LISTE] wurde keine Namensliste geladen.");
}

/// The status text when the name list and the checked files differ in number.
inline QString listCountDiffers(qsizetype names, qsizetype checked)
{
    return checked == 1
               ? Text::tr("Fehler: Die Liste hat %1 Namen, markiert ist 1 Datei.").arg(names)
               : Text::tr("Fehler: Die Liste hat %1 Namen, markiert sind %2 Dateien.")
                     .arg(names)
                     .arg(checked);
}

/// The status text when the mask holds "[SPALTE n]" but no table was loaded.
inline QString noTable()
{
    return Text::tr("Fehler: Für [SPALTE n] wurde keine Tabelle geladen.");
}

/// The status text when \a rows checked files have no line in the table.
inline QString rowsNotInTable(qsizetype rows)
{
    return rows == 1
               ? Text::tr("Fehler: 1 markierte Datei steht nicht in der Tabelle.")
               : Text::tr("Fehler: %1 markierte Dateien stehen nicht in der Tabelle.").arg(rows);
}

/// The hint of a checked row the table names nowhere.
inline QString notInTable()
{
    return Text::tr("nicht in der Tabelle");
}

/// What the count of checked files is followed by while a name list
/// (\a names, -1 for none) or a table (\a lines, -1 for none) is loaded.
inline QString suppliedCounts(qsizetype names, qsizetype lines)
{
    QString counts;
    if (names >= 0)
        counts += names == 1 ? Text::tr(", 1 Name in der Liste")
                             : Text::tr(", %1 Namen in der Liste").arg(names);
    if (lines >= 0)
        counts += lines == 1 ? Text::tr(", 1 Zeile in der Tabelle")
                             : Text::tr(", %1 Zeilen in der Tabelle").arg(lines);
    return counts;
}

/// One line of a table that gives no file of the list its values: its
/// number and its first cell.
inline QString unusedTableLine(int number, const QString &firstCell)
{
    return Text::tr("Zeile %1: %2").arg(QString::number(number), firstCell);
}

/// The message after a table was loaded in which \a lines (as
/// unusedTableLine() gives them) name no file of the list.
inline QString unusedTableLines(const QStringList &lines)
{
    constexpr qsizetype Named = 20;
    QStringList shown = lines.mid(0, Named);
    if (lines.size() > Named)
        shown << Text::tr("… und %1 weitere").arg(lines.size() - Named);
    return Text::tr("Diese Zeilen der Tabelle gehören zu keiner Datei der Liste:") + QChar(13) +
           QChar(13) + shown.join(QChar(13));
}

} // namespace kesto::namingmessages
