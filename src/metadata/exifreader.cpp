#include "metadata/exifreader.h"

#include "metadata/exifblock_p.h"
#include "metadata/messages.h"
#include "storage/applog.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <limits>
#include <map>
#include <new>

namespace kesto {

namespace {

using Fault = ExifBlock::Fault;

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
    const bool opened = fd == OpenByName ? m_bytes.open(picFile)
                        : fd == Held     ? m_bytes.size() > 0
                                         : fd >= 0 && m_bytes.adopt(fd, size);
    bool found = opened && IsExifJpeg();
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
    // The header's segments are walked up to the image data (the first SOS
    // marker): writers put the Exif block among them, and inside the
    // entropy-coded data that follows, a 0xFF byte is never a marker. The
    // first APP1 segment whose block begins with "Exif" is the Exif block,
    // even after an XMP block.
    for (qint64 at = 2;;) {
        const quint8 *pair = m_bytes.bytes(at, 2);
        if (!pair)
            return false;
        const quint8 lead = pair[0], marker = pair[1];
        if (lead != 0xFF)
            return scanForExifPair(at);
        if (marker == 0xFF) { // a fill byte before the marker
            ++at;
            continue;
        }
        if (marker == 0xDA || marker == 0xD9)
            return false;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) { // no length follows
            at += 2;
            continue;
        }
        const quint8 *length = m_bytes.bytes(at + 2, 2);
        if (!length)
            return false;
        const int segmentLength = length[0] << 8 | length[1];
        if (marker == 0xE1) {
            if (const Block block = exifBlockAt(at); block != Block::Other)
                return block == Block::Exif;
        }
        at += 2 + segmentLength;
    }
}

bool ExifReader::scanForExifPair(qint64 from)
{
    // A header that is no chain of segments: the raw bytes are scanned for the
    // first APP1 marker pair whose block begins with "Exif".
    for (;;) {
        const qint64 at = m_bytes.findPair(from, 0xFF, 0xE1);
        if (at < 0)
            return false;
        if (const Block block = exifBlockAt(at); block != Block::Other)
            return block == Block::Exif;
        from = at + 2;
    }
}

ExifReader::Block ExifReader::exifBlockAt(qint64 at)
{
    if (at > ExifInt32Max - 10)
        return Block::Unreadable;
    const quint8 *name = m_bytes.bytes(at + 4, 4);
    if (!name)
        return Block::Unreadable;
    if (name[0] != 'E' || name[1] != 'x' || name[2] != 'i' || name[3] != 'f')
        return Block::Other;
    m_markerPosition = qint32(at);
    m_tiffHeaderStart = qint32(at + 10);
    return Block::Exif;
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
