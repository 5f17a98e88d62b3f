#pragma once

#include <QByteArray>
#include <QList>

#include <optional>

namespace kesto::test {

enum class ByteOrder { Intel, Motorola };

/// \a v as \a size bytes in \a order.
QByteArray tiffNumber(quint32 v, int size, ByteOrder order);

/// One directory entry of a TIFF block as it will be written.
struct TiffField
{
    quint16 tag = 0, type = 0;
    quint32 count = 0;
    QByteArray data; ///< in the block's byte order; more than 4 bytes go after the directory
    std::optional<quint32> field = {}; ///< a raw value field written instead of data
    bool pointsToExif = false;         ///< the value field is the Exif directory's offset
};

/// A TIFF directory and its next-directory link (by default the next one of the chain, or 0).
struct TiffDirectory
{
    QList<TiffField> fields;
    std::optional<quint32> next = {};
};

/// Writes TIFF blocks entry by entry in either byte order: the header, IFD0 at offset 8,
/// each directory followed by its outside values, the chain first, then the Exif directory.
struct TiffBuilder
{
    ByteOrder order;

    QByteArray u16(quint16 v) const { return tiffNumber(v, 2, order); }
    QByteArray u32(quint32 v) const { return tiffNumber(v, 4, order); }
    /// Single bytes of type 1, 2, 6 or 7; the count is their number.
    TiffField bytes(quint16 tag, quint16 type, const QByteArray &data) const
    {
        return {tag, type, quint32(data.size()), data};
    }
    /// ASCII text; \a terminate appends the zero byte and counts it.
    TiffField ascii(quint16 tag, const QByteArray &text, bool terminate = true) const
    {
        return bytes(tag, 2, terminate ? text + '\0' : text);
    }
    /// Numbers of type 3 or 8 (16 bits), 4 or 9 (32 bits), 5 or 10 (pairs of 32 bits).
    TiffField numbers(quint16 tag, quint16 type, const QList<quint32> &values) const;
    /// Any type and count with a raw value field.
    TiffField raw(quint16 tag, quint16 type, quint32 count, quint32 field) const
    {
        return {tag, type, count, {}, field};
    }
    /// Tag 34665 pointing at the Exif directory given to build().
    TiffField exifPointer() const { return {34665, 4, 1, {}, {}, true}; }

    QByteArray build(const QList<TiffDirectory> &chain,
                     const std::optional<TiffDirectory> &exif = {}) const;
};

/// A JPEG segment: 0xFF, marker, 16-bit big-endian length, payload.
QByteArray jpegSegment(quint8 marker, const QByteArray &payload);
/// The APP1 segment of an Exif block: "Exif", two zero bytes, the TIFF block.
QByteArray exifSegment(const QByteArray &tiff);
/// SOI, the segments, then \a rest (EOI, or what follows the SOI of a decodable JPEG).
QByteArray jpegFile(const QList<QByteArray> &segments, const QByteArray &rest = "\xFF\xD9");

/// A photo as cameras write it: IFD0 (make, date, Exif pointer), IFD1 with a thumbnail
/// after the block, an Exif directory with \a captureDate as DateTimeOriginal and a maker note.
QByteArray cameraPhoto(ByteOrder order, const QByteArray &captureDate);

} // namespace kesto::test
