#pragma once

#include <QString>
#include <QStringList>

// Captions, labels and accessible names of the main window and its dialogs,
// exactly as the user sees or hears them.
namespace kesto::windowtexts {

inline QString windowTitle()
{
    return QStringLiteral("Kesto - Rename");
}

/// The caption of command button \a index ("" for the glyph buttons).
inline QString buttonCaption(int index)
{
    switch (index) {
    case 0:
        return QStringLiteral("Liste l&öschen");
    case 1:
        return QStringLiteral("&Alle auswählen");
    case 2:
        return QStringLiteral("&Keine Auswahl");
    case 3:
        return QStringLiteral("Auswahl &umkehren");
    case 4:
        return QStringLiteral("&Datenverz. öffnen");
    case 8:
        return QStringLiteral("&Umbenennen");
    case 9:
        return QStringLiteral("&Ende");
    case 10:
        return QStringLiteral("&Hilfe");
    case 11:
        return QStringLiteral("&Rückgängig");
    case 12:
        return QStringLiteral("▼");
    case 13:
        return QStringLiteral("▲");
    case 14:
        return QStringLiteral("Nächster &Fehler");
    case 25:
        return QStringLiteral("&Info");
    case 32:
        return QStringLiteral("&Kopie");
    case 40:
        return QStringLiteral("Da&teien hinzufügen…");
    case 41:
        return QStringLiteral("&Ordner hinzufügen…");
    default:
        return {};
    }
}

/// What a screen reader says for a button whose caption is a glyph.
inline QString buttonAccessibleName(int index)
{
    switch (index) {
    case 12:
        return QStringLiteral("Markierte Einträge nach unten verschieben");
    case 13:
        return QStringLiteral("Markierte Einträge nach oben verschieben");
    case 100:
        return QStringLiteral("Maske speichern");
    case 101:
        return QStringLiteral("Gespeicherte Maske laden");
    case 102:
        return QStringLiteral("Gespeicherte Maske löschen");
    case 150:
        return QStringLiteral("Maske zurücksetzen");
    default:
        return {};
    }
}

/// The failure dialog's button that goes on without asking again.
inline QString skipAllCaption()
{
    return QStringLiteral("Alle überspringen");
}
/// The answers to the question which files of folders dropped or chosen
/// to load, and its check box.
inline QString ownFilesCaption()
{
    return QStringLiteral("Nur die Dateien im Ordner");
}
inline QString withSubfoldersCaption()
{
    return QStringLiteral("Mit allen Unterordnern");
}
inline QString folderItselfCaption()
{
    return QStringLiteral("Ordner selbst umbenennen");
}
inline QString hiddenFilesCaption()
{
    return QStringLiteral("Auch versteckte Dateien");
}
/// The titles of the dialogs of buttons 40 and 41.
inline QString addFilesTitle()
{
    return QStringLiteral("Dateien hinzufügen");
}
inline QString addFolderTitle()
{
    return QStringLiteral("Ordner hinzufügen");
}

/// The entries of the list's context menu that act on the highlighted rows.
inline QString removeRowsCaption()
{
    return QStringLiteral("Aus der Liste &entfernen");
}
inline QString checkRowsCaption()
{
    return QStringLiteral("&Auswählen");
}
inline QString uncheckRowsCaption()
{
    return QStringLiteral("Auswahl auf&heben");
}
inline QString openRowFolderCaption()
{
    return QStringLiteral("Ordner der Datei ö&ffnen");
}

inline QString listFrameTitle()
{
    return QStringLiteral("Kandidaten zum Umbenennen");
}
inline QString commandFrameTitle()
{
    return QStringLiteral("Steuerung");
}

inline QStringList tabCaptions()
{
    return {QStringLiteral("Maske"), QStringLiteral("Zähler"),
            QStringLiteral("Suchen und Ersetzen"), QStringLiteral("Schreibweise"),
            QStringLiteral("Optionen")};
}

inline QString startLabel()
{
    return QStringLiteral("Start bei");
}
inline QString stepLabel()
{
    return QStringLiteral("Schrittweite");
}
inline QString digitsLabel()
{
    return QStringLiteral("Länge");
}
inline QString leadLabel()
{
    return QStringLiteral("Vornullen");
}
inline QString counterPerFolderCaption()
{
    return QStringLiteral("In &jedem Ordner neu beginnen");
}

inline QString searchActiveCaption()
{
    return QStringLiteral("Aktiv:");
}
inline QString searchLabel()
{
    return QStringLiteral("Ersetze");
}
inline QString replaceLabel()
{
    return QStringLiteral("durch");
}
inline QString inNewNameCaption()
{
    return QStringLiteral("Im neuen statt dem alten Namen suchen");
}
inline QString regexCaption()
{
    return QStringLiteral("Re&gulärer Ausdruck");
}
inline QString matchCaseCaption()
{
    return QStringLiteral("Groß/klein &beachten");
}
/// Three sets carry the same labels; a screen reader names the set too.
inline QString setAccessibleName(int set, const QString &label)
{
    QString name = label;
    name.remove(QLatin1Char('&')); // an access key is no part of the name
    if (name.endsWith(QLatin1Char(':')))
        name.chop(1);
    return QStringLiteral("Satz %1: %2").arg(set + 1).arg(name);
}

inline QString letterCaseLabel()
{
    return QStringLiteral("Schreibweise des neuen Namens:");
}
inline QString randomLabel()
{
    return QStringLiteral("Zufallszeichenkette mit folgenden Elementen aufbauen:");
}
inline QString randomUpperCaption()
{
    return QStringLiteral("Großbuchstaben");
}
inline QString randomLowerCaption()
{
    return QStringLiteral("Kleinbuchstaben");
}
inline QString randomDigitsCaption()
{
    return QStringLiteral("Zahlen");
}
inline QString randomExtraCaption()
{
    return QStringLiteral("Nebenstehende Sonderzeichen:");
}
inline QString randomExtraCharsName()
{
    return QStringLiteral("Sonderzeichen");
}
inline QString transliterateCaption()
{
    return QStringLiteral("U&mlaute und Akzente umschreiben");
}

inline QString tooltipCaption()
{
    return QStringLiteral("ToolTips zeigen");
}
inline QString topMostCaption()
{
    return QStringLiteral("Fenster immer sichtbar");
}
// Kept letter for letter, slip included: the product's own texts are not corrected.
inline QString fontSizeLabel()
{
    return QStringLiteral("Listenschriftgöße:");
}

inline QString maskFieldName()
{
    return QStringLiteral("Maske");
}
inline QString keyBarName()
{
    return QStringLiteral("Platzhaltertasten");
}
inline QString progressName()
{
    return QStringLiteral("Fortschritt");
}
inline QString tabStripName()
{
    return QStringLiteral("Optionsseiten");
}
inline QString statusName()
{
    return QStringLiteral("Statusleiste");
}
/// What a row whose new name failed a test says when the test gave no reason.
inline QString faultyRowDescription()
{
    return QStringLiteral("Fehler");
}
/// The header of the list's last column, the reason of each row.
inline QString hintHeader()
{
    return QStringLiteral("Hinweis");
}
inline QString countPanelName()
{
    return QStringLiteral("Dateianzahl");
}
inline QString messagePanelName()
{
    return QStringLiteral("Meldung");
}

inline QString infoTitle()
{
    return QStringLiteral("Info über Kesto");
}
/// The information dialog's text for program version \a version.
inline QString infoText(const QString &version)
{
    return QStringLiteral("<h3>Kesto %1</h3>"
                          "<p>Stapelumbenennung von Dateien.</p>"
                          "<p>Ziehen Sie Dateien in die Liste, beschreiben Sie den neuen Namen "
                          "mit einer Maske aus Text und Platzhaltern wie [name], [zahl] oder "
                          "[datum], prüfen Sie die Vorschau und benennen Sie alle markierten "
                          "Dateien mit einem Klick um.</p>")
        .arg(version);
}

inline QString helpTitle()
{
    return QStringLiteral("Kesto - Hilfe");
}

} // namespace kesto::windowtexts
