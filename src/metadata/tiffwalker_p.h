#pragma once

// For the photo readers only; not part of the interface.

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace kesto {

class FileBytes;

/// The bytes of one TIFF block, from its byte-order mark on: a stretch of a
/// file (a TIFF or RAW file, the Exif segment of a JPEG, a PNG or WebP
/// chunk) or a block in memory. Every read is checked against the block's end.
class TiffBytes
{
public:
    TiffBytes(FileBytes &file, qint64 start, qint64 length);
    explicit TiffBytes(const QByteArray &block);

    qint64 length() const { return m_length; }
    /// \a n (at most 8) bytes at \a offset; nullptr when any lies outside the block.
    const quint8 *bytes(qint64 offset, qsizetype n);
    /// The \a n bytes at \a offset, or fewer when the block ends before.
    QByteArray run(qint64 offset, qsizetype n);

private:
    FileBytes *m_file = nullptr;
    const QByteArray *m_memory = nullptr;
    qint64 m_start = 0;
    qint64 m_length = 0;
};

/// Where the value of one directory entry lies in its block.
struct TiffValue
{
    quint16 type = 0;
    quint32 count = 0;
    qint64 offset = -1; ///< -1: no such entry

    bool found() const { return offset >= 0; }
};

/// The entries of the photo facts, chosen among the block's directories as
/// exiftool chooses between tags of one name: a later entry wins, except in a
/// JPEG's thumbnail directory; the pixel size and the orientation come from
/// the first directory that holds them, unless the directory of the
/// full-resolution image (SubfileType 0) holds them too.
struct TiffTags
{
    bool intel = false;
    TiffValue make, model, lens, captured;
    TiffValue iso, aperture, exposure, focalLength, orientation, width, height;
    TiffValue latitudeRef, latitude, longitudeRef, longitude;
    /// A Panasonic RAW file's sensor borders: top, left, bottom, right.
    TiffValue borders[4];
};

enum class TiffLayout {
    Plain,     ///< a TIFF or TIFF-based RAW file, a PNG's or WebP's Exif block
    InJpeg,    ///< the Exif block of a JPEG, whose second directory is the thumbnail's
    Panasonic, ///< a Panasonic RAW file ("IIU"), whose first directory is of its own kind
};

/// Walks the block's first directory and those chained after it, each with
/// its SubIFDs, Exif and GPS directory, in the order of their entries; a
/// directory met again, or one too many, ends that branch of the walk.
TiffTags WalkTiff(TiffBytes &block, TiffLayout layout);

/// A text value up to its first NUL, without blanks at its end; bytes that
/// are no UTF-8 are read as Latin-1.
QString TiffText(TiffBytes &block, const TiffValue &value);
/// The numbers of a value as exiftool prints them with -n (a fraction rounded
/// to 10 significant digits), joined by blanks; "" when one of them is no
/// number (a zero denominator) or the value is missing.
QString TiffNumbers(TiffBytes &block, const TiffTags &tags, const TiffValue &value);
/// The \a index-th number of a value, rounded as TiffNumbers() prints it;
/// false when missing or no number.
bool TiffNumber(TiffBytes &block, const TiffTags &tags, const TiffValue &value, quint32 index,
                double *out);

} // namespace kesto
