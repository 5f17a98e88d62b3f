#include "metadata/isobmff.h"

#include "metadata/filebytes.h"
#include "metadata/filetimes_p.h"

#include <QDateTime>
#include <QList>

#include <algorithm>
#include <climits>
#include <iterator>
#include <limits>
#include <optional>

namespace kesto {

namespace {

constexpr quint32 fourCC(const char (&text)[5])
{
    return quint32(quint8(text[0])) << 24 | quint32(quint8(text[1])) << 16 |
           quint32(quint8(text[2])) << 8 | quint32(quint8(text[3]));
}

// Boxes and table entries looked at in one file before it counts as damaged: a
// real one needs a few hundred, a forged one of tiny boxes could keep a walk
// busy for hours.
constexpr int MaxSteps = 1 << 18;
// The Exif item is copied whole; one larger than this is damage, not a photo's.
constexpr qint64 MaxExifSize = 16 << 20;
// The name builder takes a date's parts by their places, so only years of
// four digits are told: 1904-01-01 (the films' epoch) to 9999-12-30 (UTC).
constexpr qint64 FirstSecond = -2082844800;
constexpr qint64 LastSecond = 253402214399;
// The films count seconds from 1904-01-01 UTC.
constexpr qint64 SecondsFrom1904To1970 = 2082844800;

struct Box
{
    quint32 type = 0;
    qint64 body = 0; ///< the first byte after the header
    qint64 end = 0;  ///< one past the last byte
};

// Reads big-endian numbers one after another up to an end; a read past it, or
// one the file refuses, fails this and every later read.
struct Cursor
{
    FileBytes &file;
    qint64 at;
    qint64 end;
    bool ok = true;

    /// The next \a size bytes (0 to 8; 0 gives 0) as a number.
    quint64 take(int size)
    {
        const quint8 *p = nullptr;
        if (ok && size > 0 && size <= 8 && end - at >= size)
            p = file.bytes(at, size);
        ok = ok && (size == 0 || p);
        if (!ok)
            return 0;
        quint64 value = 0;
        for (int i = 0; i < size; ++i)
            value = value << 8 | p[i];
        at += size;
        return value;
    }

    void skip(qint64 n)
    {
        ok = ok && n >= 0 && n <= end - at;
        at += ok ? n : 0;
    }
};

class BoxReader
{
public:
    explicit BoxReader(FileBytes &file)
        : m_file(file)
    {}

    FileBytes &file() { return m_file; }

    // Counts \a n steps against the limit; false once it is passed.
    bool step(qint64 n = 1)
    {
        m_steps += n;
        return m_steps <= MaxSteps;
    }

    // The box whose header starts at \a at, within a parent (or the file) that
    // ends at \a end; size 0 reaches to that end, size 1 is followed by a
    // 64-bit size.
    std::optional<Box> boxAt(qint64 at, qint64 end)
    {
        Cursor c{m_file, at, end};
        quint64 size = c.take(4);
        const quint32 type = quint32(c.take(4));
        if (size == 1)
            size = c.take(8);
        else if (size == 0)
            size = quint64(end - at);
        if (!c.ok || size < quint64(c.at - at) || size > quint64(end - at))
            return std::nullopt;
        return Box{type, c.at, at + qint64(size)};
    }

    // The first box of \a type among the boxes from \a from to \a end; none
    // when a box before it is damaged. Skipping a box reads only its header,
    // so a film's media data is passed over without being read.
    std::optional<Box> child(qint64 from, qint64 end, quint32 type)
    {
        for (qint64 at = from; at < end;) {
            const std::optional<Box> box = step() ? boxAt(at, end) : std::nullopt;
            if (!box || box->type == type)
                return box;
            at = box->end;
        }
        return std::nullopt;
    }
    std::optional<Box> child(const Box &parent, quint32 type)
    {
        return child(parent.body, parent.end, type);
    }

