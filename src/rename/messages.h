#pragma once

#include "filelist/filelist.h"
#include "filelist/loader.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cerrno>
#include <cstring>

// The texts of the preview pass and the renaming, exactly as the user sees them.
namespace kesto::messages {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(RenameMessages)
};

inline QString checkingNames()
{
    return Text::tr("Überprüfung der vorgesehenen Namen ... ");
}
inline QString companionOf(const QString &mainName)
{
    return Text::tr("Begleitdatei von %1").arg(mainName);
}
// The new name of a row whose name cannot be built: the same in every
// language, as the command line prints it with the names.
inline QString maskErrorName()
{
    return QStringLiteral("< Maskenfehler >");
}
inline QString searchErrorName()
{
    return QStringLiteral("< Suchfehler >");
}
inline QString notUnique()
{
    return Text::tr(
        "Fehler: Die neuen Dateinamen sind nicht alle eindeutig - überprüfen Sie die Maske!");
}
inline QString collision()
{
    return Text::tr(
        "Fehler: Einige neue Namen überschneiden sich mit denen existierender Dateien!");
}
inline QString emptyName()
{
    return Text::tr(
        "Fehler: Es gibt Namen, die nur aus Leerzeichen oder gar keinen Zeichen bestehen!");
}
inline QString counterOutOfRange()
{
    return Text::tr("Fehler: Der Zähler liegt außerhalb des zulässigen Bereichs.");
}
/// The hint shown when the names may be renamed; \a caption is the rename
/// button's caption with its access-key marker.
inline QString readyToRename(const QString &caption)
{
    return Text::tr("Zum Umbenennen der Dateien klicken Sie jetzt die Schaltfläche '%1'.")
        .arg(caption.mid(1));
}
inline QString renameCaption()
{
    return Text::tr("&Umbenennen");
}
/// "1 Datei", "3 Dateien".
inline QString fileCount(qint64 files)
{
    return files == 1 ? Text::tr("1 Datei") : Text::tr("%1 Dateien").arg(files);
}
/// "1 Ordner", "3 Ordner".
inline QString folderCount(qint64 folders)
{
    return folders == 1 ? Text::tr("1 Ordner") : Text::tr("%1 Ordner").arg(folders);
}
/// \a folders of the \a rows are folders.
inline QString checkedCount(qint64 checked, qint64 rows, qint64 folders = 0)
{
    if (folders > 0) {
        return Text::tr("%1 von %2 markiert (%3, %4)")
            .arg(checked)
            .arg(rows)
            .arg(fileCount(rows - folders), folderCount(folders));
    }
    return Text::tr("%1 von %2 Dateien markiert").arg(checked).arg(rows);
}
inline QString filling()
{
    return Text::tr("Die Dateiliste wird aufgefüllt ...");
}
/// The question before folders dropped or chosen are loaded: \a folder, or
/// \a count of them.
inline QString folderFilesQuestion(const QString &folder, qsizetype count)
{
    return count == 1 ? Text::tr("Sollen aus dem Ordner „%1“ nur die Dateien darin in die Liste "
                                 "aufgenommen werden oder auch die aller Unterordner?")
                            .arg(EscapedName(folder))
                      : Text::tr("Sollen aus den %1 Ordnern nur die Dateien darin in die Liste "
                                 "aufgenommen werden oder auch die aller Unterordner?")
                            .arg(count);
}
/// Why a path given to the list became no row.
inline QString skipReason(SkipReason reason)
{
    switch (reason) {
    case SkipReason::Missing:
        return Text::tr("nicht vorhanden");
    case SkipReason::Folder:
        return Text::tr("ein Ordner");
    case SkipReason::NotRegularFile:
        return Text::tr("keine gewöhnliche Datei");
    case SkipReason::Unreadable:
        return Text::tr("nicht lesbar");
    case SkipReason::TooLong:
        return Text::tr("Pfad zu lang");
    }
    return {};
}
/// The paths of one load that became no row, each with its reason, escaped
/// as the list's names are; a list of thousands names the first few only.
inline QString skippedPaths(const QList<SkippedPath> &skipped)
{
    constexpr qsizetype Named = 20;
    QStringList lines;
    for (qsizetype i = 0; i < std::min(Named, skipped.size()); ++i) {
        lines << EscapedName(skipped.at(i).path) + QStringLiteral(" (") +
                     skipReason(skipped.at(i).reason) + QLatin1Char(')');
    }
    if (skipped.size() > Named)
        lines << Text::tr("… und %1 weitere").arg(skipped.size() - Named);
    return Text::tr("Folgende Pfade wurden nicht in die Liste aufgenommen:") + QChar(13) +
           QChar(13) + lines.join(QChar(13));
}
inline QString renaming()
{
    return Text::tr("Umbenennung läuft ...");
}
/// The status after a batch in which every file was renamed, into \a folders
/// it made among others.
inline QString renameDone(int folders = 0)
{
    return folders == 0 ? Text::tr("Umbenennung abgeschlossen.")
                        : Text::tr("Umbenennung abgeschlossen, %1 Ordner angelegt.").arg(folders);
}
/// The status after a batch in which some files kept their old name.
inline QString renamePartly(int renamed, int total)
{
    return Text::tr("Umbenennung beendet: %1 von %2 Dateien umbenannt, %3 nicht.")
        .arg(renamed)
        .arg(total)
        .arg(total - renamed);
}
inline QString appTitle()
{
    return QStringLiteral("Kesto");
}
/// The warning template for a mask without "[TYP]", before FormatMessage.
inline QString missingTypTemplate()
{
    return Text::tr(
        "WARNUNG: In Ihrer Umbenennungmaske wurde der Platzhalter .[TYP] NICHT verwendet!\\n\\n"
        "Bitte beachten Sie, dass dadurch der Dateityp aus dem Namen Ihrer Dateien entfernt "
        "wird und diese sich anschließend ggf. nicht mehr wie gewohnt öffnen lassen.\\n\\n"
        "Falls Sie den Platzhalter [TYP] nicht absichtlich ausgelassen haben, so sollten Sie "
        "jetzt anschließend 'Nein' klicken und Ihre Umbenennungmaske zunächst um .[TYP] "
        "ergänzen (Bitte beachten Sie den Dezimalpunkt VOR [TYP])\\n\\n"
        "Möchten Sie die Umbenennung nun wirklich ohne .[TYP] vornehmen?");
}
/// Why a rename failed, from the errno of the failure: in German words where
/// the reason is a common one, else the system's own text.
/// What the system said, in German: the reasons users meet, else the
/// error's symbolic name. renameFailureReason() words a few as a rename means them.
inline QString systemErrorText(int error)
{
    switch (error) {
    case EACCES:
    case EPERM:
        return Text::tr("Keine Berechtigung.");
    case EROFS:
        return Text::tr("Das Laufwerk ist schreibgeschützt.");
    case EPIPE:
        return Text::tr("Der Empfänger der Ausgabe ist beendet.");
    case ENOSPC:
        return Text::tr("Auf dem Laufwerk ist kein Platz mehr.");
    case EDQUOT:
        return Text::tr("Das Kontingent auf dem Laufwerk ist erschöpft.");
    case EIO:
        return Text::tr("Ein-/Ausgabefehler des Laufwerks.");
    case EBUSY:
    case ETXTBSY:
        return Text::tr("Die Datei ist in Gebrauch.");
    case ENOTDIR:
        return Text::tr("Ein Teil des Pfads ist kein Ordner.");
    case EISDIR:
        return Text::tr("Das Ziel ist ein Ordner.");
    case ELOOP:
        return Text::tr("Zu viele symbolische Verknüpfungen im Pfad.");
    case EXDEV:
        return Text::tr("Das Ziel liegt auf einem anderen Laufwerk.");
    case EMFILE:
    case ENFILE:
        return Text::tr("Es sind zu viele Dateien geöffnet.");
    case ENOMEM:
        return Text::tr("Der Speicher reicht nicht aus.");
    case EFBIG:
        return Text::tr("Die Datei ist zu groß.");
    case ENOTSUP:
        return Text::tr("Das Laufwerk kann das nicht.");
    default:
        const char *name = strerrorname_np(error);
        return Text::tr("Systemfehler %1.")
            .arg(name ? QString::fromLatin1(name) : QString::number(error));
    }
}

