#include "metadata/exifreader.h"

#include "storage/applog.h"
#include "support/photobuilder.h"
#include "support/tempfiles.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>

#include <fcntl.h>
#include <unistd.h>

// An Exif value with its type in failure messages.
static void PrintTo(const QVariant &v, std::ostream *os)
{
    *os << (QLatin1String(v.typeName()) + u' ' + kesto::ExifValueText(v)).toStdString();
}

namespace {

using kesto::ExifReader;
using namespace kesto::test;
using namespace Qt::StringLiterals;

constexpr quint16 Date = 36867;
constexpr ByteOrder II = ByteOrder::Intel, MM = ByteOrder::Motorola;
const QByteArray SampleDate = "2005:07:14 13:45:12";
// Fill bytes without an APP1 marker pair, much longer than the head.
const QByteArray ImageData(300000, char(0xFF));

// Loads photos from a temporary folder whole, in pieces of 8 and 13 bytes and from the disk,
// which must make no difference to anything; log lines come back with "TS" for their time.
class ExifFile : public ::testing::Test
{
protected:
    void SetUp() override { kesto::SetLogPath(m_dir.file(u"Kesto.LOG"_s)); }
    void TearDown() override { kesto::SetLogPath(QString()); }

    QString load(const QByteArray &bytes) { return loadPath(m_dir.write(u"photo.jpg"_s, bytes)); }

    // Loads into reader, which keeps nothing of its earlier loads.
    QString loadPath(const QString &path)
    {
        // What a reader loaded, an entry a line, then the log.
        const auto read = [&](ExifReader &r) {
            kesto::DeleteLog();
            r.Load(path);
            QString text = r.Loaded() ? u"loaded\n"_s : u"not loaded\n"_s;
            for (const kesto::ExifEntry &e : r.Entries())
                text += QString::asprintf("%d %d %d %d ", e.TagNumber, e.DataType, e.Count,
                                          e.ValueOffset) +
                        kesto::ExifValueText(e.Value) + u'\n';
            return text + log().join(u'\n');
        };
        ExifReader eight(8), thirteen(13), fromDisk;
        const QString inEights = read(eight);
        EXPECT_EQ(QStringList({read(thirteen), read(reader)}), QStringList({inEights, inEights}));
        // A head that must come from the disk is read longer than one in the page cache.
        const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
        if (fd >= 0) {
            ::fdatasync(fd);
            ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
            ::close(fd);
        }
        EXPECT_EQ(read(fromDisk), inEights);
        return path;
    }

    QStringList log() const
    {
        static const QRegularExpression stamp(u"^[0-9.]{10} [0-9:]{8}(?= )"_s);
        QStringList lines = QString::fromUtf8(m_dir.read(u"Kesto.LOG"_s)).split(u"\r\n"_s);
        EXPECT_EQ(lines.takeLast(), QString()); // every line ends with CR LF
        for (QString &line : lines)
            line.replace(stamp, u"TS"_s);
        return lines;
    }

