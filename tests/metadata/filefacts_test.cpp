#include "metadata/filefacts.h"
#include "metadata/filetimes.h"
#include "metadata/imagefacts.h"

#include "support/photobuilder.h"
#include "support/tempfiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>

#include <ctime>

#include <sys/stat.h>
#include <unistd.h>

using namespace kesto;
using namespace kesto::test;
using namespace Qt::StringLiterals;

namespace {

const QByteArray SampleDate = "2005:07:14 13:45:12";

void setTimeZone(const QByteArray &zone)
{
    zone.isNull() ? qunsetenv("TZ") : qputenv("TZ", zone);
    tzset();
}

TEST(FileTime, IsShownInTheLocalTimeOfItsOwnDateAlsoForAReadOnlyFile)
{
    // Zone, time written (UTC), time shown; the last row reads a time again in another zone.
    const std::tuple<const char *, const char *, const char *> rows[] = {
        {"Europe/Berlin", "2006-03-14T08:05:07Z", "2006-03-14 09-05-07"},
        {"Europe/Berlin", "2006-07-14T07:05:07Z", "2006-07-14 09-05-07"},
        {"America/New_York", "2006-01-14T14:05:07Z", "2006-01-14 09-05-07"},
        {"America/New_York", "2007-01-01T03:59:59Z", "2006-12-31 22-59-59"},
        {"UTC", "2200-02-28T23:59:58Z", "2200-02-28 23-59-58"},
        {"Europe/Berlin", "2200-02-28T23:59:58Z", "2200-03-01 00-59-58"}};
    TempFolder dir;
    const QString path = dir.write("Bild.jpg", "x");
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner));
    const QByteArray oldZone = qgetenv("TZ");
    for (const auto &[zone, written, shown] : rows) {
        setTimeZone(zone);
        EXPECT_TRUE(TempFolder::setTimes(path, QDateTime::fromString(written, Qt::ISODate)));
        EXPECT_EQ(ReadFileFacts(path, false).modified, shown);
    }
    EXPECT_EQ(GetFileTimeText(path, FileTime::Modified, ".", " um ", ""), "2200.03.01 um 005958");
    setTimeZone(oldZone);
}

TEST(FileSize, StepsBy1024AtEveryUnitBoundaryAndRoundsHalfUp)
{
    constexpr qint64 K = 1024, M = K * K, G = M * K, T = G * K;
    constexpr qint64 Max = std::numeric_limits<qint64>::max();
    const std::pair<qint64, const char *> rows[] = {
        {0, "0 Byte"},       {1023, "1023 Byte"}, {K, "1 KB"},        {1535, "1 KB"},
        {1536, "2 KB"},      {M - 1, "1024 KB"},  {M, "1 MB"},        {G - 1, "1024 MB"},
        {G, "1 GB"},         {5 * G, "5 GB"},     {T - 1, "1024 GB"}, {T, "1 TB"},
        {T + T / 2, "2 TB"}, {Max, "8388608 TB"}};
    for (const auto &[size, text] : rows)
        EXPECT_EQ(FormatFileSize(size), QString::fromLatin1(text)) << size;
}

