#include "moves.h"
#include "rename/journal.h"
#include "rename/newfolders.h"

#include <gtest/gtest.h>

#include <QDir>

#include <cerrno>

using namespace kesto;
using namespace Qt::StringLiterals;
using kesto::test::TempFolder;

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

// Undoes the last batch, each file left where it is as "old name, errno".
QStringList undoLast(const Journal &journal)
{
    QStringList stays;
    const UndoResult undone = UndoBatch(
        Journal::read(journal.batches().first().path), [&](const JournalEntry &e, int error) {
            stays << QString::fromUtf8(e.move.from) + u' ' + QString::number(error);
        });
    EXPECT_EQ(undone.complete, stays.isEmpty());
    return stays;
}

// A batch stopped after k renames (the journal written, temporary names in
// use) is brought back whole by the undo of its journal, from anywhere,
// though it named its files by paths relative to the folder it ran in. On
// drives without an atomic no-replace rename it may be killed between
// claiming its next name with an empty file and renaming onto it: at a
// temporary name, or at the new name of a file waiting under its temporary
// name. The undo removes that claim too.
TEST(Journal, UndoAfterACrashAtAnyPointBringsEveryNameBack)
{
    const QString here = QDir::currentPath();
    for (int k = 0; k <= 8; ++k) {
        for (bool claimed : {false, true}) {
            SCOPED_TRACE(u"%1 steps, claimed %2"_s.arg(k).arg(claimed).toStdString());
            TempFolder dir, journals;
            // f>F: a drive that ignores letter case takes it in two halves.
            QList<Move> moves =
                movesIn(dir, {"a>b", "b>c", "c>a", "x y%>ü\nz", "d e>Rabatt%41", "f>F"});
            for (Move &m : moves)
                m.folder.clear();
            const auto before = dir.contents();
            const QList<Step> steps = OrderMoves(moves); // the temporary names go into the journal
            ASSERT_EQ(steps.size(), 8);
            ASSERT_TRUE(QDir::setCurrent(dir.path()));
            Journal journal = begun(journals, moves);
            ApplyMoves(moves, steps.mid(0, k), [](int, int) { return true; });
            QDir::setCurrent(here);
            if (claimed && k < 8) {
                const Move &next = moves[steps[k].move];
                const QByteArray name = steps[k].kind == Step::ToTemp ? next.temp : next.to;
                ASSERT_FALSE(dir.exists(QString::fromUtf8(name)));
                dir.write(QString::fromUtf8(name));
            }
            if (k == 8)
                journal.end();
            else
                journal = Journal(journals.path()); // the process dies, its lock with it

            const BatchRecord batch = journal.batches().value(0);
            EXPECT_EQ(batch.state, k == 8 ? BatchState::Ended : BatchState::Interrupted);
            EXPECT_EQ(batch.folder, dir.path() + u'/');
            EXPECT_EQ(undoLast(journal), QStringList());
            EXPECT_EQ(dir.contents(), before);
        }
    }
}

// Two folders swap names, what one holds renamed with it, given shallowest first:
// the undo after a crash at any step brings the tree back exactly.
TEST(Journal, FoldersRenamedWithWhatTheyHoldComeBackWholeAfterACrashAtAnyStep)
{
    for (int k = 0; k <= 5; ++k) {
        SCOPED_TRACE(k);
        TempFolder dir, journals;
        dir.write(u"A/C/y"_s, "y");
        dir.write(u"B/x"_s, "x");
        const QByteArray d = QFile::encodeName(dir.path() + u'/');
        QList<Move> moves{{d, "A", "B", {}},
                          {d, "B", "A", {}},
                          {d + "A/", "C", "D", {}},
                          {d + "A/C/", "y", "z", {}}};
        const auto before = dir.tree();
        const QList<Step> steps = OrderMoves(moves);
        Journal journal = begun(journals, moves);
        ApplyMoves(moves, steps.mid(0, k), [](int, int) { return false; });
        EXPECT_TRUE(k < 5 || dir.tree() == "A/ A/x=x B/ B/D/ B/D/z=y") << dir.tree().toStdString();
        journal = Journal(journals.path()); // the process dies, its lock with it
        EXPECT_EQ(undoLast(journal), QStringList());
        EXPECT_EQ(dir.tree(), before);
    }
}

// The undo of a batch stopped after three renames leaves each file that is
// no longer the batch's, or whose old name is taken; of the empty files it
// finds at the batch's names it removes only the claims the batch left.
TEST(Journal, UndoLeavesWhatIsNoLongerTheBatchsAndRemovesOnlyItsPlaceholders)
{
    TempFolder dir, journals;
    dir.write(u"e"_s); // empty, and part of the batch: no placeholder either
    QList<Move> moves = movesIn(dir, {"a>A1", "b>B1", "c>C1", "p>P1", "q>Q1", "d>e", "e>f"});
    dir.write(u"Q1"_s, "fremd"); // somebody's, not a placeholder
    Journal journal = begun(journals, moves);
    ApplyMoves(moves, OrderMoves(moves).mid(0, 3), [](int, int) { return true; });
    dir.write(u"P1"_s); // the claim, then the kill
    journal = Journal(journals.path());

    dir.write(u"a"_s, "neu");                            // the old name is taken again
    QFile::rename(dir.file(u"B1"_s), dir.file(u"B2"_s)); // moved on
    QFile::remove(dir.file(u"C1"_s));
    dir.write(u"C1"_s, "anders"); // another file under the name
    EXPECT_EQ(undoLast(journal), (QStringList{u"b 0"_s, u"c 0"_s, u"a %1"_s.arg(EEXIST)}));
    EXPECT_EQ(filesIn(dir), u"A1=a B2=b C1=anders Q1=fremd a=neu d=d e= p=p q=q"_s);
}

// A batch that names its files relative to the folder it runs in records
// the folders it makes by their whole paths too: killed after its renames,
// it is undone from anywhere, and each folder it made goes.
TEST(Journal, TheFoldersABatchMakesAreRecordedWholeAndGoWithItsUndo)
{
    TempFolder dir, journals;
    QList<Move> moves = movesIn(dir, {"a>neu/x/a", "b>neu/b"});
    QList<JournalEntry> entries;
    for (Move &m : moves) {
        m.folder.clear();
        entries.append({m});
    }
    const QList<QByteArray> folders{"neu/", "neu/x/"};
    const QString here = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    Journal journal(journals.path());
    ASSERT_TRUE(journal.begin(entries, folders));
    QList<bool> made;
    MakeFolders(folders, made);
    ApplyMoves(moves, OrderMoves(moves), [](int, int) { return true; });
    QDir::setCurrent(here);
    journal = Journal(journals.path());
    EXPECT_EQ(undoLast(journal), QStringList());
    EXPECT_EQ(filesIn(dir), u"a=a b=b"_s);
}

} // namespace
