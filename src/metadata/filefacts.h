#pragma once

#include <QString>
#include <QtGlobal>

namespace kesto {

/// What the list loader keeps of a new file, read in one go.
struct FileFacts
{
    bool exists = false;
    bool isRegularFile = false;
    qint64 Size = 0;
    QString SizeText; ///< FormatFileSize(Size)
    QString Modified; ///< "2006-03-14 09-05-07" in the local time of that date
    QString Created;  ///< same layout, "" where the file system keeps no birth time
    QString Captured; ///< the Exif capture date as stored, "" without one
};

/// Size and both times from one status call; the capture date only when
/// \a withCaptureDate is set and the path is a regular file (which is then
/// opened before its status is read, so that its path is looked up once).
FileFacts ReadFileFacts(const QString &path, bool withCaptureDate);

} // namespace kesto
