#include "metadata/exifreader.h"

#include "samplephotos.h"
#include "storage/applog.h"
#include "support/photobuilder.h"
#include "support/tempfiles.h"
#include "variantprinter.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

#include <functional>

using kesto::ExifEntry;
using kesto::ExifReader;
using namespace kesto::test;

namespace {

constexpr quint16 DateTimeOriginal = 36867;
const QByteArray SampleDate = "2005:07:14 13:45:12";

QString text(const char16_t *s, qsizetype size)
{
    return QStringView(s, size).toString();
}

// A fresh temporary folder and log for every test; log lines come back with
// their leading date and time replaced by "TS".
class ExifFile : public ::testing::Test
{
protected:
    void SetUp() override { kesto::SetLogPath(m_dir.file(QStringLiteral("Kesto.LOG"))); }
    void TearDown() override { kesto::SetLogPath(QString()); }

    QString write(const QByteArray &bytes, const QString &name = QStringLiteral("photo.jpg"))
    {
        return m_dir.write(name, bytes);
    }

    QString load(ExifReader &reader, const QByteArray &bytes)
    {
        const QString path = write(bytes);
        kesto::DeleteLog();
        reader.Load(path);
        return path;
    }

    // Line \a k of the log, or a note that there is none.
    QString logLine(qsizetype k) const
    {
        const QStringList lines = log();
        return k < lines.size() ? lines[k] : QStringLiteral("(no line %1)").arg(k);
    }

    QStringList log() const
    {
        const QString all = QString::fromUtf8(m_dir.read(QStringLiteral("Kesto.LOG")));
        EXPECT_TRUE(all.isEmpty() || all.endsWith(QStringLiteral("\r\n")));
        QStringList lines = all.split(QStringLiteral("\r\n"));
        lines.removeLast();
        static const QRegularExpression stamp(
            QStringLiteral("^\\d\\d\\.\\d\\d\\.\\d{4} \\d\\d:\\d\\d:\\d\\d(?= )"));
        for (QString &line : lines)
            line.replace(stamp, QStringLiteral("TS"));
        return lines;
    }

