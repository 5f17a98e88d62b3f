#pragma once

#include "metadata/photofacts.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <chrono>
#include <optional>

#include <fcntl.h>

struct statx;

namespace kesto {

/// What a file is, apart from its name, as read when it entered the list. A
/// batch's journal records it, so that an undo moves back only the very file
/// it renamed; read moments before the batch, it spares reading it again.
struct FileIdentity
{
    quint64 device = 0, inode = 0;
    qint64 born = 0;     ///< birth time in nanoseconds, 0 where the drive keeps none
    qint64 modified = 0; ///< last write, whole seconds
    /// When it was read, in milliseconds of now(); 0 for unknown, as for a
    /// path that is a link (the identity read was its target's).
    qint64 readAt = 0;

    /// A clock that only goes forward, never 0.
    static qint64 now()
    {
        using namespace std::chrono;
        return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count() + 1;
    }
};

/// The identity of the entry \a status was read of, read now.
FileIdentity IdentityOf(const struct statx &status);

/// A fingerprint of the content of the file \a name in the folder \a folderFd
/// (or a path, with AT_FDCWD), \a size bytes long: a hash of its length and
/// of its first and last FingerprintPiece bytes, never 0; 0 when it cannot be
/// read. It tells files apart where the drive's numbers do not: FAT and exFAT
/// number a file per name, FUSE drives such as sshfs per mount. Both ends,
/// because files of one kind share their head and differ in their tail, and
/// copies made in one second share length and time.
quint64 ContentFingerprint(int folderFd, const QByteArray &name, qint64 size);
inline constexpr qint64 FingerprintPiece = 16 * 1024;

/// Whether two entries of one device whose inode numbers differ may still be
/// one file: FAT and exFAT through FUSE number a file anew for each name it is
/// looked up under, so there one file shows the same length and last write
/// (whole seconds, as FileIdentity keeps it) under either name.
inline bool SameLengthAndTime(qint64 sizeA, qint64 modifiedA, qint64 sizeB, qint64 modifiedB)
{
    return sizeA == sizeB && modifiedA == modifiedB;
}

/// What the list loader keeps of a new file, read in one go.
struct FileFacts
{
    bool exists = false;
    bool isRegularFile = false;
    bool isFolder = false;
    qint64 size = 0;
    QString sizeText;      ///< FormatFileSize(Size)
    QString modified;      ///< "2006-03-14 09-05-07" in the local time of that date
    QString created;       ///< same layout, "" where the file system keeps no birth time
    qint64 modifiedAt = 0; ///< last write in seconds since 1970, whether or not times are wanted
    std::optional<qint64> createdAt; ///< birth, the same, where the file system keeps it
    QString captured;                ///< the Exif capture date as stored, "" without one
    PhotoFacts photo;                ///< read by ReadPhotoFileFacts() alone
    FileIdentity identity;
};

/// A file time as FileFacts shows it: "2006-03-14 09-05-07" in the local
/// time of that date.
QString FileTimeText(qint64 secondsSinceEpoch);

/// Which of the facts a reader should fill in; type and size come with every
/// read. Formatting the times costs more than the status call that gives them.
struct WantedFacts
{
    bool times = true;       ///< Modified and Created
    bool sizeText = true;    ///< SizeText
    bool captureDate = true; ///< Captured (the file is opened and its head read)
};

/// Size and both times from one status call; the capture date only when
/// \a withCaptureDate is set and the path is a regular file that is not empty.
FileFacts ReadFileFacts(const QString &path, bool withCaptureDate);

/// The same for a path given in the file system's bytes (\a localPath, which
/// need not be UTF-8, looked up from the folder open as \a folderFd), reading
/// only what \a wanted asks for; \a shownPath names the file in the log.
FileFacts ReadFileFacts(const QByteArray &localPath, const QString &shownPath,
                        const WantedFacts &wanted, int folderFd = AT_FDCWD);

/// The photo facts of the file \a localPath, a regular file of \a size bytes
/// as the list loader found it (looked up from the folder open as
/// \a folderFd), and with \a captureDate its capture date, from one reading
/// and without a status call; \a shownPath names it in the log.
FileFacts ReadPhotoFileFacts(const QByteArray &localPath, const QString &shownPath, qint64 size,
                             bool captureDate, int folderFd = AT_FDCWD);

} // namespace kesto
