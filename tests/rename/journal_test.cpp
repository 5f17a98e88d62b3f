#include "moves.h"
#include "rename/journal.h"

#include <gtest/gtest.h>

#include <QDir>

#include <cerrno>

using namespace kesto;
using namespace Qt::StringLiterals;
using kesto::test::TempFolder;
using Files = QMap<QString, QByteArray>;

namespace {

// A journal in \a journals that has begun the batch of \a moves.
Journal begun(const TempFolder &journals, const QList<Move> &moves)
{
    QList<JournalEntry> entries;
    for (const Move &m : moves)
        entries.append({m});
    Journal journal(journals.path());
    EXPECT_TRUE(journal.begin(entries));
    return journal;
}

// Carries out the first \a steps of the batch (all: -1).
void apply(QList<Move> moves, qsizetype steps = -1)
{
    const QList<Step> order = OrderMoves(moves);
    ApplyMoves(moves, order.mid(0, steps), [](int, int) { return true; });
}

// Undoes the last batch, each file left where it is as "old name, errno".
QStringList undoLast(const Journal &journal, bool complete)
{
    QStringList stays;
    const UndoResult undone = UndoBatch(
        Journal::read(journal.batches().first().path), [&](const JournalEntry &e, int error) {
            stays << QString::fromUtf8(e.move.from) + u' ' + QString::number(error);
        });
    EXPECT_EQ(undone.complete, complete);
    return stays;
}

// A batch stopped after k renames (the journal written, temporary names in
// use) is brought back whole by the undo of its journal.
TEST(Journal, UndoAfterACrashAtAnyPointBringsEveryNameBack)
{
    // f>F: a drive that ignores letter case takes it in two halves.
    for (int k = 0; k <= 8; ++k) {
        SCOPED_TRACE(k);
        TempFolder dir, journals;
        QList<Move> moves = movesIn(dir, {"a>b", "b>c", "c>a", "x y%>ü\nz", "d>e", "f>F"});
        const Files before = dir.contents();
        ASSERT_EQ(OrderMoves(moves).size(), 8); // the temporary names are in the journal
        Journal journal = begun(journals, moves);
        apply(moves, k);
        if (k == 8)
            journal.end();
        else
            journal = Journal(journals.path()); // the process dies, its lock with it

        const QList<BatchRecord> batches = journal.batches();
        ASSERT_EQ(batches.size(), 1);
        EXPECT_EQ(batches[0].state, k == 8 ? BatchState::Ended : BatchState::Interrupted);
        EXPECT_EQ(batches[0].files, 6);
        EXPECT_EQ(Journal::read(batches[0].path).entries.value(3).move.to, "\xc3\xbc\nz");
        EXPECT_EQ(undoLast(journal, true), QStringList());
        EXPECT_EQ(dir.contents(), before);
        EXPECT_EQ(journal.batches()[0].state, BatchState::Undone);
    }
}

TEST(Journal, UndoLeavesAFileWhoseOldNameIsTakenOrThatMovedOn)
{
    TempFolder dir, journals;
    const QList<Move> moves = movesIn(dir, {"a>A1", "b>B1", "c>C1"});
    Journal journal = begun(journals, moves);
    apply(moves);
    journal.end();

    dir.write(u"a"_s, "neu");                            // the old name is taken again
    QFile::rename(dir.file(u"B1"_s), dir.file(u"B2"_s)); // moved on
    QFile::remove(dir.file(u"C1"_s));
    dir.write(u"C1"_s, "anders"); // another file under the name
    EXPECT_EQ(undoLast(journal, false), (QStringList{u"b 0"_s, u"c 0"_s, u"a %1"_s.arg(EEXIST)}));
    EXPECT_EQ(dir.contents(), (Files{{"A1", "a"}, {"B2", "b"}, {"C1", "anders"}, {"a", "neu"}}));
}

// A batch killed between claiming a name and renaming onto it (on drives
// without an atomic no-replace rename) leaves an empty placeholder.
TEST(Journal, TheRepairOfAnInterruptedBatchRemovesItsPlaceholdersOnly)
{
    TempFolder dir, journals;
    dir.write(u"e"_s); // empty, and part of the batch: no placeholder either
    const QList<Move> moves = movesIn(dir, {"a>A1", "b>B1", "d>e", "e>f"});
    dir.write(u"B1"_s, "schon da"); // somebody's, not a placeholder
    Journal journal = begun(journals, moves);
    dir.write(u"A1"_s); // the claim, then the kill
    journal = Journal(journals.path());
    EXPECT_EQ(undoLast(journal, true), QStringList());
    EXPECT_EQ(dir.contents(),
              (Files{{"B1", "schon da"}, {"a", "a"}, {"b", "b"}, {"d", "d"}, {"e", ""}}));
}

TEST(Journal, ABatchNamedByRelativePathsIsUndoneFromAnywhere)
{
    TempFolder dir, journals;
    dir.write(u"a"_s, "A");
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    const QList<Move> moves{{{}, "a", "b", {}}};
    Journal journal = begun(journals, moves);
    apply(moves);
    journal.end();
    QDir::setCurrent(before);

    EXPECT_EQ(journal.batches().first().folder, dir.path() + u'/');
    EXPECT_EQ(undoLast(journal, true), QStringList());
    EXPECT_EQ(dir.contents(), (Files{{"a", "A"}}));
}

TEST(Journal, KeepsTheLastTwentyBatches)
{
    TempFolder dir, journals;
    Journal journal(journals.path());
    for (int i = 0; i < Journal::Kept + 3; ++i)
        begun(journals, {{QFile::encodeName(dir.path() + u'/'), "a", QByteArray::number(i), {}}})
            .end();
    const QList<BatchRecord> batches = journal.batches();
    ASSERT_EQ(batches.size(), Journal::Kept);
    EXPECT_EQ(Journal::read(batches.first().path).entries.first().move.to,
              QByteArray::number(Journal::Kept + 2));
}

} // namespace
