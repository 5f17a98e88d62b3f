#include "metadata/photofacts.h"

#include "metadata/audiotags.h"
#include "metadata/filebytes.h"
#include "metadata/isobmff.h"
#include "metadata/photofacts_p.h"
#include "metadata/tiffwalker_p.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>

namespace kesto {

namespace {

bool startsWith(FileBytes &file, qint64 at, const char *magic, qsizetype n)
{
    const quint8 *p = file.bytes(at, n);
    return p && std::memcmp(p, magic, size_t(n)) == 0;
}

quint32 bigEndian32(const quint8 *p)
{
    return quint32(p[0]) << 24 | quint32(p[1]) << 16 | quint32(p[2]) << 8 | p[3];
}

quint32 littleEndian32(const quint8 *p)
{
    return quint32(p[3]) << 24 | quint32(p[2]) << 16 | quint32(p[1]) << 8 | p[0];
}

bool isHeifBrand(const quint8 *brand)
{
    static constexpr const char *brands[] = {"heic", "heix", "heim", "heis", "hevc", "hevx", "hevm",
                                             "hevs", "mif1", "mif2", "msf1", "avif", "avis"};
    return std::any_of(std::begin(brands), std::end(brands),
                       [brand](const char *b) { return std::memcmp(brand, b, 4) == 0; });
}

// An ISO base media file names its brands in its first box; an image
// brand, major or compatible, makes it a HEIF image.
PhotoContainer isoContainer(FileBytes &file)
{
    const quint8 *head = file.bytes(0, 4);
    const qint64 boxEnd = std::min<qint64>(head ? bigEndian32(head) : 0, 16 + 4 * 64);
    for (qint64 at = 8; at + 4 <= std::max<qint64>(boxEnd, 12); at += at == 8 ? 8 : 4) {
        const quint8 *brand = file.bytes(at, 4);
        if (brand && isHeifBrand(brand))
            return PhotoContainer::Heif;
    }
    return PhotoContainer::Movie;
}

// Where the Exif block of a photo lies, and the pixel size its container tells.
struct ExifPlace
{
    qint64 start = -1;
    qint64 length = 0;
    QSize size;
};

// A block that begins with the name of a JPEG's Exif segment is read past it.
void setBlock(FileBytes &file, ExifPlace &place, qint64 start, qint64 length)
{
    const bool named = length >= 6 && startsWith(file, start, "Exif\0\0", 6);
    place.start = named ? start + 6 : start;
    place.length = named ? length - 6 : length;
}

// The segments before the image data, up to the first Exif segment.
ExifPlace jpegExif(FileBytes &file)
{
    ExifPlace place;
    for (qint64 at = 2;;) {
        const quint8 *p = file.bytes(at, 4);
        if (!p || p[0] != 0xFF || p[1] == 0xD9 || p[1] == 0xDA)
            return place;
        const quint8 marker = p[1];
        if (marker == 0xFF || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
            at += marker == 0xFF ? 1 : 2; // a fill byte, or a marker without length
            continue;
        }
        const qint64 length = p[2] << 8 | p[3];
        if (length < 2)
            return place;
        if (marker == 0xE1 && length >= 8 && startsWith(file, at + 4, "Exif\0\0", 6)) {
            place.start = at + 10;
            place.length = length - 8;
            return place;
        }
        at += 2 + length;
    }
}

// The chunks up to the first eXIf chunk; the size comes from the header chunk.
ExifPlace pngExif(FileBytes &file)
{
    ExifPlace place;
    for (qint64 at = 8;;) {
        const quint8 *p = file.bytes(at, 8);
        if (!p || bigEndian32(p) > 0x7FFFFFFF || std::memcmp(p + 4, "IEND", 4) == 0)
            return place;
        const qint64 length = bigEndian32(p);
        if (std::memcmp(p + 4, "eXIf", 4) == 0) {
            setBlock(file, place, at + 8, length);
            return place;
        }
        const quint8 *header = std::memcmp(p + 4, "IHDR", 4) == 0 ? file.bytes(at + 8, 8) : nullptr;
        if (header)
            place.size = QSize(int(bigEndian32(header)), int(bigEndian32(header + 4)));
        at += 12 + length;
    }
}

// The size in the first bytes of a WebP frame, lossy ("VP8 ") or lossless
// ("VP8L"); invalid for any other chunk.
QSize frameSize(FileBytes &file, const char *type, qint64 data)
{
    const quint8 *q = nullptr;
    if (std::memcmp(type, "VP8 ", 4) == 0 && (q = file.bytes(data + 3, 7)) &&
        std::memcmp(q, "\x9D\x01\x2A", 3) == 0)
        return QSize(int((q[3] | q[4] << 8) & 0x3FFF), int((q[5] | q[6] << 8) & 0x3FFF));
    if (std::memcmp(type, "VP8L", 4) == 0 && (q = file.bytes(data, 5)) && q[0] == 0x2F) {
        const quint32 bits = littleEndian32(q + 1);
        return QSize(int((bits & 0x3FFF) + 1), int((bits >> 14 & 0x3FFF) + 1));
    }
    return {};
}

// The chunks of a WebP file. The canvas of an extended file gives the size,
// else the first frame; exiftool reads it from the same fields.
ExifPlace webpExif(FileBytes &file)
{
    ExifPlace place;
    for (qint64 at = 12;;) {
        const quint8 *p = file.bytes(at, 8);
        if (!p)
            return place;
        char type[4];
        std::memcpy(type, p, 4);
        const qint64 length = littleEndian32(p + 4);
        const qint64 data = at + 8;
        const quint8 *q = nullptr;
        if (std::memcmp(type, "EXIF", 4) == 0 && place.start < 0) {
            setBlock(file, place, data, length);
        } else if (std::memcmp(type, "VP8X", 4) == 0 && (q = file.bytes(data + 4, 6))) {
            place.size = QSize(1 + int(q[0] | q[1] << 8 | q[2] << 16),
                               1 + int(q[3] | q[4] << 8 | q[5] << 16));
        } else if (!place.size.isValid()) {
            place.size = frameSize(file, type, data);
        }
        at = data + length + (length & 1);
    }
}

// The Exif block of a photo whose container holds one in the file itself.
ExifPlace exifPlace(FileBytes &file, PhotoContainer container)
{
    switch (container) {
    case PhotoContainer::Jpeg:
        return jpegExif(file);
    case PhotoContainer::Tiff:
    case PhotoContainer::Panasonic:
        return {0, file.size(), {}};
    case PhotoContainer::Png:
        return pngExif(file);
    case PhotoContainer::WebP:
        return webpExif(file);
    default:
        return {};
    }
}

TiffLayout layoutOf(PhotoContainer container)
{
    return container == PhotoContainer::Jpeg        ? TiffLayout::InJpeg
           : container == PhotoContainer::Panasonic ? TiffLayout::Panasonic
                                                    : TiffLayout::Plain;
}

// One photo's Exif block, walked; a HEIF image's comes into memory first.
class PhotoExif
{
public:
    PhotoExif(FileBytes &file, PhotoContainer container)
        : m_place(exifPlace(file, container))
    {
        if (container == PhotoContainer::Heif) {
            m_memory = HeifExifBlock(file);
            m_block.emplace(m_memory);
        } else {
            m_block.emplace(file, m_place.start, m_place.start < 0 ? 0 : m_place.length);
        }
        tags = WalkTiff(*m_block, layoutOf(container));
    }

