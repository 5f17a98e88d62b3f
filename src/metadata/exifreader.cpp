#include "metadata/exifreader.h"

#include "metadata/messages.h"
#include "storage/applog.h"

#include <QByteArray>

#include <algorithm>
#include <array>
#include <iterator>
#include <limits>
#include <map>
#include <new>

namespace kesto {

namespace {

constexpr qint32 ExifPointerTag = 34665;
constexpr qint64 Int32Max = std::numeric_limits<qint32>::max();

// Bytes become characters by Windows-1252, as the photos' texts were written on
// such systems; its five unassigned bytes keep their own code point.
QChar characterOf(quint8 b)
{
    static constexpr char16_t high[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    if (b >= 0x80 && b < 0xA0)
        return QChar(high[b - 0x80]);
    return QChar(char16_t(b));
}

QString upperHex(quint8 b)
{
    static constexpr char16_t digits[] = u"0123456789ABCDEF";
    QString s;
    if (b >= 16)
        s += QChar(digits[b >> 4]);
    s += QChar(digits[b & 15]);
    return s;
}

enum class Fault { None, Overflow, OutOfMemory, OutOfRange, NotANumber, Loop };

// The byte ranges [start, end) of the directories visited so far. A walk
// meets two or three; a crafted file may chain thousands, which go to a map.
class VisitedRanges
{
public:
    // False when the range meets one added before; else adds it.
    bool add(qint64 start, qint64 end)
    {
        for (int k = 0; k < m_count; ++k) {
            if (start < m_few[k].second && m_few[k].first < end)
                return false;
        }
        if (!m_many.empty()) {
            const auto next = m_many.lower_bound(start);
            if ((next != m_many.end() && next->first < end) ||
                (next != m_many.begin() && std::prev(next)->second > start))
                return false;
        }
        if (m_count < Few)
            m_few[m_count++] = {start, end};
        else
            m_many.emplace(start, end);
        return true;
    }

private:
    static constexpr int Few = 8;
    std::array<std::pair<qint64, qint64>, Few> m_few{};
    int m_count = 0;
    std::map<qint64, qint64> m_many;
};

// \a count more entries at the end of \a entries, with room for the usual Exif
// directory too, in one allocation; false when memory runs out.
template<typename Slot> bool addSlots(std::vector<Slot> &entries, qint32 count)
{
    if (count <= 0)
        return true;
    const std::size_t size = entries.size() + std::size_t(count);
    try {
        if (entries.capacity() < size)
            entries.reserve(std::max(size, 2 * entries.capacity() + 32));
        entries.resize(size);
    } catch (const std::bad_alloc &) {
        return false;
    }
    return true;
}

int faultCode(Fault fault)
{
    switch (fault) {
    case Fault::Overflow:
        return 6;
    case Fault::OutOfMemory:
        return 7;
    case Fault::NotANumber:
        return 13;
    case Fault::OutOfRange:
    case Fault::Loop:
    case Fault::None:
        break;
    }
    return 9;
}

QLatin1String faultText(Fault fault)
{
    switch (fault) {
    case Fault::Overflow:
        return metadatatext::faultOverflow;
    case Fault::OutOfMemory:
        return metadatatext::faultOutOfMemory;
    case Fault::NotANumber:
        return metadatatext::faultNotANumber;
    case Fault::Loop:
        return metadatatext::faultLoop;
    case Fault::OutOfRange:
    case Fault::None:
        break;
    }
    return metadatatext::faultOutOfRange;
}

} // namespace

// Reads numbers and values of the Exif block with the reader's byte order;
// every read is checked, and the first fault is kept.
class ExifBlock
{
public:
    explicit ExifBlock(const ExifReader &reader)
        : m_bytes(reader.m_bytes)
        , m_intel(reader.m_intel)
        , m_tiffStart(reader.m_tiffHeaderStart)
    {}

    Fault fault = Fault::None;

    bool fail(Fault f)
    {
        fault = f;
        return false;
    }

    bool sum(qint64 a, qint64 b, qint32 *out)
    {
        const qint64 r = a + b;
        if (r > Int32Max || r < std::numeric_limits<qint32>::min())
            return fail(Fault::Overflow);
        *out = qint32(r);
        return true;
    }

