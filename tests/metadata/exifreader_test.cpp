#include "metadata/exifreader.h"

#include "storage/applog.h"
#include "support/photobuilder.h"
#include "support/tempfiles.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

// Exif values readably in failure messages.
static void PrintTo(const QVariant &v, std::ostream *os)
{
    *os << (v.isValid() ? v.typeName() + (" \"" + v.toString().toStdString() + '"') : "(empty)");
}

namespace {

using kesto::ExifReader;
using namespace kesto::test;
using namespace Qt::StringLiterals;

constexpr quint16 Date = 36867;
constexpr ByteOrder II = ByteOrder::Intel, MM = ByteOrder::Motorola;
const QByteArray SampleDate = "2005:07:14 13:45:12";
const QVariant SampleDateValue = QString::fromLatin1(SampleDate);
// Image data without an APP1 marker pair, much longer than the head.
const QByteArray ImageData(300000, char(0xFF));

// \a count SHORT entries from \a firstTag on, with the values 1, 2, ...
QList<TiffField> numbered(const TiffBuilder &b, int count, quint16 firstTag)
{
    QList<TiffField> fields;
    for (int k = 0; k < count; ++k)
        fields.append(b.numbers(quint16(firstTag + k), 3, {quint32(k + 1)}));
    return fields;
}

// Loads photos from a temporary folder, whole and in pieces of 8 and 13 bytes, which
// must make no difference to anything; log lines come back with "TS" for their time.
class ExifFile : public ::testing::Test
{
protected:
    void SetUp() override { kesto::SetLogPath(m_dir.file(QStringLiteral("Kesto.LOG"))); }
    void TearDown() override { kesto::SetLogPath(QString()); }

    QString load(ExifReader &reader, const QByteArray &bytes)
    {
        return loadPath(reader, m_dir.write(QStringLiteral("photo.jpg"), bytes));
    }

    QString loadPath(ExifReader &reader, const QString &path)
    {
        const auto read = [&](ExifReader &r) {
            kesto::DeleteLog();
            r.Load(path);
            QString text = r.Loaded() ? QStringLiteral("loaded\n") : QStringLiteral("not loaded\n");
            for (const kesto::ExifEntry &e : r.Entries())
                text += QString::asprintf("%d %d %d %d ", e.TagNumber, e.DataType, e.Count,
                                          e.ValueOffset) +
                        kesto::ExifValueText(e.Value) + u'\n';
            return text + log().join(u'\n');
        };
        ExifReader eight(8), thirteen(13);
        const QString inEights = read(eight), inThirteens = read(thirteen);
        EXPECT_EQ(read(reader), inEights);
        EXPECT_EQ(inThirteens, inEights);
        return path;
    }

    QStringList log() const
    {
        static const QRegularExpression stamp(
            QStringLiteral("^\\d\\d\\.\\d\\d\\.\\d{4} \\d\\d:\\d\\d:\\d\\d(?= )"));
        QStringList lines = QString::fromUtf8(m_dir.read(QStringLiteral("Kesto.LOG")))
                                .split(QStringLiteral("\r\n"));
        EXPECT_EQ(lines.takeLast(), QString()); // every line ends with CR LF
        for (QString &line : lines)
            line.replace(stamp, QStringLiteral("TS"));
        return lines;
    }

