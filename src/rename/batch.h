#pragma once

#include <QByteArray>
#include <QList>

#include <functional>
#include <vector>

namespace kesto {

/// One file of a batch on its way from one name to another in its folder.
struct Move
{
    QByteArray folder; ///< with its final "/"
    /// Names in \a folder; the new name may lead into folders below it
    /// ("2024/IMG_1.jpg"), and for an undo the old one.
    QByteArray from, to;
    /// A free name the file waits under while a cycle of renames is broken;
    /// empty for a file that goes straight to its name.
    QByteArray temp;
};

/// One rename on disk: a move straight to its name, or the two halves of a
/// move through its temporary name.
struct Step
{
    enum Kind { Direct, ToTemp, FromTemp };
    int move = -1;
    Kind kind = Direct;
};

/// Where a move renames a folder that holds, at any depth, the folder of
/// another move, how deep the folder of each move lies (its parts from the
/// root, a relative one taken from the current folder, "." and ".." as
/// written); empty where no move does.
std::vector<int> NestedFolderDepths(const QList<Move> &moves);

/// Orders \a moves so that each target is free when its rename runs: a name
/// that another move frees in the same folder is taken after that move (letter
/// case ignored, as the check does); a cycle is broken by sending one member
/// to a temporary name first (its temp, or a fresh one written there) and finishing it
/// last. A move inside a folder that another move renames runs before it,
/// the deepest first, so that every path stays valid until its own rename.
/// Moves that depend on nothing keep the order given. Linear in the
/// number of moves.
QList<Step> OrderMoves(QList<Move> &moves);

/// What happened to one move.
enum class MoveResult {
    NotTried,
    Done,
    Failed,     ///< the file is still under its old name
    Rescued,    ///< its old name was taken: the file is under a visible free name beside it
    LeftAtTemp, ///< the file is under its temporary name: no name beside its old one was free
};

/// The visible name beside \a name that a file waiting under its temporary
/// name takes when its old name was taken meanwhile: "NAME (Kesto N).ext".
QByteArray RescueName(const QByteArray &name, int n);

/// Carries \a steps out, never replacing an entry. A failed step asks
/// \a goOn (move, errno) whether to continue; a "no" ends the batch. A file
/// waiting under its temporary name that cannot take its new name (or whose
/// batch ends first) goes back to its old name, or, when that is taken, to
/// the first free RescueName(), given in \a rescuedAs: no file stays hidden
/// where a visible name is free. \a progress gets the number of steps done.
QList<MoveResult> ApplyMoves(const QList<Move> &moves, const QList<Step> &steps,
                             const std::function<bool(int move, int error)> &goOn,
                             const std::function<void(int)> &progress = {},
                             QList<QByteArray> *rescuedAs = nullptr);

} // namespace kesto