    TempFolder m_dir;
    ExifReader reader;
};

TEST_F(ExifFile, DecodesEveryRowOfTheValueTableInBothByteOrders)
{
    for (ByteOrder order : {II, MM}) {
        const TiffBuilder b{order};
        // The value read in Intel order, then in Motorola order where that differs.
        const std::pair<TiffField, QVariantList> rows[] = {
            {b.bytes(700, 6, "\xFF\x01"), {"000001FF", "FF010000"}},
            {b.bytes(700, 1, "\0\xFF\x0A\x07\x64"_ba), {"0255107100"}},
            {b.ascii(700, SampleDate), {QString(SampleDate)}},
            {b.ascii(700, SampleDate, false), {QString(SampleDate)}}, // no final zero
            {b.ascii(700, "Caf\xE9 \x80\x81\x9F"), {u"Café €\u0081Ÿ"_s}},
            {b.bytes(700, 7, "0230"), {"0320", "0230"}},
            {b.bytes(700, 7, "ABCDEF"), {"ABCDE"}},
            {b.numbers(700, 3, {10, 20}), {30}},
            {b.numbers(700, 8, {0xFFFF, 0xFFFF}), {131070}},
            {b.numbers(700, 3, {0x700, 1, 0}), {"071", "007"}},
            {b.numbers(700, 9, {0x7FFFFFFF}), {2147483647}},
            {b.numbers(700, 4, {1, 2}), {"10", "00"}},
            {b.numbers(700, 5, {1, 125}), {"1/125"}},
            {b.numbers(700, 10, {7, 3, 9, 1}), {"7/3"}},
            {b.raw(700, 11, 1, 0x3F800000), {QVariant()}}};
        for (const auto &row : rows) {
            SCOPED_TRACE(testing::Message() << "#" << &row - rows << (order == II ? " II" : " MM"));
            load(jpegFile({exifSegment(b.build({{{row.first}}}))}));
            EXPECT_EQ(reader.Tag(700), order == II ? row.second.first() : row.second.last());
        }
    }
}

TEST_F(ExifFile, WalksTheChainThenOnceTheExifDirectoryAndStopsAtTheFirstFault)
{
    const char *Fit = "Number does not fit 6", *Outside = "Index outside the file 9",
               *Twice = "Directory visited twice 9";
    for (ByteOrder order : {II, MM}) {
        const TiffBuilder b{order};
        // IFD0 (tags 256, 257) at 8, IFD1 (three entries) at 38, an Exif directory.
        const TiffField first = b.numbers(256, 3, {1});
        const QList<TiffField> ifd0{first, b.numbers(257, 3, {2})},
            ifd1{b.numbers(512, 3, {1}), b.numbers(513, 3, {2}), b.numbers(514, 3, {3})};
        const TiffDirectory exif{{b.ascii(Date, SampleDate), b.numbers(256, 3, {9})}};
        // IFD0 (tag 256, the Exif pointer), an Exif directory of \a field and tag 2.
        const auto exifWith = [&](const TiffField &field) {
            return b.build({{{first, b.exifPointer()}}},
                           TiffDirectory{{field, b.numbers(2, 3, {1})}});
        };
        // A value that ends one byte past the end of the file (its block, then the EOI).
        const int fileEnd = exifWith(b.raw(1, 1, 5, 0)).size() + 2;
        // Ten directories of one entry (18 bytes each from 8), the last linking to the ninth.
        QList<TiffDirectory> ten(10, TiffDirectory{{first}});
        ten.last().next = 8 + 8 * 18;
        // TIFF block, entries, the trace of entry counts, the fault (null: none).
        const std::tuple<QByteArray, int, const char *, const char *> rows[] = {
            {exifWith(b.raw(1, 1, 5, fileEnd - 4)), 4, " 2 4", Outside},
            {b.build(ten), 10, " 1 2 3 4 5 6 7 8 9 10", Twice},
            {b.build({{ifd0}}, exif), 2, " 2", nullptr},
            // Only a first "I" means Intel.
            {b.build({{ifd0}}).replace(0, 2, order == II ? "IM" : "XY"), 2, " 2", nullptr},
            {b.build({{ifd0}, {}, {ifd1}}), 5, " 2 2 5", nullptr},
            {b.build({{{first, b.exifPointer()}}, {ifd1}}, exif), 7, " 2 5 7", nullptr},
            // A 40 KB maker block puts IFD1 and the Exif directory beyond a disk read's head.
            {b.build({{{first, b.bytes(700, 7, QByteArray(40000, 'm')), b.exifPointer()}}, {ifd1}},
                     exif),
             8, " 3 6 8", nullptr},
            // The Exif pointer as decimal text ("00044", after its outside bytes) and as no number.
            {b.build({{{first, b.bytes(34665, 1, "\0\0\0\4\4"_ba)}}}, exif), 4, " 2 4", nullptr},
            {exifWith(b.raw(1, 1, 0x80000000, 0)), 4, " 2 4", Fit},  // count 2^31
            {exifWith(b.raw(1, 3, 0x40000000, 0)), 4, " 2 4", Fit},  // twice the count
            {exifWith(b.raw(1, 9, 0x20000000, 0)), 4, " 2 4", Fit},  // four times the count
            {exifWith(b.raw(1, 10, 1, 0x7FFFFFFF)), 4, " 2 4", Fit}, // outside start
            {exifWith(b.raw(1, 1, 5, 0xFFFF)), 4, " 2 4", Outside},
            {exifWith(b.raw(1, 2, 4000, 8)), 4, " 2 4", Outside},
            {b.build({{ifd0}, {{b.numbers(34665, 4, {0xFFFF})}}}), 3, " 2 3", Outside},
            {b.build({{ifd0, 0x7FFFFFFF}}), 2, " 2", Fit}, // a link past 2^31
            {b.build({{ifd0}}).replace(8, 2, b.u16(100)), 100, " 100", Outside},
            {b.build({}).replace(4, 4, b.u32(0xFF)), 0, "", Outside}, // IFD0 past the end
            {b.build({{ifd0}, {{b.ascii(34665, "abc")}}}), 3, " 2 3", "Value is not a number 13"},
            {b.build({{ifd0, 8}}), 2, " 2", Twice},
            {b.build({{ifd0}, {ifd1, 20}}), 5, " 2 5", Twice}, // into the middle of IFD0
            {b.build({{ifd0}, {{b.numbers(34665, 4, {8})}}}), 3, " 2 3", Twice}};
        for (const auto &row : rows) {
            const auto &[tiff, entries, trace, error] = row;
            SCOPED_TRACE(testing::Message() << "#" << &row - rows << (order == II ? " II" : " MM"));
            const QByteArray photo = jpegFile({exifSegment(tiff)});
            load(photo);
            // Tag() counts the entries, Tag(256) finds IFD0's before the Exif directory's; a
            // failing entry and those after it stay blank, and none is a maker note's.
            EXPECT_EQ(QVariantList({reader.Tag(), reader.Tag(256), reader.Tag(1), reader.Tag(2),
                                    reader.MakerNoteTag(256)}),
                      QVariantList({entries, entries ? QVariant(1) : QVariant(), {}, {}, {}}));
            QStringList lines = {u"GetDirectoryEntries: Size %1"_s.arg(photo.size() - 1),
                                 u"TS Exif GetDirectoryEntries: "_s + QLatin1String(trace)};
            if (error)
                lines << u"TS GetDirectoryEntries: Error during evaluation: %1"_s.arg(error);
            EXPECT_EQ(log().mid(2), lines);
        }
    }
}

TEST_F(ExifFile, FindsTheFirstApp1BlockThatIsExifWhereverItLiesAndWithoutOneLogsOneLine)
{
    const TiffBuilder b{II};
    const QByteArray exif = exifSegment(b.build({{{b.ascii(Date, SampleDate)}}}));
    const QByteArray profile = jpegSegment(0xE2, QByteArray("\xFF\xE1\x01").repeated(20000));
    QList<QByteArray> photos = {
        jpegFile({jpegSegment(0xE1, "http://ns.adobe.com/xap/1.0/ <x>\xFF\xE1</x>"), exif}),
        jpegFile({profile, profile, exif}), // beyond the first 64 KiB
        // across the end of the first read, which is shorter than the later ones
        jpegFile(
            {jpegSegment(0xE0, QByteArray(kesto::FileBytes::DefaultHeadSize - 24, 'j')), exif}),
        jpegFile({}, ImageData + exif),     // after fill bytes far beyond the head
        jpegFile({}, "no segment" + exif)}; // by a scan of a header that is no chain
    // A growing JFIF block moves the pair, after a lone 0xFF, across the ends of the pieces.
    for (int filler = 0; filler < 13; ++filler)
        photos << jpegFile({jpegSegment(0xE0, QByteArray(filler, 'j') + "\xFF"), exif});
    for (const QByteArray &photo : photos) {
        const QString path = load(photo);
        EXPECT_EQ(reader.Tag(Date), QString(SampleDate)) << photos.indexOf(photo);
        EXPECT_EQ(log().mid(0, 2), QStringList({u"TS Exif Load: %1  True"_s.arg(path),
                                                u"TS Exif Load: GetDirectoryEntries %1 8"_s.arg(
                                                    photo.indexOf("Exif") + 6)}));
    }

    const QByteArray app1 = "\xFF\xD8\xFF\xE1\0\x10"_ba;
    QStringList paths = {m_dir.file(u"missing.jpg"_s), m_dir.mkdir(u"folder.jpg"_s), QString()};
    for (const QByteArray &bytes :
         QList<QByteArray>{QByteArray(), "\xFF\xD8"_ba, "GIF89a" + exif,
                           jpegFile({jpegSegment(0xE0, "JFIF"), jpegSegment(0xE1, "<x/>")}),
                           app1 + "Exi", app1 + "Exif\0"_ba, app1 + "Exif\0\0MM\0*\0\0"_ba,
                           app1 + "Exif\0\0MM\0*\x80\0\0\x08\0\0"_ba,
                           app1 + "Exif\0\0MM\0*\x7F\xFF\xFF\xFF\0\0"_ba, jpegFile({}, ImageData),
                           // behind the start of the image data, where no header block stands
                           jpegFile({jpegSegment(0xDA, "scan")}, "\x12\xFF\x00" + exif)})
        paths << m_dir.write(u"%1.jpg"_s.arg(paths.size()), bytes);
    for (const QString &path : paths) {
        loadPath(path);
        EXPECT_EQ(QVariantList({reader.Tag(), reader.Tag(Date)}), QVariantList(2))
            << path.toStdString();
        EXPECT_EQ(log(), QStringList{u"TS Exif Load: %1  False"_s.arg(path)});
    }
}

} // namespace
