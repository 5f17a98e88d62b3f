#include "metadata/filefacts.h"
#include "metadata/filetimes.h"
#include "metadata/imagefacts.h"
#include "storage/applog.h"

#include "support/photobuilder.h"
#include "support/tempfiles.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QRegularExpression>

#include <ctime>

#include <sys/stat.h>
#include <unistd.h>

using namespace kesto;
using namespace kesto::test;
using namespace Qt::StringLiterals;

namespace {

const QString Dash = QStringLiteral("-"), Blank = QStringLiteral(" ");

// Switches the process to another time zone while it lives.
struct LocalZone
{
    explicit LocalZone(const char *zone)
    {
        qputenv("TZ", zone);
        tzset();
    }
    ~LocalZone()
    {
        m_old.isNull() ? qunsetenv("TZ") : qputenv("TZ", m_old);
        tzset();
    }
    const QByteArray m_old = qgetenv("TZ");
};

QDateTime utc(const char *text)
{
    return QDateTime::fromString(QString::fromLatin1(text), Qt::ISODate);
}

TEST(FileTime, IsShownInTheLocalTimeOfItsOwnDateAlsoForAReadOnlyFile)
{
    const struct
    {
        const char *zone, *written, *shown;
    } rows[] = {{"Europe/Berlin", "2006-03-14T08:05:07Z", "2006-03-14 09-05-07"},
                {"Europe/Berlin", "2006-07-14T07:05:07Z", "2006-07-14 09-05-07"},
                {"America/New_York", "2006-01-14T14:05:07Z", "2006-01-14 09-05-07"},
                {"America/New_York", "2007-01-01T03:59:59Z", "2006-12-31 22-59-59"},
                {"UTC", "2200-02-28T23:59:58Z", "2200-02-28 23-59-58"}};
    TempFolder dir;
    const QString path = dir.write(QStringLiteral("Bild.jpg"), "x");
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner));
    for (const auto &row : rows) {
        ASSERT_TRUE(TempFolder::setTimes(path, utc(row.written)));
        LocalZone zone(row.zone);
        EXPECT_EQ(GetFileTimeText(path, FileTime::Modified, Dash, Blank, Dash), row.shown);
        EXPECT_EQ(ReadFileFacts(path, false).Modified, row.shown);
    }
    LocalZone zone("Europe/Berlin");
    EXPECT_EQ(GetFileTimeText(path, FileTime::Modified, QStringLiteral("."), QStringLiteral(" um "),
                              QString()),
              QStringLiteral("2200.03.01 um 005958"));
}

TEST(FileSize, StepsBy1024AtEveryUnitBoundaryAndRoundsHalfUp)
{
    constexpr qint64 K = 1024, M = K * K, G = M * K, T = G * K;
    const struct
    {
        qint64 size;
        const char *text;
    } rows[] = {{0, "0 Byte"},       {1023, "1023 Byte"},
                {K, "1 KB"},         {1535, "1 KB"},
                {1536, "2 KB"},      {M - 1, "1024 KB"},
                {M, "1 MB"},         {M + M / 2 - 1, "1 MB"},
                {M + M / 2, "2 MB"}, {G - 1, "1024 MB"},
                {G, "1 GB"},         {5 * G, "5 GB"},
                {T - 1, "1024 GB"},  {T, "1 TB"},
                {T + T / 2, "2 TB"}, {std::numeric_limits<qint64>::max(), "8388608 TB"}};
    for (const auto &row : rows)
        EXPECT_EQ(FormatFileSize(row.size), QString::fromLatin1(row.text)) << row.size;
}

