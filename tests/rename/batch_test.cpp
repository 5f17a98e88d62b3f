#include "naming/textcase.h"
#include "rename/batch.h"
#include "rename/journal.h"
#include "rename/messages.h"
#include "rename/plan.h"
#include "sessionfixture.h"
#include "storage/writefaults.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

using namespace kesto;
using namespace Qt::StringLiterals;
using kesto::test::SessionTest;
using kesto::test::TempFolder;

namespace {

QByteArray b(const QString &s)
{
    return QFile::encodeName(s);
}

// Files named by \a names with their names as content; the moves from each
// "from>to" pair of \a pairs, in the given (loop) order.
QList<Move> movesIn(const TempFolder &dir, const QStringList &pairs)
{
    QList<Move> moves;
    for (const QString &p : pairs) {
        const QString from = p.section(u'>', 0, 0), to = p.section(u'>', 1);
        if (!dir.exists(from))
            const_cast<TempFolder &>(dir).write(from, from.toUtf8());
        moves.append({b(dir.path() + u'/'), b(from), b(to), {}});
    }
    return moves;
}

// Name → content of every file in the folder.
QMap<QString, QByteArray> contents(const TempFolder &dir)
{
    QMap<QString, QByteArray> files;
    for (const QString &n : dir.names())
        files.insert(n, dir.read(n));
    return files;
}

TEST(Batch, ChainsAndCyclesRunInAnOrderThatFindsEveryTargetFree)
{
    const struct
    {
        const char *name;
        QStringList pairs;
        QMap<QString, QByteArray> after;
    } cases[] = {
        {"chain", {"a>b", "b>c"}, {{"b", "a"}, {"c", "b"}}},
        {"chain given backwards", {"b>c", "a>b"}, {{"b", "a"}, {"c", "b"}}},
        {"swap", {"a>b", "b>a"}, {{"a", "b"}, {"b", "a"}}},
        {"3-cycle", {"a>b", "b>c", "c>a"}, {{"a", "c"}, {"b", "a"}, {"c", "b"}}},
        {"chain into a cycle", {"x>a", "a>b", "b>a"}, {}}, // x waits for a, which is in a cycle
        {"case-only swap", {"a>B", "b>A"}, {{"A", "b"}, {"B", "a"}}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder dir;
        QList<Move> moves = movesIn(dir, c.pairs);
        const QList<Step> steps = OrderMoves(moves);
        int asked = 0;
        const QList<MoveResult> results = ApplyMoves(moves, steps, [&](int, int) {
            ++asked;
            return true;
        });
        if (c.after.isEmpty()) {
            // a cannot be both x's and b's target: x waits and fails safely.
            EXPECT_EQ(asked, 1);
            EXPECT_EQ(contents(dir),
                      (QMap<QString, QByteArray>{{"a", "b"}, {"b", "a"}, {"x", "x"}}));
            continue;
        }
        EXPECT_EQ(asked, 0);
        EXPECT_EQ(contents(dir), c.after);
        for (MoveResult r : results)
            EXPECT_EQ(r, MoveResult::Done);
    }
}

// Names in other encodings than UTF-8 (an undo gives them back) are told
// apart by their bytes, not by a text in which both read alike.
TEST(Batch, NamesThatAreNoUtf8WaitForEachOtherByTheirBytes)
{
    TempFolder dir;
    const QByteArray folder = b(dir.path() + u'/');
    for (const char *name : {"a\xe9", "a\xe8", "z"})
        ::close(::open((folder + name).constData(), O_CREAT | O_WRONLY, 0600));
    QList<Move> moves{
        {folder, "z", "a\xe8", {}}, {folder, "a\xe9", "n1", {}}, {folder, "a\xe8", "n2", {}}};
    const QList<MoveResult> results =
        ApplyMoves(moves, OrderMoves(moves), [](int, int) { return false; });
    EXPECT_EQ(results.count(MoveResult::Done), 3);
    EXPECT_EQ(dir.rawNames(), (QList<QByteArray>{"a\xe8", "n1", "n2"}));
}

// A move waits only for the one move that frees its name for certain: an old
// name in another folder frees nothing here, and neither does one of two old
// names that fold alike.
TEST(Batch, AMoveWaitsOnlyForTheOldNameItsOwnFolderFreesForCertain)
{
    const auto order = [](const QList<Step> &steps) {
        QList<int> moves;
        for (const Step &s : steps)
            moves.append(s.move);
        return moves;
    };
    TempFolder one, two;
    QList<Move> moves = movesIn(one, {"x>y"});
    moves += movesIn(two, {"y>z"});
    EXPECT_EQ(order(OrderMoves(moves)), (QList<int>{0, 1}));
    EXPECT_EQ(ApplyMoves(moves, OrderMoves(moves), [](int, int) { return false; })
                  .count(MoveResult::Done),
              2);
    EXPECT_EQ(one.read(u"y"_s), "x");
    EXPECT_EQ(two.read(u"z"_s), "y");
    // A folder met again after another is still the same folder: x waits for
    // the y that leaves after a move elsewhere.
    moves = movesIn(one, {"x2>y"});
    moves += movesIn(two, {"q>r"});
    moves += movesIn(one, {"y>z"});
    EXPECT_EQ(order(OrderMoves(moves)), (QList<int>{2, 0, 1}));

    TempFolder dir;
    moves = movesIn(dir, {"x>A", "a>b", "A>c"});
    EXPECT_EQ(order(OrderMoves(moves)), (QList<int>{0, 1, 2}));
    // A name that only changes its letter case still is told as such.
    moves = movesIn(dir, {"a>b", "A>a"});
    EXPECT_EQ(OrderMoves(moves).size(), 3);
}

TEST(Batch, ShiftingAThousandNumberedFilesByOneTakesEachFreedName)
{
    TempFolder dir;
    QStringList pairs;
    // The loop runs from the last row, so the first file meets a taken name.
    for (int i = 1; i <= 1000; ++i)
        pairs << u"f%1>f%2"_s.arg(i).arg(i + 1);
    QList<Move> moves = movesIn(dir, pairs);
    const QList<Step> steps = OrderMoves(moves);
    EXPECT_EQ(steps.size(), 1000); // no temporary names for a chain
    const QList<MoveResult> results = ApplyMoves(moves, steps, [](int, int) { return false; });
    EXPECT_EQ(results.count(MoveResult::Done), 1000);
    EXPECT_FALSE(dir.exists(u"f1"_s));
    for (int i = 2; i <= 1001; ++i)
        ASSERT_EQ(dir.read(u"f%1"_s.arg(i)), u"f%1"_s.arg(i - 1).toUtf8());
}

// Another program takes a name in the middle of a batch: that pair fails,
// those waiting for it fail, nothing is replaced and nothing is lost.
TEST(Batch, ANameTakenInTheMiddleOfAChainOrCycleFailsSafely)
{
    {
        TempFolder dir;
        QList<Move> moves = movesIn(dir, {"a>b", "b>c", "c>d"});
        const QList<Step> steps = OrderMoves(moves); // c>d, b>c, a>b
        const QList<MoveResult> results = ApplyMoves(
            moves, steps, [](int, int error) { return error == EEXIST; },
            [&](int step) {
                if (step == 1)
                    dir.write(u"c"_s, "fremd"); // c has just been freed
            });
        EXPECT_EQ(results,
                  (QList<MoveResult>{MoveResult::Failed, MoveResult::Failed, MoveResult::Done}));
        EXPECT_EQ(contents(dir),
                  (QMap<QString, QByteArray>{{"a", "a"}, {"b", "b"}, {"c", "fremd"}, {"d", "c"}}));
    }
    {
        // In a 3-cycle the first member waits under its temporary name; when
        // its old name is taken meanwhile it stays there, recorded.
        TempFolder dir;
        QList<Move> moves = movesIn(dir, {"a>b", "b>c", "c>a"});
        const QList<Step> steps = OrderMoves(moves); // a>temp, c>a, b>c, temp>b
        ASSERT_EQ(steps.size(), 4);
        const QList<MoveResult> results = ApplyMoves(
            moves, steps, [](int, int) { return true; },
            [&](int step) {
                if (step == 2)
                    dir.write(u"c"_s, "fremd");
            });
        EXPECT_EQ(results, (QList<MoveResult>{MoveResult::LeftAtTemp, MoveResult::Failed,
                                              MoveResult::Done}));
        EXPECT_EQ(
            contents(dir),
            (QMap<QString, QByteArray>{
                {"a", "c"}, {"b", "b"}, {"c", "fremd"}, {QString::fromUtf8(moves[0].temp), "a"}}));
    }
}

TEST(Plan, EveryRowGetsItsReason)
{
    TempFolder dir;
    dir.write(u"da.txt"_s);
    dir.write(u"weg.txt"_s);
    const QByteArray folder = b(dir.path() + u'/');
    auto pair = [&](const QString &oldName, const QString &newName) {
        if (!dir.exists(oldName))
            dir.write(oldName);
        PlannedRename p;
        p.folder = folder;
        p.oldName = b(oldName);
        p.shownOld = oldName;
        p.shownNew = newName;
        p.newName = newName.toUtf8();
        return p;
    };
    const QString longName = QString(300, u'l') + u"äöü.txt"_s;
    const RenamePlan plan = CheckPlan({
        pair(u"1.txt"_s, u"doppelt.txt"_s),
        pair(u"2.txt"_s, u"DOPPELT.txt"_s),
        pair(u"3.txt"_s, u"DA.txt"_s),
        pair(u"4.txt"_s, u"   "_s),
        pair(u"5.txt"_s, u".txt"_s),
        pair(u".6.txt"_s, u".sechs"_s), // hidden before, hidden after: its choice
        pair(u"7.txt"_s, longName),
        pair(u"8.txt"_s, u".."_s),
        pair(u"9.txt"_s, u"weg.txt"_s), // freed by the next row
        pair(u"weg.txt"_s, u"neu.txt"_s),
        pair(u"10.txt"_s, u"10.txt"_s),
    });
    QStringList reasons;
    for (const PlannedRename &p : plan.pairs)
        reasons << p.reason();
    EXPECT_EQ(reasons,
              (QStringList{u"Name doppelt vergeben"_s, u"Name doppelt vergeben"_s,
                           u"Datei existiert bereits"_s, u"Name ist leer"_s, u"Name ist leer"_s,
                           QString(), u"Name zu lang (310 Bytes, erlaubt 255)"_s,
                           u"kein gültiger Dateiname"_s, u"wird in der Reihe umbenannt"_s,
                           QString(), QString()}));
    EXPECT_FALSE(plan.namesUnique || plan.noCollision || plan.noEmptyName || plan.namesFit ||
                 plan.namesAllowed);
    EXPECT_TRUE(plan.foldersReadable);
    EXPECT_EQ(plan.pairs.last().status, PairStatus::Unchanged);

    // A folder that cannot be listed frees nothing and blocks its rows.
    PlannedRename lost = pair(u"x.txt"_s, u"y.txt"_s);
    lost.folder = folder + "fehlt/";
    const RenamePlan blind = CheckPlan({lost});
    EXPECT_FALSE(blind.foldersReadable);
    EXPECT_EQ(blind.pairs.first().reason(), u"Ordner nicht lesbar"_s);
}

TEST(Plan, PairsInManyFoldersMeetOnlyTheNamesOfTheirOwnFolder)
{
    // More folders than a small hash holds, visited out of order, all with
    // the same names: an even folder holds "da.txt", which its pair wants;
    // in an odd one "b.txt" is taken by the first pair and freed by the second.
    TempFolder dir;
    const int folders = 150;
    QList<PlannedRename> pairs;
    QList<std::pair<PairStatus, bool>> expected; // status, in chain
    auto add = [&](const QString &sub, const QString &from, const QString &to) {
        PlannedRename p;
        p.folder = b(dir.path() + u'/' + sub);
        p.shownOld = from;
        p.shownNew = to;
        p.oldName = from.toUtf8();
        p.newName = to.toUtf8();
        pairs.append(p);
    };
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < folders; ++i) {
            const int n = (i * 37) % folders;
            const QString sub = QStringLiteral("o%1/").arg(n);
            if (n % 2 == 0 && round == 0) {
                dir.write(sub + u"a.txt"_s);
                dir.write(sub + u"da.txt"_s);
                add(sub, u"a.txt"_s, u"da.txt"_s);
                expected.append({PairStatus::Exists, false});
            } else if (n % 2 == 1) {
                dir.write(sub + (round == 0 ? u"a.txt"_s : u"b.txt"_s));
                add(sub, round == 0 ? u"a.txt"_s : u"b.txt"_s,
                    round == 0 ? u"b.txt"_s : u"c.txt"_s);
                expected.append({PairStatus::Ok, round == 0});
            }
        }
    }
    const RenamePlan plan = CheckPlan(pairs);
    ASSERT_EQ(plan.pairs.size(), expected.size());
    for (qsizetype k = 0; k < plan.pairs.size(); ++k) {
        const PlannedRename &p = plan.pairs.at(k);
        EXPECT_EQ(std::pair(p.status, p.inChain), expected.at(k))
            << p.folder.constData() << p.oldName.constData();
    }
    EXPECT_TRUE(plan.namesUnique);
    EXPECT_FALSE(plan.noCollision);
}

