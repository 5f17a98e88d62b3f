#include "metadata/imagefacts.h"

#include "support/photobuilder.h"
#include "support/tempfiles.h"
#include "variantprinter.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>

using namespace kesto;
using namespace kesto::test;

namespace {

constexpr quint16 DateTimeOriginal = 36867;

TEST(CaptureDate, IsTheStoredDateTimeOriginalOfEitherByteOrder)
{
    TempFolder dir;
    EXPECT_EQ(GetCaptureDate(dir.write(QStringLiteral("Foto.JPG"),
                                       cameraPhoto(ByteOrder::Intel, "2005:07:14 13:45:12"))),
              QStringLiteral("2005:07:14 13:45:12"));
    EXPECT_EQ(GetCaptureDate(dir.write(QStringLiteral("b.jpg"),
                                       cameraPhoto(ByteOrder::Motorola, "2006:03:14 09:05:07"))),
              QStringLiteral("2006:03:14 09:05:07"));
    // Stored as it is, neither checked nor reformatted.
    EXPECT_EQ(GetCaptureDate(dir.write(QStringLiteral("c.jpg"),
                                       cameraPhoto(ByteOrder::Motorola, "    :  :     :  :  "))),
              QStringLiteral("    :  :     :  :  "));
}

TEST(CaptureDate, IsEmptyWithoutExifOrWithoutTheTag)
{
    TempFolder dir;
    const TiffBuilder b(ByteOrder::Intel);
    EXPECT_EQ(
        GetCaptureDate(dir.write(QStringLiteral("a.jpg"), jpegFile({jpegSegment(0xE0, "JFIF")}))),
        QString());
    EXPECT_EQ(GetCaptureDate(dir.write(
                  QStringLiteral("b.jpg"),
                  jpegFile({exifSegment(b.build({TiffDirectory{{b.ascii(271, "Cam")}}}).bytes)}))),
              QString());
    // No entry decoded at all.
    EXPECT_EQ(GetCaptureDate(dir.write(QStringLiteral("c.jpg"),
                                       jpegFile({exifSegment(b.build({TiffDirectory{}}).bytes)}))),
              QString());
    EXPECT_EQ(GetCaptureDate(dir.file(QStringLiteral("missing.jpg"))), QString());
}

TEST(CaptureDate, IsEmptyWhenTheWalkEndsBeforeTheTag)
{
    TempFolder dir;
    const TiffBuilder b(ByteOrder::Motorola);
    const TiffDirectory exif{
        {b.longs(33000, {0x80000000}), b.ascii(DateTimeOriginal, "2005:07:14 13:45:12")}};
    EXPECT_EQ(
        GetCaptureDate(dir.write(
            QStringLiteral("a.jpg"),
            jpegFile({exifSegment(b.build({TiffDirectory{{b.exifPointer()}}}, exif).bytes)}))),
        QString());
}

TEST(CaptureDate, OfANumberIsItsDigits)
{
    TempFolder dir;
    const TiffBuilder b(ByteOrder::Intel);
    EXPECT_EQ(GetCaptureDate(dir.write(
                  QStringLiteral("a.jpg"),
                  jpegFile({exifSegment(
                      b.build({TiffDirectory{{b.shorts(DateTimeOriginal, {2005})}}}).bytes)}))),
              QStringLiteral("2005"));
}

QByteArray encoded(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, format)) << format;
    return bytes;
}

// Qt writes no GIF, so this one is put together by hand: 3 x 2 pixels, two
// colours, one LZW-coded block of clear code, six pixels and end code.
QByteArray smallGif()
{
    QByteArray gif("GIF89a", 6);
    gif += QByteArray("\x03\0\x02\0\x80\0\0", 7);        // screen 3 x 2, 2-colour table
    gif += QByteArray("\0\0\0\xFF\xFF\xFF", 6);          // black, white
    gif += QByteArray("\x2C\0\0\0\0\x03\0\x02\0\0", 10); // image 3 x 2 at 0,0
    gif += QByteArray("\x02\x03\x44\x6C\x05\0\x3B", 7);  // LZW data, trailer
    return gif;
}

