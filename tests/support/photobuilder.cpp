#include "support/photobuilder.h"

namespace kesto::test {

QByteArray tiffNumber(quint32 v, int size, ByteOrder order)
{
    QByteArray out;
    for (int k = 0; k < size; ++k)
        out += char(v >> (order == ByteOrder::Intel ? 8 * k : 8 * (size - 1 - k)));
    return out;
}

TiffField TiffBuilder::numbers(quint16 tag, quint16 type, const QList<quint32> &values) const
{
    const bool isShort = type == 3 || type == 8, isRational = type == 5 || type == 10;
    QByteArray data;
    for (quint32 v : values)
        data += tiffNumber(v, isShort ? 2 : 4, order);
    return {tag, type, quint32(isRational ? values.size() / 2 : values.size()), data};
}

QByteArray TiffBuilder::build(const QList<TiffDirectory> &chain,
                              const std::optional<TiffDirectory> &exif) const
{
    QList<TiffDirectory> all = chain;
    if (exif)
        all.append(*exif);
    QByteArray out = (order == ByteOrder::Intel ? "II" : "MM") + u16(42) + u32(8);
    // Where the last directory's link and the Exif pointer are, to fill in later.
    qsizetype link = -1, pointer = -1;
    for (qsizetype d = 0; d < all.size(); ++d) {
        if (link >= 0 && d < chain.size())
            out.replace(link, 4, u32(quint32(out.size())));
        if (pointer >= 0 && d == chain.size())
            out.replace(pointer, 4, u32(quint32(out.size())));
        const QList<TiffField> &fields = all.at(d).fields;
        const quint32 outsideStart = quint32(out.size() + 6 + 12 * fields.size());
        QByteArray outside;
        out += u16(quint16(fields.size()));
        for (const TiffField &f : fields) {
            out += u16(f.tag) + u16(f.type) + u32(f.count);
            pointer = f.pointsToExif ? out.size() : pointer;
            const bool inside = f.field || f.pointsToExif || f.data.size() <= 4;
            out += f.field  ? u32(*f.field)
                   : inside ? f.data.leftJustified(4, '\0')
                            : u32(outsideStart + quint32(outside.size()));
            if (!inside)
                outside += f.data + QByteArray(f.data.size() % 2, '\0');
        }
        link = all.at(d).next ? -1 : out.size();
        out += u32(all.at(d).next.value_or(0)) + outside;
    }
    return out;
}

QByteArray jpegSegment(quint8 marker, const QByteArray &payload)
{
    return QByteArray(1, char(0xFF)) + char(marker) +
           tiffNumber(quint32(payload.size() + 2), 2, ByteOrder::Motorola) + payload;
}

QByteArray exifSegment(const QByteArray &tiff)
{
    return jpegSegment(0xE1, QByteArray("Exif\0\0", 6) + tiff);
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
    const TiffBuilder b{order};
    const QByteArray thumbnail = jpegFile({jpegSegment(0xE0, "JFIF")});
    // A maker note that is itself a small directory, as many cameras write it.
    const QByteArray note = b.u16(1) + b.u16(5) + b.u16(3) + b.u32(1) + b.u32(7) + b.u32(0);
    const TiffDirectory ifd0{{b.ascii(271, "KestoCam"), b.numbers(274, 3, {1}),
                              b.ascii(306, captureDate), b.exifPointer()}};
    const TiffDirectory exif{{b.numbers(33434, 5, {1, 125}), b.bytes(36864, 7, "0230"),
                              b.ascii(36867, captureDate), b.bytes(37500, 7, note)}};
    const auto block = [&](quint32 thumbnailAt) {
        const TiffDirectory ifd1{{b.numbers(259, 3, {6}), b.numbers(513, 4, {thumbnailAt}),
                                  b.numbers(514, 4, {quint32(thumbnail.size())})}};
        return b.build({ifd0, ifd1}, exif);
    };
    return jpegFile({exifSegment(block(quint32(block(0).size())) + thumbnail)});
}

} // namespace kesto::test
