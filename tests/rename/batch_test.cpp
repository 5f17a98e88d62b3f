#include "moves.h"

#include <gtest/gtest.h>

#include <cerrno>

using namespace kesto;
using namespace Qt::StringLiterals;
using kesto::test::TempFolder;
using Files = QMap<QString, QByteArray>;

namespace {

QList<int> movesOf(const QList<Step> &steps)
{
    QList<int> moves;
    for (const Step &s : steps)
        moves.append(s.move);
    return moves;
}

// The files in \a dir, a temporary name shown as "*".
Files filesIn(const TempFolder &dir)
{
    Files files;
    for (const auto &[name, content] : dir.contents().asKeyValueRange())
        files.insert(name.startsWith(u".kesto-") ? u"*"_s : name, content);
    return files;
}

TEST(Batch, ChainsAndCyclesRunInAnOrderThatFindsEveryTargetFree)
{
    // Moves, the files after them, the failed moves the batch asked about.
    const std::tuple<const char *, QStringList, Files, int> cases[] = {
        {"chain", {"a>b", "b>c"}, {{"b", "a"}, {"c", "b"}}, 0},
        {"chain given backwards", {"b>c", "a>b"}, {{"b", "a"}, {"c", "b"}}, 0},
        {"swap", {"a>b", "b>a"}, {{"a", "b"}, {"b", "a"}}, 0},
        {"3-cycle", {"a>b", "b>c", "c>a"}, {{"a", "c"}, {"b", "a"}, {"c", "b"}}, 0},
        {"case-only swap", {"a>B", "b>A"}, {{"A", "b"}, {"B", "a"}}, 0},
        // a cannot be both x's and b's target: x waits and fails safely.
        {"chain into a cycle", {"x>a", "a>b", "b>a"}, {{"a", "b"}, {"b", "a"}, {"x", "x"}}, 1},
    };
    for (const auto &[name, pairs, after, failures] : cases) {
        SCOPED_TRACE(name);
        TempFolder dir;
        QList<Move> moves = movesIn(dir, pairs);
        int asked = 0;
        const QList<MoveResult> results = ApplyMoves(moves, OrderMoves(moves), [&](int, int) {
            ++asked;
            return true;
        });
        EXPECT_EQ(asked, failures);
        EXPECT_EQ(filesIn(dir), after);
        EXPECT_EQ(results.count(MoveResult::Done), pairs.size() - failures);
    }
}

// Names in other encodings than UTF-8 (an undo gives them back) are told
// apart by their bytes, not by a text in which both read alike.
TEST(Batch, NamesThatAreNoUtf8WaitForEachOtherByTheirBytes)
{
    TempFolder dir;
    for (const char *name : {"a\xe9", "a\xe8", "z"})
        dir.writeBytes(name);
    const QByteArray folder = QFile::encodeName(dir.path() + u'/');
    QList<Move> moves{
        {folder, "z", "a\xe8", {}}, {folder, "a\xe9", "n1", {}}, {folder, "a\xe8", "n2", {}}};
    EXPECT_EQ(ApplyMoves(moves, OrderMoves(moves), [](int, int) { return false; })
                  .count(MoveResult::Done),
              3);
    EXPECT_EQ(dir.rawNames(), (QList<QByteArray>{"a\xe8", "n1", "n2"}));
}

// A move waits only for the one move that frees its name for certain: an old
// name in another folder frees nothing there, and neither does one of two old
// names that fold alike.
TEST(Batch, AMoveWaitsOnlyForTheOldNameItsOwnFolderFreesForCertain)
{
    // Each move in the first (0) or second folder, the moves in the order of their steps.
    const std::tuple<const char *, QList<std::pair<int, QString>>, QList<int>> cases[] = {
        {"other folder", {{0, "x>y"}, {1, "y>z"}}, {0, 1}},
        {"folder met again", {{0, "x>y"}, {1, "q>r"}, {0, "y>z"}}, {2, 0, 1}},
        {"two old names fold alike", {{0, "x>A"}, {0, "a>b"}, {0, "A>c"}}, {0, 1, 2}},
        {"case-only move through its temporary name", {{0, "a>b"}, {0, "A>a"}}, {0, 1, 1}},
    };
    for (const auto &[name, pairs, order] : cases) {
        SCOPED_TRACE(name);
        TempFolder dirs[2];
        QList<Move> moves;
        for (const auto &[folder, pair] : pairs)
            moves += movesIn(dirs[folder], {pair});
        EXPECT_EQ(movesOf(OrderMoves(moves)), order);
    }
    TempFolder one, two;
    QList<Move> moves = movesIn(one, {"x>y"}) + movesIn(two, {"y>z"});
    EXPECT_EQ(ApplyMoves(moves, OrderMoves(moves), [](int, int) { return false; })
                  .count(MoveResult::Done),
              2);
    EXPECT_EQ(one.contents(), (Files{{"y", "x"}}));
    EXPECT_EQ(two.contents(), (Files{{"z", "y"}}));
}

// Another program takes a name in the middle of a batch: that pair fails,
// those waiting for it fail, nothing is replaced and nothing is lost.
TEST(Batch, ANameTakenInTheMiddleOfAChainOrCycleFailsSafely)
{
    using enum MoveResult;
    // Moves, the name taken and the step before which, the results, the files after.
    const std::tuple<QStringList, QString, int, QList<MoveResult>, Files> cases[] = {
        // c>d, b>c, a>b: c has just been freed.
        {{"a>b", "b>c", "c>d"},
         "c",
         1,
         {Failed, Failed, Done},
         {{"a", "a"}, {"b", "b"}, {"c", "fremd"}, {"d", "c"}}},
        // a>temp, c>a, b>c, temp>b: the first member of a cycle waits under
        // its temporary name; when its old name is taken meanwhile it stays there.
        {{"a>b", "b>c", "c>a"},
         "c",
         2,
         {LeftAtTemp, Failed, Done},
         {{"a", "c"}, {"b", "b"}, {"c", "fremd"}, {"*", "a"}}},
        // a>temp, temp>A: a file that cannot take its name goes back to its old one.
        {{"a>A"}, "A", 1, {Failed}, {{"A", "fremd"}, {"a", "a"}}},
    };
    for (const auto &[pairs, taken, before, results, after] : cases) {
        SCOPED_TRACE(pairs.join(u' ').toStdString());
        TempFolder dir;
        QList<Move> moves = movesIn(dir, pairs);
        EXPECT_EQ(ApplyMoves(
                      moves, OrderMoves(moves), [](int, int error) { return error == EEXIST; },
                      [&](int step) {
                          if (step == before)
                              dir.write(taken, "fremd");
                      }),
                  results);
        EXPECT_EQ(filesIn(dir), after);
    }
}

} // namespace