TEST(Plan, WindowsDrivesRefuseTheirCharacters)
{
    const struct
    {
        const char *name;
        char32_t refused;
    } names[] = {{"a:b", ':'},   {"a<b", '<'},  {"a\"b", '"'}, {"a\\b", '\\'}, {"a|b", '|'},
                 {"a?b", '?'},   {"a*b", '*'},  {"a>b", '>'},  {"a\tb", 9},    {"ende.", '.'},
                 {"ende ", ' '}, {"ok.txt", 0}, {"ä€.txt", 0}};
    for (const auto &n : names) {
        const QString name = QString::fromUtf8(n.name);
        EXPECT_EQ(RefusedCharacter(NameRules::Windows, name), n.refused) << n.name;
        EXPECT_EQ(RefusedCharacter(NameRules::Posix, name), 0u) << n.name;
    }
    for (const char *type : {"vfat", "exfat", "ntfs", "ntfs3", "fuseblk", "cifs", "smb3"})
        EXPECT_EQ(NameRulesOfType(type), NameRules::Windows) << type;
    for (const char *type : {"ext4", "tmpfs", "btrfs", "fuse.sshfs"})
        EXPECT_EQ(NameRulesOfType(type), NameRules::Posix) << type;
    PlannedRename p;
    p.status = PairStatus::NotAllowed;
    p.refused = ':';
    EXPECT_EQ(p.reason(), u"Zeichen ':' ist auf diesem Laufwerk nicht erlaubt"_s);
    p.refused = 9;
    EXPECT_EQ(p.reason(), u"Zeichen U+0009 ist auf diesem Laufwerk nicht erlaubt"_s);
}

