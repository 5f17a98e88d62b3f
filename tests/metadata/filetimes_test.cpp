#include "metadata/filefacts.h"
#include "metadata/filetimes.h"
#include "metadata/imagefacts.h"
#include "storage/applog.h"

#include "support/photobuilder.h"
#include "support/tempfiles.h"
#include "variantprinter.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <ctime>

#include <sys/stat.h>
#include <unistd.h>

using namespace kesto;
using namespace kesto::test;

namespace {

const QString Dash = QStringLiteral("-");
const QString Blank = QStringLiteral(" ");

// Switches the process to another time zone for one test.
class LocalZone
{
public:
    explicit LocalZone(const char *zone)
        : m_had(qEnvironmentVariableIsSet("TZ"))
        , m_old(qgetenv("TZ"))
    {
        qputenv("TZ", zone);
        tzset();
    }
    ~LocalZone()
    {
        if (m_had)
            qputenv("TZ", m_old);
        else
            qunsetenv("TZ");
        tzset();
    }

private:
    bool m_had;
    QByteArray m_old;
};

QDateTime utc(const char *text)
{
    return QDateTime::fromString(QString::fromLatin1(text), Qt::ISODate);
}

struct TimeCase
{
    const char *label;
    const char *zone;
    QDateTime written; // UTC
    QString text;
};

void PrintTo(const TimeCase &c, std::ostream *os)
{
    *os << c.label;
}

class LastWriteTime : public ::testing::TestWithParam<TimeCase>
{};

TEST_P(LastWriteTime, IsShownInTheLocalTimeOfItsOwnDate)
{
    const TimeCase &c = GetParam();
    TempFolder dir;
    const QString path = dir.write(QStringLiteral("Bild.jpg"), "x");
    ASSERT_TRUE(TempFolder::setTimes(path, c.written));
    LocalZone zone(c.zone);
    EXPECT_EQ(GetFileTimeText(path, FileTime::Modified, Dash, Blank, Dash), c.text);
    EXPECT_EQ(ReadFileFacts(path, false).Modified, c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Zones, LastWriteTime,
    ::testing::Values(TimeCase{"BerlinWinter", "Europe/Berlin", utc("2006-03-14T08:05:07Z"),
                               QStringLiteral("2006-03-14 09-05-07")},
                      TimeCase{"BerlinSummer", "Europe/Berlin", utc("2006-07-14T07:05:07Z"),
                               QStringLiteral("2006-07-14 09-05-07")},
                      TimeCase{"BerlinNewYearsEve", "Europe/Berlin", utc("2006-12-31T23:30:00Z"),
                               QStringLiteral("2007-01-01 00-30-00")},
                      TimeCase{"NewYorkWinter", "America/New_York", utc("2006-01-14T14:05:07Z"),
                               QStringLiteral("2006-01-14 09-05-07")},
                      TimeCase{"NewYorkSummer", "America/New_York", utc("2006-07-14T13:05:07Z"),
                               QStringLiteral("2006-07-14 09-05-07")},
                      TimeCase{"NewYorkBeforeMidnight", "America/New_York",
                               utc("2007-01-01T03:59:59Z"), QStringLiteral("2006-12-31 22-59-59")},
                      TimeCase{"FarFuture", "UTC", utc("2200-02-28T23:59:58Z"),
                               QStringLiteral("2200-02-28 23-59-58")}),
    [](const ::testing::TestParamInfo<TimeCase> &info) { return std::string(info.param.label); });

TEST(FileTime, TakesAnySeparators)
{
    TempFolder dir;
    const QString path = dir.write(QStringLiteral("a.txt"), "x");
    ASSERT_TRUE(TempFolder::setTimes(path, utc("2006-03-14T08:05:07Z")));
    LocalZone zone("Europe/Berlin");
    EXPECT_EQ(GetFileTimeText(path, FileTime::Modified, QStringLiteral("."), QStringLiteral("_"),
                              QStringLiteral(":")),
              QStringLiteral("2006.03.14_09:05:07"));
    EXPECT_EQ(
        GetFileTimeText(path, FileTime::Modified, QString(), QStringLiteral(" um "), QString()),
        QStringLiteral("20060314 um 090507"));
}

TEST(FileTime, CreationIsTheBirthTimeWhereTheFileSystemKeepsIt)
{
    TempFolder dir;
    LocalZone zone("America/New_York");
    const QString before =
        QDateTime::currentDateTime().addSecs(-1).toString(QStringLiteral("yyyy-MM-dd HH-mm-ss"));
    const QString path = dir.write(QStringLiteral("neu.txt"), "x");
    const QString after =
        QDateTime::currentDateTime().addSecs(1).toString(QStringLiteral("yyyy-MM-dd HH-mm-ss"));
    // The last-write time is moved away so that the two cannot be mixed up.
    ASSERT_TRUE(TempFolder::setTimes(path, utc("2001-05-06T07:08:09Z")));

    const QString created = GetFileTimeText(path, FileTime::Created, Dash, Blank, Dash);
    if (!QFileInfo(path).birthTime().isValid()) {
        EXPECT_EQ(created, QString());
        GTEST_SKIP() << "this file system keeps no birth time";
    }
    EXPECT_GE(created, before);
    EXPECT_LE(created, after);
    EXPECT_EQ(ReadFileFacts(path, false).Created, created);
    EXPECT_EQ(GetFileTimeText(path, FileTime::Modified, Dash, Blank, Dash),
              QStringLiteral("2001-05-06 03-08-09"));
}

TEST(FileTime, AReadOnlyFileStillHasItsTimes)
{
    TempFolder dir;
    const QString path = dir.write(QStringLiteral("fest.txt"), "x");
    ASSERT_TRUE(TempFolder::setTimes(path, utc("2006-03-14T08:05:07Z")));
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner));
    LocalZone zone("Europe/Berlin");
    EXPECT_EQ(GetFileTimeText(path, FileTime::Modified, Dash, Blank, Dash),
              QStringLiteral("2006-03-14 09-05-07"));
    const FileFacts facts = ReadFileFacts(path, false);
    EXPECT_EQ(facts.Modified, QStringLiteral("2006-03-14 09-05-07"));
    EXPECT_EQ(facts.SizeText, QStringLiteral("1 Byte"));
    if (QFileInfo(path).birthTime().isValid()) {
        EXPECT_FALSE(GetFileTimeText(path, FileTime::Created, Dash, Blank, Dash).isEmpty());
    }
}

