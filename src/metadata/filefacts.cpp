#include "metadata/filefacts.h"

#include "metadata/capturedate_p.h"
#include "metadata/filebytes.h"
#include "metadata/filetimes.h"
#include "metadata/filetimes_p.h"
#include "metadata/imagefacts.h"
#include "metadata/photofacts_p.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace kesto {

namespace {

// One 64-bit mix per eight bytes: the fingerprint must read the same in
// every later version that reads a journal, so it is no library's hash.
void mixInto(quint64 &h, const char *data, qint64 length)
{
    constexpr quint64 Multiplier = 0xff51afd7ed558ccdULL;
    qint64 i = 0;
    for (; i + 8 <= length; i += 8) {
        quint64 word;
        std::memcpy(&word, data + i, 8);
        h = (h ^ word) * Multiplier;
        h ^= h >> 29;
    }
    for (; i < length; ++i) {
        h = (h ^ quint8(data[i])) * Multiplier;
        h ^= h >> 29;
    }
}

bool readFully(int fd, char *to, qint64 length, qint64 offset)
{
    while (length > 0) {
        const ssize_t n = ::pread(fd, to, size_t(length), offset);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        to += n;
        length -= n;
        offset += n;
    }
    return true;
}

} // namespace

quint64 ContentFingerprint(int folderFd, const QByteArray &name, qint64 size)
{
    const int fd = ::openat(folderFd, name.constData(),
                            O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return 0;
    quint64 h = 0x9E3779B97F4A7C15ULL ^ quint64(size);
    char piece[FingerprintPiece];
    const qint64 head = std::min(size, FingerprintPiece);
    bool ok = readFully(fd, piece, head, 0);
    if (ok)
        mixInto(h, piece, head);
    if (ok && size > FingerprintPiece) {
        const qint64 tail = std::min(size - FingerprintPiece, FingerprintPiece);
        ok = readFully(fd, piece, tail, size - tail);
        if (ok)
            mixInto(h, piece, tail);
    }
    ::close(fd);
    return !ok ? 0 : h != 0 ? h : 1;
}

FileIdentity IdentityOf(const struct statx &status)
{
    FileIdentity id;
    id.device = makedev(status.stx_dev_major, status.stx_dev_minor);
    id.inode = status.stx_ino;
    if (status.stx_mask & STATX_BTIME)
        id.born = qint64(status.stx_btime.tv_sec) * 1000000000 + status.stx_btime.tv_nsec;
    id.modified = status.stx_mtime.tv_sec;
    id.readAt = FileIdentity::now();
    return id;
}

QString FileTimeText(qint64 secondsSinceEpoch)
{
    return localTimeText(secondsSinceEpoch, u"-", u" ", u"-");
}

FileFacts ReadFileFacts(const QString &path, bool withCaptureDate)
{
    if (path.isEmpty())
        return {};
    WantedFacts wanted;
    wanted.captureDate = withCaptureDate;
    return ReadFileFacts(QFile::encodeName(path), path, wanted);
}

FileFacts ReadFileFacts(const QByteArray &localPath, const QString &shownPath,
                        const WantedFacts &wanted, int folderFd)
{
    FileFacts facts;
    if (localPath.isEmpty())
        return facts;
    struct statx status;
    // A link is followed, but what it is then is not the entry a rename moves.
    bool isLink = false;
    if (!statFile(localPath, &status, /*followLink=*/false, folderFd))
        return facts;
    if (S_ISLNK(status.stx_mode)) {
        isLink = true;
        if (!statFile(localPath, &status, /*followLink=*/true, folderFd))
            return facts;
    }
    if (!isLink)
        facts.identity = IdentityOf(status);

    facts.exists = true;
    facts.isRegularFile = S_ISREG(status.stx_mode);
    facts.isFolder = S_ISDIR(status.stx_mode);
    facts.size = qint64(status.stx_size);
    if (wanted.sizeText)
        facts.sizeText = FormatFileSize(facts.size);
    facts.modifiedAt = status.stx_mtime.tv_sec;
    if (status.stx_mask & STATX_BTIME)
        facts.createdAt = status.stx_btime.tv_sec;
    if (wanted.times) {
        facts.modified = FileTimeText(facts.modifiedAt);
        if (facts.createdAt)
            facts.created = FileTimeText(*facts.createdAt);
    }

    // The status comes first: an empty file holds no photo, and opening each of
    // a folder of them would cost as much again as their status.
    if (wanted.captureDate && facts.isRegularFile) {
        const int fd = facts.size > 0 ? FileBytes::openForReading(localPath, isLink, folderFd) : -1;
        facts.captured = fd >= 0 ? captureDateOfOpenFile(shownPath, fd, facts.size)
                                 : captureDateOfUnreadableFile(shownPath); // logged as no Exif
    }
    return facts;
}

FileFacts ReadPhotoFileFacts(const QByteArray &localPath, const QString &shownPath, qint64 size,
                             bool captureDate, int folderFd)
{
    FileFacts facts;
    const int fd = size > 0 ? FileBytes::openForReading(localPath, true, folderFd) : -1;
    if (captureDate)
        facts.captured = fd >= 0 ? captureDateOfOpenFile(shownPath, fd, size, &facts.photo)
                                 : captureDateOfUnreadableFile(shownPath);
    else if (fd >= 0)
        facts.photo = PhotoFactsOfOpenFile(fd, size);
    return facts;
}

} // namespace kesto
