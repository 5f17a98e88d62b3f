#include "metadata/filebytes.h"
#include "metadata/isobmff.h"

#include "support/photobuilder.h"
#include "support/tempfiles.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QImage>
#include <QProcess>

#include <ctime>

#include <sys/mman.h>
#include <unistd.h>

using namespace kesto;
using namespace kesto::test;
using namespace Qt::StringLiterals;

namespace {

// Runs \a commands in the shell in \a dir.
void run(const TempFolder &dir, const QString &commands)
{
    QProcess::execute(u"sh"_s, {u"-c"_s, u"cd '%1' && %2"_s.arg(dir.path(), commands)});
}

// \a head, a hole of \a hole bytes and \a tail: a file in memory, read in
// pieces of 8 bytes, so that every number may straddle two reads.
struct Bytes : FileBytes
{
    explicit Bytes(const QByteArray &head, qint64 hole = 0, const QByteArray &tail = {})
        : FileBytes(8, 8)
    {
        const int fd = ::memfd_create("isobmff", MFD_CLOEXEC);
        const qint64 size = head.size() + hole + tail.size();
        if (::pwrite(fd, head.data(), size_t(head.size()), 0) != head.size() ||
            ::pwrite(fd, tail.data(), size_t(tail.size()), size - tail.size()) != tail.size())
            ADD_FAILURE() << "cannot write into memory";
        adopt(fd, size);
    }
    QByteArray exif() { return HeifExifBlock(*this); }
    MovieFacts film() { return ReadMovieFacts(*this); }
};

QByteArray be(quint64 value, int size)
{
    QByteArray out;
    // Fields wider than eight bytes are zeros in front of the value.
    for (int i = size - 1; i >= 0; --i)
        out += char(i < 8 ? value >> 8 * i : 0);
    return out;
}

QByteArray box(const QByteArray &type, const QByteArray &body)
{
    return be(8 + body.size(), 4) + type + body;
}

// The item location box's version and field sizes, where the Exif item lies
// (0 in the file, 1 in the idat box) and in how many pieces.
struct Layout
{
    int version, offsetSize, lengthSize, baseSize, indexSize, method, extents;
};

// A HEIF image with an image item (1) and an Exif item (2) whose pieces lie
// in reverse order behind three bytes, in the media data before the meta box
// or in its idat box.
QByteArray heif(const Layout &l, const QByteArray &item)
{
    const int idSize = l.version < 2 ? 2 : 4, infe = l.version < 2 ? 2 : 3;
    const qint64 start = l.method == 1 ? 0 : 28, base = l.baseSize > 0 ? start + 3 : 0;
    const qsizetype piece = (item.size() + l.extents - 1) / l.extents;
    QByteArray area = "pad", extents;
    for (int k = l.extents - 1; k >= 0; --k) {
        const QByteArray part = item.mid(k * piece, piece);
        extents.prepend(be(k, l.indexSize) + be(start + area.size() - base, l.offsetSize) +
                        be(part.size(), l.lengthSize));
        area += part;
    }
    const QByteArray method = l.version > 0 ? be(l.method, 2) : QByteArray();
    const QByteArray iloc = be(l.version << 24, 4) + char(l.offsetSize << 4 | l.lengthSize) +
                            char(l.baseSize << 4 | l.indexSize) + be(2, idSize) + be(1, idSize) +
                            method + QByteArray(2 + l.baseSize, 0) + be(1, 2) +
                            QByteArray(l.indexSize + l.offsetSize + l.lengthSize, 0) +
                            be(2, idSize) + method + be(0, 2) + be(base, l.baseSize) +
                            be(l.extents, 2) + extents;
    const QByteArray iinf = (l.version < 2 ? be(2, 6) : be(1, 1) + be(2, 7)) +
                            box("infe", be(2 << 24, 4) + be(1, 4) + "hvc1") +
                            box("infe", be(infe << 24, 4) + be(2, idSize) + be(0, 2) + "Exif");
    const QByteArray meta = box("meta", be(0, 4) + box("iinf", iinf) + box("iloc", iloc) +
                                            (l.method == 1 ? box("idat", area) : QByteArray()));
    return box("ftyp", "heic" + be(0, 4) + "mif1") +
           (l.method == 1 ? QByteArray() : box("mdat", area)) + meta;
}

TEST(HeifExif, IsFoundInEveryItemLayoutAsExiftoolFindsItAndNeverOutsideTheItem)
{
    const QByteArray mm = QByteArray("MM\0*\0\0\0\x08", 8) + "Motorola";
    const QByteArray ii = QByteArray("II*\0\x08\0\0\0", 8) + "Intel";
    const QByteArray mark("Exif\0\0", 6);
    const std::tuple<Layout, QByteArray, QByteArray> rows[] = {
        {{1, 8, 8, 4, 4, 0, 3}, be(0, 4) + ii, ii},
        {{2, 4, 8, 8, 0, 1, 2}, be(6, 4) + mark + mm, mm},
        {{1, 0, 4, 4, 0, 1, 1}, be(2, 4) + "xy" + ii, ii},
        {{2, 4, 0, 0, 8, 1, 1}, be(0, 4) + mark + ii, ii},
        // Refused: version, field size, construction method; a gap past the item; no TIFF.
        {{3, 4, 4, 0, 0, 0, 1}, be(0, 4) + ii, {}},
        {{1, 2, 4, 0, 0, 0, 1}, be(0, 4) + ii, {}},
        {{1, 4, 4, 0, 0, 2, 1}, be(0, 4) + ii, {}},
        {{0, 4, 4, 0, 0, 0, 1}, be(99, 4) + ii, {}},
        {{0, 4, 4, 0, 0, 0, 1}, be(0, 4) + mark, {}},
    };
    const auto check = [](const QByteArray &image, const QByteArray &tiff) {
        EXPECT_EQ(Bytes(image).exif(), tiff) << image.size();
        // Cut short anywhere, the image gives no bytes but the block's own.
        for (qsizetype n = 0; n < image.size(); ++n)
            ASSERT_TRUE(tiff.startsWith(Bytes(image.first(n)).exif())) << image.size() << ' ' << n;
    };
    for (const auto &[layout, item, tiff] : rows)
        check(heif(layout, item), tiff);
    // heif-enc writes two images and exiftool their Exif; avifenc one with its Exif.
    TempFolder dir;
    QImage(16, 16, QImage::Format_RGB32).save(dir.file(u"p.png"_s));
    const TiffBuilder intel{ByteOrder::Intel};
    dir.write(u"tiff"_s, intel.build({TiffDirectory{{intel.ascii(271, "Kesto")}}}));
    run(dir,
        u"heif-enc p.png -o a.heic; heif-enc p.png -o b.avif; avifenc --exif tiff p.png c.avif;"
        u"exiftool -q -overwrite_original -Make=Kesto a.heic b.avif;"
        u"for f in a.heic b.avif c.avif; do exiftool -b -exif $f > $f.exif; done"_s);
    for (const QString &name : {u"a.heic"_s, u"b.avif"_s, u"c.avif"_s}) {
        if (dir.read(name + u".exif"_s).isEmpty())
            GTEST_SKIP() << "needs heif-enc, avifenc and exiftool";
        check(dir.read(name), dir.read(name + u".exif"_s));
    }
}

TEST(Films, TellTheMomentInLocalTimeAndTheLengthThatExiftoolReads)
{
    const QByteArray zone = qgetenv("TZ");
    qputenv("TZ", "America/New_York"), tzset();
    // A header with 64-bit fields (version 1), made 2024-03-05 14:07:09 UTC, 3725.5 s long.
    const QByteArray header =
        box("mvhd", be(1 << 24, 4) + be(3792492429, 8) + be(0, 8) + be(600, 4) + be(2235299, 8));
    const QByteArray ftyp = box("ftyp", "isom" + be(0, 4)), moov = box("moov", header);
    const QByteArray mdat = be(1, 4) + "mdat" + be(16 + (5LL << 30), 8); // a hole of 5 GB
    // Apple's key list: a meta box without version, the date in the first item of its list.
    const QByteArray key = "com.apple.quicktime.creationdate";
    const QByteArray meta =
        box("meta",
            box("hdlr", be(0, 25)) + box("keys", be(1, 8) + be(8 + key.size(), 4) + "mdta" + key) +
                box("ilst",
                    box(be(1, 4), box("data", be(1ULL << 32, 8) + "2024-03-05T15:07:10+01:00"))));
    // Headers of version 0 and, laid out as it, of an unknown version 2.
    const auto header0 = [](int version, quint32 length) {
        return box("mvhd", be(version << 24, 4) + be(3792492429, 4) + be(0, 4) + be(600, 4) +
                               be(length, 4));
    };
    const QByteArray noTimescale = QByteArray(header).replace(28, 4, be(0, 4));
    const std::tuple<QByteArray, qint64, QByteArray, QString> rows[] = {
        {ftyp + mdat, 5LL << 30, moov, u"2024:03:05 09:07:09 = 1-02-05"_s},
        {ftyp + box("moov", header + meta), 0, {}, u"2024:03:05 09:07:10 = 1-02-05"_s},
        // An old film without a file type, its last box reaching to the end, without a
        // timescale; a header of version 0 whose length, all ones, is unknown.
        {box("wide", {}) + be(0, 4) + "moov" + noTimescale, 0, {}, u"2024:03:05 09:07:09 = "_s},
        {ftyp + box("moov", header0(0, ~0U)), 0, {}, u"2024:03:05 09:07:09 = "_s},
        // Damaged: an unknown version, a box past its parent, one shorter than its
        // header, too many boxes; a file that begins as no film does.
        {ftyp + box("moov", header0(2, 6000)), 0, {}, u" = "_s},
        {ftyp + box("moov", be(header.size() + 1, 4) + header.sliced(4)), 0, {}, u" = "_s},
        {ftyp + be(7, 4) + "free" + moov, 0, {}, u" = "_s},
        {ftyp + box("free", {}).repeated(1 << 18) + moov, 0, {}, u" = "_s},
        {box("film", {}) + moov, 0, {}, u" = "_s},
    };
    const auto shown = [](const MovieFacts &facts) {
        return facts.captured + u" = "_s + DurationText(facts.durationMs);
    };
    for (const auto &[head, hole, tail, text] : rows)
        EXPECT_EQ(shown(Bytes(head, hole, tail).film()), text) << head.left(40).toHex().data();

    // Frame rate, seconds, metadata, name: one over an hour, whose key list's
    // date (with its zone) outranks the header's; one without a date.
    const QStringList films = {u"1 3 -metadata creation_time=2024-03-05T14:07:09Z a.mp4"_s,
                               u"1/5 3725 -metadata creation_time=2020-01-01T00:00:00Z -metadata "
                               u"com.apple.quicktime.creationdate=2024-07-05T14:07:09+0100 b.mov"_s,
                               u"2 65.5 c.m4v"_s,
                               u"4 0.25 -metadata creation_time=1999-12-31T23:59:59Z d.3gp"_s};
    TempFolder dir;
    QString seconds;
    QStringList ours;
    for (const QString &film : films) {
        const QStringList f = film.split(u' ');
        run(dir,
            u"ffmpeg -v error -f lavfi -i color=s=16x16:r=%1 -t %2 -c:v mpeg4 "_s.arg(f[0], f[1]) +
                u"-movflags use_metadata_tags "_s + f.sliced(2).join(u' '));
        const MovieFacts facts = Bytes(dir.read(f.last())).film();
        ours << shown(facts);
        seconds += QString::number(facts.durationMs / 1000.0) + u'\n';
    }
    EXPECT_EQ(ours,
              (QStringList{u"2024:03:05 09:07:09 = 0-03"_s, u"2024:07:05 09:07:09 = 1-02-05"_s,
                           u" = 1-06"_s, u"1999:12:31 18:59:59 = 0-00"_s}));
    run(dir, u"exiftool -T -Duration# a.mp4 b.mov c.m4v d.3gp > lengths"_s);
    zone.isNull() ? qunsetenv("TZ") : qputenv("TZ", zone), tzset();
    if (dir.read(u"lengths"_s).isEmpty())
        GTEST_SKIP() << "needs exiftool";
    EXPECT_EQ(seconds.toUtf8(), dir.read(u"lengths"_s));
}

} // namespace