    TempFolder m_dir;
};

// ---- the value table ------------------------------------------------------

struct ValueCase
{
    const char *label;
    ByteOrder order;
    std::function<TiffField(const TiffBuilder &)> field;
    QVariant value;
    int valueOffset; // 26 = right after a directory of one entry
};

void PrintTo(const ValueCase &c, std::ostream *os)
{
    *os << c.label;
}

class ValueTable
    : public ExifFile
    , public ::testing::WithParamInterface<ValueCase>
{};

TEST_P(ValueTable, DecodesTheEntryAsTheTableSays)
{
    const ValueCase &c = GetParam();
    const TiffBuilder b(c.order);
    TiffField field = c.field(b);
    field.tag = 700;
    ExifReader reader;
    load(reader, jpegFile({exifSegment(b.build({TiffDirectory{{field}}}).bytes)}));
    ASSERT_TRUE(reader.Loaded());
    EXPECT_EQ(reader.Tag(), QVariant(1));
    const QVariant value = reader.Tag(700);
    EXPECT_EQ(value.typeId(), c.value.typeId());
    EXPECT_EQ(value, c.value);
    const QList<ExifEntry> entries = reader.Entries();
    ASSERT_EQ(entries.size(), 1);
    EXPECT_EQ(entries[0].TagNumber, 700);
    EXPECT_EQ(entries[0].DataType, field.type);
    EXPECT_EQ(entries[0].Count, int(field.count));
    EXPECT_EQ(entries[0].ValueOffset, c.valueOffset);
    EXPECT_FALSE(entries[0].IsMakerNote);
}

constexpr ByteOrder II = ByteOrder::Intel;
constexpr ByteOrder MM = ByteOrder::Motorola;

INSTANTIATE_TEST_SUITE_P(
    Rows, ValueTable,
    ::testing::Values(
        ValueCase{"ByteSingleIntel", II, [](auto &b) { return b.bytes(0, 1, "\x2A"); },
                  QStringLiteral("0000002A"), 0},
        ValueCase{"ByteSingleMotorola", MM, [](auto &b) { return b.bytes(0, 1, "\x2A"); },
                  QStringLiteral("2A000000"), 0},
        ValueCase{"ByteFourIntel", II, [](auto &b) { return b.bytes(0, 1, "\x01\x02\xAB\x04"); },
                  QStringLiteral("04AB0201"), 0},
        ValueCase{"ByteFourMotorola", MM, [](auto &b) { return b.bytes(0, 1, "\x01\x02\xAB\x04"); },
                  QStringLiteral("0102AB04"), 0},
        ValueCase{"ByteNone", II, [](auto &b) { return b.bytes(0, 1, ""); },
                  QStringLiteral("00000000"), 0},
        ValueCase{"SignedByteIntel", II, [](auto &b) { return b.bytes(0, 6, "\xFF\x01"); },
                  QStringLiteral("000001FF"), 0},
        ValueCase{"ByteOutsideIntel", II,
                  [](auto &b) { return b.bytes(0, 1, QByteArray("\x01\x02\x03\x04\x05", 5)); },
                  QStringLiteral("12345"), 26},
        ValueCase{"ByteOutsideMotorola", MM,
                  [](auto &b) { return b.bytes(0, 1, QByteArray("\0\xFF\x0A\x07\x64", 5)); },
                  QStringLiteral("0255107100"), 26},
        ValueCase{"SignedByteOutside", II,
                  [](auto &b) { return b.bytes(0, 6, QByteArray("\x80\x81\x82\x83\x84", 5)); },
                  QStringLiteral("128129130131132"), 26},
        ValueCase{"AsciiShortMotorola", MM, [](auto &b) { return b.ascii(0, "N"); },
                  text(u"N\0\0\0", 4), 0},
        ValueCase{"AsciiShortIntel", II, [](auto &b) { return b.ascii(0, "N"); },
                  text(u"\0\0\0N", 4), 0},
        ValueCase{"AsciiFourIntel", II, [](auto &b) { return b.ascii(0, "ABC"); },
                  text(u"\0CBA", 4), 0},
        ValueCase{"AsciiNoneIntel", II, [](auto &b) { return b.ascii(0, "", false); },
                  text(u"\0\0\0\0", 4), 0},
        ValueCase{"AsciiOutsideDropsTheTerminatingZero", MM,
                  [](auto &b) { return b.ascii(0, SampleDate); }, QString::fromLatin1(SampleDate),
                  26},
        ValueCase{"AsciiOutsideKeepsALastByteThatIsNoZero", II,
                  [](auto &b) { return b.ascii(0, SampleDate, false); },
                  QString::fromLatin1(SampleDate), 26},
        ValueCase{"AsciiOutsideDropsOnlyOneZero", II,
                  [](auto &b) { return b.ascii(0, QByteArray("abcd\0", 5)); }, text(u"abcd\0", 5),
                  26},
        ValueCase{"AsciiBytesAreWindows1252", II,
                  [](auto &b) { return b.ascii(0, "Caf\xE9 \x80\x81\x9F"); },
                  QStringLiteral(u"Café €\u0081Ÿ"), 26},
        ValueCase{"UndefinedFourIntel", II, [](auto &b) { return b.bytes(0, 7, "0230"); },
                  QStringLiteral("0320"), 0},
        ValueCase{"UndefinedFourMotorola", MM, [](auto &b) { return b.bytes(0, 7, "0230"); },
                  QStringLiteral("0230"), 0},
        ValueCase{"UndefinedOutsideAlwaysLosesItsLastByte", MM,
                  [](auto &b) { return b.bytes(0, 7, "ABCDEF"); }, QStringLiteral("ABCDE"), 26},
        ValueCase{"ShortOne", II, [](auto &b) { return b.shorts(0, {300}); }, QVariant(300), 0},
        ValueCase{"ShortOneMotorola", MM, [](auto &b) { return b.shorts(0, {300}); }, QVariant(300),
                  0},
        ValueCase{"ShortTwoAreAdded", MM, [](auto &b) { return b.shorts(0, {10, 20}); },
                  QVariant(30), 0},
        ValueCase{"ShortNone", II, [](auto &b) { return b.raw(0, 3, 0, 0x00050004); }, QVariant(9),
                  0},
        ValueCase{"SignedShortIsReadUnsigned", II,
                  [](auto &b) { return b.shorts(0, {0xFFFF, 0xFFFF}, 8); }, QVariant(131070), 0},
        ValueCase{
            "ShortThreeIntelTakesCountBytes", II,
            [](auto &) { return TiffField{0, 3, 3, QByteArray("\0\x07\x01\0\0\0", 6), {}, false}; },
            QStringLiteral("071"), 26},
        ValueCase{
            "ShortThreeMotorolaTakesThemBackwards", MM,
            [](auto &) { return TiffField{0, 3, 3, QByteArray("\0\x07\x01\0\0\0", 6), {}, false}; },
            QStringLiteral("170"), 26},
        ValueCase{"LongOne", II, [](auto &b) { return b.longs(0, {70000}); }, QVariant(70000), 0},
        ValueCase{"LongOneMotorola", MM, [](auto &b) { return b.longs(0, {70000}); },
                  QVariant(70000), 0},
        ValueCase{"LongNoneIsTheField", MM, [](auto &b) { return b.raw(0, 4, 0, 5); }, QVariant(5),
                  0},
        ValueCase{"SignedLongLargest", II, [](auto &b) { return b.longs(0, {0x7FFFFFFF}, 9); },
                  QVariant(2147483647), 0},
        ValueCase{"LongTwoIntelTakesCountBytes", II, [](auto &b) { return b.longs(0, {1, 2}); },
                  QStringLiteral("10"), 26},
        ValueCase{"LongTwoMotorolaTakesCountBytes", MM, [](auto &b) { return b.longs(0, {1, 2}); },
                  QStringLiteral("00"), 26},
        ValueCase{"Rational", II, [](auto &b) { return b.rationals(0, {1, 125}); },
                  QStringLiteral("1/125"), 26},
        ValueCase{"RationalOnlyTheFirst", MM,
                  [](auto &b) { return b.rationals(0, {72, 1, 300, 1}); }, QStringLiteral("72/1"),
                  26},
        ValueCase{"SignedRational", MM, [](auto &b) { return b.rationals(0, {7, 3}, 10); },
                  QStringLiteral("7/3"), 26},
        ValueCase{"FloatIsEmpty", II, [](auto &b) { return b.raw(0, 11, 1, 0x3F800000); },
                  QVariant(), 0},
        ValueCase{"DoubleIsEmpty", II, [](auto &b) { return b.raw(0, 12, 1, 8); }, QVariant(), 0},
        ValueCase{"TypeThirteenIsEmpty", MM, [](auto &b) { return b.raw(0, 13, 1, 8); }, QVariant(),
                  0},
        ValueCase{"TypeZeroIsEmpty", MM, [](auto &b) { return b.raw(0, 0, 9, 0xFFFFFFFF); },
                  QVariant(), 0}),
    [](const ::testing::TestParamInfo<ValueCase> &info) { return std::string(info.param.label); });

// ---- the walk -------------------------------------------------------------

QList<TiffField> numbered(const TiffBuilder &b, int count, quint16 firstTag)
{
    QList<TiffField> fields;
    for (int k = 0; k < count; ++k)
        fields.append(b.shorts(quint16(firstTag + k), {quint16(k)}));
    return fields;
}

TEST_F(ExifFile, CountsTheEntriesOfAllThreeDirectoriesAndTracesTheWalk)
{
    const TiffBuilder b(MM);
    QList<TiffField> ifd0 = numbered(b, 9, 256);
    ifd0.append(b.exifPointer());
    QList<TiffField> exif = numbered(b, 29, 33000);
    exif.append(b.ascii(DateTimeOriginal, SampleDate));
    const QByteArray photo =
        jpegFile({exifSegment(b.build({ifd0, numbered(b, 6, 500)}, TiffDirectory(exif)).bytes)});

    ExifReader reader;
    const QString path = load(reader, photo);
    ASSERT_TRUE(reader.Loaded());
    EXPECT_EQ(reader.Tag(), QVariant(46));
    EXPECT_EQ(reader.Tag(0), QVariant(46));
    EXPECT_EQ(reader.Tag(DateTimeOriginal), QVariant(QString::fromLatin1(SampleDate)));
    EXPECT_EQ(reader.Tag(505), QVariant(5));
    EXPECT_EQ(reader.Tag(12345), QVariant());
    EXPECT_EQ(log(),
              QStringList({QStringLiteral("TS Exif Load: ") + path + QStringLiteral("  True"),
                           QStringLiteral("TS Exif Load: GetDirectoryEntries 12 8"),
                           QStringLiteral("GetDirectoryEntries: Size %1").arg(photo.size() - 1),
                           QStringLiteral("TS Exif GetDirectoryEntries:  10 16 46")}));
}

TEST_F(ExifFile, ReadsBothByteOrdersAndTakesEveryOtherMarkAsMotorola)
{
    for (ByteOrder order : {II, MM}) {
        ExifReader reader;
        load(reader, cameraPhoto(order, SampleDate));
        EXPECT_TRUE(reader.Loaded());
        EXPECT_EQ(reader.Tag(DateTimeOriginal), QVariant(QString::fromLatin1(SampleDate)));
        EXPECT_EQ(reader.Tag(274), QVariant(1));
        EXPECT_EQ(reader.Tag(282), QVariant(QStringLiteral("72/1")));
    }
    const TiffBuilder b(MM);
    QByteArray tiff = b.build({TiffDirectory{{b.shorts(274, {3})}}}).bytes;
    tiff[0] = 'X';
    tiff[1] = 'Y';
    ExifReader reader;
    load(reader, jpegFile({exifSegment(tiff)}));
    EXPECT_EQ(reader.Tag(274), QVariant(3));
    // Only the first byte counts: "IM" is still Intel.
    const TiffBuilder intel(II);
    tiff = intel.build({TiffDirectory{{intel.shorts(274, {3})}}}).bytes;
    tiff[1] = 'M';
    load(reader, jpegFile({exifSegment(tiff)}));
    EXPECT_EQ(reader.Tag(274), QVariant(3));
}

TEST_F(ExifFile, AnEarlierDirectoryHidesTheSameTagInALaterOne)
{
    const TiffBuilder b(II);
    const QByteArray photo = jpegFile({exifSegment(
        b.build({TiffDirectory{{b.ascii(DateTimeOriginal, "IFD0 date"), b.exifPointer()}}},
                TiffDirectory{{b.ascii(DateTimeOriginal, SampleDate)}})
            .bytes)});
    ExifReader reader;
    load(reader, photo);
    EXPECT_EQ(reader.Tag(), QVariant(3));
    EXPECT_EQ(reader.Tag(DateTimeOriginal), QVariant(QStringLiteral("IFD0 date")));
}

TEST_F(ExifFile, AnEmptyDirectoryRepeatsTheCountAndItsLinkIsFollowed)
{
    const TiffBuilder b(II);
    const TiffDirectory ifd0{{b.ascii(271, "KestoCam"), b.exifPointer()}};
    const TiffDirectory ifd2{{b.shorts(259, {6})}};
    const TiffDirectory exif{{b.ascii(DateTimeOriginal, SampleDate)}};
    ExifReader reader;
    load(reader, jpegFile({exifSegment(b.build({ifd0, TiffDirectory{}, ifd2}, exif).bytes)}));
    EXPECT_EQ(reader.Tag(), QVariant(4));
    EXPECT_EQ(reader.Tag(259), QVariant(6));
    EXPECT_EQ(log().value(log().size() - 1),
              QStringLiteral("TS Exif GetDirectoryEntries:  2 2 3 4"));
}

TEST_F(ExifFile, WithoutExifPointerAndLinkTheWalkEndsAfterIfd0)
{
    const TiffBuilder b(MM);
    ExifReader reader;
    load(reader, jpegFile({exifSegment(b.build({numbered(b, 3, 256)}).bytes)}));
    EXPECT_EQ(reader.Tag(), QVariant(3));
    EXPECT_EQ(log().value(log().size() - 1), QStringLiteral("TS Exif GetDirectoryEntries:  3"));
}

TEST_F(ExifFile, AnExifPointerWithoutNumberTypeCountsAsZero)
{
    const TiffBuilder b(MM);
    const TiffBlock probe = b.build({TiffDirectory{{b.ascii(271, "KestoCam"), b.exifPointer()}}},
                                    TiffDirectory{{b.ascii(DateTimeOriginal, SampleDate)}});
    const TiffBlock block =
        b.build({TiffDirectory{{b.ascii(271, "KestoCam"), b.raw(34665, 13, 1, probe.exifOffset)}}},
                TiffDirectory{{b.ascii(DateTimeOriginal, SampleDate)}});
    ExifReader reader;
    load(reader, jpegFile({exifSegment(block.bytes)}));
    EXPECT_EQ(reader.Tag(), QVariant(2));
    EXPECT_EQ(reader.Tag(34665), QVariant());
    EXPECT_EQ(reader.Tag(DateTimeOriginal), QVariant());
    EXPECT_EQ(log().value(log().size() - 1), QStringLiteral("TS Exif GetDirectoryEntries:  2"));
}

TEST_F(ExifFile, MakerNoteEntriesAreReadButNeverMarked)
{
    ExifReader reader;
    load(reader, samplePhotos()[3].bytes); // maker_note_ii.jpg
    ASSERT_TRUE(reader.Loaded());
    EXPECT_TRUE(reader.Tag(37500).isValid());
    EXPECT_EQ(reader.MakerNoteTag(37500), QVariant());
    EXPECT_EQ(reader.MakerNoteTag(), QVariant());
}

// ---- failures during the walk ---------------------------------------------

TEST_F(ExifFile, ANumberTooLargeEndsTheWalkWithCode6AndKeepsWhatCameBefore)
{
    const TiffBuilder b(MM);
    const TiffDirectory ifd0{{b.ascii(271, "KestoCam"), b.exifPointer()}};
    const TiffDirectory ifd1{{b.shorts(259, {6})}};
    const TiffDirectory exif{{b.ascii(DateTimeOriginal, SampleDate), b.longs(37000, {0x80000000}),
                              b.shorts(37001, {1})}};
    ExifReader reader;
    load(reader, jpegFile({exifSegment(b.build({ifd0, ifd1}, exif).bytes)}));
    EXPECT_TRUE(reader.Loaded());
    EXPECT_EQ(reader.Tag(), QVariant(6));
    EXPECT_EQ(reader.Tag(DateTimeOriginal), QVariant(QString::fromLatin1(SampleDate)));
    EXPECT_EQ(reader.Tag(37001), QVariant());
    const QList<ExifEntry> entries = reader.Entries();
    EXPECT_EQ(entries[4].TagNumber, 37000);
    EXPECT_EQ(entries[4].DataType, 4);
    EXPECT_EQ(entries[4].Value, QVariant());
    EXPECT_EQ(entries[5].TagNumber, 0);
    EXPECT_EQ(entries[5].Value, QVariant());
    const QStringList lines = log();
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[3], QStringLiteral("TS Exif GetDirectoryEntries:  2 3 6"));
    EXPECT_EQ(
        lines[4],
        QStringLiteral("TS GetDirectoryEntries: Error during evaluation: Number does not fit 6"));
}

