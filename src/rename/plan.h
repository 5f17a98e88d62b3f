#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace kesto {

/// Which names a drive refuses beyond "/" and NUL.
enum class NameRules {
    Posix,
    /// FAT, exFAT, NTFS and SMB drives, also through FUSE: < > : " \ | ? *,
    /// control characters, and a dot or blank at the end.
    Windows,
};

/// The rules of the drive that holds \a folder, from its file-system type.
NameRules NameRulesOf(const QByteArray &folder);
/// What the drive of \a folder is, as far as knowing and renaming files goes.
struct DriveKind
{
    /// Files are known by their content rather than by the drive's numbers:
    /// FAT and exFAT number a file per name, FUSE drives (sshfs, exFAT through
    /// FUSE) may number it anew for each mount; so a hard link cannot be told
    /// from another file either.
    bool knownByContent = false;
    /// FUSE moves a target that is still open aside before a rename onto it,
    /// which frees the name for an instant.
    bool fuse = false;
};
DriveKind DriveKindOf(const QByteArray &folder);
/// The rules of a file-system type as the mount table names it ("vfat",
/// "fuseblk", "fuse.fusefat" …).
NameRules NameRulesOfType(const QByteArray &fileSystemType);

/// The first character of \a name (UTF-8) that a drive with \a rules
/// refuses, as its code point; 0 when there is none. Every character refused
/// is ASCII, which no byte of another character's UTF-8 can be taken for.
char32_t RefusedCharacter(NameRules rules, QByteArrayView name);

/// What the check found for one pair of a batch.
enum class PairStatus {
    Ok,
    Unchanged,        ///< the new name is the old one, byte for byte
    Blank,            ///< blanks only, or nothing before the extension
    Duplicate,        ///< another checked row of the folder gets the same name
    Exists,           ///< an entry of the folder has the name already
    Impossible,       ///< "/" or NUL in it, or "." or ".."
    TooLong,          ///< more bytes than the folder allows
    NotAllowed,       ///< a character the drive refuses
    FolderUnreadable, ///< the folder cannot be listed, so nothing can be checked
    FolderUnwritable, ///< nothing may be written to the folder (mode, read-only drive)
    OtherDrive,       ///< the folder the new name leads into is on another drive
    FolderClash,      ///< a file and a folder the new name leads into want one name
};

/// One checked row on its way to its new name. The byte arrays may be views
/// (QByteArray::fromRawData) of bytes the caller keeps while the plan lives.
struct PlannedRename
{
    QByteArray folder;  ///< as on disk, with its final "/"
    QByteArray oldName; ///< as on disk
    QByteArray newName; ///< UTF-8; "2024/03/IMG_1.jpg" leads into folders below \a folder
    int row = -1;
    PairStatus status = PairStatus::Ok;
    /// The new name is the old name of another pair, which moves away first.
    bool inChain = false;
    int nameBytes = 0, nameMax = 0; ///< for TooLong: of the longest part of the new name
    char32_t refused = 0;           ///< for NotAllowed

    /// The reason shown on the row, empty where there is nothing to say.
    QString reason() const;
};

/// The checked rows of a batch with the status of each, computed in one pass
/// with one listing per folder.
struct RenamePlan
{
    QList<PlannedRename> pairs;
    /// The bytes the pairs' names may view; moves along with the plan.
    QByteArray bytes;
    bool namesUnique = true;
    bool noCollision = true;
    bool noEmptyName = true;
    bool namesFit = true;     ///< no name too long for its folder
    bool namesAllowed = true; ///< no character a drive refuses, no impossible name
    bool foldersReadable = true;
    bool foldersWritable = true;
    bool oneDrive = true;    ///< no new name leads onto another drive
    bool foldersFree = true; ///< no file and new folder want one name
    /// For a plan that passes: the folders the new names lead into that do
    /// not exist yet, each with its final "/", every one after the folder it
    /// is made in.
    QList<QByteArray> newFolders;

    bool ok() const
    {
        return namesUnique && noCollision && noEmptyName && namesFit && namesAllowed &&
               foldersReadable && foldersWritable && oneDrive && foldersFree;
    }
};

/// Checks \a pairs (row, folder, old and new names filled in) against each
/// other and against the folders, those the new names lead into too: sets
/// each status and the flags, and lists the folders to make.
RenamePlan CheckPlan(QList<PlannedRename> pairs);

} // namespace kesto
