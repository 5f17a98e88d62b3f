#include "metadata/audiotags.h"
#include "metadata/filebytes.h"
#include "metadata/filefacts.h"
#include "metadata/imagefacts.h"
#include "metadata/photofacts.h"
#include "metadata/photofacts_p.h"

#include "support/photobuilder.h"
#include "support/tempfiles.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>

using namespace kesto;
using namespace kesto::test;
using namespace Qt::StringLiterals;

namespace {

QByteArray run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    return process.readAllStandardOutput();
}

// The values of the photo placeholders, the capture date and the pixel size, on one line.
QString placeholdersOf(const QString &path)
{
    const PhotoFacts f = ReadPhotoFacts(path);
    const QSize size = ReadImageSize(path);
    QStringList values{f.make,     f.model,       f.lens,     f.iso,       f.aperture,
                       f.exposure, f.focalLength, f.latitude, f.longitude, f.orientation};
    values << ReadFileFacts(path, true).captured << ImageDimensionText(size, Qt::Horizontal)
           << ImageDimensionText(size, Qt::Vertical);
    return values.join(u'|');
}

// The same as exiftool prints them ("#": as a number), one line per file.
QStringList exiftoolLines(const QStringList &paths)
{
    const QStringList tags{"Make",          "Model",        "LensModel",        "ISO#",
                           "FNumber#",      "ExposureTime", "FocalLength#",     "GPSLatitude#",
                           "GPSLongitude#", "Orientation#", "DateTimeOriginal", "ImageWidth#",
                           "ImageHeight#"};
    QStringList arguments{u"-j"_s};
    for (const QString &tag : tags)
        arguments << u'-' + tag;
    QStringList lines;
    for (const QJsonValue file :
         QJsonDocument::fromJson(run(u"exiftool"_s, arguments + paths)).array()) {
        QStringList values;
        for (QString tag : tags) {
            const QJsonValue value = file[tag.remove(u'#')];
            values << (tag.startsWith(u"GPS") && value.isDouble()
                           ? QString::number(value.toDouble(), 'f', 5)
                           : SafeNameValue(value.toVariant().toString()));
        }
        lines << values.join(u'|');
    }
    return lines;
}

// A RAW file as most cameras lay it out: a thumbnail in IFD0 and the full
// image in a SubIFD, with the make padded by blanks and NULs.
QByteArray rawFile(const char *mark, const QByteArray &make)
{
    const TiffBuilder b{ByteOrder::Intel};
    const TiffField subIfds{330, 4, 1, {}, {}, true}; // points at the builder's Exif directory
    const TiffDirectory ifd0{{b.numbers(254, 4, {1}), b.numbers(256, 4, {160}),
                              b.numbers(257, 4, {120}), b.bytes(271, 2, make + "  \0\0"), subIfds}};
    const TiffDirectory full{
        {b.numbers(254, 4, {0}), b.numbers(256, 4, {6000}), b.numbers(257, 4, {4000})}};
    return b.build({ifd0}, full).replace(0, 4, QByteArray(mark, 4));
}

// Canon's header names the raw image's directory, the last of the four exiftool expects.
QByteArray canonRaw()
{
    const TiffBuilder b{ByteOrder::Intel};
    QByteArray cr2 = QByteArray("II*\0", 4) + b.u32(16) + QByteArray("CR\2\0", 4) + b.u32(106);
    for (quint32 at : {16, 46, 76, 106})
        cr2 += b.u16(2) + b.u16(256) + b.u16(3) + b.u32(1) + b.u32(64) + b.u16(257) + b.u16(3) +
               b.u32(1) + b.u32(48) + b.u32(at == 106 ? 0 : at + 30);
    return cr2;
}

