#pragma once

#include <QString>

namespace kesto {

/// Reads a counter field: blanks, tabs and line feeds are ignored, reading
/// stops at the first character that cannot continue a number; "&H" and "&O"
/// read hexadecimal and octal, a point and an exponent (e or d) decimal. The
/// whole-number part rounded down, made positive and capped at 2147483647.
qint32 ValidateNumericText(const QString &text);

} // namespace kesto
