#include "naming/randomstring.h"
#include "naming/textcase.h"
#include "rename/messages.h"
#include "sessionfixture.h"
#include "storage/writefaults.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

using namespace kesto;
using namespace Qt::StringLiterals;
using kesto::test::TempFolder;

namespace {

// A batch from the rows of a session: the full test, the renames on disk,
// what the result says and what the journal lets undo.
class PipelineTest : public kesto::test::SessionTest
{};

const QString done = QStringLiteral("Umbenennung abgeschlossen.");

TEST_F(PipelineTest, PreviewAllowsRenamingAndOnlyTheFullTestFindsDuplicates)
{
    load({"a.txt", "b.txt", "c.txt"});
    session.setChecked(2, false);
    preview(QStringLiteral("same.txt"));
    EXPECT_TRUE(session.renameEnabled());
    EXPECT_EQ(panel2(), QStringLiteral("Zum Umbenennen der Dateien klicken Sie jetzt die "
                                       "Schaltfläche 'Umbenennen'."));
    EXPECT_EQ(panel1(), QStringLiteral("2 von 3 Dateien markiert"));

    session.list().entry(2).icon = RowIcon::None;
    fullTest();
    EXPECT_FALSE(session.renameEnabled());
    EXPECT_EQ(panel2(), messages::notUnique());
    EXPECT_EQ(session.list().at(0).icon, RowIcon::Error);
    // An unchecked row never fails a test and keeps its icon.
    EXPECT_EQ(session.list().at(2).icon, RowIcon::None);
}

TEST_F(PipelineTest, FullTestReportsDuplicatesBeforeClashesBeforeBlankNames)
{
    dir.write(QStringLiteral("taken"));
    load({"1.txt", "2.txt", "3.txt"});
    replace(0, QStringLiteral("1"), QStringLiteral("taken"));
    replace(1, QStringLiteral("2"), QStringLiteral(" "));
    replace(2, QStringLiteral("3"), QStringLiteral(" "));
    EXPECT_EQ(fullTestOf(QStringLiteral("[name]")), messages::notUnique());

    session.setReplaceText(2, QStringLiteral("  "));
    EXPECT_EQ(fullTestOf(QStringLiteral("[name]")), messages::collision());

    session.setReplaceText(0, QStringLiteral("free"));
    EXPECT_EQ(fullTestOf(QStringLiteral("[name]")), messages::emptyName());
    EXPECT_EQ(session.list().at(0).icon, RowIcon::Normal);
    EXPECT_EQ(session.list().at(1).icon, RowIcon::Error);
}

TEST_F(PipelineTest, ClashIsAnyExistingEntryButNeverTheFileItselfInAnotherCase)
{
    load({"a.txt", "b.txt"});
    session.setChecked(1, false);
    session.chooseLetterCase(CaseUpper); // a.txt -> A.TXT
    EXPECT_TRUE(fullTest());

    session.chooseLetterCase(CaseKeep);
    dir.mkdir(QStringLiteral("Ordner"));
    ASSERT_EQ(::symlink("/nonexistent", dir.file(QStringLiteral("link")).toUtf8()), 0);
    dir.write(QStringLiteral(".versteckt"));
    dir.write(QStringLiteral("Äpfel.txt"));
    // b.txt clashes although it is in the list too; so do a folder, a dangling
    // link, a hidden file and a name that differs in the case of an umlaut.
    for (const char *mask : {"b.[typ]", "ordner", "LINK", ".versteckt", "äpfel.[typ]"}) {
        preview(QString::fromUtf8(mask));
        fullTest();
        EXPECT_EQ(panel2(), messages::collision()) << mask;
    }
}

TEST_F(PipelineTest, ClashesAndDuplicatesCompareTheNamesAsTheyWillBeOnDisk)
{
    // A folder in Latin-1 and its twin in UTF-8 are two folders; the full
    // test reads the one by its own bytes.
    const QByteArray root = QFile::encodeName(dir.path());
    ASSERT_EQ(::mkdir(root + "/d\xfcr", 0700), 0);
    dir.mkdir(u"dür"_s);
    dir.writeBytes("d\xfcr/belegt.txt");
    session.load(
        QList<QByteArray>{dir.writeBytes("d\xfcr/a.txt"), dir.writeBytes("d\xc3\xbcr/b.txt")});
    EXPECT_EQ(fullTestOf(u"x.[typ]"_s), ready());
    // A UTF-8 name in that folder meets its own entry under a new spelling.
    preview(u"[name].[typ]"_s);
    session.chooseLetterCase(CaseUpper);
    EXPECT_TRUE(fullTest());
    session.chooseLetterCase(CaseKeep);
    EXPECT_EQ(fullTestOf(u"belegt.[typ]"_s), messages::collision());
    EXPECT_EQ(session.list().at(0).icon, RowIcon::Error);
    EXPECT_EQ(session.list().at(1).icon, RowIcon::Normal);

    // A repair to the shown name is no clash with its own old entry, but
    // meets a file that has that name in UTF-8 already.
    session.clearList();
    session.load(QList<QByteArray>{dir.writeBytes("caf\xe9.txt")});
    EXPECT_EQ(fullTestOf(u"[name].[typ]"_s), ready());
    dir.write(u"CAFÉ.txt"_s);
    fullTest();
    EXPECT_EQ(panel2(), messages::collision());
}

TEST_F(PipelineTest, DuplicatesCompareFolderAndNameExactlyWithoutRegardToCase)
{
    // Folders that end alike are different folders.
    session.load(QStringList{dir.write(QStringLiteral("a/b/f1.txt")),
                             dir.write(QStringLiteral("x/a/b/f2.txt"))});
    EXPECT_EQ(fullTestOf(QStringLiteral("neu.txt")), ready());

    session.clearList();
    load({"1.txt", "2.txt"});
    replace(0, QStringLiteral("1"), QStringLiteral("Foto"));
    replace(1, QStringLiteral("2"), QStringLiteral("FOTO"));
    EXPECT_EQ(fullTestOf(QStringLiteral("[name].jpg")), messages::notUnique());
}

TEST_F(PipelineTest, RenamesCheckedFilesAndRecomputesTheRowsThatRemain)
{
    QStringList names;
    for (int i = 1; i <= 10; ++i)
        names << QStringLiteral("f%1.txt").arg(i, 2, 10, QLatin1Char('0'));
    load(names);
    for (int i = 0; i < 10; i += 2)
        session.setChecked(i, false);
    preview(QStringLiteral("neu_[zahl].[typ]"));
    session.renameCommand();

    EXPECT_EQ(panel2(), done);
    EXPECT_EQ(oldNames(), (QStringList{"f01.txt", "f03.txt", "f05.txt", "f07.txt", "f09.txt"}));
    EXPECT_EQ(newNames(),
              (QStringList{"neu_1.txt", "neu_2.txt", "neu_3.txt", "neu_4.txt", "neu_5.txt"}));
    EXPECT_EQ(dir.read(QStringLiteral("neu_2.txt")), QByteArray("f02.txt"));
    EXPECT_EQ(dir.read(QStringLiteral("neu_10.txt")), QByteArray("f10.txt"));
    EXPECT_TRUE(questions.asked.isEmpty());
}

TEST_F(PipelineTest, MaskWithoutTypAsksFirstAndNoChangesNothing)
{
    load({"a.txt", "b.txt"});
    preview(QStringLiteral("[name]_neu"));
    questions.yesNoAnswers = {false, true};
    EXPECT_EQ(session.renameCommand().verdict, RenameResult::Verdict::Declined);
    ASSERT_EQ(questions.asked.size(), 1);
    EXPECT_EQ(questions.asked.at(0).title, QStringLiteral("Kesto"));
    EXPECT_TRUE(questions.asked.at(0).text.startsWith(
        QStringLiteral("WARNUNG: In Ihrer Umbenennungmaske wurde der Platzhalter .[TYP] NICHT "
                       "verwendet!\r\rBitte beachten Sie")));
    EXPECT_TRUE(questions.asked.at(0).text.endsWith(
        QStringLiteral("\r\rMöchten Sie die Umbenennung nun wirklich ohne .[TYP] vornehmen?")));
    EXPECT_EQ(session.list().count(), 2);
    EXPECT_EQ(dir.names(), (QStringList{"a.txt", "b.txt"}));

    EXPECT_TRUE(session.renameCommand().complete());
    EXPECT_EQ(dir.names(), (QStringList{"a_neu", "b_neu"}));
    // "[typ]" in small letters counts as "[TYP]": no question.
    load({"c.txt"});
    preview(QStringLiteral("x.[typ]"));
    session.renameCommand();
    EXPECT_EQ(questions.asked.size(), 2);
}

TEST_F(PipelineTest, FailedRenameAsksAndOkGoesOnWhileCancelStops)
{
    load({"a.txt", "b.txt", "c.txt"});
    preview(QStringLiteral("neu_[name].[typ]"));
    QFile::remove(dir.file(QStringLiteral("b.txt")));
    questions.okCancelAnswers = {true};
    RenameResult result = session.renameCommand();
    EXPECT_EQ(result.renamed, (QList<int>{2, 0}));
    ASSERT_EQ(result.failed.size(), 1);
    EXPECT_EQ(result.failed.at(0).row, 1);
    EXPECT_EQ(result.failed.at(0).error, ENOENT);
    EXPECT_FALSE(result.stopped || result.complete());
    EXPECT_TRUE(result.undoable);

    const QChar cr(13);
    ASSERT_EQ(questions.asked.size(), 1);
    EXPECT_EQ(questions.asked.at(0).text,
              QStringLiteral("Folgende Datei ließ sich nicht umbenennen:") + cr + cr +
                  dir.file(QStringLiteral("b.txt")) + cr + QStringLiteral("-->") + cr +
                  dir.file(QStringLiteral("neu_b.txt")) + cr + cr +
                  QStringLiteral("Der Ordner oder die Datei existiert nicht mehr.") + cr + cr +
                  QStringLiteral("Klicken Sie 'OK', um fortzusetzen oder 'Abbrechen' um die "
                                 "Aktion zu beenden."));
    EXPECT_EQ(dir.names(), (QStringList{"neu_a.txt", "neu_c.txt"}));
    EXPECT_EQ(oldNames(), QStringList{"b.txt"}); // still checked, with a fresh name
    EXPECT_TRUE(session.list().at(0).checked);
    EXPECT_EQ(panel2(), done);

    load({"d.txt", "e.txt"}); // rows b, d, e, renamed from the last
    QFile::remove(dir.file(QStringLiteral("d.txt")));
    preview(QStringLiteral("x_[name].[typ]"));
    questions.okCancelAnswers = {false};
    result = session.renameCommand(); // e renamed, d fails, Cancel: b is not even tried
    EXPECT_EQ(result.renamed, QList<int>{2});
    EXPECT_TRUE(result.stopped);
    EXPECT_EQ(oldNames(), (QStringList{"b.txt", "d.txt"}));
    EXPECT_EQ(questions.asked.size(), 2);
    EXPECT_TRUE(dir.exists(QStringLiteral("x_e.txt")));
    EXPECT_EQ(panel2(), done);
}

// Says "Ja" to the question before the first rename, after another program
// wrote the file \a name: past the full test, so only the rename can notice.
struct WriterAtTheQuestion : kesto::test::ScriptedQuestions
{
    TempFolder *dir = nullptr;
    QString name;
    bool askYesNo(const QString &text, const QString &title) override
    {
        dir->write(name, "fremd");
        yesNoAnswers = {true};
        return ScriptedQuestions::askYesNo(text, title);
    }
};

TEST_F(PipelineTest, NeverReplacesAFileThatAppearedAfterTheCheck)
{
    WriterAtTheQuestion writer;
    writer.dir = &dir;
    writer.name = QStringLiteral("ziel.txt");
    writer.okCancelAnswers = {true};
    Session run(writer);
    run.journal() = Journal(journals.path());
    run.load(QStringList{dir.write(QStringLiteral("a.txt"), "a.txt")});
    run.setMaskText(QStringLiteral("ziel.txt")); // no "[TYP]": a question comes
    run.refresh();
    const RenameResult result = run.renameCommand();
    EXPECT_EQ(dir.read(QStringLiteral("ziel.txt")), QByteArray("fremd"));
    EXPECT_EQ(dir.read(QStringLiteral("a.txt")), QByteArray("a.txt"));
    ASSERT_EQ(result.failed.size(), 1);
    EXPECT_EQ(result.failed.at(0).error, EEXIST);
    const auto &asked = writer.asked;
    ASSERT_EQ(asked.size(), 2); // the "[TYP]" question, the failure dialog, nothing else
    EXPECT_TRUE(asked.at(1).text.contains(
        QStringLiteral("\r\rEine Datei dieses Namens existiert bereits.\r\r")));
    EXPECT_EQ(run.list().count(), 1);
}

TEST_F(PipelineTest, CaseChangesSameNamesAndSlashesAreHandledSafely)
{
    dir.mkdir(QStringLiteral("sub"));
    load({"foto.jpg", "same.txt", "a.txt"}); // sorted: a, foto, same
    session.setChecked(0, false);
    session.setChecked(2, false);
    session.chooseLetterCase(CaseUpper);
    session.renameCommand();
    EXPECT_TRUE(dir.exists(QStringLiteral("FOTO.JPG")));

    // A name equal to the old one counts as done.
    session.chooseLetterCase(CaseKeep);
    session.changeChecks(FileList::CheckChange::UncheckAll);
    session.setChecked(1, true);
    session.refresh();
    session.renameCommand();
    EXPECT_EQ(oldNames(), QStringList{"a.txt"});

    // A "/" from a replacement never moves the file into another folder.
    session.changeChecks(FileList::CheckChange::CheckAll);
    replace(0, QStringLiteral("a"), QStringLiteral("sub/a"));
    preview(QStringLiteral("[name].[typ]"));
    session.renameCommand();
    EXPECT_TRUE(questions.asked.isEmpty());
    EXPECT_EQ(panel2(), messages::notAllowed());
    EXPECT_EQ(session.list().at(0).hint, u"kein gültiger Dateiname"_s);
    EXPECT_TRUE(dir.exists(QStringLiteral("a.txt")));
    EXPECT_FALSE(dir.exists(QStringLiteral("sub/a.txt")));
}

TEST_F(PipelineTest, ANameThatIsNoUtf8IsRenamedFromItsShownTextAndWrittenInUtf8)
{
    dir.write(u"andere.txt"_s, "andere");
    session.load(QList<QByteArray>{dir.writeBytes("caf\xe9.txt", "Latin-1")});
    ASSERT_EQ(oldNames(), QStringList{u"café.txt"_s});
    // The same shown name in other bytes: the repair.
    preview(u"[name].[typ]"_s);
    session.renameCommand();
    EXPECT_TRUE(session.list().isEmpty());
    EXPECT_EQ(dir.rawNames(), (QList<QByteArray>{"andere.txt", "caf\xc3\xa9.txt"}));
    EXPECT_EQ(dir.read(u"café.txt"_s), QByteArray("Latin-1"));

    // Ranges and letter cases work on the shown text; the folder keeps its bytes.
    ASSERT_EQ(::mkdir(QFile::encodeName(dir.path()) + "/d\xfcr", 0700), 0);
    session.load(QList<QByteArray>{dir.writeBytes("d\xfcr/\xc4pfel.txt")});
    ASSERT_EQ(session.list().count(), 1);
    EXPECT_EQ(session.list().at(0).folder, dir.path() + u"/dür/"_s);
    session.chooseLetterCase(CaseLower);
    preview(u"[1-3]-[name].[typ]"_s);
    EXPECT_EQ(newNames(), QStringList{u"äpf-äpfel.txt"_s});
    session.renameCommand();
    EXPECT_EQ(dir.rawNames("d\xfcr"), QList<QByteArray>{"\xc3\xa4pf-\xc3\xa4pfel.txt"});
    EXPECT_EQ(dir.rawNames(), (QList<QByteArray>{"andere.txt", "caf\xc3\xa9.txt", "d\xfcr"}));
    EXPECT_TRUE(questions.asked.isEmpty());
}

// The user's case: a numbered series shifted by one over its own names.
TEST_F(PipelineTest, NumberingOverNamesTheBatchFreesRenamesAllAndUndoBringsThemBack)
{
    QStringList names;
    for (int i = 1; i <= 300; ++i)
        names << u"IMG_%1.txt"_s.arg(i, 4, 10, QLatin1Char('0'));
    load(names);
    session.setCounterStartText(u"2"_s);
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
TEST_F(PipelineTest, ALetterCaseBatchRenamesAllAndItsProgressNeverPassesItsEnd)
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
TEST_F(PipelineTest, UndoBringsBackALinkAsALinkAndAFileAsItself)
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

TEST_F(PipelineTest, ANameKeptByAnUncheckedRowIsStillAClashAndTheRowSaysWhy)
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

TEST_F(PipelineTest, ABatchWhoseJournalCannotBeWrittenStillRenamesOnlyWithoutUndo)
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
