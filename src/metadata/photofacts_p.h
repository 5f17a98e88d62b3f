#pragma once

// For the metadata readers only; not part of the interface.

#include "metadata/photofacts.h"

#include <QSize>
#include <QString>

namespace kesto {

class FileBytes;

/// The kinds of file the photo readers tell apart by their first bytes.
enum class PhotoContainer {
    Unknown,
    Jpeg,
    Tiff,      ///< TIFF and the TIFF-based RAW formats, Olympus' "IIRO" among them
    Panasonic, ///< a Panasonic RAW file ("IIU")
    Png,
    WebP,
    Heif,  ///< an ISO base media file of a HEIF brand: HEIF, HEIC, AVIF
    Movie, ///< any other ISO base media or QuickTime file: MP4, MOV, M4V, 3GP
};

PhotoContainer ContainerOf(FileBytes &file);

/// The capture date of a file of any container but JPEG, laid out as Exif
/// stores it ("2024:03:05 14:07:09"); "" without one.
QString OtherCaptureDate(FileBytes &file, PhotoContainer container);

/// The photo facts of a file of \a container.
PhotoFacts PhotoFactsOf(FileBytes &file, PhotoContainer container);

/// ReadPhotoFacts() for a file the caller has opened for reading (\a fd, a
/// regular file of \a size bytes); takes over and closes \a fd.
PhotoFacts PhotoFactsOfOpenFile(int fd, qint64 size);

/// The pixel size exiftool gives for a TIFF, a TIFF-based RAW file, a PNG or
/// a WebP image; invalid for every other file.
QSize OwnImageSize(const QString &path);

} // namespace kesto
