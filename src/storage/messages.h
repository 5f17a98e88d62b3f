#pragma once

#include <QCoreApplication>
#include <QString>

// Every text this subsystem shows to the user or writes for the user to read.
namespace kesto::storagemessages {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(StorageMessages)
};

inline QString saveMaskPrompt()
{
    return Text::tr(
        "Bitte geben Sie einen möglichst bezeichnenden Namen für die zu speichernde Maske ein:");
}

inline QString saveMaskTitle()
{
    return Text::tr("Kesto - Aktuelle Maske speichern");
}

/// The overwrite question; \a name is the name as the user typed it.
inline QString maskExists(const QString &name)
{
    return Text::tr("Eine Maske mit dem Namen '%1' existiert bereits.\r\nMöchten Sie diese Maske "
                    "überschreiben?")
        .arg(name);
}

inline QString deleteMaskQuestion(const QString &name)
{
    return Text::tr("Wollen Sie die Maske '%1' wirklich löschen?").arg(name);
}

inline QString deleteMaskTitle()
{
    return Text::tr("Kesto - Maske löschen");
}

inline QString defineKeyPrompt()
{
    return Text::tr("Bitte geben Sie an, wie die ausgewählte Taste belegt werden soll (Um "
                    "die Belegung zu löschen geben Sie einfach nur ein Leerzeichen ein).");
}

inline QString defineKeyTitle()
{
    return Text::tr("Kesto - Tastenbelegung ändern");
}

inline QString keyTooltip(const QString &text)
{
    return Text::tr("Fügt den Text '%1' in die aktuelle Maske ein.").arg(text);
}

inline QString undefinedKeyTooltip()
{
    return Text::tr("Undefinierte Taste: Klicken Sie die Taste mit dem rechten Mausbutton, "
                    "um sie zu definieren.");
}

/// One line on standard error when the data folder cannot be made.
inline QString dataFolderNotCreated(const QString &folder)
{
    return Text::tr("Kesto: Der Datenordner \"%1\" kann nicht angelegt werden; Masken, "
                    "Tastenbelegung und Protokoll werden nicht gespeichert.")
        .arg(folder);
}

/// The first file of a run that could not be saved; \a reason is the system's
/// text for the error, \a existed whether an older version of the file is kept.
inline QString fileNotSaved(const QString &path, const QString &reason, bool existed)
{
    return (existed ? Text::tr("Die Datei \"%1\" kann nicht gespeichert werden (%2). Die bisherige "
                               "Fassung der Datei bleibt unverändert erhalten. Weitere Fehler beim "
                               "Speichern werden bis zum Programmende nicht gemeldet.")
                    : Text::tr("Die Datei \"%1\" kann nicht angelegt werden (%2). Weitere Fehler "
                               "beim Speichern werden bis zum Programmende nicht gemeldet."))
        .arg(path, reason);
}

inline QString fileNotSavedTitle()
{
    return Text::tr("Kesto - Datei speichern");
}

} // namespace kesto::storagemessages
