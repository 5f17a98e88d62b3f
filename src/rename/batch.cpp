#include "rename/batch.h"

#include "rename/namefold.h"
#include "rename/renamer.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kesto {

namespace {

// The old names of a batch, folded as the check folds them, looked up by
// folder and folded name. One buffer holds every key and the table holds
// only hashes and numbers: a batch of 100,000 moves would otherwise allocate
// a string per name and lose its time to the allocator.
class FoldedNames
{
public:
    explicit FoldedNames(const QList<Move> &moves)
        : m_folderOf(NumberFolders(
              moves.size(), [&](qsizetype k) -> const QByteArray & { return moves[k].folder; }))
        , m_keys(size_t(moves.size()))
    {
        const size_t n = size_t(moves.size());
        size_t slots = 16;
        while (slots < 2 * n)
            slots *= 2;
        m_slots.assign(slots, Slot{});
        m_mask = slots - 1;
        for (size_t i = 0; i < n; ++i) {
            const size_t start = m_all.size();
            appendKey(m_all, moves[qsizetype(i)].from);
            m_keys[i] = {start, m_all.size() - start};
        }
    }

    /// The move whose old name folds to \a key in \a move's folder; -1 for
    /// none, -2 for more than one.
    int find(size_t move, std::string_view key) const
    {
        const uint64_t h = hashOf(m_folderOf[move], key);
        for (size_t s = h & m_mask;; s = (s + 1) & m_mask) {
            const Slot &slot = m_slots[s];
            if (slot.move == Empty)
                return -1;
            if (slot.hash == h && m_folderOf[size_t(slot.move)] == m_folderOf[move] &&
                keyOf(size_t(slot.move)) == key)
                return slot.twice ? -2 : slot.move;
        }
    }

    /// Enters every old name; a name met twice frees nothing for certain.
    void enterAll()
    {
        for (size_t i = 0; i < m_keys.size(); ++i) {
            const std::string_view key = keyOf(i);
            const uint64_t h = hashOf(m_folderOf[i], key);
            for (size_t s = h & m_mask;; s = (s + 1) & m_mask) {
                Slot &slot = m_slots[s];
                if (slot.move == Empty) {
                    slot = {h, int(i), false};
                    break;
                }
                if (slot.hash == h && m_folderOf[size_t(slot.move)] == m_folderOf[i] &&
                    keyOf(size_t(slot.move)) == key) {
                    slot.twice = true;
                    break;
                }
            }
        }
    }

    std::string_view keyOf(size_t move) const
    {
        return std::string_view(m_all).substr(m_keys[move].first, m_keys[move].second);
    }

    /// A name that is no UTF-8 stands for itself, behind a byte no folded
    /// name holds.
    static void appendKey(std::string &out, const QByteArray &name)
    {
        if (FoldNameBytes(m_scratch, ViewOf(name)))
            out += m_scratch;
        else
            out.append(1, '\0').append(ViewOf(name));
    }

private:
    static constexpr int Empty = -1;
    struct Slot
    {
        uint64_t hash = 0;
        int move = Empty;
        bool twice = false;
    };

    static uint64_t hashOf(uint32_t folder, std::string_view key)
    {
        return std::hash<std::string_view>{}(key) ^ (uint64_t(folder) * 0x9E3779B97F4A7C15ull);
    }

    std::vector<uint32_t> m_folderOf;
    std::vector<std::pair<size_t, size_t>> m_keys;
    std::string m_all;
    std::vector<Slot> m_slots;
    size_t m_mask = 0;
    static thread_local std::string m_scratch;
};

thread_local std::string FoldedNames::m_scratch;

} // namespace

QList<Step> OrderMoves(QList<Move> &moves)
{
    const int n = int(moves.size());
    // The move whose old name each move's target is, if any (-1: none).
    FoldedNames byFrom(moves);
    byFrom.enterAll();
    std::vector<int> after(size_t(n), -1);
    // Moves that change only the letter case of a name: their new name folds
    // to their own old one.
    std::vector<bool> caseOnly(size_t(n), false);
    std::string toKey;
    for (int i = 0; i < n; ++i) {
        toKey.clear();
        FoldedNames::appendKey(toKey, moves[i].to);
        const int from = byFrom.find(size_t(i), toKey);
        if (from == -1)
            continue;
        if (from != i && from != -2)
            after[size_t(i)] = from;
        caseOnly[size_t(i)] = moves[i].from != moves[i].to &&
                              (from == i || (from == -2 && byFrom.keyOf(size_t(i)) == toKey));
    }

    QList<Step> steps;
    steps.reserve(n + 8);
    // 0: not placed, 1: on the path being followed, 2: placed.
    std::vector<char> state(size_t(n), 0);
    QList<int> path;
    for (int start = 0; start < n; ++start) {
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
            // The first member waits under a temporary name, the others follow
            // it round, and it takes its name last.
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

    // A drive that ignores letter case finds a file's new spelling taken by
    // the file itself: such a move goes through its temporary name, which the
    // journal then knows, so that a crash between the halves loses nothing.
    QList<Step> ordered;
    ordered.reserve(steps.size());
    for (const Step &step : std::as_const(steps)) {
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

QList<MoveResult> ApplyMoves(const QList<Move> &moves, const QList<Step> &steps,
                             const std::function<bool(int, int)> &goOn,
                             const std::function<void(int)> &progress)
{
    QList<MoveResult> results(moves.size(), MoveResult::NotTried);
    FolderRenamer renamer;
    auto move = [&](int m, const QByteArray &from, const QByteArray &to) {
        return renamer.rename(moves[m].folder, from, to);
    };
    // A file under its temporary name goes back to its old name if it can.
    auto takeBack = [&](int m) {
        results[m] = move(m, moves[m].temp, moves[m].from) == 0 ? MoveResult::Failed
                                                                : MoveResult::LeftAtTemp;
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