struct FailureCase
{
    const char *label;
    std::function<TiffDirectory(const TiffBuilder &)> exif;
    int entries; // Tag() afterwards
    QString trace;
    QString error;
};

void PrintTo(const FailureCase &c, std::ostream *os)
{
    *os << c.label;
}

class WalkFailure
    : public ExifFile
    , public ::testing::WithParamInterface<FailureCase>
{};

TEST_P(WalkFailure, EndsTheWalkWithTwoLogLinesAndKeepsTheEntriesBeforeIt)
{
    const FailureCase &c = GetParam();
    for (ByteOrder order : {II, MM}) {
        const TiffBuilder b(order);
        const TiffDirectory ifd0{{b.ascii(271, "KestoCam"), b.exifPointer()}};
        TiffDirectory exif = c.exif(b);
        exif.fields.prepend(b.ascii(DateTimeOriginal, SampleDate));
        ExifReader reader;
        load(reader, jpegFile({exifSegment(b.build({ifd0}, exif).bytes)}));
        EXPECT_TRUE(reader.Loaded());
        EXPECT_EQ(reader.Tag(), QVariant(c.entries));
        EXPECT_EQ(reader.Tag(271), QVariant(QStringLiteral("KestoCam")));
        EXPECT_EQ(reader.Tag(DateTimeOriginal), QVariant(QString::fromLatin1(SampleDate)));
        const QStringList lines = log();
        ASSERT_EQ(lines.size(), 5);
        EXPECT_EQ(lines[3], QStringLiteral("TS Exif GetDirectoryEntries: ") + c.trace);
        EXPECT_EQ(lines[4],
                  QStringLiteral("TS GetDirectoryEntries: Error during evaluation: ") + c.error);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Codes, WalkFailure,
    ::testing::Values(
        FailureCase{"NegativeSignedRational",
                    [](auto &b) {
                        return TiffDirectory{{b.rationals(37380, {0xFFFFFFFF, 3}, 10)}};
                    },
                    4, " 2 4", "Number does not fit 6"},
        FailureCase{"CountOf2To31",
                    [](auto &b) { return TiffDirectory{{b.raw(1, 1, 0x80000000, 0)}}; }, 4, " 2 4",
                    "Number does not fit 6"},
        FailureCase{"TwiceTheShortCountDoesNotFit",
                    [](auto &b) { return TiffDirectory{{b.raw(1, 3, 0x40000000, 0)}}; }, 4, " 2 4",
                    "Number does not fit 6"},
        FailureCase{"FourTimesTheLongCountDoesNotFit",
                    [](auto &b) { return TiffDirectory{{b.raw(1, 9, 0x20000000, 0)}}; }, 4, " 2 4",
                    "Number does not fit 6"},
        FailureCase{"OutsideValuePastTheEnd",
                    [](auto &b) {
                        return TiffDirectory{{b.raw(1, 1, 5, 0xFFFF), b.shorts(2, {1})}};
                    },
                    5, " 2 5", "Index outside the file 9"},
        FailureCase{"RationalPastTheEnd",
                    [](auto &b) { return TiffDirectory{{b.raw(1, 5, 1, 0xFFFF)}}; }, 4, " 2 4",
                    "Index outside the file 9"},
        FailureCase{"OutsideStartBeyond2To31",
                    [](auto &b) { return TiffDirectory{{b.raw(1, 10, 1, 0x7FFFFFFF)}}; }, 4, " 2 4",
                    "Number does not fit 6"},
        FailureCase{"AsciiRunPastTheEnd",
                    [](auto &b) { return TiffDirectory{{b.raw(1, 2, 4000, 8)}}; }, 4, " 2 4",
                    "Index outside the file 9"}),
    [](const ::testing::TestParamInfo<FailureCase> &info) {
        return std::string(info.param.label);
    });

TEST_F(ExifFile, AFailedEntryKeepsTheFieldsReadBeforeTheFailure)
{
    const TiffBuilder b(II);
    ExifReader reader;
    load(reader,
         jpegFile({exifSegment(
             b.build({TiffDirectory{{b.raw(700, 1, 5, 0xFFFF), b.shorts(701, {1})}}}).bytes)}));
    const QList<ExifEntry> entries = reader.Entries();
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[0].TagNumber, 700);
    EXPECT_EQ(entries[0].DataType, 1);
    EXPECT_EQ(entries[0].Count, 5);
    EXPECT_EQ(entries[0].ValueOffset, 0xFFFF);
    EXPECT_EQ(entries[0].Value, QVariant());
    EXPECT_EQ(entries[1].TagNumber, 0);
}