// The user's case: a numbered series shifted by one over its own names.
TEST_F(SessionTest, NumberingOverNamesTheBatchFreesRenamesAllAndUndoBringsThemBack)
{
    QStringList names;
    for (int i = 1; i <= 300; ++i)
        names << u"IMG_%1.txt"_s.arg(i, 4, 10, QLatin1Char('0'));
    load(names);
    session.setStartText(u"2"_s);
    session.chooseDigitCount(int(session.digitChoices().entries().indexOf(u"4"_s)));
    session.chooseLeadChar(1); // "Null"
    preview(u"IMG_[zahl].[typ]"_s);
    session.renameCommand();
    EXPECT_TRUE(questions.asked.isEmpty());
    EXPECT_TRUE(session.list().isEmpty()) << panel2().toStdString();
    EXPECT_EQ(dir.read(u"IMG_0301.txt"_s), QByteArray("IMG_0300.txt"));
    EXPECT_EQ(dir.read(u"IMG_0002.txt"_s), QByteArray("IMG_0001.txt"));
    EXPECT_FALSE(dir.exists(u"IMG_0001.txt"_s));

    const BatchRecord batch = session.undoableBatch();
    EXPECT_EQ(batch.state, BatchState::Ended);
    EXPECT_EQ(Session::undoDescription(batch),
              u"Macht die Umbenennung vom %1 rückgängig (300 Dateien)"_s.arg(
                  batch.begun.toString(u"dd.MM.yyyy HH:mm:ss"_s)));
    const UndoResult undone = session.undoCommand();
    EXPECT_TRUE(undone.complete);
    EXPECT_EQ(undone.movedBack.size(), 300);
    for (const QString &n : names)
        ASSERT_EQ(dir.read(n), n.toUtf8());
    EXPECT_EQ(dir.names().size(), 300);
    EXPECT_EQ(session.undoableBatch().files, 0);
    EXPECT_EQ(session.journal().batches().first().state, BatchState::Undone);
}

