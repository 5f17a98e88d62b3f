#include "metadata/exifblock_p.h"

#include <QByteArray>

#include <algorithm>
#include <limits>

namespace kesto {

namespace {

constexpr qint32 ExifPointerTag = 34665;

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

} // namespace

ExifBlock::ExifBlock(const ExifReader &reader)
    : m_bytes(reader.m_bytes)
    , m_intel(reader.m_intel)
    , m_tiffStart(reader.m_tiffHeaderStart)
{}

bool ExifBlock::fail(Fault f)
{
    fault = f;
    return false;
}

bool ExifBlock::sum(qint64 a, qint64 b, qint32 *out)
{
    const qint64 r = a + b;
    if (r > ExifInt32Max || r < std::numeric_limits<qint32>::min())
        return fail(Fault::Overflow);
    *out = qint32(r);
    return true;
}

bool ExifBlock::read16(qint64 index, qint32 *out)
{
    const quint8 *p = m_bytes.bytes(index, 2);
    if (!p)
        return fail(Fault::OutOfRange);
    *out = m_intel ? p[0] | p[1] << 8 : p[0] << 8 | p[1];
    return true;
}

bool ExifBlock::read32(qint64 index, qint32 *out)
{
    const quint8 *p = m_bytes.bytes(index, 4);
    if (!p)
        return fail(Fault::OutOfRange);
    const quint32 v =
        m_intel ? quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16 | quint32(p[3]) << 24
                : quint32(p[0]) << 24 | quint32(p[1]) << 16 | quint32(p[2]) << 8 | quint32(p[3]);
    if (v > quint32(ExifInt32Max))
        return fail(Fault::Overflow);
    *out = qint32(v);
    return true;
}

bool ExifBlock::toInt32(const QVariant &value, qint32 *out)
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
        if (n <= ExifInt32Max + 1)
            n = n * 10 + (c - u'0');
    }
    if (n > (negative ? ExifInt32Max + 1 : ExifInt32Max))
        return fail(Fault::Overflow);
    if (negative)
        n = -n;
    *out = qint32(n);
    return true;
}

bool ExifBlock::decode(qint32 type, qint32 count, qint32 field, qint32 *valueOffset,
                       QVariant *value)
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
        if (qint64(count) * 4 > ExifInt32Max)
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

bool ExifBlock::readEntry(qint32 position, qint32 k, ExifReader::Slot &slot, qint32 *exifOffset)
{
    qint32 e = 0, typeIndex = 0, countIndex = 0, field = 0;
    if (!sum(position, 2 + 12 * qint64(k), &e) || !read16(e, &slot.tagNumber) ||
        !sum(e, 2, &typeIndex) || !read16(typeIndex, &slot.dataType) || !sum(e, 4, &countIndex) ||
        !read32(countIndex, &slot.count) || !sum(e, 8, &field))
        return false;
    const bool pointer = slot.tagNumber == ExifPointerTag;
    QVariant value;
    if (!decode(slot.dataType, slot.count, field, &slot.valueOffset, pointer ? &value : nullptr))
        return false;
    slot.fieldIndex = field;
    return !pointer || toInt32(value, exifOffset);
}

bool ExifBlock::fieldHex(qint32 field, QVariant *value)
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

bool ExifBlock::fieldCharacters(qint32 field, QVariant *value)
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

bool ExifBlock::fieldShorts(qint32 field, QVariant *value)
{
    qint32 first = 0, second = 0, secondIndex = 0;
    if (!read16(field, &first) || !sum(field, 2, &secondIndex) || !read16(secondIndex, &second))
        return false;
    if (value)
        *value = first + second;
    return true;
}

bool ExifBlock::fieldLong(qint32 field, QVariant *value)
{
    qint32 number = 0;
    if (!read32(field, &number))
        return false;
    if (value)
        *value = number;
    return true;
}

bool ExifBlock::outsideText(qint32 type, qint32 field, qint32 *valueOffset, qint32 count,
                            QVariant *value)
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

bool ExifBlock::outsideRational(qint32 field, qint32 *valueOffset, QVariant *value)
{
    qint32 start = 0, numerator = 0, denominator = 0, second = 0;
    if (!outsideStart(field, valueOffset, &start) || !read32(start, &numerator) ||
        !sum(start, 4, &second) || !read32(second, &denominator))
        return false;
    if (value)
        *value = QString::number(numerator) + u'/' + QString::number(denominator);
    return true;
}

bool ExifBlock::outsideDigits(qint32 field, qint32 *valueOffset, qint32 count, bool reversed,
                              QVariant *value)
{
    qint32 start = 0;
    if (!outsideStart(field, valueOffset, &start) || !checkRun(start, count))
        return false;
    if (value)
        *value = decimalBytes(start, count, reversed);
    return true;
}

bool ExifBlock::outsideStart(qint32 field, qint32 *valueOffset, qint32 *start)
{
    if (!read32(field, valueOffset))
        return false;
    return sum(m_tiffStart, *valueOffset, start);
}

bool ExifBlock::checkRun(qint32 start, qint64 length)
{
    if (length <= 0)
        return true;
    const qint64 upper = m_bytes.size() - 1;
    if (start < 0 || start > upper)
        return fail(Fault::OutOfRange);
    const qint64 last = qint64(start) + length - 1;
    if (last <= upper && last <= ExifInt32Max)
        return true;
    return fail(upper < ExifInt32Max ? Fault::OutOfRange : Fault::Overflow);
}

template<typename Take> void ExifBlock::forEachPiece(qint32 start, qint32 length, Take take)
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

QString ExifBlock::decimalBytes(qint32 start, qint32 count, bool backwards)
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

QString ExifBlock::characters(qint32 start, qint32 length)
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

} // namespace kesto
