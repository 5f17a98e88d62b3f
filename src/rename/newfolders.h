#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

#include <cstring>

namespace kesto {

/// Where the file's own name begins in a new name that may lead into folders
/// below the file's folder ("2024/03/IMG_1.jpg"): 0 for a plain name.
inline qsizetype NameStart(QByteArrayView newName)
{
    return newName.lastIndexOf('/') + 1;
}

/// Whether \a newName leads into folders; most do not, and a batch asks it
/// of every name.
inline bool LeadsIntoFolders(const QByteArray &newName)
{
    return std::memchr(newName.constData(), '/', size_t(newName.size())) != nullptr;
}

/// What the folder a new name leads into is on disk, found from the file's
/// folder one name at a time.
struct NewFolder
{
    enum State {
        Exists,
        ToMake,
        FileInTheWay, ///< an entry that is no folder has the name of one on the way
        OtherDrive,   ///< the nearest folder that exists lies on another drive
        Unreachable,  ///< a folder on the way cannot be searched
    };
    State state = Exists;
    /// The folder itself when it exists, else the nearest one above it that does.
    QByteArray nearest;
    /// The folders to make, outermost first, each with its final "/".
    QList<QByteArray> missing;
};

/// Inspects \a folder + \a dirs, where \a folder (ending in "/") holds the
/// file and \a dirs ("2024/03/") are the folders of its new name.
NewFolder InspectNewFolder(const QByteArray &folder, QByteArrayView dirs);

/// Whether \a a and \a b are on one mount of one drive: only then does a
/// rename move a file between them; across mounts it fails, it never copies.
bool OnOneDrive(const QByteArray &a, const QByteArray &b);

/// Makes \a folders, outermost first, as a batch does before its first
/// rename. Gives for each the errno of its making (0: made, or a folder of
/// that name was there already) and sets \a made for each one it made.
QList<int> MakeFolders(const QList<QByteArray> &folders, QList<bool> &made);

/// Removes those of \a folders (outermost first, as made) that exist and are
/// empty, deepest first; gives those that stay because they hold something
/// (or the drive refused). A folder that is gone, or that is no folder now,
/// is passed over.
QList<QByteArray> RemoveEmptyFolders(const QList<QByteArray> &folders);

} // namespace kesto