// Every name in capitals: each move is a letter-case-only one and takes two
// steps, which the progress must count, not the rows.
TEST_F(SessionTest, ALetterCaseBatchRenamesAllAndItsProgressNeverPassesItsEnd)
{
    load({u"a.txt"_s, u"b.txt"_s, u"c.txt"_s});
    preview(u"[name].[typ]"_s);
    session.chooseLetterCase(CaseUpper);
    QList<std::pair<int, int>> progress;
    QObject::connect(&session, &Session::progressChanged, [&](int value, int maximum) {
        progress.append({value, maximum});
    });
    session.renameCommand();
    EXPECT_EQ(dir.names(), (QStringList{u"A.TXT"_s, u"B.TXT"_s, u"C.TXT"_s}));
    ASSERT_FALSE(progress.isEmpty());
    int highest = 0;
    for (const auto &[value, maximum] : std::as_const(progress)) {
        EXPECT_LE(value, maximum);
        highest = std::max(highest, value);
    }
    EXPECT_EQ(highest, 5) << "the last of six steps";
}

// A link renames as itself, so the batch must record the link, not the file
// the list read through it; a plain file's record comes from the list's read.
TEST_F(SessionTest, UndoBringsBackALinkAsALinkAndAFileAsItself)
{
    dir.write(u"ziel.txt"_s, "Ziel");
    ASSERT_EQ(::symlink("ziel.txt", dir.file(u"verweis.txt"_s).toUtf8().constData()), 0);
    QStringList paths{dir.file(u"verweis.txt"_s), dir.write(u"datei.txt"_s, "Datei")};
    session.LoadListWithFileNames(paths);
    preview(u"[name]-neu.[typ]"_s);
    session.renameCommand();
    ASSERT_TRUE(session.list().isEmpty()) << panel2().toStdString();
    EXPECT_TRUE(QFileInfo(dir.file(u"verweis-neu.txt"_s)).isSymLink());

    const UndoResult undone = session.undoCommand();
    EXPECT_TRUE(undone.complete);
    EXPECT_EQ(undone.movedBack.size(), 2);
    EXPECT_TRUE(QFileInfo(dir.file(u"verweis.txt"_s)).isSymLink());
    EXPECT_EQ(dir.read(u"verweis.txt"_s), QByteArray("Ziel"));
    EXPECT_EQ(dir.read(u"datei.txt"_s), QByteArray("Datei"));
    EXPECT_EQ(dir.names().size(), 3);
}

