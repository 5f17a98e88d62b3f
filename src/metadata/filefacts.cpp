#include "metadata/filefacts.h"

#include "metadata/capturedate_p.h"
#include "metadata/filebytes.h"
#include "metadata/filetimes.h"
#include "metadata/filetimes_p.h"
#include "metadata/imagefacts.h"

#include <QFile>

#include <cerrno>

#include <sys/sysmacros.h>
#include <unistd.h>

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
                        const WantedFacts &wanted)
{
    FileFacts facts;
    if (localPath.isEmpty())
        return facts;
    struct statx status;
    // A photo is opened first and examined through the descriptor, so that the
    // path is looked up once; what cannot be opened is examined by its path.
    // A link is followed, but what it is then is not the entry a rename moves.
    bool isLink = false;
    int fd = -1;
    if (wanted.captureDate) {
        fd = FileBytes::openForReading(localPath, /*followLink=*/false);
        if (fd < 0 && errno == ELOOP) {
            isLink = true;
            fd = FileBytes::openForReading(localPath);
        }
    }
    if (fd >= 0 && !statOpenFile(fd, &status)) {
        ::close(fd);
        fd = -1;
    }
    if (fd < 0) {
        if (!statFile(localPath, &status, /*followLink=*/false))
            return facts;
        if (S_ISLNK(status.stx_mode)) {
            isLink = true;
            if (!statFile(localPath, &status))
                return facts;
        }
    }
    if (!isLink)
        facts.identity = IdentityOf(status);

    facts.exists = true;
    facts.isRegularFile = S_ISREG(status.stx_mode);
    facts.Size = qint64(status.stx_size);
    if (wanted.sizeText)
        facts.SizeText = FormatFileSize(facts.Size);
    if (wanted.times) {
        static constexpr QStringView dash = u"-";
        static constexpr QStringView blank = u" ";
        facts.Modified = localTimeText(status.stx_mtime.tv_sec, dash, blank, dash);
        if (status.stx_mask & STATX_BTIME)
            facts.Created = localTimeText(status.stx_btime.tv_sec, dash, blank, dash);
    }

    if (fd >= 0 && facts.isRegularFile)
        facts.Captured = captureDateOfOpenFile(shownPath, fd, facts.Size);
    else if (fd >= 0)
        ::close(fd);
    else if (wanted.captureDate && facts.isRegularFile)
        facts.Captured = captureDateOfUnreadableFile(shownPath); // logged as no Exif
    return facts;
}

} // namespace kesto