    bool read16(qint64 index, qint32 *out)
    {
        const quint8 *p = m_bytes.bytes(index, 2);
        if (!p)
            return fail(Fault::OutOfRange);
        *out = m_intel ? p[0] | p[1] << 8 : p[0] << 8 | p[1];
        return true;
    }

    bool read32(qint64 index, qint32 *out)
    {
        const quint8 *p = m_bytes.bytes(index, 4);
        if (!p)
            return fail(Fault::OutOfRange);
        const quint32 v =
            m_intel
                ? quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16 | quint32(p[3]) << 24
                : quint32(p[0]) << 24 | quint32(p[1]) << 16 | quint32(p[2]) << 8 | quint32(p[3]);
        if (v > quint32(Int32Max))
            return fail(Fault::Overflow);
        *out = qint32(v);
        return true;
    }

    // A number from a value: empty counts as 0, a text must be decimal digits.
    bool toInt32(const QVariant &value, qint32 *out)
    {
        if (!value.isValid()) {
            *out = 0;
            return true;
        }
        if (value.typeId() == QMetaType::Int) {
            *out = value.toInt();
            return true;
        }
        const QString text = value.toString().trimmed();
        qsizetype i = 0;
        const bool negative = text.startsWith(u'-');
        if (negative || text.startsWith(u'+'))
            i = 1;
        if (i == text.size())
            return fail(Fault::NotANumber);
        qint64 n = 0;
        for (; i < text.size(); ++i) {
            const char16_t c = text.at(i).unicode();
            if (c < u'0' || c > u'9')
                return fail(Fault::NotANumber);
            // Past 2^31 the number no longer fits either way; stop growing it.
            if (n <= Int32Max + 1)
                n = n * 10 + (c - u'0');
        }
        if (n > (negative ? Int32Max + 1 : Int32Max))
            return fail(Fault::Overflow);
        if (negative)
            n = -n;
        *out = qint32(n);
        return true;
    }

    // Checks the value of one entry whose 4-byte value field is at \a field and,
    // when \a value is given, decodes it. Sets *valueOffset as soon as it is read.
    bool decode(qint32 type, qint32 count, qint32 field, qint32 *valueOffset, QVariant *value)
    {
        switch (type) {
        case 1:
        case 6:
            if (count <= 4)
                return fieldHex(field, value);
            return outsideDigits(field, valueOffset, count, false, value);
        case 2:
        case 7:
            if (count <= 4)
                return fieldCharacters(field, value);
            return outsideText(type, field, valueOffset, count, value);
        case 3:
        case 8: {
            qint32 twice = 0;
            if (!sum(count, count, &twice))
                return false;
            if (twice <= 4)
                return fieldShorts(field, value);
            return outsideDigits(field, valueOffset, count, !m_intel, value);
        }
        case 4:
        case 9: {
            if (qint64(count) * 4 > Int32Max)
                return fail(Fault::Overflow);
            if (count * 4 <= 4)
                return fieldLong(field, value);
            return outsideDigits(field, valueOffset, count, false, value);
        }
        case 5:
        case 10:
            return outsideRational(field, valueOffset, value);
        default:
            return true;
        }
    }

    // Reads entry \a k (from 0) of the directory at \a position into \a slot;
    // the value of the Exif pointer goes to \a exifOffset.
    bool readEntry(qint32 position, qint32 k, ExifReader::Slot &slot, qint32 *exifOffset)
    {
        qint32 e = 0, typeIndex = 0, countIndex = 0, field = 0;
        if (!sum(position, 2 + 12 * qint64(k), &e) || !read16(e, &slot.tagNumber) ||
            !sum(e, 2, &typeIndex) || !read16(typeIndex, &slot.dataType) ||
            !sum(e, 4, &countIndex) || !read32(countIndex, &slot.count) || !sum(e, 8, &field))
            return false;
        const bool pointer = slot.tagNumber == ExifPointerTag;
        QVariant value;
        if (!decode(slot.dataType, slot.count, field, &slot.valueOffset,
                    pointer ? &value : nullptr))
            return false;
        slot.fieldIndex = field;
        return !pointer || toInt32(value, exifOffset);
    }

private:
    int fieldOrder(int k) const { return m_intel ? 3 - k : k; }

