#pragma once

#include "filelist/loader.h"
#include "rename/journal.h"
#include "rename/messages.h"

#include <QCoreApplication>
#include <QString>

// The texts kesto-cli writes besides the window's own.
namespace kesto::cli::texts {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(CliTexts)
};

/// One line per path that became no row; \a path is escaped as the list is.
inline QString skipped(const QString &path, SkipReason reason)
{
    return Text::tr("kesto-cli: übergangen (%1): %2").arg(messages::skipReason(reason), path);
}

/// A --files-from list that could not be read.
inline QString listUnreadable(const QString &list, SkipReason reason)
{
    return Text::tr("kesto-cli: Die Liste ließ sich nicht lesen (%1): %2")
        .arg(messages::skipReason(reason), list);
}

/// A --table that could not be read.
inline QString tableUnreadable(const QString &table, SkipReason reason)
{
    return Text::tr("kesto-cli: Die Tabelle ließ sich nicht lesen (%1): %2")
        .arg(messages::skipReason(reason), table);
}

/// A line of the table that gives no loaded file its values; \a firstCell is
/// escaped as the list's names are.
inline QString unusedTableLine(int number, const QString &firstCell)
{
    return Text::tr("kesto-cli: Zeile %1 der Tabelle gehört zu keiner Datei der Liste: %2")
        .arg(QString::number(number), firstCell);
}

/// A plan file that could not be read.
inline QString planUnreadable(const QString &plan, SkipReason reason)
{
    return Text::tr("kesto-cli: Der Plan ließ sich nicht lesen (%1): %2")
        .arg(messages::skipReason(reason), plan);
}

/// A plan file that is damaged or was changed after it was written: \a why.
inline QString planRefused(const QString &plan, const QString &why)
{
    return Text::tr("kesto-cli: Der Plan ist beschädigt oder wurde verändert (%1); es "
                    "wurde nichts umbenannt: %2")
        .arg(why, plan);
}

/// Rows of a plan that stay as they are, before a line for each.
inline QString planRowsLeft(int files)
{
    return files == 1
               ? Text::tr("Fehler: 1 Datei des Plans lässt sich nicht umbenennen:")
               : Text::tr("Fehler: %1 Dateien des Plans lassen sich nicht umbenennen:").arg(files);
}

inline QString noSavedMask(const QString &name)
{
    return Text::tr("kesto-cli: Es gibt keine gespeicherte Maske '%1'.").arg(name);
}

inline QString nothingLeft()
{
    return Text::tr("kesto-cli: Es bleibt keine Datei zum Umbenennen.");
}

/// The preview passed the full test; \a files files and \a folders folders
/// are checked.
inline QString ready(int files, int folders = 0)
{
    if (folders == 0) {
        return files == 1 ? Text::tr("Bereit: mit --apply wird 1 Datei umbenannt.")
                          : Text::tr("Bereit: mit --apply werden %1 Dateien umbenannt.").arg(files);
    }
    const QString folderCount = messages::folderCount(folders);
    if (files == 0) {
        return folders == 1 ? Text::tr("Bereit: mit --apply wird %1 umbenannt.").arg(folderCount)
                            : Text::tr("Bereit: mit --apply werden %1 umbenannt.").arg(folderCount);
    }
    return Text::tr("Bereit: mit --apply werden %1 und %2 umbenannt.")
        .arg(messages::fileCount(files), folderCount);
}

inline QString outputFailed(const QString &reason)
{
    return Text::tr("kesto-cli: Die Liste ließ sich nicht ausgeben: %1").arg(reason);
}

inline QString interrupted()
{
    return Text::tr("kesto-cli: Die letzte Umbenennung wurde unterbrochen; "
                    "kesto-cli --undo gibt den Dateien ihre alten Namen zurück.");
}

inline QString noUndoRefused()
{
    return Text::tr("kesto-cli: Es wurde nichts umbenannt; mit --no-undo wird ohne "
                    "Möglichkeit zum Rückgängigmachen umbenannt.");
}

inline QString nothingToUndo()
{
    return Text::tr("kesto-cli: Es gibt keine Umbenennung, die sich rückgängig machen ließe.");
}

inline QString stillRunning()
{
    return Text::tr("kesto-cli: Die letzte Umbenennung läuft noch; rückgängig machen "
                    "lässt sie sich, sobald sie beendet ist.");
}

/// A batch's state in the history, which is data: the same in every language.
inline QString batchState(BatchState state)
{
    switch (state) {
    case BatchState::Ended:
        return QStringLiteral("beendet");
    case BatchState::Interrupted:
        return QStringLiteral("unterbrochen");
    case BatchState::Undone:
        return QStringLiteral("rückgängig gemacht");
    case BatchState::Running:
        return QStringLiteral("läuft");
    case BatchState::Damaged:
        return QStringLiteral("beschädigt");
    case BatchState::Unrecorded:
        return QStringLiteral("ohne Protokoll");
    }
    return {};
}

} // namespace kesto::cli::texts