TEST(FileFacts, OfAPhotoOrALinkToItGiveSizeTimesAndCaptureDateAndLogAsTheReader)
{
    TempFolder dir;
    LocalZone zone("Europe/Berlin");
    const QString format = QStringLiteral("yyyy-MM-dd HH-mm-ss");
    const QString before = QDateTime::currentDateTime().addSecs(-1).toString(format);
    const QString photo = dir.write(QStringLiteral("IMG_1.jpg"),
                                    cameraPhoto(ByteOrder::Intel, "2005:07:14 13:45:12"));
    const QString after = QDateTime::currentDateTime().addSecs(1).toString(format);
    const QString link = dir.file(QStringLiteral("link.jpg"));
    ASSERT_TRUE(QFile::link(photo, link));
    // The last-write time is moved away so that it cannot pass for the creation time.
    ASSERT_TRUE(TempFolder::setTimes(photo, utc("2006-03-14T08:05:07Z")));
    // The creation time is the birth time where the file system keeps one, else empty.
    const QString created = GetFileTimeText(photo, FileTime::Created, Dash, Blank, Dash);
    if (QFileInfo(photo).birthTime().isValid())
        EXPECT_TRUE(created >= before && created <= after) << created.toStdString();
    else
        EXPECT_EQ(created, QString());
    for (const QString &path : {photo, link}) {
        const FileFacts facts = ReadFileFacts(path, true);
        EXPECT_TRUE(facts.exists && facts.isRegularFile);
        EXPECT_EQ(facts.Size, QFileInfo(photo).size());
        EXPECT_EQ(facts.SizeText, QStringLiteral("%1 Byte").arg(facts.Size));
        EXPECT_EQ(facts.Modified, QStringLiteral("2006-03-14 09-05-07"));
        EXPECT_EQ(facts.Created, created);
        EXPECT_EQ(facts.Captured, QStringLiteral("2005:07:14 13:45:12"));
        EXPECT_EQ(ReadFileFacts(path, false).Captured, QString());
    }
    // The same log lines as the capture date's own reader, but for the time stamps.
    SetLogPath(dir.file(QStringLiteral("Kesto.LOG")));
    GetCaptureDate(photo);
    const QString byReader = QString::fromUtf8(dir.read(QStringLiteral("Kesto.LOG")));
    DeleteLog();
    ReadFileFacts(photo, true);
    const QString byFacts = QString::fromUtf8(dir.read(QStringLiteral("Kesto.LOG")));
    SetLogPath(QString());
    const QRegularExpression stamp(QStringLiteral("\\d\\d\\.\\d\\d\\.\\d{4} \\d\\d:\\d\\d:\\d\\d"));
    EXPECT_EQ(QString(byReader).remove(stamp), QString(byFacts).remove(stamp));
}

TEST(FileFacts, OfOtherPathsHaveNoCaptureDateBlockNothingAndLeaveNoFileOpen)
{
    TempFolder dir;
    const QString pipe = dir.file(QStringLiteral("pipe.jpg"));
    const QString sparse = dir.write(QStringLiteral("gross.jpg"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    ASSERT_EQ(::truncate(QFile::encodeName(sparse).constData(), 5LL << 30), 0);
    const struct
    {
        QString path;
        bool exists, regular;
        const char *size;
    } rows[] = {{dir.write(QStringLiteral("b.jpg"), "no photo"), true, true, "8 Byte"},
                {dir.write(QStringLiteral("leer.jpg")), true, true, "0 Byte"},
                {sparse, true, true, "5 GB"},
                {dir.mkdir(QStringLiteral("Fotos.jpg")), true, false, nullptr},
                {pipe, true, false, nullptr},
                {dir.file(QStringLiteral("weg.jpg")), false, false, ""}};
    const auto openFiles = [] {
        return QDir(u"/proc/self/fd"_s).entryList(QDir::Files | QDir::System).size();
    };
    const qsizetype before = openFiles();
    for (const auto &row : rows) {
        const FileFacts facts = ReadFileFacts(row.path, true);
        EXPECT_EQ(facts.exists, row.exists) << row.path.toStdString();
        EXPECT_EQ(facts.isRegularFile, row.regular);
        EXPECT_EQ(facts.Captured, QString());
        EXPECT_EQ(GetCaptureDate(row.path), QString());
        EXPECT_EQ(row.size ? facts.SizeText : QString(), QLatin1String(row.size));
        EXPECT_EQ(facts.Modified.isEmpty(), !row.exists);
        EXPECT_EQ(GetFileTimeText(row.path, FileTime::Modified, Dash, Blank, Dash), facts.Modified);
    }
    EXPECT_EQ(openFiles(), before);
}

TEST(CaptureDate, IsTheStoredDateTimeOriginalAsItIs)
{
    TempFolder dir;
    const TiffBuilder b{ByteOrder::Motorola};
    const auto photo = [&b](const QList<TiffField> &exif) {
        return jpegFile({exifSegment(b.build({{{b.exifPointer()}}}, TiffDirectory{exif}))});
    };
    const struct
    {
        QByteArray bytes;
        const char *date;
    } rows[] = {{cameraPhoto(ByteOrder::Intel, "2005:07:14 13:45:12"), "2005:07:14 13:45:12"},
                {cameraPhoto(ByteOrder::Motorola, "    :  :     :  :  "), "    :  :     :  :  "},
                {photo({b.numbers(36867, 3, {2005})}), "2005"},
                {photo({b.ascii(271, "Cam")}), ""},
                {jpegFile({exifSegment(b.build({{}}))}), ""},
                // The walk ends before the date.
                {photo({b.numbers(33000, 4, {0x80000000}), b.ascii(36867, "2005:07:14")}), ""},
                {jpegFile({jpegSegment(0xE0, "JFIF")}), ""}};
    for (const auto &row : rows)
        EXPECT_EQ(GetCaptureDate(dir.write(QStringLiteral("Foto.JPG"), row.bytes)), row.date);
}

QByteArray encoded(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, format)) << format;
    return bytes;
}