TEST(FileTime, IsEmptyForAMissingFile)
{
    TempFolder dir;
    for (FileTime which : {FileTime::Created, FileTime::Modified}) {
        EXPECT_EQ(GetFileTimeText(dir.file(QStringLiteral("weg.txt")), which, Dash, Blank, Dash),
                  QString());
        EXPECT_EQ(GetFileTimeText(QString(), which, Dash, Blank, Dash), QString());
    }
}

TEST(TwoDigits, PadsToTwoDigits)
{
    EXPECT_EQ(TwoDigits(0), QStringLiteral("00"));
    EXPECT_EQ(TwoDigits(7), QStringLiteral("07"));
    EXPECT_EQ(TwoDigits(42), QStringLiteral("42"));
    EXPECT_EQ(TwoDigits(123), QStringLiteral("123"));
    EXPECT_EQ(TwoDigits(-5), QStringLiteral("-05"));
}

TEST(FileSize, StepsBy1024AtEveryUnitBoundaryAndRoundsHalfUp)
{
    constexpr qint64 K = 1024, M = K * K, G = M * K, T = G * K;
    const struct
    {
        qint64 size;
        const char *text;
    } cases[] = {{0, "0 Byte"},
                 {1, "1 Byte"},
                 {1023, "1023 Byte"},
                 {K, "1 KB"},
                 {1535, "1 KB"},
                 {1536, "2 KB"},
                 {M - 1, "1024 KB"},
                 {M, "1 MB"},
                 {M + M / 2 - 1, "1 MB"},
                 {M + M / 2, "2 MB"},
                 {G - 1, "1024 MB"},
                 {G, "1 GB"},
                 {2 * G + G / 2, "3 GB"},
                 {5 * G, "5 GB"},
                 {T - 1, "1024 GB"},
                 {T, "1 TB"},
                 {T + T / 2, "2 TB"},
                 {1024 * T, "1024 TB"},
                 {std::numeric_limits<qint64>::max(), "8388608 TB"}};
    for (const auto &c : cases)
        EXPECT_EQ(FormatFileSize(c.size), QString::fromLatin1(c.text)) << c.size;
}

TEST(FileFacts, ReadsSizeTimesAndTheCaptureDateOfAPhoto)
{
    TempFolder dir;
    const QString path = dir.write(QStringLiteral("IMG_1.jpg"),
                                   cameraPhoto(ByteOrder::Intel, "2005:07:14 13:45:12"));
    ASSERT_TRUE(TempFolder::setTimes(path, utc("2006-03-14T08:05:07Z")));
    LocalZone zone("Europe/Berlin");
    const FileFacts facts = ReadFileFacts(path, true);
    EXPECT_TRUE(facts.exists);
    EXPECT_TRUE(facts.isRegularFile);
    EXPECT_EQ(facts.Size, QFileInfo(path).size());
    EXPECT_EQ(facts.SizeText, QStringLiteral("%1 Byte").arg(facts.Size));
    EXPECT_EQ(facts.Modified, QStringLiteral("2006-03-14 09-05-07"));
    EXPECT_EQ(facts.Created, GetFileTimeText(path, FileTime::Created, Dash, Blank, Dash));
    EXPECT_EQ(facts.Captured, QStringLiteral("2005:07:14 13:45:12"));
    EXPECT_EQ(ReadFileFacts(path, false).Captured, QString());
}

TEST(FileFacts, OfALargeSparseFileUseA64BitSize)
{
    TempFolder dir;
    const QString path = dir.write(QStringLiteral("gross.bin"));
    ASSERT_EQ(::truncate(QFile::encodeName(path).constData(), 5LL << 30), 0);
    const FileFacts facts = ReadFileFacts(path, false);
    EXPECT_EQ(facts.Size, 5LL << 30);
    EXPECT_EQ(facts.SizeText, QStringLiteral("5 GB"));
}