TEST(PhotoFacts, AreWhatExiftoolPrintsInEveryPhotoFormat)
{
    for (const char *tool : {"exiftool", "convert", "cwebp", "heif-enc", "avifenc"}) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            GTEST_SKIP() << tool << " is missing";
    }
    TempFolder dir;
    const TiffBuilder b{ByteOrder::Intel};
    const auto file = [&dir](const char *name) { return dir.file(QString::fromLatin1(name)); };
    for (const char *name : {"a.jpg", "b.JPEG", "c.tif", "d.png", "o.jpg"})
        run(u"convert"_s, {u"-size"_s, u"300x200"_s, u"plasma:"_s, file(name)});
    // Lossy and lossless; exiftool gives those it writes to a canvas header.
    for (const char *name : {"e.webp", "f.webp", "q.webp", "r.webp"}) {
        const bool lossless = name[0] == 'f' || name[0] == 'r';
        run(u"cwebp"_s, {u"-quiet"_s, lossless ? u"-lossless"_s : u"-mt"_s, file("d.png"), u"-o"_s,
                         file(name)});
    }
    for (const char *name : {"g.dng", "h.nef", "i.arw", "j.pef"})
        dir.write(QString::fromLatin1(name), rawFile("II*\0", "Kesto"));
    dir.write(u"k.orf"_s, rawFile("IIRO", "OLYMPUS"));
    dir.write(u"l.rw2"_s, b.build({{{b.numbers(4, 3, {8}), b.numbers(5, 3, {8}),
                                     b.numbers(6, 3, {3008}), b.numbers(7, 3, {4008})}}})
                              .replace(0, 4, QByteArray("IIU\0", 4)));
    dir.write(u"m.cr2"_s, canonRaw());
    run(u"heif-enc"_s, {file("d.png"), u"-o"_s, file("s.heic")});
    run(u"avifenc"_s, {file("d.png"), file("t.avif")});
    // The content tells the format: a JPEG named .JPEG, and below a PNG and a HEIC named .jpg.
    const QStringList written{"a.jpg",  "b.JPEG", "c.tif", "d.png",  "e.webp",
                              "f.webp", "g.dng",  "h.nef", "i.arw",  "j.pef",
                              "k.orf",  "l.rw2",  "m.cr2", "s.heic", "t.avif"};
    // Every file gets values of its own, in one exiftool run.
    const char *exposures[] = {"1/250", "2", "0.5", "1/3", "0.25", "15", "1.3", "1/8000"};
    const char *apertures[] = {"2.8", "4", "1.8", "5.6", "11", "22", "3.5", "8"};
    const char *focalLengths[] = {"50", "4.2", "18", "200", "4.25", "35", "105", "24"};
    const char *isos[] = {"100", "200", "6400", "100 200", "50", "12800", "400", "80"};
    QStringList script;
    for (int i = 0; i < int(written.size()); ++i) {
        script << (i >= 6 && i <= 10 ? u"-Model=Modell %1"_s : u"-Make=Kesto %1  "_s).arg(i)
               << u"-LensModel=EF 24-70mm f/2.8L"_s
               << u"-ExposureTime="_s + QLatin1String(exposures[i % 8])
               << u"-FNumber="_s + QLatin1String(apertures[i % 8])
               << u"-FocalLength="_s + QLatin1String(focalLengths[i % 8])
               << u"-ISO="_s + QLatin1String(isos[i % 8])
               << u"-GPSLatitude=%1"_s.arg(52.52 + i / 7.0, 0, 'f', 7)
               << (i % 2 ? u"-GPSLatitudeRef=S"_s : u"-GPSLatitudeRef=N"_s)
               << u"-GPSLongitude=%1"_s.arg(13.405 * i, 0, 'f', 6)
               << (i % 3 ? u"-GPSLongitudeRef=E"_s : u"-GPSLongitudeRef=W"_s)
               << u"-Orientation#=%1"_s.arg(1 + i % 8)
               << u"-DateTimeOriginal=2024:03:%1 14:07:%2"_s.arg(10 + i).arg(10 + 3 * i)
               << u"-overwrite_original"_s << dir.file(written[i]) << u"-execute"_s;
    }
    dir.write(u"script"_s, script.join(u'\n').toUtf8());
    run(u"exiftool"_s, {u"-q"_s, u"-@"_s, dir.file(u"script"_s)});
    // Photos without an Exif block, and one whose thumbnail's directory names another make.
    dir.write(u"n.jpg"_s, dir.read(u"d.png"_s));
    dir.write(u"u.jpg"_s, dir.read(u"s.heic"_s));
    dir.write(u"p.jpg"_s, jpegFile({exifSegment(b.build(
                              {{{b.ascii(271, "Haupt")}}, {{b.ascii(271, "Vorschau")}}}))}));
    QStringList paths;
    for (const QString &name :
         written + QStringList{"n.jpg", "o.jpg", "p.jpg", "q.webp", "r.webp", "u.jpg"})
        paths << dir.file(name);

    QStringList ours;
    for (const QString &path : paths)
        ours << placeholdersOf(path);
    QStringList theirs = exiftoolLines(paths);
    ASSERT_EQ(theirs.size(), paths.size());
    EXPECT_EQ(ours, theirs);
    EXPECT_TRUE(theirs.first().startsWith(u"Kesto 0|"_s)) << theirs.first().toStdString();
    EXPECT_TRUE(std::all_of(paths.begin(), paths.end(), MayHoldCaptureDate));
}

