#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

namespace kesto {

/// The Exif capture date (tag 36867) of a photo exactly as stored, e.g.
/// "2005:07:14 13:45:12", in any format its content shows (see
/// ReadPhotoFacts()), or a film's; "" when the file has none.
QString GetCaptureDate(const QString &path);

/// Width and height in pixels from the image header alone, as exiftool gives
/// them for TIFF, the TIFF-based RAW formats, PNG and WebP; an invalid size
/// for a file that is no readable image. Other formats need the image-format
/// plugins, so a QCoreApplication should exist.
QSize ReadImageSize(const QString &path);

/// The text that "[BREITE]" (Qt::Horizontal) or "[HÖHE]" (Qt::Vertical) stands
/// for: the pixel count in decimal, "" when the size is invalid.
QString ImageDimensionText(const QSize &size, Qt::Orientation which);

/// The last component of a folder path: "/Fotos/2005.07 Urlaub/" gives
/// "2005.07 Urlaub"; trailing "/" are ignored, "/" gives "". Text only.
QString LastPathPart(const QString &folder);

/// The components of a "/" path, after an empty first element. A folder path
/// (\a asFolder) ends with its last component; a file path ends with the base
/// name and the extension (text after the last "." of the name, "" without one).
QStringList SplitPath(const QString &path, bool asFolder);

} // namespace kesto
