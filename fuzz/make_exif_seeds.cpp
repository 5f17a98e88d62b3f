// Writes small JPEG files with the layouts the Exif reader meets (both byte orders, a
// thumbnail, a maker note, every data type, broken blocks), and the other containers
// the photo readers take (TIFF, RAW, PNG, WebP, HEIF), into a folder, as the seed
// corpus of fuzz_exif and fuzz_photo: make_exif_seeds DIR
#include "support/photobuilder.h"

#include <QDir>
#include <QFile>

#include <cstdio>

using namespace kesto::test;
using namespace Qt::StringLiterals;

int main(int argc, char **argv)
{
    if (argc != 2 || !QDir().mkpath(QFile::decodeName(argv[1]))) {
        std::fprintf(stderr, "usage: make_exif_seeds DIR\n");
        return 2;
    }
    const QDir dir(QFile::decodeName(argv[1]));
    bool written = true;
    const auto write = [&](const QString &name, const QByteArray &bytes) {
        QFile file(dir.filePath(name));
        written = written && file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    };
    const TiffBuilder intel{ByteOrder::Intel}, big{ByteOrder::Motorola};
    const auto chunk = [&big](const char *type, const QByteArray &data) {
        return big.u32(quint32(data.size())) + type + data + big.u32(0);
    };
    for (ByteOrder order : {ByteOrder::Intel, ByteOrder::Motorola}) {
        const TiffBuilder b{order};
        const QString suffix = order == ByteOrder::Intel ? u"_ii.jpg"_s : u"_mm.jpg"_s;
        const auto photo = [&b](const QList<TiffDirectory> &chain,
                                const std::optional<TiffDirectory> &exif = {}) {
            return jpegFile({exifSegment(b.build(chain, exif))});
        };
        // Each data type inline and, where the type allows it, outside.
        const TiffDirectory everyType{
            {b.bytes(1, 1, "\x2A"), b.bytes(2, 6, "\x80\x81\x82\x83\x84"), b.ascii(3, "N"),
             b.ascii(4, "Kesto camera"), b.numbers(5, 3, {300}), b.numbers(6, 8, {1, 2, 3}),
             b.numbers(7, 4, {70000}), b.numbers(8, 9, {5, 6}), b.numbers(9, 5, {72, 1}),
             b.numbers(10, 10, {7, 3}), b.bytes(11, 7, "0230"), b.bytes(12, 7, "UNDEFINED"),
             b.raw(13, 11, 1, 0x3F800000), b.raw(14, 12, 1, 8), b.raw(15, 13, 1, 0)}};
        const TiffDirectory ifd0{{b.ascii(271, "KestoCam"), b.exifPointer()}};
        const TiffDirectory ifd1{{b.numbers(259, 3, {6})}};
        const TiffDirectory date{{b.ascii(36867, "2006:03:14 09:05:07", false)}};
        write(u"camera"_s + suffix, cameraPhoto(order, "2005:07:14 13:45:12"));
        write(u"every_type"_s + suffix, photo({everyType}));
        write(u"xmp_icc_empty_directory"_s + suffix,
              jpegFile({jpegSegment(0xE1, "http://ns.adobe.com/xap/1.0/"),
                        jpegSegment(0xE2, "ICC_PROFILE\xFF\xE1zz"),
                        exifSegment(b.build({ifd0, {}, ifd1}, date))}));
        write(u"directory_loop"_s + suffix, photo({ifd0, {ifd1.fields, 8}}));
        write(u"exif_pointer_past_end"_s + suffix,
              photo({{{b.numbers(34665, 4, {0xFFFFFF})}}, ifd1}));
        write(u"number_too_big"_s + suffix,
              photo({ifd0}, TiffDirectory{{b.numbers(37000, 4, {0x80000000})}}));
        write(u"pointer_not_a_number"_s + suffix, photo({{{b.ascii(34665, "abc")}}}));

        // The photo readers' containers around a block with a GPS directory, and a RAW
        // file's layout: a thumbnail in IFD0, the full image in a SubIFD.
        const TiffField gpsPointer{34853, 4, 1, {}, {}, true}, subIfds{330, 4, 1, {}, {}, true};
        const QByteArray gps =
            b.build({{{b.ascii(271, "Kesto  "), b.numbers(274, 3, {6}), gpsPointer}}},
                    TiffDirectory{{b.ascii(1, "S"), b.numbers(2, 5, {52, 1, 31, 1, 1234, 100}),
                                   b.ascii(3, "W"), b.numbers(4, 5, {13, 1, 24, 1, 0, 0})}});
        const QByteArray raw =
            b.build({{{b.numbers(254, 4, {1}), b.numbers(256, 3, {160}), b.numbers(257, 3, {120}),
                       subIfds}}},
                    TiffDirectory{{b.numbers(254, 4, {0}), b.numbers(256, 4, {6000}),
                                   b.numbers(257, 4, {4000}), b.numbers(33437, 5, {28, 10})}});
        const QString base = order == ByteOrder::Intel ? u"_ii"_s : u"_mm"_s;
        write(u"gps"_s + base + u".tif"_s, gps);
        write(u"raw"_s + base + u".nef"_s, raw);
        write(u"raw"_s + base + u".orf"_s,
              QByteArray(raw).replace(0, 4, order == ByteOrder::Intel ? "IIRO" : "MMOR"));
        write(u"gps"_s + base + u".png"_s,
              "\x89PNG\r\n\x1A\n" +
                  chunk("IHDR", big.u32(300) + big.u32(200) + QByteArray("\x08\x02\0\0\0", 5)) +
                  chunk("eXIf", gps) + chunk("IEND", {}));
        // WebP's numbers are little-endian whatever the Exif block's order.
        const QByteArray webp = "WEBPVP8X" + intel.u32(10) + intel.u32(0) +
                                intel.u32(299 | 199u << 24) + intel.u16(0) + "EXIF" +
                                intel.u32(quint32(gps.size())) + gps;
        write(u"gps"_s + base + u".webp"_s, "RIFF" + intel.u32(quint32(webp.size())) + webp);
    }
    write(u"borders.rw2"_s,
          intel
              .build({{{intel.numbers(4, 3, {8}), intel.numbers(5, 3, {8}),
                        intel.numbers(6, 3, {3008}), intel.numbers(7, 3, {4008})}}})
              .replace(0, 4, QByteArray("IIU\0", 4)));
    write(u"brands.heic"_s, QByteArray("\0\0\0\x18"
                                       "ftypheic\0\0\0\0mif1heic",
                                       24));
    write(u"no_exif.jpg"_s, jpegFile({jpegSegment(0xE0, QByteArray("JFIF\0\1\1", 7))},
                                     QByteArray("\xFF\xDB\0\4\1\2\xFF\xD9", 8)));
    write(u"cut_header.jpg"_s, jpegFile({}, QByteArray("\xFF\xE1\0\x10"
                                                       "Exif\0\0I",
                                                       12)));
    return written ? 0 : 1;
}