TEST_F(ExifFile, AnExifPointerPastTheEndFailsAfterIfd0AndIfd1)
{
    const TiffBuilder b(MM);
    const TiffDirectory ifd0{{b.ascii(271, "KestoCam"), b.longs(34665, {0xFFFF})}};
    const TiffDirectory ifd1{{b.shorts(259, {6})}};
    ExifReader reader;
    load(reader, jpegFile({exifSegment(b.build({ifd0, ifd1}).bytes)}));
    EXPECT_EQ(reader.Tag(), QVariant(3));
    EXPECT_EQ(reader.Tag(271), QVariant(QStringLiteral("KestoCam")));
    EXPECT_EQ(reader.Tag(259), QVariant(6));
    EXPECT_EQ(reader.Tag(34665), QVariant(0xFFFF));
    const QStringList lines = log();
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[3], QStringLiteral("TS Exif GetDirectoryEntries:  2 3"));
    EXPECT_EQ(lines[4],
              QStringLiteral(
                  "TS GetDirectoryEntries: Error during evaluation: Index outside the file 9"));
}

TEST_F(ExifFile, ADirectoryLongerThanTheFileGrowsTheEntriesAndFailsAtTheEnd)
{
    const TiffBuilder b(II);
    QByteArray tiff = b.build({numbered(b, 2, 256)}).bytes;
    tiff[8] = 100; // IFD0 now claims 100 entries
    ExifReader reader;
    load(reader, jpegFile({exifSegment(tiff)}));
    EXPECT_EQ(reader.Tag(), QVariant(100));
    EXPECT_EQ(reader.Tag(257), QVariant(1));
    EXPECT_EQ(logLine(3), QStringLiteral("TS Exif GetDirectoryEntries:  100"));
    EXPECT_EQ(logLine(4),
              QStringLiteral(
                  "TS GetDirectoryEntries: Error during evaluation: Index outside the file 9"));
}