inline QString renameFailureReason(int error)
{
    switch (error) {
    case EEXIST:
    case ENOTEMPTY:
        return Text::tr("Eine Datei dieses Namens existiert bereits.");
    case ENOENT:
        return Text::tr("Der Ordner oder die Datei existiert nicht mehr.");
    case ENAMETOOLONG:
        return Text::tr("Der Name ist zu lang.");
    case EINVAL:
        return Text::tr("Der neue Name ist als Dateiname nicht möglich.");
    default:
        return systemErrorText(error);
    }
}
/// The failure dialog's text, with the \a reason of the failure; line breaks
/// are carriage returns.
inline QString renameFailed(const QString &fullPath, const QString &target, const QString &reason)
{
    const QChar cr(13);
    return Text::tr("Folgende Datei ließ sich nicht umbenennen:") + cr + cr + fullPath + cr +
           QStringLiteral("-->") + cr + target + cr + cr + reason + cr + cr +
           Text::tr("Klicken Sie 'OK', um fortzusetzen oder 'Abbrechen' um die Aktion "
                    "zu beenden.");
}
inline QString copying()
{
    return Text::tr("Die Liste der alten und neuen Namen wird in die Zwischenablage kopiert ...");
}
inline QString copied()
{
    return Text::tr(
        "Fertig! Die Liste der alten und neuen Namen wurde in die Zwischenablage kopiert.");
}

