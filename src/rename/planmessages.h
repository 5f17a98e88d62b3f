#pragma once

#include <QCoreApplication>
#include <QString>

// The texts of a plan as data, exactly as the user sees them.
namespace kesto::planmessages {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(PlanMessages)
};

inline QString changed()
{
    return Text::tr("Datei hat sich seit dem Plan geändert");
}
inline QString missing()
{
    return Text::tr("Datei ist nicht mehr vorhanden");
}
/// A row that passed but was not tried: other rows failed the full test.
inline QString notTriedRefused()
{
    return Text::tr("nicht versucht, die Prüfung hat Fehler gefunden");
}
/// A row that passed but was not tried: the run was told not to rename.
inline QString notTriedDeclined()
{
    return Text::tr("nicht versucht, die Umbenennung wurde nicht bestätigt");
}

// Why a plan file is refused.
inline QString checksumWrong()
{
    return Text::tr("die Prüfsumme stimmt nicht");
}
inline QString notAPlan()
{
    return Text::tr("kein Plan von Kesto");
}
inline QString unknownVersion()
{
    return Text::tr("unbekannte Version");
}
inline QString tooLarge()
{
    return Text::tr("größer als 256 MiB");
}
inline QString faultyRow(qsizetype row)
{
    return Text::tr("Eintrag %1 ist fehlerhaft").arg(row);
}
inline QString rowTwice(qsizetype row)
{
    return Text::tr("Eintrag %1 nennt eine Datei zum zweiten Mal").arg(row);
}

} // namespace kesto::planmessages