TEST_F(SessionTest, ANameKeptByAnUncheckedRowIsStillAClashAndTheRowSaysWhy)
{
    load({"a.txt", "b.txt"});
    session.setChecked(1, false);
    replace(0, u"a"_s, u"b"_s);
    preview(u"[name].[typ]"_s);
    session.renameCommand();
    EXPECT_EQ(panel2(), messages::collision());
    EXPECT_EQ(session.list().at(0).hint, u"Datei existiert bereits"_s);
    EXPECT_EQ(session.list().at(0).icon, RowIcon::Error);
    EXPECT_TRUE(session.list().at(1).hint.isEmpty());
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
        const QMap<QString, QByteArray> before = contents(dir);
        const QList<Step> steps = OrderMoves(moves);
        ASSERT_EQ(steps.size(), 8);
        QList<JournalEntry> entries;
        for (const Move &m : moves)
            entries.append({m});
        Journal journal(journals.path());
        ASSERT_TRUE(journal.begin(entries));
        ApplyMoves(moves, steps.mid(0, k), [](int, int) { return true; });
        if (k == 8)
            journal.end();
        else
            journal = Journal(journals.path()); // the process dies, its lock with it

        const QList<BatchRecord> batches = journal.batches();
        ASSERT_EQ(batches.size(), 1);
        EXPECT_EQ(batches[0].state, k == 8 ? BatchState::Ended : BatchState::Interrupted);
        EXPECT_EQ(batches[0].files, 6);
        const BatchRecord batch = Journal::read(batches[0].path);
        ASSERT_EQ(batch.entries.size(), 6);
        EXPECT_EQ(batch.entries[3].move.to, QByteArray("\xc3\xbc\nz"));
        const UndoResult undone = UndoBatch(
            batch, [](const JournalEntry &, int) { ADD_FAILURE() << "nothing may stay"; });
        EXPECT_TRUE(undone.complete);
        EXPECT_EQ(contents(dir), before);
        EXPECT_EQ(journal.batches()[0].state, BatchState::Undone);
    }
}

