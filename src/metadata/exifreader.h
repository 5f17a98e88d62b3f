#pragma once

#include "metadata/filebytes.h"

#include <QList>
#include <QString>
#include <QVariant>

#include <vector>

namespace kesto {

/// One decoded entry of a TIFF directory in an Exif block.
struct ExifEntry
{
    int TagNumber = 0;
    bool IsMakerNote = false; ///< never set by the directory walk
    int DataType = 0;         ///< TIFF type code: 1 BYTE, 2 ASCII, 3 SHORT, 4 LONG, 5 RATIONAL, ...
    int Count = 0;
    int ValueOffset = 0; ///< where outside data begins (from the TIFF header), else 0
    QVariant Value;      ///< invalid = empty, int = integer, QString = text
};

/// The text of an Exif value: "" when empty, decimal digits for an integer, else the text.
QString ExifValueText(const QVariant &value);

/// Reads the Exif block of one JPEG file into a flat list of directory entries
/// (IFD0, the directories chained after it, then once the Exif directory).
///
/// Values are QVariant: invalid for "empty", int for an integer and QString for
/// a text. Only the bytes the scan and the walk touch are read from disk; a
/// value is turned into text when it is asked for. Diagnostic lines go to the
/// application log.
class ExifReader
{
public:
    /// \a pieceSize is how much is read at once (the head, then each further piece);
    /// tests make it tiny to prove that the results do not depend on it.
    explicit ExifReader(qsizetype pieceSize = FileBytes::DefaultPieceSize);

    /// The value of the first maker-note entry with \a makerTag; empty, as the walk
    /// marks no entry as a maker-note entry.
    QVariant MakerNoteTag(int makerTag = 0) const;
    /// Without a tag number: the number of entries (int). Else the value of the
    /// first entry with that tag number, or empty. Empty for every tag when not loaded.
    QVariant Tag(int exifTag = 0) const;
    /// Reads \a picFile; afterwards Loaded() tells whether it held an Exif block.
    void Load(const QString &picFile);
    bool Loaded() const { return m_loaded; }

    /// Every entry with its value, in visiting order (for diagnostics and tests).
    QList<ExifEntry> Entries() const;

private:
    struct Slot
    {
        qint32 tagNumber = 0;
        qint32 dataType = 0;
        qint32 count = 0;
        qint32 valueOffset = 0;
        // Index of the value field of an entry whose value was checked readable, else -1.
        qint32 fieldIndex = -1;
    };

    // Load with the file already open (fd >= 0, regular, \a size bytes), or
    // opened here by its name (fd == OpenByName), or not readable at all.
    static constexpr int OpenByName = -1;
    static constexpr int NotReadable = -2;
    void load(const QString &picFile, int fd, qint64 size);
    friend QString captureDateOfOpenFile(const QString &path, int fd, qint64 size);
    friend QString captureDateOfUnreadableFile(const QString &path);

    bool IsExifJpeg();
    bool scanForExifPair(qint64 from);
    enum class Block { Exif, Other, Unreadable };
    // Whether the APP1 marker pair at \a at begins an Exif block; remembers where it does.
    Block exifBlockAt(qint64 at);
    bool IsIntelByteOrder();
    static QString PadLeft(const QString &s, int n, QChar c);
    void GetDirectoryEntries(qint32 position);

    ExifEntry entryAt(qsizetype index) const;
    QVariant valueOf(const Slot &slot) const;

    mutable FileBytes m_bytes;
    qint32 m_ifd0Offset = 0;
    qint32 m_markerPosition = 0;
    qint32 m_tiffHeaderStart = 0;
    qint32 m_nextDirectoryOffset = 0;
    std::vector<Slot> m_entries;
    qint32 m_exifDirectoryOffset = 0;
    bool m_loaded = false;
    bool m_intel = false;

    friend class ExifBlock;
};

} // namespace kesto
