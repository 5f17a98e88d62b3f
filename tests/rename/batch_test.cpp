#include "moves.h"

#include <gtest/gtest.h>

#include <cerrno>

using namespace kesto;
using namespace Qt::StringLiterals;
using kesto::test::TempFolder;

namespace {

// Another program may take a name or remove a file in the middle of a batch:
// that pair fails, those waiting for it fail, nothing is replaced and nothing
// is lost. A failure that is no taken name ends the batch.
TEST(Batch, ChainsAndCyclesFindEveryTargetFreeAndFailSafelyWhenANameIsTaken)
{
    using enum MoveResult;
    // Moves, what another program does ("+c" writes c, "-c" removes it) and
    // before which step, the results, the files after.
    const std::tuple<QStringList, QString, int, QList<MoveResult>, QString> cases[] = {
        {{"a>b", "b>c"}, {}, -1, {Done, Done}, "b=a c=b"},
        {{"b>c", "a>b"}, {}, -1, {Done, Done}, "b=a c=b"},
        {{"a>b", "b>a"}, {}, -1, {Done, Done}, "a=b b=a"},
        {{"a>B", "b>A"}, {}, -1, {Done, Done}, "A=b B=a"},
        {{"a>b", "b>c", "c>a"}, {}, -1, {Done, Done, Done}, "a=c b=a c=b"},
        // a cannot be both x's and b's target: x waits and fails safely.
        {{"x>a", "a>b", "b>a"}, {}, -1, {Failed, Done, Done}, "a=b b=a x=x"},
        // c>d, b>c, a>b: c has just been freed.
        {{"a>b", "b>c", "c>d"}, "+c", 1, {Failed, Failed, Done}, "a=a b=b c=fremd d=c"},
        // a>temp, c>a, b>c, temp>b: the first member of a cycle waits under
        // its temporary name; when its old name is taken meanwhile it takes
        // the first free visible name beside it.
        {{"a>b", "b>c", "c>a"}, "+c", 2, {Rescued, Failed, Done}, "a=c a (Kesto 1)=a b=b c=fremd"},
        // ...passing over one that is taken (by a file that keeps its name).
        {{"a.x>b.x", "b.x>c.x", "c.x>a.x", "a (Kesto 1).x>a (Kesto 1).x"},
         "+c.x",
         2,
         {Rescued, Failed, Done, Done},
         "a (Kesto 1).x=a (Kesto 1).x a (Kesto 2).x=a.x a.x=c.x b.x=b.x c.x=fremd"},
        // c is gone: the batch ends, and a comes back from its temporary name.
        {{"a>b", "b>c", "c>a"}, "-c", 1, {Failed, NotTried, Failed}, "a=a b=b"},
        // a>temp, temp>A: a file that cannot take its name goes back to its old one.
        {{"a>A"}, "+A", 1, {Failed}, "A=fremd a=a"},
    };
    for (const auto &[pairs, other, before, results, after] : cases) {
        SCOPED_TRACE(pairs.join(u' ').toStdString());
        TempFolder dir;
        QList<Move> moves = movesIn(dir, pairs);
        auto otherProgram = [&](int step) {
            if (step == before && other.startsWith(u'+'))
                dir.write(other.mid(1), "fremd");
            else if (step == before)
                QFile::remove(dir.file(other.mid(1)));
        };
        const auto goOn = [](int, int error) { return error == EEXIST; };
        EXPECT_EQ(ApplyMoves(moves, OrderMoves(moves), goOn, otherProgram), results);
        EXPECT_EQ(filesIn(dir), after);
    }
}

// A move waits only for the one move that frees its name for certain: an old
// name in another folder frees nothing there, and neither does one of two old
// names that fold alike. Names that are no UTF-8 (an undo gives them back)
// are told apart by their bytes, not by a text in which both read alike.
TEST(Batch, AMoveWaitsOnlyForTheOldNameItsOwnFolderFreesForCertain)
{
    // The moves (folder, old and new name), the moves in the order of their steps.
    const std::pair<QList<Move>, QList<int>> cases[] = {
        {{{"0/", "x", "y", {}}, {"1/", "y", "z", {}}}, {0, 1}},
        {{{"0/", "x", "y", {}}, {"1/", "q", "r", {}}, {"0/", "y", "z", {}}}, {2, 0, 1}},
        {{{"0/", "x", "A", {}}, {"0/", "a", "b", {}}, {"0/", "A", "c", {}}}, {0, 1, 2}},
        // A move of letter case only goes through its temporary name.
        {{{"0/", "a", "b", {}}, {"0/", "A", "a", {}}}, {0, 1, 1}},
        {{{"0/", "z", "a\xe8", {}}, {"0/", "a\xe9", "n1", {}}, {"0/", "a\xe8", "n2", {}}},
         {2, 0, 1}},
    };
    for (const auto &[given, order] : cases) {
        QList<Move> moves = given;
        QList<int> stepMoves;
        for (const Step &step : OrderMoves(moves))
            stepMoves.append(step.move);
        EXPECT_EQ(stepMoves, order);
    }
    TempFolder one, two;
    QList<Move> moves = movesIn(one, {"x>y"}) + movesIn(two, {"y>z"});
    ApplyMoves(moves, OrderMoves(moves), [](int, int) { return false; });
    EXPECT_EQ(filesIn(one) + u" | "_s + filesIn(two), u"y=x | z=y"_s);
}

} // namespace
