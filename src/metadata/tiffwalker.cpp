#include "metadata/tiffwalker_p.h"

#include "metadata/filebytes.h"

#include <QStringList>
#include <QUtf8StringView>

#include <algorithm>
#include <array>
#include <cstring>

namespace kesto {

namespace {

// Cameras write a handful of directories of a few hundred entries; these
// bounds only keep a crafted file from making the walk long.
constexpr int MaxDirectories = 32;
constexpr quint32 MaxEntries = 4096;
constexpr quint32 MaxSubIfds = 8;
constexpr quint32 MaxNumbers = 8;
constexpr qsizetype MaxText = 1024;

enum class Table { Main, Gps, Panasonic };

// Bytes per value of a TIFF type; 0 for a type that is not known, whose
// entry is passed over.
qint64 typeSize(quint16 type)
{
    switch (type) {
    case 1: // BYTE
    case 2: // ASCII
    case 6: // SBYTE
    case 7: // UNDEFINED
        return 1;
    case 3: // SHORT
    case 8: // SSHORT
        return 2;
    case 4:  // LONG
    case 9:  // SLONG
    case 11: // FLOAT
    case 13: // IFD
        return 4;
    case 5:  // RATIONAL
    case 10: // SRATIONAL
    case 12: // DOUBLE
        return 8;
    default:
        return 0;
    }
}

quint32 read16(const quint8 *p, bool intel)
{
    return intel ? p[0] | p[1] << 8 : p[0] << 8 | p[1];
}

quint32 read32(const quint8 *p, bool intel)
{
    return intel ? quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16 | quint32(p[3]) << 24
                 : quint32(p[0]) << 24 | quint32(p[1]) << 16 | quint32(p[2]) << 8 | quint32(p[3]);
}

// exiftool reads a fraction as its quotient rounded to 10 significant digits.
double roundedFraction(double numerator, double denominator)
{
    return QString::number(numerator / denominator, 'g', 10).toDouble();
}

class Walker
{
public:
    Walker(TiffBytes &block, TiffLayout layout)
        : m_block(block)
        , m_layout(layout)
    {}

    TiffTags walk()
    {
        const quint8 *head = m_block.bytes(0, 8);
        if (!head || head[0] != head[1] || (head[0] != 'I' && head[0] != 'M'))
            return m_tags;
        m_tags.intel = head[0] == 'I';
        const Table first = m_layout == TiffLayout::Panasonic ? Table::Panasonic : Table::Main;
        qint64 at = read32(head + 4, m_tags.intel);
        for (int n = 0; at != 0; ++n)
            at = directory(at, n == 0 ? first : Table::Main,
                           m_layout == TiffLayout::InJpeg && n > 0, 0);
        return m_tags;
    }

private:
    // False for a directory visited before, or one past the bound.
    bool enter(qint64 at)
    {
        const auto end = m_visited.begin() + m_visitedCount;
        if (m_visitedCount == MaxDirectories || std::find(m_visited.begin(), end, at) != end)
            return false;
        m_visited[m_visitedCount++] = at;
        return true;
    }

    bool integer(const TiffValue &value, quint32 index, quint32 *out)
    {
        double number = 0;
        if (value.type == 5 || value.type == 10 || value.type == 11 || value.type == 12 ||
            !TiffNumber(m_block, m_tags, value, index, &number) || number < 0)
            return false;
        *out = quint32(number);
        return true;
    }

