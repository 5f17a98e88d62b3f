#pragma once

#include "filelist/loader.h"
#include "storage/questions.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

#include <functional>
#include <optional>

// Where paths to load come from besides those given one by one: the files of
// a folder and its subfolders, and lists of paths.
namespace kesto {

/// Which files of a folder are loaded.
struct FolderFilter
{
    /// How many levels of subfolders are entered: 0 none (the folder's own
    /// files only), below 0 every level.
    int depth = 0;
    /// Shell patterns on a file's name ("*", "?", "[…]", "[!…]"), in any
    /// letter case: a file is loaded when it matches one of \a include (or
    /// none is given) and none of \a exclude. Every folder is entered,
    /// whatever its name.
    QStringList include, exclude;
    /// Whether files and folders whose name begins with "." are taken too.
    bool hidden = false;
    /// Whether each folder is a row itself, and so is each folder the walk
    /// enters below it.
    bool folderRows = false;
    /// Whether the folders are walked for their files; without, each folder
    /// is a row and nothing inside it is loaded.
    bool files = true;
};

/// What the user's answer to the question which files of a folder to load
/// asks for (not Files::None).
FolderFilter FolderFilterFor(const UserQuestions::FolderAnswer &answer);

/// Whether \a pattern is a shell pattern FolderFilter can use (a "[" without
/// its "]" is none).
bool IsUsablePattern(const QString &pattern);

/// What a walk meets.
struct WalkEntry
{
    enum class Kind { File, Folder, Unreadable };
    Kind kind;
    QByteArray path; ///< the root's as given, the others below it
    int error = 0;   ///< why an Unreadable folder could not be read (errno)
};

/// Walks the folder \a root and what \a filter lets in below it, in this
/// order: a folder, its files, then each of its subfolders with all below
/// it; files and subfolders each by name in the list's order (NameCollator,
/// equal names by their bytes). \a root is followed when it is a symbolic
/// link, since the user named it; a link inside is never entered: one to a
/// regular file is a file, as a link given as a path is, any other is
/// nothing, so that no walk runs round a loop. A folder that cannot be
/// opened or read is met as Unreadable, and the walk goes on. Each folder is
/// opened through the one above it, and its entries are told apart by the
/// listing's type, asking the file system only for links and unknown types.
void WalkFolder(const QByteArray &root, const FolderFilter &filter,
                const std::function<void(const WalkEntry &)> &visit);

/// The paths of the folders among \a rawPaths (links to folders too).
QList<QByteArray> FoldersAmong(const QList<QByteArray> &rawPaths);

/// \a rawPaths as PathsFromBytes gives them, each folder among them replaced
/// by the files WalkFolder finds in it and by the folders below it that
/// could not be read (passed over with their reason), or by itself as a row
/// and, with \a filter's files, the folders entered too, as \a filter says.
/// A folder row is named without a final "/"; one named "." or ".." by the
/// path it stands for. \a yield is called about every 16 ms.
QList<PathToLoad> PathsWithFolderFiles(const QList<QByteArray> &rawPaths,
                                       const FolderFilter &filter,
                                       const std::function<void()> &yield = {});

/// The paths of a list, one a line (a carriage return before the line feed
/// is dropped, a last line needs none) or, with \a nulSeparated, each ended
/// by a NUL; empty ones are left out.
QList<QByteArray> PathsInList(const QByteArray &list, bool nulSeparated);

/// The bytes of \a source, a file or pipe ("-" is standard input); nothing
/// when it cannot be read, and then \a reason why.
std::optional<QByteArray> ReadListSource(const QByteArray &source, SkipReason &reason);

/// The paths listed in \a source as PathsInList() gives them; nothing when
/// it cannot be read (see ReadListSource()).
std::optional<QList<QByteArray>> ReadPathList(const QByteArray &source, bool nulSeparated,
                                              SkipReason &reason);

} // namespace kesto