inline QString tooLong()
{
    return Text::tr("Fehler: Einige neue Namen sind zu lang für ihren Ordner!");
}
inline QString notAllowed()
{
    return Text::tr(
        "Fehler: Einige neue Namen enthalten Zeichen, die auf ihrem Laufwerk nicht erlaubt sind!");
}
inline QString folderUnreadable()
{
    return Text::tr(
        "Fehler: Einige Ordner lassen sich nicht lesen, ihre neuen Namen sind nicht prüfbar!");
}
inline QString folderUnwritable()
{
    return Text::tr("Fehler: Einige Ordner sind nicht beschreibbar, ihre Dateien lassen sich "
                    "nicht umbenennen!");
}
inline QString otherDrive()
{
    return Text::tr("Fehler: Einige neue Ordner liegen auf einem anderen Laufwerk, dorthin "
                    "wird nicht verschoben!");
}
inline QString folderClash()
{
    return Text::tr(
        "Fehler: Einige neue Ordner tragen den Namen einer Datei, sie lassen sich nicht anlegen!");
}

// The reason a row gives in its tooltip and in the column "Hinweis".
inline QString reasonDuplicate()
{
    return Text::tr("Name doppelt vergeben");
}
inline QString reasonExists()
{
    return Text::tr("Datei existiert bereits");
}
inline QString reasonBlank()
{
    return Text::tr("Name ist leer");
}
inline QString reasonTooLong(int bytes, int allowed)
{
    return Text::tr("Name zu lang (%1 Bytes, erlaubt %2)").arg(bytes).arg(allowed);
}
inline QString reasonNotAllowed(char32_t c)
{
    const QString shown =
        c < 0x20 || c == 0x7F
            ? QStringLiteral("U+%1").arg(uint(c), 4, 16, QLatin1Char('0')).toUpper()
            : QLatin1Char('\'') + QString::fromUcs4(&c, 1) + QLatin1Char('\'');
    return Text::tr("Zeichen %1 ist auf diesem Laufwerk nicht erlaubt").arg(shown);
}
inline QString reasonImpossible()
{
    return Text::tr("kein gültiger Dateiname");
}
inline QString reasonFolderUnreadable()
{
    return Text::tr("Ordner nicht lesbar");
}
inline QString reasonFolderUnwritable()
{
    return Text::tr("Ordner nicht beschreibbar");
}
inline QString reasonOtherDrive()
{
    return Text::tr("anderes Laufwerk");
}
inline QString reasonFolderClash()
{
    return Text::tr("Datei und neuer Ordner gleichen Namens");
}
inline QString reasonInChain()
{
    return Text::tr("wird in der Reihe umbenannt");
}
/// "Nächster Fehler" found no row with a reason.
inline QString noFaultyNames()
{
    return Text::tr("Keine fehlerhaften Namen gefunden.");
}

