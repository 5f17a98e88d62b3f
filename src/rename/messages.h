#pragma once

#include <QString>

#include <cerrno>
#include <cstring>

// The texts of the preview pass and the renaming, exactly as the user sees them.
namespace kesto::messages {

inline QString checkingNames()
{
    return QStringLiteral("Überprüfung der vorgesehenen Namen ... ");
}
inline QString maskErrorName()
{
    return QStringLiteral("< Maskenfehler >");
}
inline QString notUnique()
{
    return QStringLiteral(
        "Fehler: Die neuen Dateinamen sind nicht alle eindeutig - überprüfen Sie die Maske!");
}
inline QString collision()
{
    return QStringLiteral(
        "Fehler: Einige neue Namen überschneiden sich mit denen existierender Dateien!");
}
inline QString emptyName()
{
    return QStringLiteral(
        "Fehler: Es gibt Namen, die nur aus Leerzeichen oder gar keinen Zeichen bestehen!");
}
inline QString counterOutOfRange()
{
    return QStringLiteral("Fehler: Der Zähler liegt außerhalb des zulässigen Bereichs.");
}
/// The hint shown when the names may be renamed; \a caption is the rename
/// button's caption with its access-key marker.
inline QString readyToRename(const QString &caption)
{
    return QStringLiteral("Zum Umbenennen der Dateien klicken Sie jetzt die Schaltfläche '") +
           caption.mid(1) + QStringLiteral("'.");
}
inline QString renameCaption()
{
    return QStringLiteral("&Umbenennen");
}
inline QString checkedCount(qint64 checked, qint64 rows)
{
    return QString::number(checked) + QStringLiteral(" von ") + QString::number(rows) +
           QStringLiteral(" Dateien markiert");
}
inline QString filling()
{
    return QStringLiteral("Die Dateiliste wird aufgefüllt ...");
}
inline QString renaming()
{
    return QStringLiteral("Umbenennung läuft ...");
}
inline QString renameDone()
{
    return QStringLiteral("Umbenennung abgeschlossen.");
}
inline QString appTitle()
{
    return QStringLiteral("Kesto");
}
/// The warning template for a mask without "[TYP]", before FormatMessage.
inline QString missingTypTemplate()
{
    return QStringLiteral(
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
inline QString renameFailureReason(int error)
{
    switch (error) {
    case EEXIST:
    case ENOTEMPTY:
        return QStringLiteral("Eine Datei dieses Namens existiert bereits.");
    case EACCES:
    case EPERM:
        return QStringLiteral("Keine Berechtigung.");
    case ENOENT:
        return QStringLiteral("Der Ordner oder die Datei existiert nicht mehr.");
    case ENAMETOOLONG:
        return QStringLiteral("Der Name ist zu lang.");
    case EROFS:
        return QStringLiteral("Das Laufwerk ist schreibgeschützt.");
    case EINVAL:
        return QStringLiteral("Der neue Name ist als Dateiname nicht möglich.");
    default:
        return QString::fromLocal8Bit(std::strerror(error));
    }
}
/// The failure dialog's text, with the \a reason of the failure; line breaks
/// are carriage returns.
inline QString renameFailed(const QString &fullPath, const QString &target, const QString &reason)
{
    const QChar cr(13);
    return QStringLiteral("Folgende Datei ließ sich nicht umbenennen:") + cr + cr + fullPath + cr +
           QStringLiteral("-->") + cr + target + cr + cr + reason + cr + cr +
           QStringLiteral("Klicken Sie 'OK', um fortzusetzen oder 'Abbrechen' um die Aktion "
                          "zu beenden.");
}
inline QString copying()
{
    return QStringLiteral(
        "Die Liste der alten und neuen Namen wird in die Zwischenablage kopiert ...");
}
inline QString copied()
{
    return QStringLiteral(
        "Fertig! Die Liste der alten und neuen Namen wurde in die Zwischenablage kopiert.");
}

} // namespace kesto::messages