TEST(ImageSize, ComesFromTheHeaderOfEveryCommonFormatAndIsEmptyForOtherFiles)
{
    TempFolder dir;
    QImage image(7, 3, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    // Qt writes no GIF: 3 x 2 pixels, two colours, one LZW block, by hand.
    const QByteArray gif = QByteArray("GIF89a\x03\0\x02\0\x80\0\0\0\0\0\xFF\xFF\xFF\x2C\0\0\0\0\x03"
                                      "\0\x02\0\0\x02\x03\x44\x6C\x05\0\x3B",
                                      36);
    const QByteArray exif = exifSegment(TiffBuilder{ByteOrder::Intel}.build({}));
    const struct
    {
        const char *name;
        QByteArray bytes;
        const char *width, *height;
    } rows[] = {{"a.png", encoded(image, "PNG"), "7", "3"},
                {"a.jpg", encoded(image, "JPG"), "7", "3"},
                {"a.bmp", encoded(image, "BMP"), "7", "3"},
                {"a.gif", gif, "3", "2"},
                // With Debian's image-format plugins (a build dependency).
                {"a.tif", encoded(image, "TIFF"), "7", "3"},
                {"a.webp", encoded(image, "WEBP"), "7", "3"},
                // The name does not decide the format.
                {"png-named.jpg", encoded(image.scaled(2, 9), "PNG"), "2", "9"},
                {"photo.jpg", jpegFile({exif}, encoded(image, "JPG").mid(2)), "7", "3"},
                {"notes.jpg", "not an image at all", "", ""},
                {"empty.png", "", "", ""},
                {"exif-only.jpg", cameraPhoto(ByteOrder::Intel, "x"), "", ""},
                {"missing.png", {}, "", ""}}; // not written
    for (const auto &row : rows) {
        const QString name = QString::fromLatin1(row.name);
        const QSize size =
            ReadImageSize(row.bytes.isNull() ? dir.file(name) : dir.write(name, row.bytes));
        EXPECT_EQ(ImageDimensionText(size, Qt::Horizontal), QLatin1String(row.width)) << row.name;
        EXPECT_EQ(ImageDimensionText(size, Qt::Vertical), QLatin1String(row.height)) << row.name;
    }
}

TEST(Paths, AreTakenApartAsSlashSeparatedText)
{
    const QString lastParts[][2] = {{u"/home/u/Fotos/2005.07 Urlaub/"_s, u"2005.07 Urlaub"_s},
                                    {u"/home/u/Fotos/2005.07 Urlaub"_s, u"2005.07 Urlaub"_s},
                                    {u"/home/u/Fotos//"_s, u"Fotos"_s},
                                    {u"/"_s, {}},
                                    {{}, {}},
                                    {u"relative/dir/"_s, u"dir"_s},
                                    {u"/a/C:\\Fotos\\Urlaub/"_s, u"C:\\Fotos\\Urlaub"_s}};
    for (const auto &row : lastParts)
        EXPECT_EQ(LastPathPart(row[0]), row[1]) << row[0].toStdString();
    const QString folders[][2] = {{u"/home/u/2005.07 Urlaub/"_s, u"||home|u|2005.07 Urlaub"_s},
                                  {u"/"_s, u"|"_s}};
    for (const auto &row : folders)
        EXPECT_EQ(SplitPath(row[0], true).join(u'|'), row[1]);
    const QString files[][2] = {{u"/home/u/bild.tar.gz"_s, u"||home|u|bild.tar|gz"_s},
                                {u"/home/u.v/README"_s, u"||home|u.v|README|"_s},
                                {u"rel/a.b:c"_s, u"|rel|a|b:c"_s}};
    for (const auto &row : files)
        EXPECT_EQ(SplitPath(row[0], false).join(u'|'), row[1]);
}

} // namespace
