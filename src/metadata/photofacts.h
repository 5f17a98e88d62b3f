#pragma once

#include <QString>
#include <QStringView>

namespace kesto {

/// What a photo's Exif block tells of how it was taken, each value as exiftool
/// prints it and made safe for a name (see SafeNameValue()); empty where the
/// photo has none.
struct PhotoFacts
{
    QString make;
    QString model;
    QString lens;
    QString iso;
    QString aperture;    ///< the f-number: "2.8", "4"
    QString exposure;    ///< "1_250" (1/250 s with its "/" made safe), "0.5", "2"
    QString focalLength; ///< in mm: "50", "4.2"
    QString latitude;    ///< decimal degrees with 5 places, negative in the south
    QString longitude;   ///< likewise, negative in the west
    QString orientation; ///< 1 to 8

    friend bool operator==(const PhotoFacts &, const PhotoFacts &) = default;
};

/// The facts of the photo at \a path, whose content tells its format: JPEG,
/// TIFF and the TIFF-based RAW formats (DNG, NEF, CR2, ARW, ORF, RW2, PEF),
/// PNG, WebP, HEIF, HEIC and AVIF. All empty for any other file.
PhotoFacts ReadPhotoFacts(const QString &path);

/// Whether the list loader reads a capture date from a file of this name:
/// one with the extension of a photo or a film, in any letter case. Which
/// format it is, and so where the date lies, its content tells.
bool MayHoldCaptureDate(QStringView name);

} // namespace kesto
