#include "rename/renamer.h"

#include "metadata/filefacts.h"
#include "rename/namefold.h"
#include "rename/plan.h"
#include "rename/renamer_p.h"

#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#ifndef RENAME_NOREPLACE
#define RENAME_NOREPLACE (1 << 0)
#endif

namespace kesto {

namespace {

std::function<void(ClaimStage, const QByteArray &)> g_claimHook;

bool sameIdentity(const struct stat &a, const struct stat &b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Errors by which a drive says it does not offer a way, as opposed to a
// refusal of this rename.
bool lacksKernelFlag(int error)
{
    return error == EINVAL || error == ENOSYS || error == ENOTSUP || error == EOPNOTSUPP;
}

bool lacksLinks(int error)
{
    return error == EPERM || error == ENOSYS || error == ENOTSUP || error == EOPNOTSUPP ||
           error == EMLINK;
}

int byKernelFlag(const QByteArray &from, const QByteArray &to)
{
    return ::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0
               ? 0
               : errno;
}

int byLink(const QByteArray &from, const QByteArray &to)
{
    if (::link(from.constData(), to.constData()) != 0)
        return errno;
    // Only a name that really is the same file lets the old one go; anything
    // else under the new name is somebody else's and stays.
    struct stat a, b;
    if (::lstat(from.constData(), &a) != 0 || ::lstat(to.constData(), &b) != 0 ||
        !sameIdentity(a, b))
        return EEXIST;
    if (::unlink(from.constData()) == 0)
        return 0;
    const int error = errno;
    ::unlink(to.constData());
    return error;
}

// Bytes that another program wrote into our placeholder in the instant
// between the last check and the rename survive only in the descriptor we
// still hold; they are kept in a fresh file beside the renamed one.
void keepStrayBytes(int fd, const QByteArray &to)
{
    for (int n = 1; n < 1000; ++n) {
        const QByteArray name = to + ".gerettet" + (n > 1 ? QByteArray::number(n) : QByteArray());
        const int out = ::open(name.constData(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0600);
        if (out < 0) {
            if (errno == EEXIST)
                continue;
            return;
        }
        char buffer[65536];
        off_t at = 0;
        for (;;) {
            const ssize_t got = ::pread(fd, buffer, sizeof buffer, at);
            if (got <= 0)
                break;
            if (::write(out, buffer, size_t(got)) != got)
                break;
            at += got;
        }
        ::fsync(out);
        ::close(out);
        return;
    }
}

int byClaim(const QByteArray &from, const QByteArray &to, bool closeBeforeRename)
{
    const int fd = ::open(to.constData(), O_CREAT | O_EXCL | O_RDWR | O_CLOEXEC, 0600);
    if (fd < 0)
        return errno;
    struct stat claimed;
    if (::fstat(fd, &claimed) != 0) {
        const int error = errno;
        ::close(fd);
        ::unlink(to.constData());
        return error;
    }
    // Ours means: the name still leads to the placeholder, and nobody has
    // written into it.
    auto stillOurs = [&] {
        struct stat now, held;
        return ::lstat(to.constData(), &now) == 0 && sameIdentity(now, claimed) &&
               S_ISREG(now.st_mode) && now.st_size == 0 && ::fstat(fd, &held) == 0 &&
               held.st_size == 0;
    };
    if (g_claimHook)
        g_claimHook(ClaimStage::Claimed, to);
    if (!stillOurs()) {
        ::close(fd);
        return EEXIST;
    }
    if (g_claimHook)
        g_claimHook(ClaimStage::BeforeRename, to);
    // On FUSE the placeholder is let go first, so that the drive renames
    // onto it at once instead of moving it aside and leaving the name free.
    if (closeBeforeRename) {
        ::close(fd);
        if (::rename(from.constData(), to.constData()) == 0)
            return 0;
        const int error = errno;
        struct stat now;
        if (::lstat(to.constData(), &now) == 0 && sameIdentity(now, claimed) && now.st_size == 0)
            ::unlink(to.constData());
        return error;
    }
    if (::rename(from.constData(), to.constData()) != 0) {
        const int error = errno;
        // A placeholder never outlives the rename that made it.
        if (stillOurs())
            ::unlink(to.constData());
        ::close(fd);
        return error;
    }
    struct stat after;
    if (::fstat(fd, &after) == 0 && after.st_size > 0)
        keepStrayBytes(fd, to);
    ::close(fd);
    return 0;
}

// A folder has no second hard link, and a rename cannot put it over a file:
// its new name is claimed with an empty folder, which a rename replaces only
// while it is empty; one that another program filled makes it fail.
int byFolderClaim(const QByteArray &from, const QByteArray &to)
{
    if (::mkdir(to.constData(), 0700) != 0)
        return errno;
    struct stat claimed;
    if (::lstat(to.constData(), &claimed) != 0)
        return errno;
    auto stillOurs = [&] {
        struct stat now;
        return ::lstat(to.constData(), &now) == 0 && sameIdentity(now, claimed) &&
               S_ISDIR(now.st_mode);
    };
    if (g_claimHook)
        g_claimHook(ClaimStage::Claimed, to);
    if (!stillOurs())
        return EEXIST;
    if (g_claimHook)
        g_claimHook(ClaimStage::BeforeRename, to);
    if (::rename(from.constData(), to.constData()) == 0)
        return 0;
    const int error = errno;
    // What another program put into the placeholder keeps it there.
    const bool ours = stillOurs();
    if (ours)
        ::rmdir(to.constData());
    return !ours || error == ENOTEMPTY ? EEXIST : error;
}

bool isFolder(const QByteArray &path)
{
    struct stat st;
    return ::lstat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

int move(const QByteArray &from, const QByteArray &to, NoReplaceMethod method)
{
    using M = NoReplaceMethod;
    if (method == M::Best || method == M::KernelFlag) {
        const int error = byKernelFlag(from, to);
        if (method == M::KernelFlag || !lacksKernelFlag(error))
            return error;
    }
    if (isFolder(from))
        return byFolderClaim(from, to);
    const DriveKind drive = DriveKindOf(to.left(to.lastIndexOf('/') + 1));
    if (method == M::Link || (method == M::Best && !drive.knownByContent)) {
        const int error = byLink(from, to);
        if (method == M::Link || !lacksLinks(error))
            return error;
    }
    return byClaim(from, to, drive.fuse);
}

qsizetype nameStart(const QByteArray &path)
{
    return path.lastIndexOf('/') + 1;
}

bool folderHolds(const QByteArray &folder, const QByteArray &name)
{
    DIR *dir = ::opendir(folder.isEmpty() ? "." : folder.constData());
    if (!dir)
        return false;
    bool found = false;
    while (const dirent *d = ::readdir(dir)) {
        if (name == d->d_name) {
            found = true;
            break;
        }
    }
    ::closedir(dir);
    return found;
}

// Whether the existing entry that the new name \a to runs into is the file
// \a from itself, found under another letter case by a case-insensitive drive.
bool isSameEntry(const QByteArray &from, const QByteArray &to)
{
    const qsizetype fs = nameStart(from);
    const qsizetype ts = nameStart(to);
    const QByteArray folder = from.left(fs);
    if (folder != to.left(ts))
        return false;
    const QByteArray fromName = from.mid(fs);
    const QByteArray toName = to.mid(ts);
    std::string a, b;
    if (!FoldNameBytes(a, ViewOf(fromName)) || !FoldNameBytes(b, ViewOf(toName)) || a != b)
        return false;
    struct stat sa, sb;
    if (::lstat(from.constData(), &sa) != 0 || ::lstat(to.constData(), &sb) != 0 ||
        sa.st_dev != sb.st_dev)
        return false;
    if (sa.st_ino == sb.st_ino)
        return true;
    // A drive that numbers a file per name shows one file under two numbers;
    // there the folder tells as well: it holds the old spelling and no entry
    // spelled as the new name.
    return (sa.st_mode & S_IFMT) == (sb.st_mode & S_IFMT) &&
           SameLengthAndTime(sa.st_size, sa.st_mtim.tv_sec, sb.st_size, sb.st_mtim.tv_sec) &&
           folderHolds(folder, fromName) && !folderHolds(folder, toName);
}

// A case-insensitive drive finds the old file under the new spelling, so the
// rename goes through a free temporary name in the same folder.
int renameCaseOnly(const QByteArray &from, const QByteArray &to, NoReplaceMethod method)
{
    const QByteArray folder = to.left(nameStart(to));
    for (int attempt = 0; attempt < 16; ++attempt) {
        const QByteArray temp = folder + FreshTempName();
        int error = move(from, temp, method);
        if (error == EEXIST)
            continue;
        if (error != 0)
            return error;
        error = move(temp, to, method);
        if (error != 0)
            move(temp, from, method);
        return error;
    }
    return EEXIST;
}

} // namespace

void SetClaimHookForTesting(std::function<void(ClaimStage, const QByteArray &)> hook)
{
    g_claimHook = std::move(hook);
}

QByteArray FreshTempName()
{
    return ".kesto-" + QByteArray::number(QRandomGenerator::global()->generate64(), 36);
}

bool IsPossibleFileName(QByteArrayView name)
{
    return !name.isEmpty() && name != "." && name != ".." && !name.contains('/') &&
           !name.contains('\0');
}

int RenameNoReplace(const QByteArray &from, const QByteArray &to, NoReplaceMethod method)
{
    if (from == to) {
        // The file has the wanted name already.
        struct stat st;
        return ::lstat(from.constData(), &st) == 0 ? 0 : errno;
    }
    const int error = move(from, to, method);
    if (error == EEXIST && isSameEntry(from, to))
        return renameCaseOnly(from, to, method);
    return error;
}

int RenameNoReplace(const QString &from, const QString &to, NoReplaceMethod method)
{
    return RenameNoReplace(QFile::encodeName(from), QFile::encodeName(to), method);
}

int FolderRenamer::rename(const QByteArray &folder, const QByteArray &from, const QByteArray &to)
{
    const int fd = m_folder.fdFor(folder);
    // Only the plain case is done here; whatever goes wrong (a taken name, a
    // drive without the kernel flag, a name in another letter case) is left
    // to the whole procedure, which tries it again and knows what to do.
    if (fd >= 0 && from != to) {
        if (::renameat2(fd, from.constData(), fd, to.constData(), RENAME_NOREPLACE) == 0)
            return 0;
        // The drive will not do it for any name; spare it the asking.
        if (lacksKernelFlag(errno))
            m_folder.giveUp();
    }
    return RenameNoReplace(folder + from, folder + to);
}

} // namespace kesto
