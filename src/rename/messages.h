#pragma once

#include <QString>

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
/// The failure dialog's text; line breaks are carriage returns.
inline QString renameFailed(const QString &fullPath, const QString &target)
{
    const QChar cr(13);
    return QStringLiteral("Folgende Datei ließ sich nicht umbenennen:") + cr + cr + fullPath + cr +
           QStringLiteral("-->") + cr + target + cr + cr +
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
