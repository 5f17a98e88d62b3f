#include "rename/batch.h"

#include "rename/namefold.h"
#include "rename/nametable.h"
#include "rename/newfolders.h"
#include "rename/renamer.h"

#include <QDir>
#include <QFile>
#include <QSet>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <numeric>
#include <string>
#include <vector>

namespace kesto {

namespace {

// A name folded as the check folds it; a name that is no UTF-8 stands for
// itself, behind a byte no folded name holds.
void foldedKey(std::string &key, const QByteArray &name, bool inFolders)
{
    const std::string_view own = ViewOf(name).substr(inFolders ? size_t(NameStart(name)) : 0);
    if (!FoldNameBytes(key, own))
        key.assign(1, '\0').append(own);
}

// The folder of each move's old and of its new name, numbered alike: a name
// may lead into a folder below the move's own ("2024/IMG_1.jpg"), where
// another move leaves it.
struct NameFolders
{
    std::vector<uint32_t> from, to;
    bool below = false; ///< some name leads into a folder
};

NameFolders numberNameFolders(const QList<Move> &moves)
{
    const std::vector<uint32_t> folderOf = NumberFolders(
        moves.size(), [&](qsizetype k) -> const QByteArray & { return moves[k].folder; });
    if (std::none_of(moves.begin(), moves.end(), [](const Move &m) {
            return LeadsIntoFolders(m.from) || LeadsIntoFolders(m.to);
        }))
        return {folderOf, folderOf};
    QHash<QByteArray, uint32_t> ids;
    const auto idOf = [&](const Move &m, const QByteArray &name) {
        const QByteArray path = m.folder + name.first(NameStart(name));
        const auto known = ids.constFind(path);
        return known != ids.cend() ? *known : *ids.insert(path, uint32_t(ids.size()));
    };
    NameFolders folders;
    folders.below = true;
    for (const Move &m : moves) {
        folders.from.push_back(idOf(m, m.from));
        folders.to.push_back(idOf(m, m.to));
    }
    return folders;
}

// Which move leaves an old name: -1 none yet, -2 more than one, which frees
// it for none of them for certain.
struct Leaving
{
    int move = -1;
};

// What each move waits for before its target is free.
struct Waits
{
    // The move each move waits for (-1: none): the one that leaves its target.
    std::vector<int> after;
    // Moves that change only the letter case of a name: their new name folds
    // to their own old one.
    std::vector<bool> caseOnly;
};

Waits findWaits(const QList<Move> &moves)
{
    const int n = int(moves.size());
    // The old names by folder, each with the move that leaves it.
    const NameFolders folderOf = numberNameFolders(moves);
    size_t bytes = 0;
    for (const Move &m : moves)
        bytes += size_t(m.from.size());
    NameTable<Leaving> byFrom(size_t(n), bytes);
    std::vector<uint32_t> fromEntry(static_cast<size_t>(n));
    std::string key;
    for (int i = 0; i < n; ++i) {
        foldedKey(key, moves[i].from, folderOf.below);
        fromEntry[size_t(i)] = byFrom.insert(folderOf.from[size_t(i)], key);
        Leaving &leaving = byFrom.use(fromEntry[size_t(i)]);
        leaving.move = leaving.move == -1 ? i : -2;
    }
    Waits waits{std::vector<int>(size_t(n), -1), std::vector<bool>(size_t(n), false)};
    for (int i = 0; i < n; ++i) {
        foldedKey(key, moves[i].to, folderOf.below);
        const uint32_t entry = byFrom.find(folderOf.to[size_t(i)], key);
        if (entry == NameTable<Leaving>::None)
            continue;
        const int from = byFrom.use(entry).move;
        if (from != i && from != -2)
            waits.after[size_t(i)] = from;
        waits.caseOnly[size_t(i)] = moves[i].from != moves[i].to && entry == fromEntry[size_t(i)];
    }
    return waits;
}

// The path of \a folder from the root, each part ended by "/", with "."
// and ".." taken away as written; a relative one lies in \a here.
QByteArray absoluteFolder(const QByteArray &folder, const QByteArray &here)
{
    QList<QByteArray> parts;
    for (const QByteArray &part : (folder.startsWith('/') ? folder : here + folder).split('/')) {
        if (part == "..") {
            if (!parts.isEmpty())
                parts.removeLast();
        } else if (!part.isEmpty() && part != ".") {
            parts.append(part);
        }
    }
    return parts.isEmpty() ? QByteArray("/") : '/' + parts.join('/') + '/';
}

// The order in which the moves are taken up: as given, the deepest first
// where folders of the batch lie in others that it renames.
std::vector<int> startOrder(const QList<Move> &moves)
{
    std::vector<int> order(size_t(moves.size()));
    std::iota(order.begin(), order.end(), 0);
    const std::vector<int> depth = NestedFolderDepths(moves);
    if (!depth.empty())
        std::stable_sort(order.begin(), order.end(),
                         [&depth](int a, int b) { return depth[size_t(a)] > depth[size_t(b)]; });
    return order;
}

// Each move after the one it waits for; a cycle's first member waits under a
// temporary name (given to it where it has none), the others follow it
// round, and it takes its name last.
QList<Step> stepsAfterWaits(QList<Move> &moves, const std::vector<int> &after)
{
    const int n = int(moves.size());
    QList<Step> steps;
    steps.reserve(n + 8);
    // 0: not placed, 1: on the path being followed, 2: placed.
    std::vector<char> state(size_t(n), 0);
    QList<int> path;
    // A chain stays in one folder, so at one depth.
    for (const int start : startOrder(moves)) {
        if (state[start] != 0)
            continue;
        // Follow what each move waits for until a free target, a placed move
        // or a move on this very path (a cycle).
        path.clear();
        int i = start;
        while (i >= 0 && state[i] == 0) {
            state[i] = 1;
            path.append(i);
            i = after[i];
        }
        qsizetype cycleStart = path.size();
        if (i >= 0 && state[i] == 1)
            cycleStart = path.indexOf(i);
        if (cycleStart < path.size()) {
            const int first = path[cycleStart];
            if (moves[first].temp.isEmpty())
                moves[first].temp = FreshTempName();
            steps.append({first, Step::ToTemp});
            for (qsizetype k = path.size() - 1; k > cycleStart; --k)
                steps.append({path[k], Step::Direct});
            steps.append({first, Step::FromTemp});
        }
        for (qsizetype k = cycleStart - 1; k >= 0; --k)
            steps.append({path[k], Step::Direct});
        for (int m : path)
            state[m] = 2;
    }
    return steps;
}

// A drive that ignores letter case finds a file's new spelling taken by the
// file itself: such a move goes through its temporary name, which the
// journal then knows, so that a crash between the halves loses nothing.
QList<Step> caseOnlyThroughTemp(QList<Move> &moves, const QList<Step> &steps,
                                const std::vector<bool> &caseOnly)
{
    QList<Step> ordered;
    ordered.reserve(steps.size());
    for (const Step &step : steps) {
        Move &m = moves[step.move];
        if (step.kind != Step::Direct || !caseOnly[size_t(step.move)]) {
            ordered.append(step);
            continue;
        }
        if (m.temp.isEmpty())
            m.temp = FreshTempName();
        ordered.append({step.move, Step::ToTemp});
        ordered.append({step.move, Step::FromTemp});
    }
    return ordered;
}

} // namespace

std::vector<int> NestedFolderDepths(const QList<Move> &moves)
{
    const std::vector<uint32_t> folderOf = NumberFolders(
        moves.size(), [&](qsizetype k) -> const QByteArray & { return moves[k].folder; });
    const QByteArray here = QFile::encodeName(QDir::currentPath()) + '/';
    std::vector<QByteArray> folders;
    for (qsizetype k = 0; k < moves.size(); ++k) {
        if (folderOf[size_t(k)] == folders.size())
            folders.push_back(absoluteFolder(moves[k].folder, here));
    }
    if (folders.size() < 2)
        return {};
    // Each folder of the batch with the names below it on the way to another.
    QHash<QByteArray, QSet<QByteArray>> onTheWay;
    for (const QByteArray &f : folders) {
        for (qsizetype at = 0, next; (next = f.indexOf('/', at + 1)) > 0; at = next)
            onTheWay[f.left(at + 1)].insert(f.mid(at + 1, next - at - 1));
    }
    std::vector<const QSet<QByteArray> *> below(folders.size(), nullptr);
    for (size_t f = 0; f < folders.size(); ++f) {
        if (const auto names = onTheWay.constFind(folders[f]); names != onTheWay.cend())
            below[f] = &*names;
    }
    for (qsizetype k = 0; k < moves.size(); ++k) {
        const QSet<QByteArray> *names = below[folderOf[size_t(k)]];
        if (!names || !names->contains(moves[k].from))
            continue;
        std::vector<int> depth(size_t(moves.size()));
        for (qsizetype m = 0; m < moves.size(); ++m)
            depth[size_t(m)] = int(folders[folderOf[size_t(m)]].count('/'));
        return depth;
    }
    return {};
}

QList<Step> OrderMoves(QList<Move> &moves)
{
    const Waits waits = findWaits(moves);
    return caseOnlyThroughTemp(moves, stepsAfterWaits(moves, waits.after), waits.caseOnly);
}

QByteArray RescueName(const QByteArray &name, int n)
{
    // The extension stays last, so that the file still opens as it did.
    const qsizetype dot = name.lastIndexOf('.');
    const qsizetype cut = dot > 0 ? dot : name.size();
    return name.left(cut) + " (Kesto " + QByteArray::number(n) + ')' + name.mid(cut);
}

QList<MoveResult> ApplyMoves(const QList<Move> &moves, const QList<Step> &steps,
                             const std::function<bool(int, int)> &goOn,
                             const std::function<void(int)> &progress, QList<QByteArray> *rescuedAs)
{
    QList<MoveResult> results(moves.size(), MoveResult::NotTried);
    if (rescuedAs)
        *rescuedAs = QList<QByteArray>(moves.size());
    FolderRenamer renamer;
    auto move = [&](int m, const QByteArray &from, const QByteArray &to) {
        return renamer.rename(moves[m].folder, from, to);
    };
    // A file under its temporary name goes back to its old name, or to a
    // visible free name beside it.
    auto takeBack = [&](int m) {
        const Move &mv = moves[m];
        int error = move(m, mv.temp, mv.from);
        if (error == 0) {
            results[m] = MoveResult::Failed;
            return;
        }
        results[m] = MoveResult::LeftAtTemp;
        constexpr int Tries = 100;
        for (int n = 1; n <= Tries && error == EEXIST; ++n) {
            const QByteArray visible = RescueName(mv.from, n);
            error = move(m, mv.temp, visible);
            if (error == 0) {
                results[m] = MoveResult::Rescued;
                if (rescuedAs)
                    (*rescuedAs)[m] = visible;
            }
        }
    };

    bool stopped = false;
    for (qsizetype s = 0; s < steps.size(); ++s) {
        const Step &step = steps[s];
        const int m = step.move;
        const Move &mv = moves[m];
        if (stopped) {
            if (step.kind == Step::FromTemp && results[m] == MoveResult::LeftAtTemp)
                takeBack(m);
            continue;
        }
        if (progress)
            progress(int(s));
        int error = 0;
        switch (step.kind) {
        case Step::Direct:
            error = move(m, mv.from, mv.to);
            results[m] = error == 0 ? MoveResult::Done : MoveResult::Failed;
            break;
        case Step::ToTemp:
            error = move(m, mv.from, mv.temp);
            // Waiting under the temporary name until its FromTemp step.
            results[m] = error == 0 ? MoveResult::LeftAtTemp : MoveResult::Failed;
            break;
        case Step::FromTemp:
            if (results[m] != MoveResult::LeftAtTemp)
                continue;
            error = move(m, mv.temp, mv.to);
            if (error == 0)
                results[m] = MoveResult::Done;
            else
                takeBack(m);
            break;
        }
        if (error != 0 && !goOn(m, error))
            stopped = true;
    }
    return results;
}

} // namespace kesto