    TiffBytes &block() { return *m_block; }
    const ExifPlace &place() const { return m_place; }
    QString text(const TiffValue &value) { return SafeNameValue(TiffText(*m_block, value)); }
    QString numbers(const TiffValue &value)
    {
        return SafeNameValue(TiffNumbers(*m_block, tags, value));
    }
    std::optional<double> number(const TiffValue &value, quint32 index = 0)
    {
        double n = 0;
        return TiffNumber(*m_block, tags, value, index, &n) ? std::optional(n) : std::nullopt;
    }

    TiffTags tags;

private:
    ExifPlace m_place;
    QByteArray m_memory;
    std::optional<TiffBytes> m_block;
};

// exiftool's way with an exposure time: fractions of a second below a
// quarter as 1/n, longer times with one decimal unless it is 0.
QString exposureText(std::optional<double> seconds)
{
    if (!seconds)
        return {};
    if (*seconds > 0 && *seconds < 0.25001)
        return QStringLiteral("1/") + QString::number(std::floor(0.5 + 1 / *seconds), 'f', 0);
    QString text = QString::number(*seconds, 'f', 1);
    if (text.endsWith(QStringLiteral(".0")))
        text.chop(2);
    return text;
}

// Degrees, minutes and seconds as one signed number, as exiftool's composite
// tag gives it: negative when the reference begins with \a negative.
QString degreesText(PhotoExif &exif, const TiffValue &value, const TiffValue &reference,
                    QChar negative)
{
    if (!value.found() || value.count == 0)
        return {};
    double parts[3] = {0, 0, 0};
    for (quint32 k = 0; k < std::min<quint32>(value.count, 3); ++k) {
        const std::optional<double> part = exif.number(value, k);
        if (!part)
            return {};
        parts[k] = *part;
    }
    double degrees = parts[0] + (parts[1] + parts[2] / 60) / 60;
    if (TiffText(exif.block(), reference).startsWith(negative, Qt::CaseInsensitive))
        degrees = -degrees;
    const QString text = QString::number(degrees, 'f', 5);
    return text == QStringLiteral("-0.00000") ? text.mid(1) : text;
}

QSize tiffSize(PhotoExif &exif, PhotoContainer container)
{
    const TiffTags &t = exif.tags;
    std::optional<double> width = exif.number(t.width), height = exif.number(t.height);
    if (container == PhotoContainer::Panasonic) {
        const auto span = [&exif](const TiffValue &from, const TiffValue &to) {
            const std::optional<double> a = exif.number(from), b = exif.number(to);
            return a && b ? std::optional(*b - *a) : std::nullopt;
        };
        width = span(t.borders[1], t.borders[3]);
        height = span(t.borders[0], t.borders[2]);
    }
    return width && height ? QSize(int(*width), int(*height)) : QSize();
}

} // namespace

PhotoFacts PhotoFactsOf(FileBytes &file, PhotoContainer container)
{
    if (container == PhotoContainer::Unknown || container == PhotoContainer::Movie)
        return {};
    PhotoExif exif(file, container);
    const TiffTags &t = exif.tags;
    return {exif.text(t.make),
            exif.text(t.model),
            exif.text(t.lens),
            exif.numbers(t.iso),
            exif.numbers(t.aperture),
            SafeNameValue(exposureText(exif.number(t.exposure))),
            exif.numbers(t.focalLength),
            degreesText(exif, t.latitude, t.latitudeRef, u'S'),
            degreesText(exif, t.longitude, t.longitudeRef, u'W'),
            exif.numbers(t.orientation)};
}

PhotoContainer ContainerOf(FileBytes &file)
{
    if (startsWith(file, 0, "\xFF\xD8", 2))
        return PhotoContainer::Jpeg;
    for (const char *mark : {"II*\0", "MM\0*", "IIRO", "IIRS", "MMOR"}) {
        if (startsWith(file, 0, mark, 4))
            return PhotoContainer::Tiff;
    }
    if (startsWith(file, 0, "IIU\0", 4))
        return PhotoContainer::Panasonic;
    if (startsWith(file, 0, "\x89PNG\r\n\x1A\n", 8))
        return PhotoContainer::Png;
    if (startsWith(file, 0, "RIFF", 4) && startsWith(file, 8, "WEBP", 4))
        return PhotoContainer::WebP;
    if (startsWith(file, 4, "ftyp", 4))
        return isoContainer(file);
    for (const char *box : {"moov", "mdat", "wide", "free", "skip", "pnot"}) {
        if (startsWith(file, 4, box, 4))
            return PhotoContainer::Movie;
    }
    return PhotoContainer::Unknown;
}

QString OtherCaptureDate(FileBytes &file, PhotoContainer container)
{
    if (container == PhotoContainer::Movie)
        return ReadMovieFacts(file).captured;
    PhotoExif exif(file, container);
    return TiffText(exif.block(), exif.tags.captured);
}

QSize OwnImageSize(const QString &path)
{
    FileBytes file;
    const PhotoContainer container = file.open(path) ? ContainerOf(file) : PhotoContainer::Unknown;
    switch (container) {
    case PhotoContainer::Tiff:
    case PhotoContainer::Panasonic: {
        PhotoExif exif(file, container);
        return tiffSize(exif, container);
    }
    case PhotoContainer::Png:
    case PhotoContainer::WebP:
        return exifPlace(file, container).size;
    case PhotoContainer::Heif:
        return HeifImageSize(file);
    default:
        return {};
    }
}

PhotoFacts ReadPhotoFacts(const QString &path)
{
    FileBytes file;
    return file.open(path) ? PhotoFactsOf(file, ContainerOf(file)) : PhotoFacts();
}

PhotoFacts PhotoFactsOfOpenFile(int fd, qint64 size)
{
    FileBytes file;
    return file.adopt(fd, size) ? PhotoFactsOf(file, ContainerOf(file)) : PhotoFacts();
}

bool MayHoldCaptureDate(QStringView name)
{
    // The loader asks for every file, so the extension is compared in a
    // small buffer of its own, in small letters.
    const qsizetype dot = name.lastIndexOf(u'.');
    const qsizetype length = dot < 0 ? 0 : name.size() - dot - 1;
    if (length < 2 || length > 4)
        return false;
    char extension[5] = {};
    for (qsizetype k = 0; k < length; ++k) {
        const char16_t c = name[dot + 1 + k].unicode();
        if (c >= 0x80)
            return false;
        extension[k] = char(c >= u'A' && c <= u'Z' ? c + 32 : c);
    }
    static constexpr const char *extensions[] = {
        "jpg",  "jpeg", "jpe", "jfif", "tif", "tiff", "dng", "nef", "nrw", "cr2",
        "arw",  "srf",  "sr2", "orf",  "rw2", "rwl",  "pef", "raw", "png", "webp",
        "heic", "heif", "hif", "avif", "mp4", "mov",  "m4v", "3gp", "3g2", "qt"};
    return std::any_of(std::begin(extensions), std::end(extensions),
                       [&extension](const char *e) { return std::strcmp(extension, e) == 0; });
}

} // namespace kesto
