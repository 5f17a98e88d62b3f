#include "rename/renamer.h"

#include <QByteArray>
#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#ifndef RENAME_NOREPLACE
#define RENAME_NOREPLACE (1 << 0)
#endif

namespace kesto {

namespace {

bool sameFile(const QByteArray &a, const QByteArray &b)
{
    struct stat sa, sb;
    return ::lstat(a.constData(), &sa) == 0 && ::lstat(b.constData(), &sb) == 0 &&
           sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

int renameNoReplace(const QByteArray &from, const QByteArray &to)
{
    return ::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0
               ? 0
               : errno;
}

// For file systems without RENAME_NOREPLACE: the new name is claimed with an
// exclusive create first, so the rename can only ever replace our own empty
// placeholder.
int renameByClaiming(const QByteArray &from, const QByteArray &to)
{
    const int fd = ::open(to.constData(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0600);
    if (fd < 0)
        return errno;
    ::close(fd);
    if (::rename(from.constData(), to.constData()) == 0)
        return 0;
    const int error = errno;
    ::unlink(to.constData());
    return error;
}

// A case-insensitive file system finds the old file under the new spelling,
// so the rename goes through a free temporary name in the same folder.
int renameCaseOnly(const QByteArray &from, const QByteArray &to)
{
    const qsizetype slash = to.lastIndexOf('/');
    const QByteArray folder = to.left(slash + 1);
    for (int attempt = 0; attempt < 16; ++attempt) {
        const QByteArray temp =
            folder + ".kesto-" + QByteArray::number(QRandomGenerator::global()->generate64(), 36);
        int error = renameNoReplace(from, temp);
        if (error == EEXIST)
            continue;
        if (error != 0)
            return error;
        error = renameNoReplace(temp, to);
        if (error != 0)
            renameNoReplace(temp, from);
        return error;
    }
    return EEXIST;
}

} // namespace

bool IsPossibleFileName(const QString &name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") &&
           !name.contains(QLatin1Char('/')) && !name.contains(QChar(0));
}

int RenameNoReplace(const QString &from, const QString &to)
{
    return RenameNoReplace(QFile::encodeName(from), QFile::encodeName(to));
}

int RenameNoReplace(const QByteArray &f, const QByteArray &t)
{
    if (f == t) {
        // The file has the wanted name already.
        struct stat st;
        return ::lstat(f.constData(), &st) == 0 ? 0 : errno;
    }
    int error = renameNoReplace(f, t);
    if (error == EEXIST && sameFile(f, t))
        return renameCaseOnly(f, t);
    if (error == EINVAL || error == ENOSYS || error == ENOTSUP)
        error = renameByClaiming(f, t);
    return error;
}

} // namespace kesto