TEST_F(ExifFile, AnExifPointerThatIsNoNumberFailsWithCode13AndKeepsItsValue)
{
    const TiffBuilder b(MM);
    ExifReader reader;
    load(reader,
         jpegFile({exifSegment(b.build({TiffDirectory{{b.shorts(256, {1}), b.ascii(34665, "abc"),
                                                       b.shorts(258, {2})}}})
                                   .bytes)}));
    EXPECT_EQ(reader.Tag(), QVariant(3));
    EXPECT_EQ(reader.Tag(34665), QVariant(text(u"abc\0", 4)));
    EXPECT_EQ(reader.Tag(258), QVariant());
    EXPECT_EQ(logLine(4),
              QStringLiteral(
                  "TS GetDirectoryEntries: Error during evaluation: Value is not a number 13"));
}

TEST_F(ExifFile, AnExifPointerGivenAsDecimalTextIsFollowed)
{
    // BYTE values longer than four bytes become decimal text, which is a number.
    const TiffBuilder b(II);
    QByteArray digits(5, '\0');
    const TiffDirectory exif{{b.ascii(DateTimeOriginal, SampleDate)}};
    const quint32 at = b.build({TiffDirectory{{b.bytes(34665, 1, digits)}}}, exif).exifOffset;
    ASSERT_LT(at, 100u);
    digits[3] = char(at / 10);
    digits[4] = char(at % 10);
    const TiffBlock block = b.build({TiffDirectory{{b.bytes(34665, 1, digits)}}}, exif);
    ExifReader reader;
    load(reader, jpegFile({exifSegment(block.bytes)}));
    EXPECT_EQ(reader.Tag(DateTimeOriginal), QVariant(QString::fromLatin1(SampleDate)));
}

