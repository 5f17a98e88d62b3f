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

} // namespace kesto::namingmessages
