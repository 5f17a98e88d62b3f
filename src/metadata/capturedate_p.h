#pragma once

// For the file-facts reader only; not part of the interface.

#include <QString>
#include <QtGlobal>

namespace kesto {

/// GetCaptureDate for a file the caller has already opened for reading (\a fd,
/// a regular file of \a size bytes); takes over and closes \a fd.
QString captureDateOfOpenFile(const QString &path, int fd, qint64 size);

/// GetCaptureDate for a file that cannot be opened: no date, logged as a
/// file without an Exif block under \a path.
QString captureDateOfUnreadableFile(const QString &path);

} // namespace kesto
