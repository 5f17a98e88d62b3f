#pragma once

// For the file-facts reader only; not part of the interface.

#include <QString>
#include <QtGlobal>

namespace kesto {

class ExifReader;
struct PhotoFacts;

/// The capture date of the file \a path, opened by \a reader as \a fd says
/// (see ExifReader::load): a JPEG, and a file of no format known here, goes
/// to \a reader, which logs it; every other format to its own reader. With
/// \a photo, the photo facts too, from the same reading.
QString captureDateOf(ExifReader &reader, const QString &path, int fd, qint64 size,
                      PhotoFacts *photo = nullptr);

/// GetCaptureDate for a file the caller has already opened for reading (\a fd,
/// a regular file of \a size bytes), and its photo facts into \a photo if
/// given; takes over and closes \a fd.
QString captureDateOfOpenFile(const QString &path, int fd, qint64 size,
                              PhotoFacts *photo = nullptr);

/// GetCaptureDate for a file that cannot be opened: no date, logged as a
/// file without an Exif block under \a path.
QString captureDateOfUnreadableFile(const QString &path);

} // namespace kesto