struct LoopCase
{
    const char *label;
    int linkTo; // index in the chain, or -1: into the middle of IFD0
    QString trace;
    int entries;
};

void PrintTo(const LoopCase &c, std::ostream *os)
{
    *os << c.label;
}

class DirectoryLoop
    : public ExifFile
    , public ::testing::WithParamInterface<LoopCase>
{};

TEST_P(DirectoryLoop, EndsAsAFailureInsteadOfRepeating)
{
    const LoopCase &c = GetParam();
    const TiffBuilder b(II);
    TiffDirectory ifd0{numbered(b, 2, 256)};
    TiffDirectory ifd1{numbered(b, 3, 512)};
    TiffDirectory &last = c.entries == 2 ? ifd0 : ifd1;
    if (c.linkTo >= 0)
        last.nextIndex = c.linkTo;
    else
        last.next = 8 + 12;
    const QList<TiffDirectory> chain =
        c.entries == 2 ? QList<TiffDirectory>{ifd0} : QList<TiffDirectory>{ifd0, ifd1};
    ExifReader reader;
    load(reader, jpegFile({exifSegment(b.build(chain).bytes)}));
    EXPECT_TRUE(reader.Loaded());
    EXPECT_EQ(reader.Tag(), QVariant(c.entries));
    EXPECT_EQ(reader.Tag(257), QVariant(1));
    const QStringList lines = log();
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[3], QStringLiteral("TS Exif GetDirectoryEntries: ") + c.trace);
    EXPECT_EQ(lines[4],
              QStringLiteral(
                  "TS GetDirectoryEntries: Error during evaluation: Directory visited twice 9"));
}

INSTANTIATE_TEST_SUITE_P(Chains, DirectoryLoop,
                         ::testing::Values(LoopCase{"Ifd0ToItself", 0, " 2", 2},
                                           LoopCase{"Ifd1BackToIfd0", 0, " 2 5", 5},
                                           LoopCase{"Ifd1ToItself", 1, " 2 5", 5},
                                           LoopCase{"Ifd1IntoTheMiddleOfIfd0", -1, " 2 5", 5}),
                         [](const ::testing::TestParamInfo<LoopCase> &info) {
                             return std::string(info.param.label);
                         });

TEST_F(ExifFile, AnExifPointerBackToIfd0IsALoopToo)
{
    const TiffBuilder b(MM);
    ExifReader reader;
    load(reader, jpegFile({exifSegment(
                     b.build({TiffDirectory{{b.shorts(256, {1}), b.longs(34665, {8})}}}).bytes)}));
    EXPECT_EQ(reader.Tag(), QVariant(2));
    EXPECT_EQ(logLine(4),
              QStringLiteral(
                  "TS GetDirectoryEntries: Error during evaluation: Directory visited twice 9"));
}

// ---- files without a usable Exif block ------------------------------------

struct UnloadedCase
{
    const char *label;
    QByteArray bytes;
};

void PrintTo(const UnloadedCase &c, std::ostream *os)
{
    *os << c.label;
}

class NotLoaded
    : public ExifFile
    , public ::testing::WithParamInterface<UnloadedCase>
{};

TEST_P(NotLoaded, LeavesTheReaderEmptyWithOneLogLine)
{
    ExifReader reader;
    const QString path = load(reader, GetParam().bytes);
    EXPECT_FALSE(reader.Loaded());
    EXPECT_EQ(reader.Tag(), QVariant());
    EXPECT_EQ(reader.Tag(DateTimeOriginal), QVariant());
    EXPECT_EQ(reader.MakerNoteTag(), QVariant());
    EXPECT_TRUE(reader.Entries().isEmpty());
    EXPECT_EQ(log(),
              QStringList{QStringLiteral("TS Exif Load: ") + path + QStringLiteral("  False")});
}

QByteArray exifOnly(const QByteArray &tiff)
{
    return QByteArray("\xFF\xD8\xFF\xE1\0\0Exif\0\0", 12) + tiff;
}

INSTANTIATE_TEST_SUITE_P(
    Files, NotLoaded,
    ::testing::Values(
        UnloadedCase{"Empty", QByteArray()}, UnloadedCase{"OneByte", QByteArray("\xFF", 1)},
        UnloadedCase{"OnlyTheStartMarker", QByteArray("\xFF\xD8", 2)},
        UnloadedCase{"NoJpegStart",
                     QByteArray("GIF89a") + exifSegment(TiffBuilder(II).build({}).bytes)},
        UnloadedCase{"NoApp1", jpegFile({jpegSegment(0xE0, "JFIF")})},
        UnloadedCase{"OnlyXmp", jpegFile({xmpSegment("<x/>")})},
        UnloadedCase{"ExifNameCutOff", QByteArray("\xFF\xD8\xFF\xE1\0\x10"
                                                  "Exi",
                                                  9)},
        UnloadedCase{"ExifInOtherCase",
                     jpegFile({jpegSegment(0xE1, QByteArray("EXIF\0\0II*\0\x08\0\0\0", 14))})},
        UnloadedCase{"TiffHeaderMissing", QByteArray("\xFF\xD8\xFF\xE1\0\x10"
                                                     "Exif\0",
                                                     11)},
        UnloadedCase{"Ifd0OffsetCutOff", exifOnly("MM\0*\0\0")},
        UnloadedCase{"Ifd0OffsetOf2To31", exifOnly(QByteArray("MM\0*\x80\0\0\x08\0\0", 10))},
        UnloadedCase{"Ifd0PositionOverflows",
                     exifOnly(QByteArray("MM\0*\x7F\xFF\xFF\xFF\0\0", 10))}),
    [](const ::testing::TestParamInfo<UnloadedCase> &info) {
        return std::string(info.param.label);
    });

