#pragma once

#include <QString>
#include <QtGlobal>

namespace kesto {

enum class FileTime { Created, Modified };

/// The creation (birth) or last-write time of a file in the local time of that
/// date: year, dateSeparator, month, dateSeparator, day, middleSeparator, hour,
/// timeSeparator, minute, timeSeparator, second. "" when the file cannot be
/// examined or its file system keeps no birth time. Read-only files are fine.
QString GetFileTimeText(const QString &path, FileTime which, const QString &dateSeparator,
                        const QString &middleSeparator, const QString &timeSeparator);

/// \a n with at least two digits ("07", "42", "123", "-05").
QString TwoDigits(int n);

/// A file length as a whole number of the largest unit that fits ("TB", "GB",
/// "MB", "KB", "Byte", each 1024 of the next), rounded half up: 1536 gives "2 KB".
QString FormatFileSize(qint64 size);

} // namespace kesto
