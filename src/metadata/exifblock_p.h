#pragma once

// For the Exif reader only; not part of the interface.

#include "metadata/exifreader.h"

#include <limits>

namespace kesto {

// Offsets and counts of the block are signed 32-bit numbers.
constexpr qint64 ExifInt32Max = std::numeric_limits<qint32>::max();

// Reads numbers and values of the Exif block with the reader's byte order;
// every read is checked, and the first fault is kept.
class ExifBlock
{
public:
    enum class Fault { None, Overflow, OutOfMemory, OutOfRange, NotANumber, Loop };

    explicit ExifBlock(const ExifReader &reader);

    Fault fault = Fault::None;

    bool fail(Fault f);
    bool sum(qint64 a, qint64 b, qint32 *out);
    bool read16(qint64 index, qint32 *out);
    bool read32(qint64 index, qint32 *out);

    // Checks the value of one entry whose 4-byte value field is at \a field and,
    // when \a value is given, decodes it. Sets *valueOffset as soon as it is read.
    bool decode(qint32 type, qint32 count, qint32 field, qint32 *valueOffset, QVariant *value);

    // Reads entry \a k (from 0) of the directory at \a position into \a slot;
    // the value of the Exif pointer goes to \a exifOffset.
    bool readEntry(qint32 position, qint32 k, ExifReader::Slot &slot, qint32 *exifOffset);

private:
    int fieldOrder(int k) const { return m_intel ? 3 - k : k; }

    // A number from a value: empty counts as 0, a text must be decimal digits.
    bool toInt32(const QVariant &value, qint32 *out);

    // Up to four bytes inside the value field, as two hex digits each.
    bool fieldHex(qint32 field, QVariant *value);
    // Up to four characters inside the value field.
    bool fieldCharacters(qint32 field, QVariant *value);
    // One or two 16-bit numbers inside the value field, as their sum.
    bool fieldShorts(qint32 field, QVariant *value);
    bool fieldLong(qint32 field, QVariant *value);

    // A text of \a type 2 (ASCII) or 7 (undefined) stored outside the entry.
    bool outsideText(qint32 type, qint32 field, qint32 *valueOffset, qint32 count, QVariant *value);
    bool outsideRational(qint32 field, qint32 *valueOffset, QVariant *value);
    // A value stored outside the entry, shown as the decimal digits of its bytes.
    bool outsideDigits(qint32 field, qint32 *valueOffset, qint32 count, bool reversed,
                       QVariant *value);
    bool outsideStart(qint32 field, qint32 *valueOffset, qint32 *start);

    // The bytes start .. start + length - 1 are read one index after the other:
    // the first index past the file is out of range, one past 2^31 - 1 overflows.
    bool checkRun(qint32 start, qint64 length);
    // Calls \a take(pointer, length) for the bytes start .. start + length - 1,
    // piece by piece as they are buffered.
    template<typename Take> void forEachPiece(qint32 start, qint32 length, Take take);
    QString decimalBytes(qint32 start, qint32 count, bool backwards);
    QString characters(qint32 start, qint32 length);

    FileBytes &m_bytes;
    bool m_intel;
    qint32 m_tiffStart;
};

} // namespace kesto