// A batch another program is running has a journal without its end, just as
// one that was cut off; its lock tells them apart, and it is left alone.
TEST_F(SessionTest, ABatchStillRunningIsNeitherRepairedNorUndone)
{
    load({"a.txt"});
    QList<JournalEntry> entries{{{QFile::encodeName(dir.path() + "/"), "a.txt", "b.txt", {}}}};
    Journal running(journals.path());
    ASSERT_TRUE(running.begin(entries));
    ASSERT_TRUE(QFile::rename(dir.file(u"a.txt"_s), dir.file(u"b.txt"_s)));

    EXPECT_EQ(session.journal().batches().first().state, BatchState::Running);
    EXPECT_FALSE(session.offerRepair());
    EXPECT_EQ(session.undoableBatch().files, 0);
    EXPECT_FALSE(UndoBatch(Journal::read(session.journal().batches().first().path), {}).complete);
    EXPECT_TRUE(dir.exists(u"b.txt"_s));
    EXPECT_TRUE(questions.asked.isEmpty());

    running.end();
    EXPECT_EQ(session.journal().batches().first().state, BatchState::Ended);
    EXPECT_EQ(session.undoableBatch().files, 1);
}

TEST_F(SessionTest, ABatchWhoseJournalCannotBeWrittenStillRenamesOnlyWithoutUndo)
{
    load({"a.txt"});
    preview(u"[name]-neu.[typ]"_s);
    writefaults::FailWritesAt(writefaults::WriteStep::Write, ENOSPC);
    session.renameCommand();
    writefaults::FailWritesAt(std::nullopt);
    EXPECT_EQ(dir.names(), QStringList{u"a-neu.txt"_s});
    EXPECT_TRUE(QDir(journals.path() + u"/Kesto-Journal"_s).entryList(QDir::Files).isEmpty());
    EXPECT_EQ(session.undoableBatch().files, 0);
}

