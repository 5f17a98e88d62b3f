#pragma once

#include <QString>

// The texts of a plan as data, exactly as the user sees them.
namespace kesto::planmessages {

inline QString changed()
{
    return QStringLiteral("Datei hat sich seit dem Plan geändert");
}
inline QString missing()
{
    return QStringLiteral("Datei ist nicht mehr vorhanden");
}
/// A row that passed but was not tried: other rows failed the full test.
inline QString notTriedRefused()
{
    return QStringLiteral("nicht versucht, die Prüfung hat Fehler gefunden");
}
/// A row that passed but was not tried: the run was told not to rename.
inline QString notTriedDeclined()
{
    return QStringLiteral("nicht versucht, die Umbenennung wurde nicht bestätigt");
}

// Why a plan file is refused.
inline QString checksumWrong()
{
    return QStringLiteral("die Prüfsumme stimmt nicht");
}
inline QString notAPlan()
{
    return QStringLiteral("kein Plan von Kesto");
}
inline QString unknownVersion()
{
    return QStringLiteral("unbekannte Version");
}
inline QString tooLarge()
{
    return QStringLiteral("größer als 256 MiB");
}
inline QString faultyRow(qsizetype row)
{
    return QStringLiteral("Eintrag %1 ist fehlerhaft").arg(row);
}
inline QString rowTwice(qsizetype row)
{
    return QStringLiteral("Eintrag %1 nennt eine Datei zum zweiten Mal").arg(row);
}

} // namespace kesto::planmessages
