#pragma once

#include <QByteArray>
#include <QList>

#include <functional>

namespace kesto {

/// One file of a batch on its way from one name to another in its folder.
struct Move
{
    QByteArray folder; ///< with its final "/"
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

/// Orders \a moves so that each target is free when its rename runs: a name
/// that another move of the same folder frees is taken after that move (letter
/// case ignored, as the check does); a cycle is broken by sending one member
/// to a temporary name first (its temp, or a fresh one written there) and finishing it
/// last. Moves that depend on nothing keep the order given. Linear in the
/// number of moves.
QList<Step> OrderMoves(QList<Move> &moves);

/// What happened to one move.
enum class MoveResult {
    NotTried,
    Done,
    Failed,     ///< the file is still under its old name
    LeftAtTemp, ///< the file is under its temporary name and could not go back
};

/// Carries \a steps out, never replacing an entry. A failed step asks
/// \a goOn (move, errno) whether to continue; a "no" ends the batch, and a
/// file waiting under its temporary name is then taken back to its old name
/// where possible. \a progress gets the number of steps done.
QList<MoveResult> ApplyMoves(const QList<Move> &moves, const QList<Step> &steps,
                             const std::function<bool(int move, int error)> &goOn,
                             const std::function<void(int)> &progress = {});

} // namespace kesto