TEST(Journal, UndoLeavesAFileWhoseOldNameIsTakenOrThatMovedOn)
{
    TempFolder dir, journals;
    QList<Move> moves = movesIn(dir, {"a>A1", "b>B1", "c>C1"});
    QList<JournalEntry> entries;
    for (const Move &m : moves)
        entries.append({m});
    Journal journal(journals.path());
    ASSERT_TRUE(journal.begin(entries));
    ApplyMoves(moves, OrderMoves(moves), [](int, int) { return true; });
    journal.end();

    dir.write(u"a"_s, "neu");                            // the old name is taken again
    QFile::rename(dir.file(u"B1"_s), dir.file(u"B2"_s)); // moved on
    QFile::remove(dir.file(u"C1"_s));
    dir.write(u"C1"_s, "anders"); // another file under the name
    QStringList stays;
    const UndoResult undone =
        UndoBatch(Journal::read(journal.batches()[0].path), [&](const JournalEntry &e, int error) {
            stays << QString::fromUtf8(e.move.from) + u' ' + QString::number(error);
        });
    EXPECT_FALSE(undone.complete);
    EXPECT_EQ(stays, (QStringList{u"b 0"_s, u"c 0"_s, u"a %1"_s.arg(EEXIST)}));
    EXPECT_EQ(contents(dir), (QMap<QString, QByteArray>{
                                 {"A1", "a"}, {"B2", "b"}, {"C1", "anders"}, {"a", "neu"}}));
}

// A batch killed between claiming a name and renaming onto it (on drives
// without an atomic no-replace rename) leaves an empty placeholder.
TEST(Journal, TheRepairOfAnInterruptedBatchRemovesItsPlaceholdersOnly)
{
    TempFolder dir, journals;
    dir.write(u"e"_s); // empty, and part of the batch: no placeholder either
    QList<Move> moves = movesIn(dir, {"a>A1", "b>B1", "d>e", "e>f"});
    dir.write(u"B1"_s, "schon da"); // somebody's, not a placeholder
    QList<JournalEntry> entries;
    for (const Move &m : moves)
        entries.append({m});
    Journal journal(journals.path());
    ASSERT_TRUE(journal.begin(entries));
    dir.write(u"A1"_s); // the claim, then the kill
    journal = Journal(journals.path());
    const UndoResult undone = UndoBatch(Journal::read(journal.batches()[0].path),
                                        [](const JournalEntry &, int) { ADD_FAILURE(); });
    EXPECT_TRUE(undone.complete);
    EXPECT_EQ(contents(dir),
              (QMap<QString, QByteArray>{
                  {"B1", "schon da"}, {"a", "a"}, {"b", "b"}, {"d", "d"}, {"e", ""}}));
}

TEST(Journal, ABatchNamedByRelativePathsIsUndoneFromAnywhere)
{
    TempFolder dir, journals;
    dir.write(u"a"_s, "A");
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    QList<Move> moves{{{}, "a", "b", {}}};
    QList<JournalEntry> entries{{moves[0]}};
    Journal journal(journals.path());
    ASSERT_TRUE(journal.begin(entries));
    ApplyMoves(moves, OrderMoves(moves), [](int, int) { return true; });
    journal.end();
    QDir::setCurrent(before);

    EXPECT_EQ(journal.batches().first().folder, dir.path() + u'/');
    EXPECT_TRUE(UndoBatch(Journal::read(journal.batches().first().path), [](auto &, int) {
                    ADD_FAILURE();
                }).complete);
    EXPECT_EQ(contents(dir), (QMap<QString, QByteArray>{{"a", "A"}}));
}

TEST(Journal, KeepsTheLastTwentyBatches)
{
    TempFolder dir, journals;
    Journal journal(journals.path());
    for (int i = 0; i < Journal::Kept + 3; ++i) {
        QList<JournalEntry> entries{{{b(dir.path() + u'/'), "a", QByteArray::number(i), {}}}};
        ASSERT_TRUE(journal.begin(entries));
        journal.end();
    }
    const QList<BatchRecord> batches = journal.batches();
    ASSERT_EQ(batches.size(), Journal::Kept);
    EXPECT_EQ(Journal::read(batches.first().path).entries.first().move.to,
              QByteArray::number(Journal::Kept + 2));
}

} // namespace
