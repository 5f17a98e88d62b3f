#include "metadata/filefacts.h"

#include "metadata/capturedate_p.h"
#include "metadata/filebytes.h"
#include "metadata/filetimes.h"
#include "metadata/filetimes_p.h"
#include "metadata/imagefacts.h"

#include <QFile>

#include <sys/sysmacros.h>

namespace kesto {

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
    facts.size = qint64(status.stx_size);
    if (wanted.sizeText)
        facts.sizeText = FormatFileSize(facts.size);
    if (wanted.times) {
        static constexpr QStringView dash = u"-";
        static constexpr QStringView blank = u" ";
        facts.modified = localTimeText(status.stx_mtime.tv_sec, dash, blank, dash);
        if (status.stx_mask & STATX_BTIME)
            facts.created = localTimeText(status.stx_btime.tv_sec, dash, blank, dash);
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

} // namespace kesto
