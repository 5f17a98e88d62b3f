#include "support/photobuilder.h"

namespace kesto::test {

namespace {

void append(QByteArray &out, quint32 v, int size, ByteOrder order)
{
    for (int k = 0; k < size; ++k) {
        const int shift = order == ByteOrder::Intel ? 8 * k : 8 * (size - 1 - k);
        out.append(char((v >> shift) & 0xFF));
    }
}

} // namespace

TiffBuilder::TiffBuilder(ByteOrder order)
    : m_order(order)
{}

QByteArray TiffBuilder::u16(quint16 v) const
{
    QByteArray out;
    append(out, v, 2, m_order);
    return out;
}

QByteArray TiffBuilder::u32(quint32 v) const
{
    QByteArray out;
    append(out, v, 4, m_order);
    return out;
}

TiffField TiffBuilder::ascii(quint16 tag, const QByteArray &text, bool terminate) const
{
    QByteArray data = text;
    if (terminate)
        data.append('\0');
    return {tag, 2, quint32(data.size()), data, {}, false};
}

TiffField TiffBuilder::bytes(quint16 tag, quint16 type, const QByteArray &data) const
{
    return {tag, type, quint32(data.size()), data, {}, false};
}

TiffField TiffBuilder::shorts(quint16 tag, const QList<quint16> &values, quint16 type) const
{
    QByteArray data;
    for (quint16 v : values)
        data += u16(v);
    return {tag, type, quint32(values.size()), data, {}, false};
}

TiffField TiffBuilder::longs(quint16 tag, const QList<quint32> &values, quint16 type) const
{
    QByteArray data;
    for (quint32 v : values)
        data += u32(v);
    return {tag, type, quint32(values.size()), data, {}, false};
}

TiffField TiffBuilder::rationals(quint16 tag, const QList<quint32> &parts, quint16 type) const
{
    QByteArray data;
    for (quint32 v : parts)
        data += u32(v);
    return {tag, type, quint32(parts.size() / 2), data, {}, false};
}

TiffField TiffBuilder::raw(quint16 tag, quint16 type, quint32 count, quint32 field) const
{
    return {tag, type, count, {}, field, false};
}

TiffField TiffBuilder::exifPointer() const
{
    return {34665, 4, 1, {}, {}, true};
}

TiffBlock TiffBuilder::build(const QList<TiffDirectory> &chain,
                             const std::optional<TiffDirectory> &exif,
                             std::optional<quint32> ifd0Offset) const
{
    QList<TiffDirectory> all = chain;
    if (exif)
        all.append(*exif);

    // First the offsets of every directory, then the bytes.
    TiffBlock block;
    QList<quint32> offsets;
    quint32 at = 8;
    for (const TiffDirectory &dir : all) {
        offsets.append(at);
        at += 2 + 12 * quint32(dir.fields.size()) + 4;
        for (const TiffField &f : dir.fields) {
            if (!f.field && !f.pointsToExif && f.data.size() > 4)
                at += quint32(f.data.size() + (f.data.size() & 1));
        }
    }
    block.chainOffsets = offsets.mid(0, chain.size());
    block.exifOffset = exif ? offsets.last() : 0;

    QByteArray &out = block.bytes;
    out += m_order == ByteOrder::Intel ? "II" : "MM";
    out += u16(42);
    out += u32(ifd0Offset.value_or(8));
    for (int d = 0; d < all.size(); ++d) {
        const TiffDirectory &dir = all.at(d);
        QByteArray outside;
        const quint32 outsideStart = offsets.at(d) + 2 + 12 * quint32(dir.fields.size()) + 4;
        out += u16(quint16(dir.fields.size()));
        for (const TiffField &f : dir.fields) {
            out += u16(f.tag);
            out += u16(f.type);
            out += u32(f.count);
            if (f.pointsToExif) {
                out += u32(block.exifOffset);
            } else if (f.field) {
                out += u32(*f.field);
            } else if (f.data.size() <= 4) {
                out += f.data + QByteArray(4 - f.data.size(), '\0');
            } else {
                out += u32(outsideStart + quint32(outside.size()));
                outside += f.data;
                if (f.data.size() & 1)
                    outside += '\0';
            }
        }
        quint32 next = 0;
        if (dir.next)
            next = *dir.next;
        else if (dir.nextIndex)
            next = offsets.at(*dir.nextIndex);
        else if (d + 1 < chain.size())
            next = offsets.at(d + 1);
        out += u32(next);
        out += outside;
    }
    return block;
}

QByteArray jpegSegment(quint8 marker, const QByteArray &payload)
{
    QByteArray out;
    out += char(0xFF);
    out += char(marker);
    append(out, quint32(payload.size() + 2), 2, ByteOrder::Motorola);
    return out + payload;
}

QByteArray exifSegment(const QByteArray &tiff)
{
    return jpegSegment(0xE1, QByteArray("Exif\0\0", 6) + tiff);
}

QByteArray xmpSegment(const QByteArray &xml)
{
    return jpegSegment(0xE1, QByteArray("http://ns.adobe.com/xap/1.0/\0", 29) + xml);
}

QList<QByteArray> iccSegments(int size, const QByteArray &filler)
{
    constexpr int perSegment = 65519; // 65533 payload bytes less the 14-byte ICC header
    const int total = (size + perSegment - 1) / perSegment;
    QList<QByteArray> segments;
    for (int k = 0; k < total; ++k) {
        const int length = std::min(perSegment, size - k * perSegment);
        QByteArray payload("ICC_PROFILE\0", 12);
        payload += char(k + 1);
        payload += char(total);
        while (payload.size() < 14 + length)
            payload += filler.left(14 + length - payload.size());
        segments.append(jpegSegment(0xE2, payload));
    }
    return segments;
}

QByteArray jpegFile(const QList<QByteArray> &segments, const QByteArray &rest)
{
    QByteArray out("\xFF\xD8", 2);
    for (const QByteArray &s : segments)
        out += s;
    return out + rest;
}

QByteArray cameraPhoto(ByteOrder order, const QByteArray &captureDate)
{
    const TiffBuilder b(order);
    TiffDirectory ifd0{{b.ascii(271, "KestoCam"), b.ascii(272, "KB-1"), b.shorts(274, {1}),
                        b.rationals(282, {72, 1}), b.ascii(306, captureDate), b.exifPointer()}};
    TiffDirectory ifd1{{b.shorts(259, {6}), b.longs(513, {0}), b.longs(514, {0})}};
    TiffDirectory exif{{b.rationals(33434, {1, 125}), b.bytes(36864, 7, "0230"),
                        b.ascii(36867, captureDate), b.ascii(36868, captureDate)}};
    return jpegFile({exifSegment(b.build({ifd0, ifd1}, exif).bytes)});
}

} // namespace kesto::test