    // The bytes from \a at on, \a length of them, all of which lie in the file.
    QByteArray bytes(qint64 at, qint64 length)
    {
        QByteArray out;
        out.reserve(length);
        while (out.size() < length) {
            qsizetype got = 0;
            const quint8 *p = m_file.piece(at + out.size(), &got);
            if (!p)
                return {};
            out.append(reinterpret_cast<const char *>(p), std::min(got, length - out.size()));
        }
        return out;
    }

    // The children of a meta box. ISO's has a version and flags before them,
    // QuickTime's not: there the handler box comes at once.
    Box metaChildren(const Box &meta)
    {
        Cursor c{m_file, meta.body + 4, meta.end};
        const bool quickTime = c.take(4) == fourCC("hdlr");
        return {meta.type, quickTime ? meta.body : meta.body + 4, meta.end};
    }

private:
    FileBytes &m_file;
    qint64 m_steps = 0;
};

// The item ID of the first item of type "Exif" that the item information box lists.
std::optional<quint64> exifItem(BoxReader &boxes, const Box &iinf)
{
    Cursor c{boxes.file(), iinf.body, iinf.end};
    const int countSize = c.take(1) == 0 ? 2 : 4; // by the version
    c.skip(3 + countSize);                        // flags, entry count
    for (qint64 at = c.at; c.ok && at < iinf.end;) {
        const std::optional<Box> infe = boxes.child(at, iinf.end, fourCC("infe"));
        if (!infe)
            return std::nullopt;
        Cursor e{boxes.file(), infe->body, infe->end};
        // Only versions 2 and 3 name an item's type.
        const quint64 version = e.take(1);
        e.skip(3);
        if (version == 2 || version == 3) {
            const quint64 id = e.take(version == 2 ? 2 : 4);
            e.skip(2); // protection index
            if (e.take(4) == fourCC("Exif") && e.ok)
                return id;
        }
        at = infe->end;
    }
    return std::nullopt;
}

struct Extent
{
    quint64 offset = 0, length = 0;
};

struct ItemPlace
{
    int method = 0; ///< 0 offsets in the file, 1 in the idat box
    quint64 base = 0;
    QList<Extent> extents;
};

// Where the item location box puts item \a id.
std::optional<ItemPlace> itemPlace(BoxReader &boxes, const Box &iloc, quint64 id)
{
    Cursor c{boxes.file(), iloc.body, iloc.end};
    const quint64 version = c.take(1);
    c.skip(3);
    const quint64 sizes = c.take(2);
    const int offsetSize = int(sizes >> 12), lengthSize = int(sizes >> 8 & 15);
    const int baseSize = int(sizes >> 4 & 15), indexSize = version > 0 ? int(sizes & 15) : 0;
    for (const int size : {offsetSize, lengthSize, baseSize, indexSize}) {
        if (size != 0 && size != 4 && size != 8)
            return std::nullopt;
    }
    if (version > 2)
        return std::nullopt;
    const int idSize = version < 2 ? 2 : 4;
    const quint64 count = c.take(idSize);
    for (quint64 i = 0; i < count && c.ok && boxes.step(); ++i) {
        ItemPlace place;
        const quint64 itemId = c.take(idSize);
        place.method = version > 0 ? int(c.take(2) & 15) : 0;
        c.skip(2); // data reference index
        place.base = c.take(baseSize);
        const quint64 extents = c.take(2);
        if (itemId != id) {
            c.skip(qint64(extents) * (indexSize + offsetSize + lengthSize));
            continue;
        }
        for (quint64 k = 0; k < extents && c.ok && boxes.step(); ++k) {
            c.skip(indexSize);
            const quint64 offset = c.take(offsetSize);
            place.extents.append({offset, c.take(lengthSize)});
        }
        return c.ok && place.extents.size() == qsizetype(extents) ? std::optional(place)
                                                                  : std::nullopt;
    }
    return std::nullopt;
}

// The data of an item placed in \a area (the file, or the idat box's body); a
// length of 0 reaches to the area's end. Pieces that together outgrow the area
// are damage: they would have the same bytes copied over and over.
QByteArray itemData(BoxReader &boxes, const ItemPlace &place, qint64 areaStart, qint64 areaEnd)
{
    const quint64 areaLength = quint64(areaEnd - areaStart);
    const quint64 largest = std::min<quint64>(areaLength, MaxExifSize);
    QByteArray data;
    for (const Extent &extent : place.extents) {
        if (place.base > areaLength || extent.offset > areaLength - place.base)
            return {};
        const quint64 start = place.base + extent.offset;
        const quint64 length = extent.length == 0 ? areaLength - start : extent.length;
        if (length > areaLength - start || length > largest - quint64(data.size()))
            return {};
        const QByteArray piece = boxes.bytes(areaStart + qint64(start), qint64(length));
        if (piece.size() != qsizetype(length))
            return {};
        data += piece;
    }
    return data;
}

// The TIFF block of an Exif item, whose first four bytes tell how many bytes
// lie between them and the TIFF header. Some writers count them from the
// "Exif" mark of a JPEG block that they put there as well.
QByteArray tiffBlock(const QByteArray &item)
{
    if (item.size() < 4)
        return {};
    const quint32 gap = quint32(quint8(item[0])) << 24 | quint32(quint8(item[1])) << 16 |
                        quint32(quint8(item[2])) << 8 | quint32(quint8(item[3]));
    if (gap > quint32(item.size() - 4))
        return {};
    QByteArrayView block = QByteArrayView(item).sliced(4 + qsizetype(gap));
    if (block.startsWith(QByteArrayView("Exif\0\0", 6)))
        block = block.sliced(6);
    if (!block.startsWith("II*\0") && !block.startsWith(QByteArrayView("MM\0*", 4)))
        return {};
    return block.toByteArray();
}

// A time in seconds since 1970 laid out as Exif stores a date, in local time.
QString exifDate(qint64 seconds)
{
    if (seconds < FirstSecond || seconds > LastSecond)
        return {};
    return localTimeText(seconds, u":", u" ", u":");
}

// The value of \a key in the key list of a QuickTime meta box, when it is a
// short text (UTF-8 as the key list writes it).
QString metaText(BoxReader &boxes, const Box &meta, QByteArrayView key)
{
    const Box children = boxes.metaChildren(meta);
    const std::optional<Box> keys = boxes.child(children, fourCC("keys"));
    const std::optional<Box> list = boxes.child(children, fourCC("ilst"));
    if (!keys || !list)
        return {};
    Cursor c{boxes.file(), keys->body + 4, keys->end}; // after version and flags
    const quint64 count = c.take(4);
    quint64 index = 0;
    for (quint64 k = 1; k <= count && c.ok && index == 0 && boxes.step(); ++k) {
        const qint64 length = qint64(c.take(4)) - 8; // the key's size counts itself
        const bool named = c.take(4) == fourCC("mdta") && length == key.size();
        if (named && c.ok && length <= c.end - c.at && boxes.bytes(c.at, length) == key)
            index = k;
        c.skip(length);
    }
    // A list item's type is the number of its key, counted from 1.
    const std::optional<Box> item =
        index > 0 && index <= 0xffffffff ? boxes.child(*list, quint32(index)) : std::nullopt;
    const std::optional<Box> data = item ? boxes.child(*item, fourCC("data")) : std::nullopt;
    if (!data)
        return {};
    Cursor d{boxes.file(), data->body, data->end};
    d.skip(8); // the value's type and locale: a date that is no text is no date
    const qint64 length = data->end - d.at;
    if (!d.ok || length > 64)
        return {};
    return QString::fromUtf8(boxes.bytes(d.at, length));
}

// Apple's cameras keep the moment of the shot, with its time zone, in the
// film's key list (in the movie box, or in its user data as some writers do).
QString quickTimeCreationDate(BoxReader &boxes, const Box &moov)
{
    static constexpr QByteArrayView Key = "com.apple.quicktime.creationdate";
    std::optional<Box> meta = boxes.child(moov, fourCC("meta"));
    QString text = meta ? metaText(boxes, *meta, Key) : QString();
    if (text.isEmpty()) {
        const std::optional<Box> userData = boxes.child(moov, fourCC("udta"));
        meta = userData ? boxes.child(*userData, fourCC("meta")) : std::nullopt;
        text = meta ? metaText(boxes, *meta, Key) : QString();
    }
    const QDateTime moment = QDateTime::fromString(text.trimmed(), Qt::ISODate);
    return moment.isValid() ? exifDate(moment.toSecsSinceEpoch()) : QString();
}

// \a units of \a timescale per second in milliseconds; -1 when too long to count.
qint64 milliseconds(quint64 units, quint64 timescale)
{
    const quint64 seconds = units / timescale;
    if (seconds > quint64(std::numeric_limits<qint64>::max() / 1000 - 1))
        return -1;
    return qint64(seconds * 1000 + units % timescale * 1000 / timescale);
}

// Films that began before the file-type box was invented start with any of
// these.
bool isFilmStart(quint32 type)
{
    static constexpr quint32 Starts[] = {fourCC("ftyp"), fourCC("moov"), fourCC("mdat"),
                                         fourCC("free"), fourCC("skip"), fourCC("wide"),
                                         fourCC("pnot")};
    return std::find(std::begin(Starts), std::end(Starts), type) != std::end(Starts);
}

// The property indices (1 for the first box of ipco) that the item property
// association box gives item \a id.
QList<int> propertiesOf(BoxReader &boxes, const Box &ipma, quint64 id)
{
    Cursor c{boxes.file(), ipma.body, ipma.end};
    const quint64 version = c.take(1);
    const bool wideIndex = c.take(3) & 1;
    const quint64 count = c.take(4);
    for (quint64 i = 0; i < count && c.ok && boxes.step(); ++i) {
        const quint64 item = c.take(version < 1 ? 2 : 4);
        const quint64 associations = c.take(1);
        QList<int> indices;
        for (quint64 k = 0; k < associations && c.ok; ++k) {
            // The first bit tells whether the property is essential.
            indices.append(wideIndex ? int(c.take(2) & 0x7fff) : int(c.take(1) & 0x7f));
        }
        if (item == id)
            return c.ok ? indices : QList<int>();
    }
    return {};
}

// The first image spatial extent box among the properties \a indices of ipco.
std::optional<Box> imageExtent(BoxReader &boxes, const Box &ipco, const QList<int> &indices)
{
    for (const int wanted : indices) {
        int index = 0;
        for (qint64 at = ipco.body; at < ipco.end && boxes.step();) {
            const std::optional<Box> box = boxes.boxAt(at, ipco.end);
            if (!box)
                return std::nullopt;
            if (++index == wanted) {
                if (box->type == fourCC("ispe"))
                    return box;
                break;
            }
            at = box->end;
        }
    }
    return std::nullopt;
}

} // namespace

QByteArray HeifExifBlock(FileBytes &file)
{
    BoxReader boxes(file);
    const std::optional<Box> meta = boxes.child(0, file.size(), fourCC("meta"));
    if (!meta)
        return {};
    const Box children = {meta->type, meta->body + 4, meta->end}; // after version and flags
    const std::optional<Box> iinf = boxes.child(children, fourCC("iinf"));
    const std::optional<Box> iloc = boxes.child(children, fourCC("iloc"));
    const std::optional<quint64> item = iinf && iloc ? exifItem(boxes, *iinf) : std::nullopt;
    const std::optional<ItemPlace> place = item ? itemPlace(boxes, *iloc, *item) : std::nullopt;
    if (!place)
        return {};
    if (place->method == 0)
        return tiffBlock(itemData(boxes, *place, 0, file.size()));
    const std::optional<Box> idat =
        place->method == 1 ? boxes.child(children, fourCC("idat")) : std::nullopt;
    return idat ? tiffBlock(itemData(boxes, *place, idat->body, idat->end)) : QByteArray();
}

QSize HeifImageSize(FileBytes &file)
{
    BoxReader boxes(file);
    const std::optional<Box> meta = boxes.child(0, file.size(), fourCC("meta"));
    if (!meta)
        return {};
    const Box children = {meta->type, meta->body + 4, meta->end}; // after version and flags
    const std::optional<Box> pitm = boxes.child(children, fourCC("pitm"));
    const std::optional<Box> iprp = boxes.child(children, fourCC("iprp"));
    const std::optional<Box> ipco = iprp ? boxes.child(*iprp, fourCC("ipco")) : std::nullopt;
    const std::optional<Box> ipma = iprp ? boxes.child(*iprp, fourCC("ipma")) : std::nullopt;
    if (!pitm || !ipco || !ipma)
        return {};
    Cursor c{file, pitm->body, pitm->end};
    const int idSize = c.take(1) == 0 ? 2 : 4; // by the version
    c.skip(3);
    const quint64 primary = c.take(idSize);
    const std::optional<Box> ispe =
        c.ok ? imageExtent(boxes, *ipco, propertiesOf(boxes, *ipma, primary)) : std::nullopt;
    if (!ispe)
        return {};
    Cursor e{file, ispe->body + 4, ispe->end}; // after version and flags
    const quint64 width = e.take(4), height = e.take(4);
    if (!e.ok || width == 0 || height == 0 || width > INT_MAX || height > INT_MAX)
        return {};
    return QSize(int(width), int(height));
}

MovieFacts ReadMovieFacts(FileBytes &file)
{
    BoxReader boxes(file);
    const std::optional<Box> first = boxes.boxAt(0, file.size());
    const std::optional<Box> moov = first && isFilmStart(first->type)
                                        ? boxes.child(0, file.size(), fourCC("moov"))
                                        : std::nullopt;
    if (!moov)
        return {};
    MovieFacts facts;
    quint64 created = 0;
    if (const std::optional<Box> mvhd = boxes.child(*moov, fourCC("mvhd"))) {
        Cursor c{file, mvhd->body, mvhd->end};
        const quint64 version = c.take(1);
        const int wide = version == 1 ? 8 : 4;
        c.skip(3);
        created = c.take(wide);
        c.skip(wide); // modified
        const quint64 timescale = c.take(4);
        const quint64 duration = c.take(wide);
        // All ones says the length is unknown.
        const quint64 unknown = wide == 8 ? ~quint64(0) : 0xffffffff;
        if (!c.ok || version > 1)
            created = 0;
        else if (timescale > 0 && duration > 0 && duration != unknown)
            facts.durationMs = milliseconds(duration, timescale);
    }
    facts.captured = quickTimeCreationDate(boxes, *moov);
    // 0 says the film tells no time.
    if (facts.captured.isEmpty() && created > 0 && created <= quint64(LastSecond))
        facts.captured = exifDate(qint64(created) - SecondsFrom1904To1970);
    return facts;
}

QString DurationText(qint64 milliseconds)
{
    if (milliseconds < 0)
        return {};
    const qint64 seconds = milliseconds / 1000 + (milliseconds % 1000 >= 500 ? 1 : 0);
    const auto twoDigits = [](qint64 n) { return QStringLiteral("%1").arg(n, 2, 10, QChar(u'0')); };
    if (seconds < 3600)
        return QString::number(seconds / 60) + u'-' + twoDigits(seconds % 60);
    return QString::number(seconds / 3600) + u'-' + twoDigits(seconds / 60 % 60) + u'-' +
           twoDigits(seconds % 60);
}

} // namespace kesto
