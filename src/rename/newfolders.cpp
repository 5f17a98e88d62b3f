#include "rename/newfolders.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kesto {

NewFolder InspectNewFolder(const QByteArray &folder, QByteArrayView dirs)
{
    NewFolder found;
    found.nearest = folder;
    QByteArray path = folder;
    for (qsizetype start = 0; start < dirs.size();) {
        const qsizetype slash = dirs.indexOf('/', start);
        path += dirs.sliced(start, slash + 1 - start);
        start = slash + 1;
        if (!found.missing.isEmpty()) {
            found.missing.append(path);
            continue;
        }
        // A link to a folder leads into it, as it does for the rename.
        struct stat st;
        if (::stat(path.constData(), &st) == 0) {
            if (!S_ISDIR(st.st_mode)) {
                found.state = NewFolder::FileInTheWay;
                return found;
            }
            found.nearest = path;
            continue;
        }
        if (errno != ENOENT) {
            found.state = errno == ENOTDIR ? NewFolder::FileInTheWay : NewFolder::Unreachable;
            return found;
        }
        // A link that leads nowhere takes the name too.
        if (::lstat(path.chopped(1).constData(), &st) == 0) {
            found.state = NewFolder::FileInTheWay;
            return found;
        }
        found.missing.append(path);
    }
    found.state = !OnOneDrive(folder, found.nearest) ? NewFolder::OtherDrive
                  : found.missing.isEmpty()          ? NewFolder::Exists
                                                     : NewFolder::ToMake;
    return found;
}

bool OnOneDrive(const QByteArray &a, const QByteArray &b)
{
    struct statx sa, sb;
    constexpr unsigned Wanted = STATX_MNT_ID;
    if (::statx(AT_FDCWD, a.constData(), 0, Wanted, &sa) != 0 ||
        ::statx(AT_FDCWD, b.constData(), 0, Wanted, &sb) != 0)
        return true; // what cannot be asked about is left to the rename, which never copies
    if (sa.stx_dev_major != sb.stx_dev_major || sa.stx_dev_minor != sb.stx_dev_minor)
        return false;
    // A bind mount of the same drive shares its device number; a rename
    // across it fails all the same.
    return !(sa.stx_mask & sb.stx_mask & STATX_MNT_ID) || sa.stx_mnt_id == sb.stx_mnt_id;
}

QList<int> MakeFolders(const QList<QByteArray> &folders, QList<bool> &made)
{
    QList<int> errors(folders.size(), 0);
    made = QList<bool>(folders.size(), false);
    for (qsizetype k = 0; k < folders.size(); ++k) {
        const QByteArray path = folders[k].chopped(1);
        if (::mkdir(path.constData(), 0777) == 0) {
            made[k] = true;
            continue;
        }
        const int error = errno;
        struct stat st;
        const bool folderThere =
            error == EEXIST && ::stat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode);
        if (!folderThere)
            errors[k] = error == EEXIST ? ENOTDIR : error;
    }
    return errors;
}

QList<QByteArray> RemoveEmptyFolders(const QList<QByteArray> &folders)
{
    QList<QByteArray> kept;
    for (auto folder = folders.crbegin(); folder != folders.crend(); ++folder) {
        // rmdir removes only an empty folder, and never a link's target.
        if (::rmdir(folder->chopped(1).constData()) != 0 && errno != ENOENT && errno != ENOTDIR)
            kept.prepend(*folder);
    }
    return kept;
}

} // namespace kesto
