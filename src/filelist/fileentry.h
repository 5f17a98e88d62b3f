#pragma once

#include "metadata/audiotags.h"
#include "metadata/filefacts.h"
#include "metadata/photofacts.h"

#include <QByteArray>
#include <QSharedData>
#include <QSize>
#include <QString>

#include <limits>
#include <memory>
#include <optional>

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

enum class RowIcon : quint8 { None, Normal, Error };

/// Which facts of a file's content a mask asks for.
struct ContentUse
{
    bool audio = false;
    bool checksum = false;
    bool duration = false;
    bool photo = false;
    bool photoWithCaptureDate = false; ///< the capture date is read with the photo facts

    bool any() const { return audio || checksum || duration || photo; }
};

/// Facts read from a file's content when a mask first asks for them; each
/// part is read at most once.
struct ContentFacts
{
    std::optional<AudioTags> audio;
    std::optional<QString> checksum; ///< see FileChecksum()
    std::optional<QString> duration; ///< a film's length, see DurationText()
    std::optional<PhotoFacts> photo;
};

/// One file of the list. The list is the only store of these rows; every fact a
/// later stage needs (names, size, times, capture date) is read once at loading
/// time and kept here. A list may hold very many rows, so what follows from
/// other fields (full path, name without type, type, size key) is derived when
/// asked for, and what most rows lack (facts nobody asked for, the bytes of a
/// path that is no UTF-8) takes no room.
struct FileEntry
{
    QString oldName; ///< name with extension: everything after the last "/"
    QString newName; ///< proposed new name, written by every preview pass
    QString folder;  ///< path up to and including its last "/"
    /// Why the last full test refused the row's new name, and which
    /// placeholders had no value for the file; or empty.
    QString hint;

    qint64 size = 0;
    /// The placeholders of the mask that gave no text for this file in the
    /// last preview, as the name builder marks them.
    quint32 emptyValues = 0;
    /// Pixel size of the image, read from its header on first use and kept;
    /// invalid when the file is no readable image.
    QSize imageSize;
    bool imageSizeKnown = false;
    bool checked = true;
    bool selected = false;
    /// Renamed with the nearest row above it that is none (see GroupCompanions).
    bool companion = false;
    /// The row is a folder, renamed as a whole: its name has no type, its
    /// size is 0 and shown as nothing, its content is read for no placeholder.
    bool isFolder = false;
    /// The size column shows the length, which was read for it (never for a
    /// folder); its text is made when shown, as a list may hold very many rows.
    bool sizeShown = false;
    RowIcon icon = RowIcon::Normal;

    FileIdentity identity;

    /// Last write and birth in seconds since 1970, NoTime where they were not
    /// read or the file system keeps no birth time. Their texts are made when
    /// asked for, as a list may hold very many rows.
    static constexpr qint64 NoTime = std::numeric_limits<qint64>::min();
    qint64 modifiedAt = NoTime;
    qint64 createdAt = NoTime;

    /// A row for \a path with the name parts split; file facts are left empty.
    static FileEntry fromPath(const QString &path);

    /// The sort key of a file length: 16 upper-case hexadecimal digits.
    static QString sizeKeyFor(qint64 length);

    /// The text of a column (ColUnused and unknown columns give the empty text).
    QString text(int column) const;

    /// The path as loaded, decoded as its name is shown: Folder + OldName.
    QString fullPath() const { return folder + oldName; }
    /// The name without its last dot and what follows; a folder's whole name.
    QStringView baseName() const;
    /// The text after the last dot of the name, as written; empty without a
    /// dot and for a folder.
    QStringView type() const;

    /// The Exif capture date as stored, or empty.
    const QString &captured() const { return m_rare ? m_rare->captured : noText(); }
    void setCaptured(QString captured);
    /// The path's bytes when they are no UTF-8 (then the texts above show
    /// them decoded); empty for every other path.
    const QByteArray &rawBytes() const { return m_rare ? m_rare->rawBytes : noBytes(); }
    void setRawBytes(QByteArray bytes);

    /// The audio tags, all empty until readContent() read them.
    const AudioTags &audioTags() const;
    /// The checksum, empty until readContent() read it or when it could not be read.
    QString checksum() const;
    /// The length of the film, empty until readContent() read it or when the
    /// file is no film that tells it.
    QString duration() const;
    /// The photo facts, all empty until readContent() read them.
    const PhotoFacts &photoFacts() const;
    /// Reads what \a wanted asks for of the file's content and was not read
    /// yet. The photo facts come with the capture date of a file named as a
    /// photo or film that has none yet, in one reading, when \a wanted says so.
    /// A photo is looked up by its name in \a folderFd, where given: its
    /// folder held open.
    void readContent(const ContentUse &wanted, int folderFd = AT_FDCWD);

    /// The path as the system knows it.
    QByteArray pathBytes() const;
    /// What tells this row's path apart from every other (see PathKey).
    QString pathKey() const;

private:
    // Never changed once made: a row that changes gets a new one, so that
    // copies of rows may share it.
    struct Rare : QSharedData
    {
        QString captured;
        QByteArray rawBytes;
        // Copies of the row share the facts of its one file; a new read replaces them.
        std::shared_ptr<const ContentFacts> content;
    };
    static const QString &noText();
    static const QByteArray &noBytes();
    const ContentFacts *content() const { return m_rare ? m_rare->content.get() : nullptr; }
    void setRare(QString captured, QByteArray bytes, std::shared_ptr<const ContentFacts> content);

    QExplicitlySharedDataPointer<Rare> m_rare;
};

/// A text that tells paths apart by their bytes: the path itself when they
/// are UTF-8 (\a rawBytes empty), else the bytes behind a NUL, which no
/// path text holds.
QString PathKey(const QString &path, const QByteArray &rawBytes);

/// A text path by which readers that take text reach a row's file: the path
/// itself, or, when its bytes are no UTF-8, the link of a handle to the file
/// (empty when the file cannot be reached). Holds the handle while it lives.
class ReachablePath
{
public:
    explicit ReachablePath(const FileEntry &e);
    ~ReachablePath();
    ReachablePath(const ReachablePath &) = delete;
    ReachablePath &operator=(const ReachablePath &) = delete;

    const QString &path() const { return m_path; }

private:
    int m_fd = -1;
    QString m_path;
};

} // namespace kesto