    TempFolder m_dir;
};

TEST_F(ExifFile, DecodesEveryRowOfTheValueTableInBothByteOrders)
{
    for (ByteOrder order : {II, MM}) {
        const TiffBuilder b{order};
        const struct
        {
            TiffField field;
            QVariant intel;
            QVariant motorola = intel;
        } rows[] = {
            {b.bytes(700, 1, "\x2A"), "0000002A", "2A000000"},
            {b.bytes(700, 1, "\x01\x02\xAB\x04"), "04AB0201", "0102AB04"},
            {b.bytes(700, 1, ""), "00000000"},
            {b.bytes(700, 6, "\xFF\x01"), "000001FF", "FF010000"},
            {b.bytes(700, 1, QByteArray("\0\xFF\x0A\x07\x64", 5)), "0255107100"},
            {b.ascii(700, "ABC"), u"\0CBA"_s, u"ABC\0"_s},
            {b.ascii(700, "", false), u"\0\0\0\0"_s},
            {b.ascii(700, SampleDate), SampleDateValue},
            {b.ascii(700, SampleDate, false), SampleDateValue}, // the last byte is no zero: kept
            {b.ascii(700, QByteArray("abcd\0", 5)), u"abcd\0"_s},
            {b.ascii(700, "Caf\xE9 \x80\x81\x9F"), u"Café €\u0081Ÿ"_s},
            {b.bytes(700, 7, "0230"), "0320", "0230"},
            {b.bytes(700, 7, "ABCDEF"), "ABCDE"},
            {b.numbers(700, 3, {300}), 300},
            {b.numbers(700, 3, {10, 20}), 30},
            {b.raw(700, 3, 0, 0x50004), 9},
            {b.numbers(700, 8, {0xFFFF, 0xFFFF}), 131070},
            {b.numbers(700, 3, {0x700, 1, 0}), "071", "007"},
            {b.numbers(700, 4, {70000}), 70000},
            {b.raw(700, 4, 0, 5), 5},
            {b.numbers(700, 9, {0x7FFFFFFF}), 2147483647},
            {b.numbers(700, 4, {1, 2}), "10", "00"},
            {b.numbers(700, 5, {1, 125}), "1/125"},
            {b.numbers(700, 10, {7, 3, 9, 1}), "7/3"},
            {b.raw(700, 11, 1, 0x3F800000), QVariant()},
            {b.raw(700, 12, 1, 8), QVariant()},
            {b.raw(700, 0, 9, 0xFFFFFFFF), QVariant()}};
        for (const auto &row : rows) {
            SCOPED_TRACE(::testing::Message()
                         << "row " << &row - rows << (order == II ? " II" : " MM"));
            ExifReader reader;
            load(reader, jpegFile({exifSegment(b.build({{{row.field}}}))}));
            const QVariant &expected = order == II ? row.intel : row.motorola;
            EXPECT_EQ(reader.Tag(700).typeId(), expected.typeId());
            EXPECT_EQ(reader.Tag(700), expected);
            const QList<kesto::ExifEntry> e = reader.Entries();
            ASSERT_EQ(e.size(), 1);
            // An outside value lies right after the directory of one entry.
            const int outside = row.field.data.size() > 4 ? 26 : 0;
            EXPECT_EQ(QList<int>({e[0].TagNumber, e[0].DataType, e[0].Count, e[0].ValueOffset}),
                      QList<int>({700, row.field.type, int(row.field.count), outside}));
        }
    }
}

TEST_F(ExifFile, LogsTheLoadAndGivesTheFirstEntryOfATagOrWithoutOneTheCount)
{
    const TiffBuilder b{MM};
    const QByteArray photo =
        jpegFile({exifSegment(b.build({{{b.ascii(Date, "IFD0 date"), b.exifPointer()}}},
                                      TiffDirectory{{b.ascii(Date, SampleDate)}}))});
    ExifReader reader;
    const QString path = load(reader, photo);
    EXPECT_EQ(reader.Tag(), QVariant(3));
    EXPECT_EQ(reader.Tag(0), QVariant(3));
    EXPECT_EQ(reader.Tag(Date), QVariant(QStringLiteral("IFD0 date")));
    EXPECT_EQ(reader.Tag(12345), QVariant());
    EXPECT_EQ(reader.MakerNoteTag(Date), QVariant());
    EXPECT_EQ(log(),
              QStringList({QStringLiteral("TS Exif Load: %1  True").arg(path),
                           QStringLiteral("TS Exif Load: GetDirectoryEntries 12 8"),
                           QStringLiteral("GetDirectoryEntries: Size %1").arg(photo.size() - 1),
                           QStringLiteral("TS Exif GetDirectoryEntries:  2 3")}));
}

TEST_F(ExifFile, WalksTheChainThenOnceTheExifDirectoryAndStopsAtTheFirstFault)
{
    const char *Fit = "Number does not fit 6", *Outside = "Index outside the file 9",
               *Twice = "Directory visited twice 9";
    for (ByteOrder order : {II, MM}) {
        const TiffBuilder b{order};
        // IFD0 (tags 256, 257) at 8, IFD1 (three entries) at 38, an Exif directory.
        const QList<TiffField> ifd0 = numbered(b, 2, 256), ifd1 = numbered(b, 3, 512);
        const TiffDirectory exif{{b.ascii(Date, SampleDate)}};
        const TiffField first = ifd0.first();
        // IFD0 (tag 256, the Exif pointer), an Exif directory of \a field and tag 2.
        const auto exifWith = [&](const TiffField &field) {
            return b.build({{{first, b.exifPointer()}}},
                           TiffDirectory{{field, b.numbers(2, 3, {1})}});
        };
        const struct
        {
            QByteArray tiff;
            int entries;
            const char *trace, *error;
        } rows[] = {
            {b.build({{ifd0}}, exif), 2, " 2", nullptr},
            // Only a first "I" means Intel.
            {b.build({{ifd0}}).replace(0, 2, order == II ? "IM" : "XY"), 2, " 2", nullptr},
            {b.build({{ifd0}, {}, {ifd1}}), 5, " 2 2 5", nullptr},
            {b.build({{{first, b.exifPointer()}}, {ifd1}}, exif), 6, " 2 5 6", nullptr},
            // The Exif pointer as decimal text ("00044", after its outside bytes) and as no number.
            {b.build({{{first, b.bytes(34665, 1, QByteArray("\0\0\0\4\4", 5))}}}, exif), 3, " 2 3",
             nullptr},
            {b.build({{{first, b.raw(34665, 13, 1, 38)}}}, exif), 2, " 2", nullptr},
            {exifWith(b.numbers(1, 4, {0x80000000})), 4, " 2 4", Fit},
            {exifWith(b.raw(1, 1, 0x80000000, 0)), 4, " 2 4", Fit},  // count 2^31
            {exifWith(b.raw(1, 3, 0x40000000, 0)), 4, " 2 4", Fit},  // twice the count
            {exifWith(b.raw(1, 9, 0x20000000, 0)), 4, " 2 4", Fit},  // four times the count
            {exifWith(b.raw(1, 10, 1, 0x7FFFFFFF)), 4, " 2 4", Fit}, // outside start
            {exifWith(b.raw(1, 1, 5, 0xFFFF)), 4, " 2 4", Outside},
            {exifWith(b.raw(1, 5, 1, 0xFFFF)), 4, " 2 4", Outside},
            {exifWith(b.raw(1, 2, 4000, 8)), 4, " 2 4", Outside},
            {b.build({{ifd0}, {{b.numbers(34665, 4, {0xFFFF})}}}), 3, " 2 3", Outside},
            {b.build({{ifd0, 0x7FFFFFFF}}), 2, " 2", Fit}, // a link past 2^31
            {b.build({{ifd0}}).replace(8, 2, b.u16(100)), 100, " 100", Outside},
            {b.build({}).replace(4, 4, b.u32(0xFF)), 0, "", Outside}, // IFD0 past the end
            {b.build({{ifd0}, {{b.ascii(34665, "abc")}}}), 3, " 2 3", "Value is not a number 13"},
            {b.build({{ifd0, 8}}), 2, " 2", Twice},
            {b.build({{ifd0}, {ifd1, 8}}), 5, " 2 5", Twice},
            {b.build({{ifd0}, {ifd1, 38}}), 5, " 2 5", Twice},
            {b.build({{ifd0}, {ifd1, 20}}), 5, " 2 5", Twice}, // into the middle of IFD0
            {b.build({{ifd0}, {{b.numbers(34665, 4, {8})}}}), 3, " 2 3", Twice}};
        for (const auto &row : rows) {
            SCOPED_TRACE(::testing::Message()
                         << "row " << &row - rows << (order == II ? " II" : " MM"));
            ExifReader reader;
            load(reader, jpegFile({exifSegment(row.tiff)}));
            EXPECT_TRUE(reader.Loaded());
            EXPECT_EQ(reader.Tag(), QVariant(row.entries));
            EXPECT_EQ(reader.Tag(256), row.entries ? QVariant(1) : QVariant());
            // A failing entry gives no value and the entries after it stay blank.
            EXPECT_EQ(reader.Tag(1), QVariant());
            EXPECT_EQ(reader.Tag(2), QVariant());
            QStringList lines = {QStringLiteral("TS Exif GetDirectoryEntries: ") +
                                 QLatin1String(row.trace)};
            if (row.error)
                lines << QStringLiteral("TS GetDirectoryEntries: Error during evaluation: ") +
                             QLatin1String(row.error);
            EXPECT_EQ(log().mid(3), lines);
        }
    }
}

TEST_F(ExifFile, WithoutAnExifBlockTheReaderStaysEmptyWithOneLogLine)
{
    const QByteArray app1("\xFF\xD8\xFF\xE1\0\x10", 6), tiff = TiffBuilder{II}.build({});
    const QByteArray files[] = {{},
                                "\xFF",
                                QByteArray("\xFF\xD8", 2),
                                "GIF89a" + exifSegment(tiff),
                                jpegFile({jpegSegment(0xE0, "JFIF"), jpegSegment(0xE1, "<x/>")}),
                                app1 + "Exi",
                                jpegFile({jpegSegment(0xE1, "EXIF\0\0" + tiff)}),
                                app1 + QByteArray("Exif\0", 5),
                                app1 + QByteArray("Exif\0\0MM\0*\0\0", 12),
                                app1 + QByteArray("Exif\0\0MM\0*\x80\0\0\x08\0\0", 16),
                                app1 + QByteArray("Exif\0\0MM\0*\x7F\xFF\xFF\xFF\0\0", 16),
                                jpegFile({}, ImageData)};
    QStringList paths = {m_dir.file(QStringLiteral("missing.jpg")),
                         m_dir.mkdir(QStringLiteral("folder.jpg")), QString()};
    for (const QByteArray &bytes : files)
        paths << m_dir.write(QStringLiteral("%1.jpg").arg(paths.size()), bytes);
    for (const QString &path : paths) {
        ExifReader reader;
        loadPath(reader, path);
        EXPECT_FALSE(reader.Loaded()) << path.toStdString();
        EXPECT_EQ(reader.Tag(), QVariant());
        EXPECT_EQ(reader.Tag(Date), QVariant());
        EXPECT_TRUE(reader.Entries().isEmpty());
        EXPECT_EQ(log(), QStringList{QStringLiteral("TS Exif Load: %1  False").arg(path)});
    }
}

TEST_F(ExifFile, FindsTheFirstApp1BlockThatIsExifWhereverItLies)
{
    for (ByteOrder order : {II, MM}) {
        const TiffBuilder b{order};
        const QByteArray exif = exifSegment(b.build({{{b.ascii(Date, SampleDate)}}}));
        const QByteArray profile = jpegSegment(0xE2, QByteArray("\xFF\xE1\x01").repeated(20000));
        const QByteArray large = exifSegment(
            b.build({{{b.bytes(700, 1, QByteArray(70000, 7)), b.ascii(Date, SampleDate)}}}));
        QList<QByteArray> photos = {
            jpegFile({jpegSegment(0xE1, "http://ns.adobe.com/xap/1.0/ <x>\xFF\xE1</x>"), exif}),
            jpegFile({jpegSegment(0xE2, "ICC_PROFILE \xFF\xE1xy\xFF\xE1"), exif}),
            jpegFile({profile, profile, exif}), // beyond the first 64 KiB
            jpegFile({large}),                  // with values beyond the first 64 KiB
            jpegFile({}, ImageData + exif)};    // found only by a scan to the end
        // A JFIF block of growing length moves the pair, after a lone 0xFF, across
        // the ends of 8- and 13-byte pieces.
        for (int filler = 0; filler < 13; ++filler)
            photos << jpegFile({jpegSegment(0xE0, QByteArray(filler, 'j') + "\xFF"), exif});
        for (const QByteArray &photo : photos) {
            ExifReader reader;
            load(reader, photo);
            EXPECT_EQ(reader.Tag(Date), SampleDateValue) << photos.indexOf(photo);
            EXPECT_EQ(log().value(1), QStringLiteral("TS Exif Load: GetDirectoryEntries %1 8")
                                          .arg(photo.indexOf("Exif") + 6));
        }
    }
}

} // namespace