TEST(ImageSize, ComesFromTheHeaderOfEveryCommonFormat)
{
    TempFolder dir;
    QImage image(7, 3, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    const struct
    {
        const char *name;
        QByteArray bytes;
        QSize size;
    } files[] = {{"a.png", encoded(image, "PNG"), QSize(7, 3)},
                 {"a.jpg", encoded(image, "JPG"), QSize(7, 3)},
                 {"a.bmp", encoded(image, "BMP"), QSize(7, 3)},
                 {"a.gif", smallGif(), QSize(3, 2)},
                 // With Debian's image-format plugins (a build dependency).
                 {"a.tif", encoded(image, "TIFF"), QSize(7, 3)},
                 {"a.webp", encoded(image, "WEBP"), QSize(7, 3)},
                 // The name does not decide the format.
                 {"png-named.jpg", encoded(image.scaled(2, 9), "PNG"), QSize(2, 9)},
                 {"photo.jpg",
                  jpegFile({exifSegment(TiffBuilder(ByteOrder::Intel).build({}).bytes)},
                           encoded(image, "JPG").mid(2)),
                  QSize(7, 3)}};
    for (const auto &f : files) {
        const QString path = dir.write(QString::fromLatin1(f.name), f.bytes);
        ASSERT_EQ(QImage(path).size(), f.size) << f.name;
        EXPECT_EQ(ReadImageSize(path), f.size) << f.name;
        EXPECT_EQ(ImageDimensionText(ReadImageSize(path), Qt::Horizontal),
                  QString::number(f.size.width()));
        EXPECT_EQ(ImageDimensionText(ReadImageSize(path), Qt::Vertical),
                  QString::number(f.size.height()));
    }
}

TEST(ImageSize, IsInvalidForAFileThatIsNoImage)
{
    TempFolder dir;
    for (const QString &path :
         {dir.write(QStringLiteral("notes.jpg"), "not an image at all"),
          dir.write(QStringLiteral("empty.png")), dir.file(QStringLiteral("missing.png")),
          dir.write(QStringLiteral("exif-only.jpg"), cameraPhoto(ByteOrder::Intel, "x"))}) {
        EXPECT_FALSE(ReadImageSize(path).isValid()) << path.toStdString();
        EXPECT_EQ(ImageDimensionText(ReadImageSize(path), Qt::Horizontal), QString());
        EXPECT_EQ(ImageDimensionText(ReadImageSize(path), Qt::Vertical), QString());
    }
}

struct PathCase
{
    QString folder;
    QString last;
};

TEST(LastPathPart, IsTheLastComponentOfTheFolderText)
{
    const PathCase cases[] = {
        {QStringLiteral("/home/u/Fotos/2005.07 Urlaub/"), QStringLiteral("2005.07 Urlaub")},
        {QStringLiteral("/home/u/Fotos/2005.07 Urlaub"), QStringLiteral("2005.07 Urlaub")},
        {QStringLiteral("/home/u/Fotos//"), QStringLiteral("Fotos")},
        {QStringLiteral("/tmp/"), QStringLiteral("tmp")},
        {QStringLiteral("/"), QString()},
        {QStringLiteral("//"), QString()},
        {QString(), QString()},
        {QStringLiteral("relative/dir/"), QStringLiteral("dir")},
        {QStringLiteral("single"), QStringLiteral("single")},
        {QStringLiteral("/a/C:\\Fotos\\Urlaub/"), QStringLiteral("C:\\Fotos\\Urlaub")},
        // The folder need not exist; only the text counts.
        {QStringLiteral("/no/such/folder/anywhere/"), QStringLiteral("anywhere")}};
    for (const PathCase &c : cases)
        EXPECT_EQ(LastPathPart(c.folder), c.last) << c.folder.toStdString();
}

TEST(SplitPath, GivesFolderPartsOrBaseNameAndExtension)
{
    EXPECT_EQ(SplitPath(QStringLiteral("/home/u/2005.07 Urlaub/"), true),
              QStringList({"", "", "home", "u", "2005.07 Urlaub"}));
    EXPECT_EQ(SplitPath(QStringLiteral("/home/u/2005.07 Urlaub"), true),
              QStringList({"", "", "home", "u", "2005.07 Urlaub"}));
    EXPECT_EQ(SplitPath(QStringLiteral("/home/u/bild.tar.gz"), false),
              QStringList({"", "", "home", "u", "bild.tar", "gz"}));
    EXPECT_EQ(SplitPath(QStringLiteral("/home/u.v/README"), false),
              QStringList({"", "", "home", "u.v", "README", ""}));
    EXPECT_EQ(SplitPath(QStringLiteral("rel/a.b:c"), false), QStringList({"", "rel", "a", "b:c"}));
    EXPECT_EQ(SplitPath(QStringLiteral("/"), true), QStringList({"", ""}));
    EXPECT_EQ(LastPathPart(QStringLiteral("/")), QString());
}

} // namespace