TEST(FileFacts, GiveSizeTimesAndTheStoredCaptureDateOfEveryPathAndLeaveNoFileOpen)
{
    TempFolder dir;
    const QString photo = dir.write("IMG_1.jpg", cameraPhoto(ByteOrder::Intel, SampleDate));
    const QString link = dir.file("link.jpg"), pipe = dir.file("pipe.jpg");
    const QString sparse = dir.write("gross.jpg");
    ASSERT_TRUE(QFile::link(photo, link));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    ASSERT_EQ(::truncate(QFile::encodeName(sparse).constData(), 5LL << 30), 0);
    // The last-write time is moved away so that it cannot pass for the creation time.
    ASSERT_TRUE(TempFolder::setTimes(photo, QDateTime::currentDateTime().addYears(-3)));
    const char *blankDate = "    :  :     :  :  ";
    // Path, exists, is a regular file, size text (null: not checked), capture date.
    const std::tuple<QString, bool, bool, const char *, const char *> rows[] = {
        {photo, true, true, nullptr, SampleDate},
        {link, true, true, nullptr, SampleDate},
        {dir.write("mm.jpg", cameraPhoto(ByteOrder::Motorola, blankDate)), true, true, nullptr,
         blankDate},
        {dir.write("b.jpg", "no photo"), true, true, "8 Byte", ""},
        {dir.write("leer.jpg"), true, true, "0 Byte", ""},
        {sparse, true, true, "5 GB", ""},
        {dir.mkdir("Fotos.jpg"), true, false, nullptr, ""},
        {pipe, true, false, nullptr, ""},
        {dir.file("weg.jpg"), false, false, "", ""}};
    const uint openBefore = QDir(u"/proc/self/fd"_s).count();
    for (const auto &[path, exists, regular, size, captured] : rows) {
        SCOPED_TRACE(path.toStdString());
        const FileFacts facts = ReadFileFacts(path, true);
        EXPECT_EQ(std::tuple(facts.exists, facts.isRegularFile, facts.size),
                  std::tuple(exists, regular, QFileInfo(path).size()));
        EXPECT_EQ(size ? facts.sizeText : QString(), QLatin1String(size));
        EXPECT_EQ(QStringList({facts.captured, GetCaptureDate(path)}),
                  QStringList({captured, captured}));
        EXPECT_EQ(facts.modified, GetFileTimeText(path, FileTime::Modified, "-", " ", "-"));
        EXPECT_EQ(facts.created, GetFileTimeText(path, FileTime::Created, "-", " ", "-"));
    }
    EXPECT_EQ(QDir(u"/proc/self/fd"_s).count(), openBefore);
    // The creation time is the birth time where the file system keeps one, else empty.
    EXPECT_EQ(ReadFileFacts(photo, false).created,
              QFileInfo(photo).birthTime().toString(u"yyyy-MM-dd HH-mm-ss"_s));
}

TEST(ImageSize, ComesFromTheHeaderOfEveryCommonFormatAndIsEmptyForOtherFiles)
{
    TempFolder dir;
    QImage image(7, 3, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    // TIFF and WebP come with Debian's image-format plugins (a build dependency).
    for (const char *format : {"PNG", "JPG", "BMP", "TIFF", "WEBP"})
        ASSERT_TRUE(image.save(dir.file(u"a."_s + QLatin1String(format)), format)) << format;
    // Qt writes no GIF: 3 x 2 pixels, two colours, one LZW block, by hand.
    dir.write("a.gif", QByteArray("GIF89a\x03\0\x02\0\x80\0\0\0\0\0\xFF\xFF\xFF\x2C\0\0\0\0\x03"
                                  "\0\x02\0\0\x02\x03\x44\x6C\x05\0\x3B",
                                  36));
    // The name does not decide the format; a file that is no image has no size.
    ASSERT_TRUE(image.scaled(2, 9).save(dir.file("png-named.jpg"), "PNG"));
    dir.write("notes.jpg", "not an image at all");
    dir.write("exif-only.jpg", cameraPhoto(ByteOrder::Intel, SampleDate));
    QStringList sizes;
    for (const QString &name : dir.names() + QStringList{u"missing.png"_s}) {
        const QSize size = ReadImageSize(dir.file(name));
        sizes << name + u' ' + ImageDimensionText(size, Qt::Horizontal) + u'x' +
                     ImageDimensionText(size, Qt::Vertical);
    }
    EXPECT_EQ(sizes, QStringList({"a.BMP 7x3", "a.JPG 7x3", "a.PNG 7x3", "a.TIFF 7x3", "a.WEBP 7x3",
                                  "a.gif 3x2", "exif-only.jpg x", "notes.jpg x",
                                  "png-named.jpg 2x9", "missing.png x"}));
}

TEST(Paths, AreTakenApartAsSlashSeparatedText)
{
    const QStringList folders = {"/home/u/Fotos/2005.07 Urlaub/", "/home/u/Fotos//", "/", "",
                                 "/a/C:\\Fotos\\Urlaub/"};
    QStringList lastParts;
    for (const QString &folder : folders)
        lastParts << LastPathPart(folder);
    EXPECT_EQ(lastParts, QStringList({"2005.07 Urlaub", "Fotos", "", "", "C:\\Fotos\\Urlaub"}));
    // A folder path (true) ends with the folder's name, a file path with name and extension.
    const std::tuple<QString, bool, QString> splits[] = {
        {"/home/u/2005.07 Urlaub/", true, "||home|u|2005.07 Urlaub"},
        {"/", true, "|"},
        {"/home/u/bild.tar.gz", false, "||home|u|bild.tar|gz"},
        {"/home/u.v/README", false, "||home|u.v|README|"},
        {"rel/a.b:c", false, "|rel|a|b:c"}};
    for (const auto &[path, asFolder, parts] : splits)
        EXPECT_EQ(SplitPath(path, asFolder).join(u'|'), parts);
}

} // namespace
