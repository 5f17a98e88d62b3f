#pragma once

#include <QString>

namespace kesto::maskmessages {

inline QString statusOk()
{
    return QStringLiteral("Maske ist OK");
}

inline QString errorPrefix()
{
    return QStringLiteral("Fehler: ");
}

/// Error texts by code, without "Fehler: " and the final point.
inline QString errorText(int code)
{
    switch (code) {
    case 0:
        return QStringLiteral("Die Zahl ist zu groß");
    case 1:
        return QStringLiteral("Die Maske ist falsch oder nicht vollständig aufgebaut");
    case 2:
        return QStringLiteral("Es wurde eine Zahl erwartet");
    case 3:
        return QStringLiteral("Schließende Klammer fehlt");
    case 4:
        return QStringLiteral("Das Bereichsende ist kleiner als der Bereichsanfang");
    case 5:
        // "*" is forbidden too but has never been listed in this message.
        return QStringLiteral("Die Zeichen \\ / : ? \" < > | sind in Dateinamen nicht erlaubt");
    case 6:
        return QStringLiteral("Null ist als Bereichsbeginn nicht zulässig");
    case 7:
        return QStringLiteral("Die Maske ist zu lang");
    case 8:
        return QStringLiteral("Vor oder nach einem Schrägstrich fehlt ein Name");
    case 9:
        return QStringLiteral("Die Namen . und .. sind in der Maske nicht zulässig");
    default:
        return QString();
    }
}

} // namespace kesto::maskmessages
