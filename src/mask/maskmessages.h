#pragma once

#include <QCoreApplication>
#include <QString>

namespace kesto::maskmessages {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(MaskMessages)
};

inline QString statusOk()
{
    return Text::tr("Maske ist OK");
}

inline QString errorPrefix()
{
    return Text::tr("Fehler: ");
}

/// Error texts by code, without "Fehler: " and the final point.
inline QString errorText(int code)
{
    switch (code) {
    case 0:
        return Text::tr("Die Zahl ist zu groß");
    case 1:
        return Text::tr("Die Maske ist falsch oder nicht vollständig aufgebaut");
    case 2:
        return Text::tr("Es wurde eine Zahl erwartet");
    case 3:
        return Text::tr("Schließende Klammer fehlt");
    case 4:
        return Text::tr("Das Bereichsende ist kleiner als der Bereichsanfang");
    case 5:
        // "*" is forbidden too but has never been listed in this message.
        return Text::tr("Die Zeichen \\ / : ? \" < > | sind in Dateinamen nicht erlaubt");
    case 6:
        return Text::tr("Null ist als Bereichsbeginn nicht zulässig");
    case 7:
        return Text::tr("Die Maske ist zu lang");
    case 8:
        return Text::tr("Vor oder nach einem Schrägstrich fehlt ein Name");
    case 9:
        return Text::tr("Die Namen . und .. sind in der Maske nicht zulässig");
    default:
        return QString();
    }
}

} // namespace kesto::maskmessages
