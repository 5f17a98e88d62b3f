#pragma once

#include <QString>

// Every text this subsystem shows to the user or writes for the user to read.
namespace kesto::storagemessages {

inline QString saveMaskPrompt()
{
    return QStringLiteral(
        "Bitte geben Sie einen möglichst bezeichnenden Namen für die zu speichernde Maske ein:");
}

inline QString saveMaskTitle()
{
    return QStringLiteral("Kesto - Aktuelle Maske speichern");
}

/// The overwrite question; \a name is the name as the user typed it.
inline QString maskExists(const QString &name)
{
    return QStringLiteral("Eine Maske mit dem Namen '") + name +
           QStringLiteral("' existiert bereits.\r\nMöchten Sie diese Maske überschreiben?");
}

inline QString deleteMaskQuestion(const QString &name)
{
    return QStringLiteral("Wollen Sie die Maske '") + name + QStringLiteral("' wirklich löschen?");
}

inline QString deleteMaskTitle()
{
    return QStringLiteral("Kesto - Maske löschen");
}

inline QString defineKeyPrompt()
{
    return QStringLiteral("Bitte geben Sie an, wie die ausgewählte Taste belegt werden soll (Um "
                          "die Belegung zu löschen geben Sie einfach nur ein Leerzeichen ein).");
}

inline QString defineKeyTitle()
{
    return QStringLiteral("Kesto - Tastenbelegung ändern");
}

inline QString keyTooltip(const QString &text)
{
    return QStringLiteral("Fügt den Text '") + text +
           QStringLiteral("' in die aktuelle Maske ein.");
}

inline QString undefinedKeyTooltip()
{
    return QStringLiteral("Undefinierte Taste: Klicken Sie die Taste mit dem rechten Mausbutton, "
                          "um sie zu definieren.");
}

/// One line on standard error when the data folder cannot be made.
inline QString dataFolderNotCreated(const QString &folder)
{
    return QStringLiteral("Kesto: Der Datenordner \"") + folder +
           QStringLiteral("\" kann nicht angelegt werden; Masken, Tastenbelegung und Protokoll "
                          "werden nicht gespeichert.");
}

/// The first file of a run that could not be saved; \a reason is the system's
/// text for the error, \a existed whether an older version of the file is kept.
inline QString fileNotSaved(const QString &path, const QString &reason, bool existed)
{
    const QString kept =
        existed ? QStringLiteral(" kann nicht gespeichert werden (") + reason +
                      QStringLiteral("). Die bisherige Fassung der Datei "
                                     "bleibt unverändert erhalten.")
                : QStringLiteral(" kann nicht angelegt werden (") + reason + QStringLiteral(").");
    return QStringLiteral("Die Datei \"") + path + QStringLiteral("\"") + kept +
           QStringLiteral(" Weitere Fehler beim Speichern werden bis zum Programmende nicht "
                          "gemeldet.");
}

inline QString fileNotSavedTitle()
{
    return QStringLiteral("Kesto - Datei speichern");
}

} // namespace kesto::storagemessages