TEST(FileFacts, OfAFolderOrAMissingPath)
{
    TempFolder dir;
    const FileFacts folder = ReadFileFacts(dir.mkdir(QStringLiteral("Fotos.jpg")), true);
    EXPECT_TRUE(folder.exists);
    EXPECT_FALSE(folder.isRegularFile);
    EXPECT_EQ(folder.Captured, QString());

    const FileFacts missing = ReadFileFacts(dir.file(QStringLiteral("weg.jpg")), true);
    EXPECT_FALSE(missing.exists);
    EXPECT_FALSE(missing.isRegularFile);
    EXPECT_EQ(missing.Size, 0);
    EXPECT_EQ(missing.SizeText, QString());
    EXPECT_EQ(missing.Modified, QString());
    EXPECT_EQ(missing.Created, QString());
    EXPECT_EQ(missing.Captured, QString());
}

TEST(FileFacts, OfAnEmptyPhotoHaveNoCaptureDate)
{
    TempFolder dir;
    const FileFacts facts = ReadFileFacts(dir.write(QStringLiteral("leer.jpg")), true);
    EXPECT_TRUE(facts.isRegularFile);
    EXPECT_EQ(facts.SizeText, QStringLiteral("0 Byte"));
    EXPECT_FALSE(facts.Modified.isEmpty());
    EXPECT_EQ(facts.Captured, QString());
}

TEST(FileFacts, OfANamedPipeCalledJpgNeitherBlockNorReadIt)
{
    TempFolder dir;
    const QString pipe = dir.file(QStringLiteral("pipe.jpg"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const FileFacts facts = ReadFileFacts(pipe, true);
    EXPECT_TRUE(facts.exists);
    EXPECT_FALSE(facts.isRegularFile);
    EXPECT_EQ(facts.Captured, QString());
}

TEST(FileFacts, LogThePhotoAsTheCaptureDateReaderDoes)
{
    TempFolder dir;
    const QString photo =
        dir.write(QStringLiteral("a.jpg"), cameraPhoto(ByteOrder::Intel, "2005:07:14 13:45:12"));
    const QString log = dir.file(QStringLiteral("Kesto.LOG"));
    kesto::SetLogPath(log);
    GetCaptureDate(photo);
    const QByteArray byReader = dir.read(QStringLiteral("Kesto.LOG"));
    kesto::DeleteLog();
    ReadFileFacts(photo, true);
    const QByteArray byFacts = dir.read(QStringLiteral("Kesto.LOG"));
    kesto::SetLogPath(QString());
    // Equal but for the time stamps, which may differ by a second.
    const QRegularExpression stamp(QStringLiteral("\\d\\d\\.\\d\\d\\.\\d{4} \\d\\d:\\d\\d:\\d\\d"));
    const QString a = QString::fromUtf8(byReader).replace(stamp, QStringLiteral("TS"));
    const QString b = QString::fromUtf8(byFacts).replace(stamp, QStringLiteral("TS"));
    EXPECT_EQ(a.count(QStringLiteral("\r\n")), 4);
    EXPECT_TRUE(
        a.startsWith(QStringLiteral("TS Exif Load: ") + photo + QStringLiteral("  True\r\n")));
    EXPECT_EQ(a, b);
}

int openDescriptors()
{
    return int(QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::Files | QDir::System).size());
}

TEST(FileFacts, LeaveNoFileOpen)
{
    TempFolder dir;
    const QString pipe = dir.file(QStringLiteral("pipe.jpg"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QStringList paths = {
        dir.write(QStringLiteral("a.jpg"), cameraPhoto(ByteOrder::Motorola, "2005:07:14 13:45:12")),
        dir.write(QStringLiteral("b.jpg"), "no photo"),
        dir.write(QStringLiteral("c.jpg")),
        dir.mkdir(QStringLiteral("d.jpg")),
        pipe,
        dir.file(QStringLiteral("missing.jpg"))};
    const int before = openDescriptors();
    for (const QString &path : paths) {
        ReadFileFacts(path, true);
        GetCaptureDate(path);
    }
    EXPECT_EQ(openDescriptors(), before);
}

TEST(FileFacts, FollowALinkToTheFile)
{
    TempFolder dir;
    const QString target = dir.write(QStringLiteral("ziel.jpg"),
                                     cameraPhoto(ByteOrder::Motorola, "2005:07:14 13:45:12"));
    const QString link = dir.file(QStringLiteral("link.jpg"));
    ASSERT_TRUE(QFile::link(target, link));
    const FileFacts facts = ReadFileFacts(link, true);
    EXPECT_TRUE(facts.isRegularFile);
    EXPECT_EQ(facts.Size, QFileInfo(target).size());
    EXPECT_EQ(facts.Captured, QStringLiteral("2005:07:14 13:45:12"));
}

} // namespace
