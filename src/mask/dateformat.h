#pragma once

#include <QString>

namespace kesto {

/// What \a format (Qt's date-format letters, month and weekday names in
/// German) gives for a time stamp as a row's facts hold it,
/// "yyyy-MM-dd HH-mm-ss" or Exif's "yyyy:MM:dd HH:mm:ss"; empty when the
/// stamp holds no date.
QString FormatTimeStamp(QStringView stamp, const QString &format);

/// Whether what \a format gives holds a character a mask must not hold.
bool FormatGivesForbiddenChar(const QString &format);

} // namespace kesto