TEST_F(ExifFile, AMissingFileOrAFolderIsNotLoaded)
{
    for (const QString &path : {m_dir.file(QStringLiteral("missing.jpg")),
                                m_dir.mkdir(QStringLiteral("folder.jpg")), QString()}) {
        kesto::DeleteLog();
        ExifReader reader;
        reader.Load(path);
        EXPECT_FALSE(reader.Loaded());
        EXPECT_EQ(reader.Tag(), QVariant());
        EXPECT_EQ(log(),
                  QStringList{QStringLiteral("TS Exif Load: ") + path + QStringLiteral("  False")});
    }
}

TEST_F(ExifFile, AnIfd0OffsetPastTheEndIsLoadedAndFailsInTheWalk)
{
    ExifReader reader;
    load(reader, exifOnly(QByteArray("II*\0\xFF\0\0\0", 8)));
    EXPECT_TRUE(reader.Loaded());
    EXPECT_EQ(reader.Tag(), QVariant(0));
    EXPECT_EQ(logLine(1), QStringLiteral("TS Exif Load: GetDirectoryEntries 12 255"));
    EXPECT_EQ(logLine(2), QStringLiteral("GetDirectoryEntries: Size 19"));
    EXPECT_EQ(logLine(3), QStringLiteral("TS Exif GetDirectoryEntries: "));
}

// ---- finding the Exif block -----------------------------------------------

TEST_F(ExifFile, AnXmpBlockBeforeTheExifBlockDoesNotHideIt)
{
    for (ByteOrder order : {II, MM}) {
        const TiffBuilder b(order);
        const QByteArray tiff = b.build({TiffDirectory{{b.exifPointer()}}},
                                        TiffDirectory{{b.ascii(DateTimeOriginal, SampleDate)}})
                                    .bytes;
        ExifReader reader;
        const QByteArray photo =
            jpegFile({xmpSegment("<x:xmpmeta>\xFF\xE1</x:xmpmeta>"), exifSegment(tiff)});
        load(reader, photo);
        EXPECT_TRUE(reader.Loaded());
        EXPECT_EQ(reader.Tag(DateTimeOriginal), QVariant(QString::fromLatin1(SampleDate)));
        const qsizetype marker = photo.indexOf("\xFF\xE1\0", photo.indexOf("Exif") - 4);
        EXPECT_EQ(logLine(1),
                  QStringLiteral("TS Exif Load: GetDirectoryEntries %1 8").arg(marker + 10));
    }
}

TEST_F(ExifFile, MarkerBytesInsideAColourProfileAreSkipped)
{
    const TiffBuilder b(II);
    const QByteArray photo = jpegFile(
        {iccSegments(1000, "\xFF\xE1xy\xFF\xE1").first(),
         exifSegment(b.build({TiffDirectory{{b.ascii(DateTimeOriginal, SampleDate)}}}).bytes)});
    ExifReader reader;
    load(reader, photo);
    EXPECT_EQ(reader.Tag(DateTimeOriginal), QVariant(QString::fromLatin1(SampleDate)));
}

TEST_F(ExifFile, FindsAnExifBlockBeyondTheFirst64KiB)
{
    for (ByteOrder order : {II, MM}) {
        const TiffBuilder b(order);
        QList<QByteArray> segments = iccSegments(150000);
        segments.append(
            exifSegment(b.build({TiffDirectory{{b.ascii(271, "KestoCam"), b.exifPointer()}}},
                                TiffDirectory{{b.ascii(DateTimeOriginal, SampleDate)}})
                            .bytes));
        const QByteArray photo = jpegFile(segments);
        const qsizetype tiffStart = photo.indexOf("Exif") + 6;
        ASSERT_GT(tiffStart, 65536);
        ExifReader reader;
        load(reader, photo);
        EXPECT_TRUE(reader.Loaded());
        EXPECT_EQ(reader.Tag(), QVariant(3));
        EXPECT_EQ(reader.Tag(DateTimeOriginal), QVariant(QString::fromLatin1(SampleDate)));
        EXPECT_EQ(logLine(1),
                  QStringLiteral("TS Exif Load: GetDirectoryEntries %1 8").arg(tiffStart));
    }
}

