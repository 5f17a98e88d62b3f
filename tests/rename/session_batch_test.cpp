#include "naming/textcase.h"
#include "rename/messages.h"
#include "sessionfixture.h"
#include "storage/writefaults.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <unistd.h>

using namespace kesto;
using namespace Qt::StringLiterals;
using kesto::test::SessionTest;

namespace {

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
    session.load(paths);
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

} // namespace
