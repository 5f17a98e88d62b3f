#pragma once

#include <QSize>
#include <QString>

namespace kesto {

/// The columns of a row, in display order. Columns up to ColCaptured are shown;
/// the others only carry sort keys and are never visible.
enum Column : int {
    ColOldName = 0,
    ColNewName,
    ColFolder,
    ColSize,
    ColType,
    ColModified,
    ColCreated,
    ColCaptured,
    ColUnused,
    ColFullPath,
    ColBaseName,
    ColSizeKey,
    ColumnCount
};

/// Number of columns the user sees.
constexpr int VisibleColumnCount = ColCaptured + 1;

/// The header texts of all columns, hidden ones included.
QString columnHeader(int column);

enum class RowIcon { None, Normal, Error };

/// One file of the list. The list is the only store of these rows; every fact a
/// later stage needs (names, size, times, capture date) is read once at loading
/// time and kept here as text.
struct FileEntry
{
    QString OldName;  ///< name with extension: everything after the last "/"
    QString NewName;  ///< proposed new name, written by every preview pass
    QString Folder;   ///< path up to and including its last "/"
    QString SizeText; ///< file length as display text
    QString Type;     ///< text after the last dot of the name, as written
    QString Modified; ///< last-write time as "yyyy-MM-dd HH-mm-ss"
    QString Created;  ///< creation (birth) time, same layout, or empty
    QString Captured; ///< Exif capture date as stored, or empty
    QString FullPath; ///< the path as loaded
    QString BaseName; ///< the name without its last dot and what follows
    QString SizeKey;  ///< the length as 16 upper-case hex digits, for sorting

    qint64 Size = 0;
    bool Checked = true;
    bool Selected = false;
    RowIcon Icon = RowIcon::Normal;

    /// Pixel size of the image, read from its header on first use and kept;
    /// invalid when the file is no readable image.
    QSize ImageSize;
    bool ImageSizeKnown = false;

    /// A row for \a path with the name parts split; file facts are left empty.
    static FileEntry fromPath(const QString &path);

    /// The sort key of a file length: 16 upper-case hexadecimal digits.
    static QString sizeKeyFor(qint64 length);

    /// The text of a column (ColUnused and unknown columns give the empty text).
    QString text(int column) const;
};

} // namespace kesto