TEST_F(ExifFile, AJpegWithoutExifIsScannedToItsEnd)
{
    // Large image data without any APP1 marker pair, then an Exif block as the
    // very last bytes: only a scan to the end finds it.
    QByteArray body;
    for (int k = 0; body.size() < 300000; ++k)
        body += char(k % 251 == 0 ? 0xFF : k % 200);
    const TiffBuilder b(MM);
    const QByteArray tail =
        exifSegment(b.build({TiffDirectory{{b.ascii(DateTimeOriginal, SampleDate)}}}).bytes);
    ExifReader reader;
    load(reader, jpegFile({}, body + tail));
    EXPECT_EQ(reader.Tag(DateTimeOriginal), QVariant(QString::fromLatin1(SampleDate)));

    const QString path = load(reader, jpegFile({}, body));
    EXPECT_FALSE(reader.Loaded());
    EXPECT_EQ(log(),
              QStringList{QStringLiteral("TS Exif Load: ") + path + QStringLiteral("  False")});
}

// ---- reading in pieces ----------------------------------------------------

struct Outcome
{
    bool loaded;
    QVariant count;
    QList<ExifEntry> entries;
    QStringList log;
};

TEST_F(ExifFile, ResultsDoNotDependOnHowMuchIsReadAtOnce)
{
    QList<SamplePhoto> photos = samplePhotos();
    QList<QByteArray> big = iccSegments(140000, "\xFF\xE1\x01");
    const TiffBuilder b(MM);
    big.append(exifSegment(b.build({TiffDirectory{{b.ascii(271, "KestoCam"), b.exifPointer(),
                                                   b.bytes(700, 1, QByteArray(70000, '\x07'))}}},
                                   TiffDirectory{{b.ascii(DateTimeOriginal, SampleDate)}})
                               .bytes));
    photos.append({QStringLiteral("big.jpg"), jpegFile(big)});
    for (const SamplePhoto &photo : photos) {
        SCOPED_TRACE(photo.name.toStdString());
        QList<Outcome> outcomes;
        for (qsizetype piece : {qsizetype(8), qsizetype(13), qsizetype(1000), qsizetype(65536)}) {
            ExifReader reader(piece);
            load(reader, photo.bytes);
            outcomes.append({reader.Loaded(), reader.Tag(), reader.Entries(), log()});
        }
        for (const Outcome &o : outcomes) {
            EXPECT_EQ(o.loaded, outcomes[0].loaded);
            EXPECT_EQ(o.count, outcomes[0].count);
            EXPECT_EQ(o.log, outcomes[0].log);
            ASSERT_EQ(o.entries.size(), outcomes[0].entries.size());
            for (qsizetype k = 0; k < o.entries.size(); ++k) {
                EXPECT_EQ(o.entries[k].TagNumber, outcomes[0].entries[k].TagNumber);
                EXPECT_EQ(o.entries[k].ValueOffset, outcomes[0].entries[k].ValueOffset);
                EXPECT_EQ(o.entries[k].Value, outcomes[0].entries[k].Value);
            }
        }
    }
}

TEST_F(ExifFile, FindsTheExifBlockWhereverAPieceOfTheFileEnds)
{
    const TiffBuilder b(II);
    const QByteArray exif =
        exifSegment(b.build({TiffDirectory{{b.ascii(DateTimeOriginal, SampleDate)}}}).bytes);
    // A JFIF block of growing length moves the marker pair across the ends of
    // 8- and 13-byte pieces, with a lone 0xFF just before it.
    for (int filler = 0; filler < 30; ++filler) {
        const QByteArray photo =
            jpegFile({jpegSegment(0xE0, QByteArray(filler, 'j') + "\xFF"), exif});
        for (qsizetype piece : {qsizetype(8), qsizetype(13)}) {
            ExifReader reader(piece);
            load(reader, photo);
            EXPECT_EQ(reader.Tag(DateTimeOriginal), QVariant(QString::fromLatin1(SampleDate)))
                << "filler " << filler << ", piece " << piece;
        }
    }
}

TEST_F(ExifFile, TheSamplePhotosGiveTheirExpectedDates)
{
    for (const SamplePhoto &photo : samplePhotos()) {
        SCOPED_TRACE(photo.name.toStdString());
        ExifReader reader;
        load(reader, photo.bytes);
        const QString date = kesto::ExifValueText(reader.Tag(DateTimeOriginal));
        if (photo.name.startsWith(QStringLiteral("camera")) ||
            photo.name.startsWith(QStringLiteral("number_too_big")))
            EXPECT_EQ(date, QString::fromLatin1(SampleDate));
        else if (photo.name.startsWith(QStringLiteral("date_without_zero")) ||
                 photo.name.startsWith(QStringLiteral("xmp")) ||
                 photo.name.startsWith(QStringLiteral("icc")) ||
                 photo.name.startsWith(QStringLiteral("empty_directory")))
            EXPECT_EQ(date, QStringLiteral("2006:03:14 09:05:07"));
        else if (photo.name.startsWith(QStringLiteral("thumbnail")))
            EXPECT_EQ(date, QStringLiteral("2021:06:01 10:00:03"));
        else if (photo.name.startsWith(QStringLiteral("maker_note")))
            EXPECT_EQ(date, QStringLiteral("2019:12:31 23:59:59"));
        else
            EXPECT_EQ(date, QString());
    }
}

TEST(ExifValueText, GivesEmptyDigitsOrTheText)
{
    EXPECT_EQ(kesto::ExifValueText(QVariant()), QString());
    EXPECT_EQ(kesto::ExifValueText(QVariant(-12)), QStringLiteral("-12"));
    EXPECT_EQ(kesto::ExifValueText(QVariant(1234567)), QStringLiteral("1234567"));
    EXPECT_EQ(kesto::ExifValueText(QVariant(QStringLiteral("72/1"))), QStringLiteral("72/1"));
}

} // namespace