TEST(PhotoContainer, IsToldByTheFirstBytesAndAnIsoFileByItsBrands)
{
    // An ISO base media file: its first box lists the major brand, a version and the others.
    const auto ftyp = [](const char *major, const QByteArray &others, int size = 0) {
        const TiffBuilder b{ByteOrder::Motorola};
        return b.u32(size ? size : 16 + others.size()) + "ftyp" + major + b.u32(0) + others;
    };
    using C = PhotoContainer;
    const std::pair<QByteArray, C> rows[] = {
        {"\xFF\xD8\xFF", C::Jpeg},
        {QByteArray("MM\0*\0\0\0\x08", 8), C::Tiff},
        {"IIRO\x08", C::Tiff},
        {QByteArray("IIU\0", 4), C::Panasonic},
        {"\x89PNG\r\n\x1A\n", C::Png},
        {QByteArray("RIFF\x04\0\0\0WEBPVP8 ", 16), C::WebP},
        {QByteArray("RIFF\x04\0\0\0WAVEfmt ", 16), C::Unknown},
        {ftyp("heic", "mif1heic"), C::Heif},
        {ftyp("avif", "avifmif1miaf"), C::Heif},
        {ftyp("mif1", ""), C::Heif},
        {ftyp("isom", "isommsf1"), C::Heif},
        {ftyp("isom", "isomiso2avc1mp41"), C::Movie},
        {ftyp("qt  ", "qt  "), C::Movie},
        {ftyp("3gp4", "heic", 16), C::Movie}, // a brand past the box's end
        {QByteArray("\0\0\0\x08wide", 8), C::Movie},
        {"Text", C::Unknown},
    };
    TempFolder dir;
    QList<int> found, wanted;
    for (const auto &[bytes, container] : rows) {
        FileBytes file;
        file.open(dir.write(u"f"_s, bytes));
        found << int(ContainerOf(file));
        wanted << int(container);
    }
    EXPECT_EQ(found, wanted);
    // Real HEIF images name their brands so too.
    for (const auto &[tool, name] : {std::pair{"heif-enc", "heic.jpg"}, {"avifenc", "x.avif"}}) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            continue;
        QImage(8, 8, QImage::Format_RGB32).save(dir.file(u"in.png"_s));
        run(QString::fromLatin1(tool),
            {dir.file(u"in.png"_s), u"-o"_s, dir.file(QString::fromLatin1(name))});
        FileBytes file;
        ASSERT_TRUE(file.open(dir.file(QString::fromLatin1(name)))) << tool;
        EXPECT_EQ(ContainerOf(file), C::Heif) << tool;
    }
}

TEST(PhotoFacts, OfDamagedFilesAreWhatCanBeReadAndEveryLoopEnds)
{
    const TiffBuilder b{ByteOrder::Intel}, big{ByteOrder::Motorola};
    const TiffField date = b.ascii(36867, "2024:03:05 14:07:09");
    const TiffField make = b.ascii(271, "Kesto");
    // IFD0 links to itself, and the Exif directory points back at IFD0.
    const QByteArray loop =
        b.build({{{make, b.exifPointer()}, 8}}, TiffDirectory{{date, b.numbers(34665, 4, {8})}});
    // A directory that claims more entries than the file holds, values past
    // its end, fractions with a zero denominator.
    const QByteArray tooMany = b.build({{{make}}}).replace(8, 2, b.u16(0xFFFF));
    const QByteArray outside =
        b.build({{{b.raw(271, 2, 20, 0xFFFFFFF0), b.ascii(272, "Cam"),
                   b.raw(33437, 5, 0x40000000, 8), b.numbers(33434, 5, {0, 0}), date}}});
    const QByteArray exif = exifSegment(b.build({{{make}}}));
    const std::pair<QByteArray, const char *> rows[] = {
        {loop, "Kesto|||2024:03:05 14:07:09"},
        {tooMany, "Kesto|||"},
        {outside, "|Cam||2024:03:05 14:07:09"},
        {jpegFile({jpegSegment(0xE0, "JFIF"), exif}), "Kesto|||"},
        {jpegFile({QByteArray("\xFF\xE0\0\x01", 4), exif}), "|||"},
        {exif.left(exif.size() - 4).prepend("\xFF\xD8"), "|||"},
        {"\x89PNG\r\n\x1A\n" + big.u32(0x7FFFFFFF) + "IDAT" + big.u32(16) + "eXIf" + exif.mid(10),
         "|||"},
        {"RIFF" + b.u32(0) + "WEBPVP8X" + b.u32(0xFFFFFFF0) + "EXIF" + b.u32(16) + exif.mid(10),
         "|||"},
        {"RIFF" + b.u32(0) + "WEBPEXIF" + b.u32(exif.size() - 4) + exif.mid(4), "Kesto|||"},
    };
    TempFolder dir;
    QStringList found, wanted;
    for (const auto &[bytes, facts] : rows) {
        const QString path = dir.write(u"f"_s, bytes);
        const PhotoFacts f = ReadPhotoFacts(path);
        found << QStringList{f.make, f.model, f.aperture + f.exposure, GetCaptureDate(path)}.join(
            u'|');
        wanted << QString::fromLatin1(facts);
    }
    EXPECT_EQ(found, wanted);
}

} // namespace
