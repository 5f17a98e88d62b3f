#include "naming/numericinput.h"

#include <cmath>
#include <limits>

namespace kesto {

namespace {

int digitValue(QChar c, int base)
{
    int v = -1;
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        v = u - '0';
    else if (u >= 'a' && u <= 'f')
        v = u - 'a' + 10;
    else if (u >= 'A' && u <= 'F')
        v = u - 'A' + 10;
    return v >= 0 && v < base ? v : -1;
}

} // namespace

qint32 ValidateNumericText(const QString &raw)
{
    QString s;
    s.reserve(raw.size());
    for (QChar c : raw) {
        if (c != QLatin1Char(' ') && c != QLatin1Char('\t') && c != QLatin1Char('\n'))
            s += c;
    }

    double value = 0;
    qsizetype i = 0;
    if (s.size() >= 2 && s.at(0) == QLatin1Char('&')) {
        const QChar kind = s.at(1).toUpper();
        const int base = kind == QLatin1Char('H') ? 16 : kind == QLatin1Char('O') ? 8 : 0;
        if (base == 0)
            return 0;
        for (i = 2; i < s.size(); ++i) {
            const int d = digitValue(s.at(i), base);
            if (d < 0)
                break;
            value = value * base + d;
        }
    } else {
        // Collect the longest prefix that still reads as a decimal number.
        QByteArray number;
        if (i < s.size() && (s.at(i) == QLatin1Char('+') || s.at(i) == QLatin1Char('-')))
            number += char(s.at(i++).unicode());
        bool digits = false;
        while (i < s.size() && s.at(i).isDigit() && s.at(i).unicode() < 128) {
            number += char(s.at(i++).unicode());
            digits = true;
        }
        if (i < s.size() && s.at(i) == QLatin1Char('.')) {
            number += '.';
            ++i;
            while (i < s.size() && s.at(i).unicode() >= '0' && s.at(i).unicode() <= '9') {
                number += char(s.at(i++).unicode());
                digits = true;
            }
        }
        if (digits && i < s.size()) {
            const QChar e = s.at(i).toUpper();
            if (e == QLatin1Char('E') || e == QLatin1Char('D')) {
                QByteArray exponent = "e";
                qsizetype j = i + 1;
                if (j < s.size() && (s.at(j) == QLatin1Char('+') || s.at(j) == QLatin1Char('-')))
                    exponent += char(s.at(j++).unicode());
                bool expDigits = false;
                while (j < s.size() && s.at(j).unicode() >= '0' && s.at(j).unicode() <= '9') {
                    exponent += char(s.at(j++).unicode());
                    expDigits = true;
                }
                if (expDigits)
                    number += exponent;
            }
        }
        if (!digits)
            return 0;
        // QByteArray::toDouble reads the C locale whatever the user's locale is.
        value = number.toDouble();
    }

    value = std::fabs(std::floor(value));
    if (!(value < double(std::numeric_limits<qint32>::max())))
        return std::numeric_limits<qint32>::max();
    return static_cast<qint32>(value);
}

} // namespace kesto