    // The directory at \a at; returns the offset of the next one in the chain, or 0.
    qint64 directory(qint64 at, Table table, bool thumbnail, int depth)
    {
        const quint8 *p = enter(at) ? m_block.bytes(at, 2) : nullptr;
        if (!p)
            return 0;
        const quint32 count = read16(p, m_tags.intel);
        for (quint32 k = 0; k < std::min(count, MaxEntries); ++k) {
            // Each read may replace the bytes the one before gave.
            const qint64 field = at + 2 + 12 * qint64(k) + 8;
            const quint8 *p = m_block.bytes(field - 8, 8);
            if (!p)
                return 0;
            const quint16 tag = quint16(read16(p, m_tags.intel));
            TiffValue value{quint16(read16(p + 2, m_tags.intel)), read32(p + 4, m_tags.intel),
                            field};
            const qint64 size = typeSize(value.type) * qint64(value.count);
            p = m_block.bytes(field, 4);
            if (!p)
                return 0;
            if (size > 4)
                value.offset = read32(p, m_tags.intel);
            // exiftool passes over an entry whose value lies outside the block.
            if (size > 0 && value.offset + size <= m_block.length())
                entry(table, tag, value, at, thumbnail, depth);
        }
        const quint8 *link = m_block.bytes(at + 2 + 12 * qint64(count), 4);
        return link ? read32(link, m_tags.intel) : 0;
    }

    // A later entry of a tag wins, but not one of a thumbnail's directory.
    void take(TiffValue &slot, const TiffValue &value, bool thumbnail)
    {
        if (!thumbnail || !slot.found())
            slot = value;
    }

    // The first entry of a tag wins, unless the full-resolution image's directory holds one.
    void takeFirst(TiffValue &slot, const TiffValue &value, qint64 owner)
    {
        if (!slot.found() || owner == m_fullResolution)
            slot = value;
    }

    void markFullResolution(const TiffValue &value, quint32 fullValue, qint64 owner)
    {
        quint32 type = 0;
        if (m_fullResolution < 0 && integer(value, 0, &type) && type == fullValue)
            m_fullResolution = owner;
    }

    // One entry of the directory at \a owner.
    void entry(Table table, quint16 tag, const TiffValue &value, qint64 owner, bool thumbnail,
               int depth)
    {
        if (table == Table::Gps) {
            TiffValue *const slots[] = {&m_tags.latitudeRef, &m_tags.latitude, &m_tags.longitudeRef,
                                        &m_tags.longitude};
            if (tag >= 1 && tag <= 4)
                take(*slots[tag - 1], value, thumbnail);
            return;
        }
        if (table == Table::Panasonic && tag >= 4 && tag <= 7) {
            m_tags.borders[tag - 4] = value;
            return;
        }
        quint32 offset = 0;
        switch (tag) {
        case 0xFE: // SubfileType: 0 is the full-resolution image
            return markFullResolution(value, 0, owner);
        case 0xFF: // OldSubfileType: 1 is the full-resolution image
            return markFullResolution(value, 1, owner);
        case 0x100:
            if (table == Table::Main)
                takeFirst(m_tags.width, value, owner);
            return;
        case 0x101:
            if (table == Table::Main)
                takeFirst(m_tags.height, value, owner);
            return;
        case 0x112:
            return takeFirst(m_tags.orientation, value, owner);
        case 0x14A: // SubIFDs
            for (quint32 k = 0; depth == 0 && k < std::min(value.count, MaxSubIfds); ++k) {
                if (integer(value, k, &offset))
                    directory(offset, Table::Main, thumbnail, depth + 1);
            }
            return;
        case 0x8769: // Exif directory
        case 0x8825: // GPS directory
            if (depth <= 1 && integer(value, 0, &offset))
                directory(offset, tag == 0x8769 ? Table::Main : Table::Gps, thumbnail, depth + 1);
            return;
        default:
            break;
        }
        const std::pair<quint16, TiffValue *> plain[] = {
            {0x10F, &m_tags.make},         {0x110, &m_tags.model}, {0x829A, &m_tags.exposure},
            {0x829D, &m_tags.aperture},    {0x8827, &m_tags.iso},  {0x9003, &m_tags.captured},
            {0x920A, &m_tags.focalLength}, {0xA434, &m_tags.lens},
        };
        for (const auto &[number, slot] : plain) {
            if (number == tag)
                take(*slot, value, thumbnail);
        }
    }

