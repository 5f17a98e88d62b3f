#pragma once

#include <QByteArray>
#include <QList>

#include <optional>

namespace kesto::test {

enum class ByteOrder { Intel, Motorola };

/// One directory entry of a TIFF block as it will be written.
struct TiffField
{
    quint16 tag = 0;
    quint16 type = 0;
    quint32 count = 0;
    /// The value bytes in the block's byte order: up to 4 go into the entry (padded
    /// with zeros), more go after the directory and the entry points at them.
    QByteArray data;
    /// A raw value field written instead of data (to point anywhere).
    std::optional<quint32> field;
    /// Filled by build() with the offset of the Exif directory (tag 34665).
    bool pointsToExif = false;
};

/// A TIFF directory: its entries in the order given and its next-directory link.
struct TiffDirectory
{
    TiffDirectory() = default;
    // Not explicit: a braced list of fields is a directory.
    TiffDirectory(const QList<TiffField> &list)
        : fields(list)
    {}

    QList<TiffField> fields;
    /// A raw next-directory link; by default the next directory of the chain, or 0.
    std::optional<quint32> next;
    /// Link to the directory with this index in the chain instead.
    std::optional<int> nextIndex;
};

/// A TIFF block as written, with where its parts went (offsets from its start).
struct TiffBlock
{
    QByteArray bytes;
    QList<quint32> chainOffsets; ///< IFD0, IFD1, ...
    quint32 exifOffset = 0;      ///< 0 when there is no Exif directory
};

/// Writes TIFF blocks entry by entry in either byte order: IFD0 at offset 8,
/// each directory followed by its outside values, the chain first, then the
/// Exif directory.
class TiffBuilder
{
public:
    explicit TiffBuilder(ByteOrder order);
    ByteOrder order() const { return m_order; }

    QByteArray u16(quint16 v) const;
    QByteArray u32(quint32 v) const;

    /// ASCII text; \a terminate appends the zero byte and counts it.
    TiffField ascii(quint16 tag, const QByteArray &text, bool terminate = true) const;
    /// Single bytes of type 1 (BYTE), 2, 6 (SBYTE) or 7 (UNDEFINED); count = size.
    TiffField bytes(quint16 tag, quint16 type, const QByteArray &data) const;
    /// 16-bit values of type 3 (SHORT) or 8 (SSHORT).
    TiffField shorts(quint16 tag, const QList<quint16> &values, quint16 type = 3) const;
    /// 32-bit values of type 4 (LONG) or 9 (SLONG).
    TiffField longs(quint16 tag, const QList<quint32> &values, quint16 type = 4) const;
    /// Rationals of type 5 or 10: numerator, denominator pairs.
    TiffField rationals(quint16 tag, const QList<quint32> &parts, quint16 type = 5) const;
    /// Any type, count and raw value field.
    TiffField raw(quint16 tag, quint16 type, quint32 count, quint32 field) const;
    /// Tag 34665 pointing at the Exif directory given to build().
    TiffField exifPointer() const;

    /// \a ifd0Offset replaces the header's pointer to IFD0 (8 by default).
    TiffBlock build(const QList<TiffDirectory> &chain,
                    const std::optional<TiffDirectory> &exif = {},
                    std::optional<quint32> ifd0Offset = {}) const;

private:
    ByteOrder m_order;
};

/// A JPEG segment: 0xFF, marker, 16-bit big-endian length, payload.
QByteArray jpegSegment(quint8 marker, const QByteArray &payload);
/// The APP1 segment of an Exif block: "Exif", two zero bytes, the TIFF block.
QByteArray exifSegment(const QByteArray &tiff);
/// An APP1 segment holding an XMP packet.
QByteArray xmpSegment(const QByteArray &xml);
/// APP2 "ICC_PROFILE" segments carrying \a size bytes made of \a filler repeated.
QList<QByteArray> iccSegments(int size, const QByteArray &filler = QByteArray(1, '\x11'));
/// SOI, the segments, then \a rest (by default only EOI; pass what follows the SOI
/// of a real JPEG to get a decodable picture).
QByteArray jpegFile(const QList<QByteArray> &segments, const QByteArray &rest = "\xFF\xD9");

/// A photo with the usual camera layout: IFD0 (make, model, date, Exif pointer),
/// IFD1 and an Exif directory holding \a captureDate as DateTimeOriginal.
QByteArray cameraPhoto(ByteOrder order, const QByteArray &captureDate);

} // namespace kesto::test