    // Up to four bytes inside the value field, as two hex digits each.
    bool fieldHex(qint32 field, QVariant *value)
    {
        const quint8 *p = m_bytes.bytes(field, 4);
        if (!p)
            return fail(Fault::OutOfRange);
        if (value) {
            QString text;
            for (int k = 0; k < 4; ++k)
                text += ExifReader::PadLeft(upperHex(p[fieldOrder(k)]), 2, u'0');
            *value = text;
        }
        return true;
    }

    // Up to four characters inside the value field.
    bool fieldCharacters(qint32 field, QVariant *value)
    {
        const quint8 *p = m_bytes.bytes(field, 4);
        if (!p)
            return fail(Fault::OutOfRange);
        if (value) {
            QString text(4, Qt::Uninitialized);
            for (int k = 0; k < 4; ++k)
                text[k] = characterOf(p[fieldOrder(k)]);
            *value = text;
        }
        return true;
    }

    // One or two 16-bit numbers inside the value field, as their sum.
    bool fieldShorts(qint32 field, QVariant *value)
    {
        qint32 first = 0, second = 0, secondIndex = 0;
        if (!read16(field, &first) || !sum(field, 2, &secondIndex) || !read16(secondIndex, &second))
            return false;
        if (value)
            *value = first + second;
        return true;
    }

    bool fieldLong(qint32 field, QVariant *value)
    {
        qint32 number = 0;
        if (!read32(field, &number))
            return false;
        if (value)
            *value = number;
        return true;
    }

    // A text of \a type 2 (ASCII) or 7 (undefined) stored outside the entry.
    bool outsideText(qint32 type, qint32 field, qint32 *valueOffset, qint32 count, QVariant *value)
    {
        qint32 start = 0;
        if (!outsideStart(field, valueOffset, &start) || !checkRun(start, qint64(count) - 1))
            return false;
        if (value) {
            // The last byte is an ASCII value's terminating zero only when it is
            // zero: some cameras store the date with a count of 19 and no zero.
            qint32 length = count - 1;
            quint8 last = 0;
            if (type == 2 && m_bytes.byte(qint64(start) + length, &last) && last != 0)
                ++length;
            *value = characters(start, length);
        }
        return true;
    }

    bool outsideRational(qint32 field, qint32 *valueOffset, QVariant *value)
    {
        qint32 start = 0, numerator = 0, denominator = 0, second = 0;
        if (!outsideStart(field, valueOffset, &start) || !read32(start, &numerator) ||
            !sum(start, 4, &second) || !read32(second, &denominator))
            return false;
        if (value)
            *value = QString::number(numerator) + u'/' + QString::number(denominator);
        return true;
    }

    // A value stored outside the entry, shown as the decimal digits of its bytes.
    bool outsideDigits(qint32 field, qint32 *valueOffset, qint32 count, bool reversed,
                       QVariant *value)
    {
        qint32 start = 0;
        if (!outsideStart(field, valueOffset, &start) || !checkRun(start, count))
            return false;
        if (value)
            *value = decimalBytes(start, count, reversed);
        return true;
    }

    bool outsideStart(qint32 field, qint32 *valueOffset, qint32 *start)
    {
        if (!read32(field, valueOffset))
            return false;
        return sum(m_tiffStart, *valueOffset, start);
    }

    // The bytes start .. start + length - 1 are read one index after the other:
    // the first index past the file is out of range, one past 2^31 - 1 overflows.
    bool checkRun(qint32 start, qint64 length)
    {
        if (length <= 0)
            return true;
        const qint64 upper = m_bytes.size() - 1;
        if (start < 0 || start > upper)
            return fail(Fault::OutOfRange);
        const qint64 last = qint64(start) + length - 1;
        if (last <= upper && last <= Int32Max)
            return true;
        return fail(upper < Int32Max ? Fault::OutOfRange : Fault::Overflow);
    }

    // Calls \a take(pointer, length) for the bytes start .. start + length - 1,
    // piece by piece as they are buffered.
    template<typename Take> void forEachPiece(qint32 start, qint32 length, Take take)
    {
        qint64 at = start;
        qint64 left = length;
        while (left > 0) {
            qsizetype available = 0;
            const quint8 *p = m_bytes.piece(at, &available);
            if (!p)
                return;
            const qsizetype n = qsizetype(std::min<qint64>(available, left));
            take(p, n);
            at += n;
            left -= n;
        }
    }

