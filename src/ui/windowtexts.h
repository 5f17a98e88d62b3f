#pragma once

#include "rename/messages.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

// Captions, labels and accessible names of the main window and its dialogs,
// exactly as the user sees or hears them.
namespace kesto::windowtexts {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(WindowTexts)
};

inline QString windowTitle()
{
    return QStringLiteral("Kesto - Rename");
}

/// The caption of command button \a index ("" for the glyph buttons).
inline QString buttonCaption(int index)
{
    switch (index) {
    case 0:
        return Text::tr("Liste l&öschen");
    case 1:
        return Text::tr("&Alle auswählen");
    case 2:
        return Text::tr("&Keine Auswahl");
    case 3:
        return Text::tr("Auswahl &umkehren");
    case 4:
        return Text::tr("&Datenverz. öffnen");
    case 8:
        return Text::tr("&Umbenennen");
    case 9:
        return Text::tr("&Ende");
    case 10:
        return Text::tr("&Hilfe");
    case 11:
        return Text::tr("&Rückgängig");
    case 12:
        return QStringLiteral("▼");
    case 13:
        return QStringLiteral("▲");
    case 14:
        return Text::tr("Nächster &Fehler");
    case 25:
        return Text::tr("&Info");
    case 32:
        return Text::tr("&Kopie");
    case 40:
        return Text::tr("Da&teien hinzufügen…");
    case 41:
        return Text::tr("&Ordner hinzufügen…");
    default:
        return {};
    }
}

/// What a screen reader says for a button whose caption is a glyph.
inline QString buttonAccessibleName(int index)
{
    switch (index) {
    case 12:
        return Text::tr("Markierte Einträge nach unten verschieben");
    case 13:
        return Text::tr("Markierte Einträge nach oben verschieben");
    case 100:
        return Text::tr("Maske speichern");
    case 101:
        return Text::tr("Gespeicherte Maske laden");
    case 102:
        return Text::tr("Gespeicherte Maske löschen");
    case 150:
        return Text::tr("Maske zurücksetzen");
    default:
        return {};
    }
}

/// The failure dialog's button that goes on without asking again.
inline QString skipAllCaption()
{
    return Text::tr("Alle überspringen");
}
/// The answers to the question which files of folders dropped or chosen
/// to load, and its check box.
inline QString ownFilesCaption()
{
    return Text::tr("Nur die Dateien im Ordner");
}
inline QString withSubfoldersCaption()
{
    return Text::tr("Mit allen Unterordnern");
}
inline QString folderItselfCaption()
{
    return Text::tr("Ordner selbst umbenennen");
}
inline QString hiddenFilesCaption()
{
    return Text::tr("Auch versteckte Dateien");
}
/// The titles of the dialogs of buttons 40 and 41.
inline QString addFilesTitle()
{
    return Text::tr("Dateien hinzufügen");
}
inline QString addFolderTitle()
{
    return Text::tr("Ordner hinzufügen");
}

/// The entries of the list's context menu that act on the highlighted rows.
inline QString removeRowsCaption()
{
    return Text::tr("Aus der Liste &entfernen");
}
inline QString checkRowsCaption()
{
    return Text::tr("&Auswählen");
}
inline QString uncheckRowsCaption()
{
    return Text::tr("Auswahl auf&heben");
}
inline QString openRowFolderCaption()
{
    return Text::tr("Ordner der Datei ö&ffnen");
}
/// The entries of the list's context menu that hand in names for "[LISTE]"
/// and "[SPALTE n]".
inline QString nameListCaption()
{
    return Text::tr("&Namen aus Liste…");
}
inline QString clipboardNamesCaption()
{
    return Text::tr("Namen aus der &Zwischenablage");
}
inline QString tableCaption()
{
    return Text::tr("Ta&belle laden…");
}
inline QString nameListTitle()
{
    return Text::tr("Namen aus Liste");
}
inline QString tableTitle()
{
    return Text::tr("Tabelle laden");
}
/// A name list or table that could not be read, with the system's \a reason.
inline QString fileUnreadable(const QString &path, const QString &reason)
{
    return Text::tr("Die Datei „%1“ ließ sich nicht lesen: %2").arg(path, reason);
}

inline QString listFrameTitle()
{
    return Text::tr("Kandidaten zum Umbenennen");
}
inline QString commandFrameTitle()
{
    return Text::tr("Steuerung");
}

inline QStringList tabCaptions()
{
    return {Text::tr("Maske"), Text::tr("Zähler"), Text::tr("Suchen und Ersetzen"),
            Text::tr("Schreibweise"), Text::tr("Optionen")};
}