// Undo.
/// The files of a batch and the folders it made for them.
inline QString batchSize(int files, int folders)
{
    return folders == 0 ? fileCount(files)
                        : fileCount(files) + Text::tr(", %1 Ordner angelegt").arg(folders);
}
inline QString undoTooltip(const QString &when, int files, int folders = 0)
{
    return Text::tr("Macht die Umbenennung vom %1 rückgängig (%2)")
        .arg(when, batchSize(files, folders));
}
/// When and where a batch ran: its start, the folder of its first file and
/// how many other folders it renamed in.
inline QString batchFacts(const QString &when, const QString &folder, qsizetype moreFolders)
{
    const QString facts = Text::tr("vom %1 in %2").arg(when, folder);
    if (moreFolders == 0)
        return facts;
    return facts + (moreFolders == 1 ? Text::tr(" und 1 weiteren Ordner")
                                     : Text::tr(" und %1 weiteren Ordnern").arg(moreFolders));
}
/// The undo command's question; \a facts as batchFacts() gives them.
inline QString undoQuestion(const QString &facts, int files, int folders = 0)
{
    return Text::tr("Umbenennung %1 (%2) rückgängig machen?").arg(facts, batchSize(files, folders));
}
inline QString undoDone(int files)
{
    return files == 1 ? Text::tr("Rückgängig gemacht: 1 Datei hat ihren alten Namen zurück.")
                      : Text::tr("Rückgängig gemacht: %1 Dateien haben ihre alten Namen "
                                 "zurück.")
                            .arg(files);
}
/// An undo after which some files stayed where they were: never "done".
inline QString undoPartly(int movedBack, int stayed)
{
    return Text::tr("Nur teilweise rückgängig gemacht: %1 zurück, %2 nicht.")
        .arg(movedBack == 1 ? Text::tr("1 Datei hat ihren alten Namen")
                            : Text::tr("%1 Dateien haben ihre alten Namen").arg(movedBack),
             QString::number(stayed));
}
inline QString undoMovedOn()
{
    return Text::tr("die Datei wurde seither verschoben, gelöscht oder ersetzt");
}
inline QString undoReason(int error)
{
    if (error < 0)
        return Text::tr("eine andere Datei gleicht ihr in Länge, Zeit und Inhalt; welche "
                        "die umbenannte ist, lässt sich nicht sagen");
    return error == EEXIST ? Text::tr("der alte Name ist wieder vergeben")
                           : renameFailureReason(error);
}
/// The files an undo left where they are, and the \a folders the batch
/// made that stay, as they hold something.
inline QString undoFailed(const QStringList &files, const QStringList &folders = {})
{
    const QString cr(QChar(13));
    QStringList parts;
    if (!files.isEmpty())
        parts << Text::tr("Folgende Dateien ließen sich nicht zurückbenennen und bleiben, "
                          "wo sie sind:") +
                     cr + cr + files.join(cr);
    if (!folders.isEmpty())
        parts << Text::tr("Folgende Ordner, die die Umbenennung angelegt hatte, sind nicht "
                          "leer und bleiben, wo sie sind:") +
                     cr + cr + folders.join(cr);
    return parts.join(cr + cr);
}
inline QString strandedAt(const QString &oldPath, const QString &name, bool hidden)
{
    return oldPath + QStringLiteral(" --> ") + name +
           (hidden ? Text::tr(" (verborgen; kein Name daneben war frei)") : QString());
}
inline QString stranded(const QStringList &files)
{
    return Text::tr("Folgende Dateien bekamen weder ihren neuen Namen noch ihren alten "
                    "zurück, der inzwischen vergeben ist, und heißen jetzt:") +
           QChar(13) + QChar(13) + files.join(QChar(13));
}
/// A file of a batch that kept its old name, and why.
inline QString keptName(const QString &oldPath, const QString &newName, const QString &reason)
{
    return oldPath + QStringLiteral(" --> ") + newName + QStringLiteral(" (") + reason +
           QLatin1Char(')');
}
inline QString notTried()
{
    return Text::tr("nicht mehr versucht, die Umbenennung wurde abgebrochen");
}
/// The one message after a batch in which files failed: how many were
/// renamed, the \a kept files (keptName()) and the \a strandedFiles (strandedAt()).
inline QString renameIncomplete(int renamed, int total, const QStringList &kept,
                                const QStringList &strandedFiles)
{
    const QChar cr(13);
    QString text = (renamed == 1 ? Text::tr("%1 von %2 Dateien wurde umbenannt.")
                                 : Text::tr("%1 von %2 Dateien wurden umbenannt."))
                       .arg(renamed)
                       .arg(total);
    if (!kept.isEmpty())
        text += QString(cr) + cr +
                Text::tr("Folgende Dateien ließen sich nicht umbenennen und behalten ihren "
                         "alten Namen:") +
                cr + cr + kept.join(cr);
    if (!strandedFiles.isEmpty())
        text += QString(cr) + cr + stranded(strandedFiles);
    return text;
}
inline QString undoDamagedTooltip()
{
    return Text::tr("Das Protokoll der letzten Umbenennung ist beschädigt; sie lässt sich "
                    "nicht rückgängig machen");
}
inline QString journalDamaged(const QString &path)
{
    return Text::tr("Das Protokoll der letzten Umbenennung ist beschädigt oder stammt nicht "
                    "von Kesto. Es wird nicht befolgt; keine Datei wurde zurückbenannt.") +
           QChar(13) + QChar(13) + path;
}
inline QString undoUnrecordedTooltip(const QString &when)
{
    return Text::tr("Die Umbenennung vom %1 lief ohne Protokoll und lässt sich nicht "
                    "rückgängig machen")
        .arg(when);
}
inline QString undoUnrecorded(const QString &when)
{
    return undoUnrecordedTooltip(when) +
           Text::tr(". Ein weiteres Rückgängig nimmt die Umbenennung davor zurück.");
}
inline QString noJournalQuestion(const QString &folder, const QString &reason)
{
    return Text::tr("Das Protokoll dieser Umbenennung lässt sich nicht schreiben:") + QChar(13) +
           folder + QChar(13) + reason + QChar(13) + QChar(13) +
           Text::tr("Ohne Möglichkeit zum Rückgängigmachen umbenennen?");
}
/// The question at start; \a facts as batchFacts() gives them.
inline QString interruptedQuestion(const QString &facts, int files, int folders = 0)
{
    return Text::tr("Die letzte Umbenennung (%1, %2) wurde unterbrochen. Sollen die bereits "
                    "umbenannten Dateien ihre alten Namen zurückbekommen?")
        .arg(facts, batchSize(files, folders));
}
/// The folders a batch made, as --history lists them.
inline QString foldersMade(int folders)
{
    return QStringLiteral("%1 Ordner angelegt").arg(folders);
}

} // namespace kesto::messages