    QString decimalBytes(qint32 start, qint32 count, bool backwards)
    {
        QString text;
        text.reserve(qsizetype(count) * 3);
        const auto append = [&text](quint8 b) {
            if (b >= 100)
                text += QChar(u'0' + b / 100);
            if (b >= 10)
                text += QChar(u'0' + b / 10 % 10);
            text += QChar(u'0' + b % 10);
        };
        if (backwards) {
            QByteArray data;
            data.reserve(count);
            forEachPiece(start, count, [&data](const quint8 *p, qsizetype n) {
                data.append(reinterpret_cast<const char *>(p), n);
            });
            for (qsizetype k = data.size() - 1; k >= 0; --k)
                append(quint8(data.at(k)));
        } else {
            forEachPiece(start, count, [&append](const quint8 *p, qsizetype n) {
                for (qsizetype k = 0; k < n; ++k)
                    append(p[k]);
            });
        }
        return text;
    }

    QString characters(qint32 start, qint32 length)
    {
        QString text(length, Qt::Uninitialized);
        qsizetype done = 0;
        forEachPiece(start, length, [&text, &done](const quint8 *p, qsizetype n) {
            QChar *out = text.data() + done;
            for (qsizetype k = 0; k < n; ++k)
                out[k] = characterOf(p[k]);
            done += n;
        });
        text.truncate(done);
        return text;
    }