inline QString startLabel()
{
    return Text::tr("Start bei");
}
inline QString stepLabel()
{
    return Text::tr("Schrittweite");
}
inline QString digitsLabel()
{
    return Text::tr("Länge");
}
inline QString leadLabel()
{
    return Text::tr("Vornullen");
}
inline QString counterPerFolderCaption()
{
    return Text::tr("In &jedem Ordner neu beginnen");
}
inline QString numberClashesCaption()
{
    return Text::tr("Doppelte Namen durch&nummerieren");
}

inline QString searchActiveCaption()
{
    return Text::tr("Aktiv:");
}
inline QString searchLabel()
{
    return Text::tr("Ersetze");
}
inline QString replaceLabel()
{
    return Text::tr("durch");
}
inline QString inNewNameCaption()
{
    return Text::tr("Im neuen statt dem alten Namen suchen");
}
inline QString regexCaption()
{
    return Text::tr("Re&gulärer Ausdruck");
}
inline QString matchCaseCaption()
{
    return Text::tr("Groß/klein &beachten");
}
/// Three sets carry the same labels; a screen reader names the set too.
inline QString setAccessibleName(int set, const QString &label)
{
    QString name = label;
    name.remove(QLatin1Char('&')); // an access key is no part of the name
    if (name.endsWith(QLatin1Char(':')))
        name.chop(1);
    return Text::tr("Satz %1: %2").arg(QString::number(set + 1), name);
}

inline QString letterCaseLabel()
{
    return Text::tr("Schreibweise des neuen Namens:");
}
inline QString randomLabel()
{
    return Text::tr("Zufallszeichenkette mit folgenden Elementen aufbauen:");
}
inline QString randomUpperCaption()
{
    return Text::tr("Großbuchstaben");
}
inline QString randomLowerCaption()
{
    return Text::tr("Kleinbuchstaben");
}
inline QString randomDigitsCaption()
{
    return Text::tr("Zahlen");
}
inline QString randomExtraCaption()
{
    return Text::tr("Nebenstehende Sonderzeichen:");
}
inline QString randomExtraCharsName()
{
    return Text::tr("Sonderzeichen");
}
inline QString transliterateCaption()
{
    return Text::tr("U&mlaute und Akzente umschreiben");
}

inline QString companionsCaption()
{
    return Text::tr("Begleitdateien mit&nehmen");
}

inline QString tooltipCaption()
{
    return Text::tr("ToolTips zeigen");
}
inline QString topMostCaption()
{
    return Text::tr("Fenster immer sichtbar");
}
// Kept letter for letter, slip included: the product's own texts are not corrected.
inline QString fontSizeLabel()
{
    return Text::tr("Listenschriftgöße:");
}

inline QString maskFieldName()
{
    return Text::tr("Maske");
}
inline QString keyBarName()
{
    return Text::tr("Platzhaltertasten");
}
inline QString progressName()
{
    return Text::tr("Fortschritt");
}
inline QString tabStripName()
{
    return Text::tr("Optionsseiten");
}
inline QString statusName()
{
    return Text::tr("Statusleiste");
}
/// What a row whose new name failed a test says when the test gave no reason.
inline QString faultyRowDescription()
{
    return Text::tr("Fehler");
}
/// A new name as the list shows it: the marks of a name that cannot be
/// built, which the core keeps the same in every language, translated.
inline QString shownNewName(const QString &name)
{
    if (name == messages::maskErrorName())
        return Text::tr("< Maskenfehler >");
    if (name == messages::searchErrorName())
        return Text::tr("< Suchfehler >");
    return name;
}
/// The header of the list's last column, the reason of each row.
inline QString hintHeader()
{
    return Text::tr("Hinweis");
}
inline QString countPanelName()
{
    return Text::tr("Dateianzahl");
}
inline QString messagePanelName()
{
    return Text::tr("Meldung");
}

inline QString infoTitle()
{
    return Text::tr("Info über Kesto");
}
/// The information dialog's text for program version \a version.
inline QString infoText(const QString &version)
{
    return Text::tr("<h3>Kesto %1</h3>"
                    "<p>Stapelumbenennung von Dateien.</p>"
                    "<p>Ziehen Sie Dateien in die Liste, beschreiben Sie den neuen Namen "
                    "mit einer Maske aus Text und Platzhaltern wie [name], [zahl] oder "
                    "[datum], prüfen Sie die Vorschau und benennen Sie alle markierten "
                    "Dateien mit einem Klick um.</p>")
        .arg(version);
}

inline QString helpTitle()
{
    return Text::tr("Kesto - Hilfe");
}

} // namespace kesto::windowtexts
