#pragma once

#include "storage/heldfolder.h"

#include <QByteArray>
#include <QString>

namespace kesto {

/// Whether \a name (UTF-8) can be a file name here at all: not empty, not "." or
/// "..", no "/" and no NUL character. Other characters are the file system's
/// business.
bool IsPossibleFileName(QByteArrayView name);

/// A hidden name for a file to wait under, new every time.
QByteArray FreshTempName();

/// How a rename keeps from replacing an existing entry. Drives differ in what
/// they offer; Best takes the first that the drive supports, in this order.
enum class NoReplaceMethod {
    Best,
    /// renameat2 with RENAME_NOREPLACE: the kernel refuses an existing target.
    KernelFlag,
    /// A second hard link under the new name (link fails on an existing
    /// target), then the old name is removed.
    Link,
    /// For drives with neither (FAT, exFAT through FUSE): the new name is
    /// claimed with an exclusive create, and the rename replaces only that
    /// empty placeholder, checked to be still ours right before. A folder,
    /// which has no second link, is always renamed so where the kernel flag
    /// is not used, onto an empty folder made for it.
    Claim,
};

/// Renames \a from to \a to and never replaces an existing entry, not even
/// one that appears while the call runs. A new name that differs only in
/// letter case on a case-insensitive file system gets the new spelling.
/// Paths are taken as the system's bytes. Returns 0 on success, else the
/// errno of the failure.
int RenameNoReplace(const QByteArray &from, const QByteArray &to,
                    NoReplaceMethod method = NoReplaceMethod::Best);
int RenameNoReplace(const QString &from, const QString &to,
                    NoReplaceMethod method = NoReplaceMethod::Best);

/// Renames within folders held open, for many renames in few folders: the
/// names are looked up in the folder, not along the whole path each time.
/// Does what RenameNoReplace does with the best method.
class FolderRenamer
{
public:
    /// Renames \a from to \a to, both names in \a folder (which ends in "/",
    /// or is empty for the current folder). Returns 0 or the errno.
    int rename(const QByteArray &folder, const QByteArray &from, const QByteArray &to);

private:
    HeldFolder m_folder;
};

} // namespace kesto