    FileBytes &m_bytes;
    bool m_intel;
    qint32 m_tiffStart;
};

QString ExifValueText(const QVariant &value)
{
    if (!value.isValid())
        return {};
    if (value.typeId() == QMetaType::Int)
        return QString::number(value.toInt());
    return value.toString();
}

ExifReader::ExifReader(qsizetype pieceSize)
    : m_bytes(pieceSize)
{}

QVariant ExifReader::MakerNoteTag(int makerTag) const
{
    Q_UNUSED(makerTag);
    // The walk marks no entry as coming from a maker note, so no entry matches.
    return {};
}

QVariant ExifReader::Tag(int exifTag) const
{
    if (!m_loaded)
        return {};
    if (exifTag == 0)
        return int(m_entries.size());
    for (const Slot &slot : m_entries) {
        if (slot.tagNumber == exifTag)
            return valueOf(slot);
    }
    return {};
}

void ExifReader::Load(const QString &picFile)
{
    load(picFile, OpenByName, 0);
}

void ExifReader::load(const QString &picFile, int fd, qint64 size)
{
    m_loaded = false;
    m_entries.clear();
    m_ifd0Offset = 0;
    m_markerPosition = 0;
    m_tiffHeaderStart = 0;
    m_nextDirectoryOffset = 0;
    m_exifDirectoryOffset = 0;
    const bool logging = LogWanted();

    // A file that cannot be read, or whose Exif header is cut off, counts as one
    // without an Exif block.
    bool found = (fd == OpenByName ? m_bytes.open(picFile) : fd >= 0 && m_bytes.adopt(fd, size)) &&
                 IsExifJpeg();
    qint32 position = 0;
    if (found) {
        quint8 mark = 0;
        m_intel = IsIntelByteOrder();
        ExifBlock block(*this);
        found = m_bytes.byte(m_tiffHeaderStart, &mark) &&
                block.read32(qint64(m_tiffHeaderStart) + 4, &m_ifd0Offset) &&
                block.sum(m_ifd0Offset, m_tiffHeaderStart, &position);
    }
    if (!found) {
        m_bytes.close();
        if (logging)
            WriteTimedLog({metadatatext::exifLoad, picFile, metadatatext::beforeLoadedWord,
                           metadatatext::notLoadedWord});
        return;
    }

    m_loaded = true;
    if (logging) {
        WriteTimedLog({metadatatext::exifLoad, picFile, metadatatext::beforeLoadedWord,
                       metadatatext::loadedWord});
        WriteTimedLog({metadatatext::exifLoadWalk, QString::number(m_tiffHeaderStart), u" ",
                       QString::number(m_ifd0Offset)});
    }
    GetDirectoryEntries(position);
}

QList<ExifEntry> ExifReader::Entries() const
{
    QList<ExifEntry> list;
    list.reserve(qsizetype(m_entries.size()));
    for (std::size_t k = 0; k < m_entries.size(); ++k)
        list.append(entryAt(qsizetype(k)));
    return list;
}

bool ExifReader::IsExifJpeg()
{
    const qint64 size = m_bytes.size();
    const quint8 *start = m_bytes.bytes(0, 2);
    if (size < 3 || !start || start[0] != 0xFF || start[1] != 0xD8)
        return false;
    // The raw bytes are scanned, not the segments: the first APP1 marker pair
    // whose block begins with "Exif" is the Exif block, even after an XMP block.
    for (qint64 from = 2;;) {
        const qint64 at = m_bytes.findPair(from, 0xFF, 0xE1);
        if (at < 0 || at > Int32Max - 10)
            return false;
        const quint8 *name = m_bytes.bytes(at + 4, 4);
        if (!name)
            return false;
        if (name[0] == 'E' && name[1] == 'x' && name[2] == 'i' && name[3] == 'f') {
            m_markerPosition = qint32(at);
            m_tiffHeaderStart = qint32(at + 10);
            return true;
        }
        from = at + 2;
    }
}

bool ExifReader::IsIntelByteOrder()
{
    // The mark "II" (0x49) of a little-endian block; everything else reads big-endian.
    quint8 mark = 0;
    return m_bytes.byte(m_tiffHeaderStart, &mark) && mark == 0x49;
}

QString ExifReader::PadLeft(const QString &s, int n, QChar c)
{
    if (s.size() >= n)
        return s;
    return QString(n - s.size(), c) + s;
}

void ExifReader::GetDirectoryEntries(qint32 position)
{
    m_entries.clear();
    const bool logging = LogWanted();
    if (logging)
        WriteLog(metadatatext::walkSize + QString::number(m_bytes.size() - 1));
    QString trace;
    if (logging)
        trace = metadatatext::walkTrace;
    bool chained = false;
    ExifBlock block(*this);
    // A directory that meets one visited before would repeat the walk without end.
    VisitedRanges visited;

    for (;;) {
        qint32 count = 0;
        if (!block.read16(position, &count))
            break;
        if (!visited.add(position, qint64(position) + 6 + 12 * qint64(count))) {
            block.fail(Fault::Loop);
            break;
        }

        const std::size_t base = m_entries.size();
        if (!addSlots(m_entries, count)) {
            block.fail(Fault::OutOfMemory);
            break;
        }
        if (logging)
            trace += u' ' + QString::number(m_entries.size());
        for (qint32 k = 0; k < count; ++k) {
            if (!block.readEntry(position, k, m_entries[base + std::size_t(k)],
                                 &m_exifDirectoryOffset))
                break;
        }
        if (block.fault != Fault::None)
            break;

        if (!chained) {
            qint32 link = 0;
            if (!block.sum(position, 2 + 12 * qint64(count), &link) ||
                !block.read32(link, &m_nextDirectoryOffset))
                break;
        } else {
            m_nextDirectoryOffset = 0;
        }
        if (m_nextDirectoryOffset == 0 && !chained) {
            m_nextDirectoryOffset = m_exifDirectoryOffset;
            chained = true;
        }
        if (!block.sum(m_tiffHeaderStart, m_nextDirectoryOffset, &position))
            break;
        if (m_nextDirectoryOffset == 0) {
            if (logging)
                WriteLog(LogTimestamp() + u' ' + trace);
            return;
        }
    }

    if (logging) {
        WriteLog(LogTimestamp() + u' ' + trace);
        WriteLog(LogTimestamp() + metadatatext::walkError + faultText(block.fault) + u' ' +
                 QString::number(faultCode(block.fault)));
    }
}

ExifEntry ExifReader::entryAt(qsizetype index) const
{
    const Slot &slot = m_entries[std::size_t(index)];
    ExifEntry entry;
    entry.TagNumber = slot.tagNumber;
    entry.DataType = slot.dataType;
    entry.Count = slot.count;
    entry.ValueOffset = slot.valueOffset;
    entry.Value = valueOf(slot);
    return entry;
}

QVariant ExifReader::valueOf(const Slot &slot) const
{
    if (slot.fieldIndex < 0)
        return {};
    ExifBlock block(*this);
    qint32 valueOffset = 0;
    QVariant value;
    if (!block.decode(slot.dataType, slot.count, slot.fieldIndex, &valueOffset, &value))
        return {};
    return value;
}

} // namespace kesto
