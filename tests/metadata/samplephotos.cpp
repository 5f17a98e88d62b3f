#include "samplephotos.h"

#include "support/photobuilder.h"

namespace kesto::test {

namespace {

QString suffix(ByteOrder order)
{
    return order == ByteOrder::Intel ? QStringLiteral("_ii.jpg") : QStringLiteral("_mm.jpg");
}

// One entry of each data type, inline and outside where the type allows both.
TiffDirectory everyType(const TiffBuilder &b)
{
    return {{b.bytes(1, 1, "\x2A"),
             b.bytes(2, 1, QByteArray("\x01\x02\x03\x04\x05", 5)),
             b.ascii(3, "N"),
             b.ascii(4, "Kesto camera"),
             b.shorts(5, {300}),
             b.shorts(6, {10, 20}),
             b.shorts(7, {7, 1, 9}),
             b.longs(8, {70000}),
             b.longs(9, {1, 2}),
             b.rationals(10, {72, 1}),
             b.bytes(11, 6, "\xFF"),
             b.bytes(12, 6, QByteArray("\x80\x81\x82\x83\x84\x85", 6)),
             b.bytes(13, 7, "0230"),
             b.bytes(14, 7, QByteArray("UNDEFINED", 9)),
             b.shorts(15, {65535}, 8),
             b.shorts(16, {1, 2, 3}, 8),
             b.longs(17, {0x7FFFFFFF}, 9),
             b.longs(18, {5, 6}, 9),
             b.rationals(19, {7, 3}, 10),
             b.raw(20, 11, 1, 0x3F800000),
             b.raw(21, 12, 1, 8),
             b.raw(22, 13, 1, 0)}};
}

QByteArray thumbnailPhoto(ByteOrder order)
{
    const TiffBuilder b(order);
    const QByteArray thumb = jpegFile({jpegSegment(0xE0, "JFIF")});
    // The thumbnail bytes sit in a long UNDEFINED entry that IFD1 points into.
    TiffDirectory ifd0{{b.ascii(271, "KestoCam"), b.exifPointer()}};
    TiffDirectory ifd1{{b.shorts(259, {6}), b.bytes(0x927C, 7, thumb), b.longs(513, {0}),
                        b.longs(514, {quint32(thumb.size())})}};
    const TiffDirectory exif{{b.ascii(36867, "2021:06:01 10:00:03")}};
    const quint32 at = quint32(b.build({ifd0, ifd1}, exif).bytes.indexOf(thumb));
    ifd1.fields[2] = b.longs(513, {at});
    return jpegFile({exifSegment(b.build({ifd0, ifd1}, exif).bytes)});
}

QByteArray makerNotePhoto(ByteOrder order)
{
    const TiffBuilder b(order);
    // A maker note that is itself a small directory, as many cameras write it.
    const QByteArray note = b.u16(2) + b.u16(1) + b.u16(3) + b.u32(1) + b.u16(5) + b.u16(0) +
                            b.u16(2) + b.u16(2) + b.u32(4) + QByteArray("AB\0\0", 4) + b.u32(0);
    TiffDirectory ifd0{{b.ascii(271, "KestoCam"), b.exifPointer()}};
    TiffDirectory exif{{b.ascii(36867, "2019:12:31 23:59:59"), b.bytes(37500, 7, note),
                        b.rationals(37380, {0xFFFFFFFF, 3}, 10)}};
    return jpegFile({exifSegment(b.build({ifd0}, exif).bytes)});
}

} // namespace

QList<SamplePhoto> samplePhotos()
{
    QList<SamplePhoto> photos;
    for (ByteOrder order : {ByteOrder::Intel, ByteOrder::Motorola}) {
        const TiffBuilder b(order);
        const QString s = suffix(order);
        photos.append({QStringLiteral("camera") + s, cameraPhoto(order, "2005:07:14 13:45:12")});
        photos.append({QStringLiteral("every_type") + s,
                       jpegFile({exifSegment(b.build({everyType(b)}).bytes)})});
        photos.append({QStringLiteral("thumbnail") + s, thumbnailPhoto(order)});
        photos.append({QStringLiteral("maker_note") + s, makerNotePhoto(order)});

        TiffDirectory ifd0{{b.ascii(271, "KestoCam"), b.exifPointer()}};
        TiffDirectory ifd1{{b.shorts(259, {6})}};
        TiffDirectory exif{{b.ascii(36867, "2006:03:14 09:05:07", false)}};
        photos.append({QStringLiteral("date_without_zero") + s,
                       jpegFile({exifSegment(b.build({ifd0}, exif).bytes)})});
        photos.append({QStringLiteral("xmp_before_exif") + s,
                       jpegFile({xmpSegment("<x:xmpmeta/>"),
                                 exifSegment(b.build({ifd0, ifd1}, exif).bytes)})});
        photos.append({QStringLiteral("icc_with_marker_bytes") + s,
                       jpegFile({iccSegments(300, "\xFF\xE1zz").first(),
                                 exifSegment(b.build({ifd0}, exif).bytes)})});
        photos.append(
            {QStringLiteral("empty_directory") + s,
             jpegFile({exifSegment(b.build({ifd0, TiffDirectory{}, ifd1}, exif).bytes)})});

        TiffDirectory loop = ifd1;
        loop.nextIndex = 0;
        photos.append({QStringLiteral("directory_loop") + s,
                       jpegFile({exifSegment(b.build({ifd0, loop}).bytes)})});
        TiffDirectory far{{b.ascii(271, "KestoCam"), b.longs(34665, {0x00FFFFFF})}};
        photos.append({QStringLiteral("exif_pointer_past_end") + s,
                       jpegFile({exifSegment(b.build({far, ifd1}).bytes)})});
        TiffDirectory big{{b.ascii(36867, "2005:07:14 13:45:12"), b.longs(37000, {0x80000000})}};
        photos.append({QStringLiteral("number_too_big") + s,
                       jpegFile({exifSegment(b.build({ifd0}, big).bytes)})});
        TiffDirectory text{{b.ascii(34665, "abc")}};
        photos.append({QStringLiteral("pointer_not_a_number") + s,
                       jpegFile({exifSegment(b.build({text}).bytes)})});
    }
    photos.append(
        {QStringLiteral("no_exif.jpg"), jpegFile({jpegSegment(0xE0, QByteArray("JFIF\0\1\1", 7))},
                                                 QByteArray("\xFF\xDB\0\4\1\2\xFF\xD9", 8))});
    photos.append({QStringLiteral("cut_header.jpg"), jpegFile({}, QByteArray("\xFF\xE1\0\x10"
                                                                             "Exif\0\0I",
                                                                             12))});
    return photos;
}

} // namespace kesto::test