    TiffBytes &m_block;
    TiffLayout m_layout;
    TiffTags m_tags;
    std::array<qint64, MaxDirectories> m_visited{};
    int m_visitedCount = 0;
    qint64 m_fullResolution = -1;
};

} // namespace

TiffBytes::TiffBytes(FileBytes &file, qint64 start, qint64 length)
    : m_file(&file)
    , m_start(start)
    , m_length(std::max<qint64>(0, std::min(length, file.size() - start)))
{}

TiffBytes::TiffBytes(const QByteArray &block)
    : m_memory(&block)
    , m_length(block.size())
{}

const quint8 *TiffBytes::bytes(qint64 offset, qsizetype n)
{
    if (offset < 0 || n > 8 || offset > m_length - n)
        return nullptr;
    if (m_memory)
        return reinterpret_cast<const quint8 *>(m_memory->constData()) + offset;
    return m_file->bytes(m_start + offset, n);
}

QByteArray TiffBytes::run(qint64 offset, qsizetype n)
{
    if (offset < 0 || offset >= m_length)
        return {};
    n = qsizetype(std::min<qint64>(n, m_length - offset));
    if (m_memory)
        return m_memory->mid(offset, n);
    QByteArray out;
    while (out.size() < n) {
        qsizetype available = 0;
        const quint8 *p = m_file->piece(m_start + offset + out.size(), &available);
        if (!p)
            break;
        out.append(reinterpret_cast<const char *>(p), std::min(available, n - out.size()));
    }
    return out;
}

TiffTags WalkTiff(TiffBytes &block, TiffLayout layout)
{
    return Walker(block, layout).walk();
}

QString TiffText(TiffBytes &block, const TiffValue &value)
{
    if (!value.found() || typeSize(value.type) != 1)
        return {};
    QByteArray text = block.run(value.offset, std::min<qsizetype>(value.count, MaxText));
    const qsizetype end = text.indexOf('\0');
    if (end >= 0)
        text.truncate(end);
    while (!text.isEmpty() && std::strchr(" \t\n\r\f\v", text.back()))
        text.chop(1);
    return QUtf8StringView(text).isValidUtf8() ? QString::fromUtf8(text)
                                               : QString::fromLatin1(text);
}

bool TiffNumber(TiffBytes &block, const TiffTags &tags, const TiffValue &value, quint32 index,
                double *out)
{
    const qint64 size = typeSize(value.type);
    if (!value.found() || index >= value.count || size == 0)
        return false;
    const qint64 at = value.offset + size * index;
    const quint8 *p = block.bytes(at, size);
    if (!p)
        return false;
    const bool intel = tags.intel;
    switch (value.type) {
    case 1:
        *out = p[0];
        return true;
    case 6:
        *out = qint8(p[0]);
        return true;
    case 3:
        *out = read16(p, intel);
        return true;
    case 8:
        *out = qint16(read16(p, intel));
        return true;
    case 4:
    case 13:
        *out = read32(p, intel);
        return true;
    case 9:
        *out = qint32(read32(p, intel));
        return true;
    case 5:
    case 10: {
        const quint32 numerator = read32(p, intel), denominator = read32(p + 4, intel);
        if (denominator == 0)
            return false;
        *out = value.type == 5 ? roundedFraction(numerator, denominator)
                               : roundedFraction(qint32(numerator), qint32(denominator));
        return true;
    }
    case 11: {
        const quint32 bits = read32(p, intel);
        float number;
        std::memcpy(&number, &bits, 4);
        *out = number;
        return true;
    }
    case 12: {
        const quint64 bits =
            quint64(read32(p + (intel ? 4 : 0), intel)) << 32 | read32(p + (intel ? 0 : 4), intel);
        std::memcpy(out, &bits, 8);
        return true;
    }
    default:
        return false;
    }
}

QString TiffNumbers(TiffBytes &block, const TiffTags &tags, const TiffValue &value)
{
    double number = 0;
    if (value.count == 1) // the usual case, without a list
        return TiffNumber(block, tags, value, 0, &number) ? QString::number(number, 'g', 10)
                                                          : QString();
    QStringList numbers;
    for (quint32 k = 0; k < std::min(value.count, MaxNumbers); ++k) {
        if (!TiffNumber(block, tags, value, k, &number))
            return {};
        numbers.append(QString::number(number, 'g', 10));
    }
    return numbers.join(u' ');
}

} // namespace kesto
