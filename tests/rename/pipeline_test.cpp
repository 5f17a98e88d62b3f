#include "moves.h"
#include "naming/textcase.h"
#include "rename/pipeline.h"
#include "sessionfixture.h"
#include "storage/applog.h"

#include <QFileInfo>
#include <QScopeGuard>

#include <cstdio>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace kesto;
using namespace Qt::StringLiterals;

namespace {

using PipelineTest = kesto::test::SessionTest;

// The status names the first fault of: duplicates, clashes, blank names, names
// too long, names not allowed.
TEST_F(PipelineTest, FullTestReportsDuplicatesBeforeClashesBeforeBlankNamesBeforeLongOnes)
{
    dir.write(u"taken"_s);
    load({"1.txt", "2.txt", "3.txt", "4.txt"});
    session.setChecked(3, false);
    session.list().entry(3).icon = RowIcon::None;
    replace(0, u"1"_s, u"taken"_s);
    replace(1, u"2"_s, u" "_s);
    replace(2, u"3"_s, u" "_s);
    // Each preview runs the full test and marks the faulty rows; an
    // unchecked row never fails it and keeps its icon.
    preview(u"[name]"_s);
    EXPECT_FALSE(session.renameEnabled() || session.testNames());
    EXPECT_EQ(panel2(), messages::notUnique());
    EXPECT_EQ(session.list().at(1).icon, RowIcon::Error);
    EXPECT_EQ(session.list().at(3).icon, RowIcon::None);
    session.setReplaceText(2, u"  "_s);
    EXPECT_EQ(fullTestOf(u"[name]"_s), messages::collision());
    session.setReplaceText(0, QString(300, u'x'));
    EXPECT_EQ(fullTestOf(u"[name]"_s), messages::emptyName());
    session.setReplaceText(1, u"zwei"_s);
    session.setReplaceText(2, u"drei"_s);
    EXPECT_EQ(fullTestOf(u"[name]"_s), messages::tooLong());

    // A "/" from a replacement is "_": it never moves the file into a folder.
    session.setReplaceText(0, u"sub/eins"_s);
    preview(u"[name]"_s);
    EXPECT_EQ(session.list().at(0).newName, u"sub_eins"_s);
    session.setReplaceText(0, u".."_s);
    preview(u"[name]"_s);
    EXPECT_EQ(session.renameCommand().verdict, RenameResult::Verdict::Refused);
    EXPECT_EQ(panel2(), messages::notAllowed());
    EXPECT_EQ(session.list().at(0).hint, u"kein gültiger Dateiname"_s);
    // Unchecked, a faulty row is no fault of the batch and loses its reason.
    session.setChecked(0, false);
    EXPECT_EQ(fullTestOf(u"[name]"_s) + session.list().at(0).hint,
              u"Zum Umbenennen der Dateien klicken Sie jetzt die Schaltfläche 'Umbenennen'."_s);
}

TEST_F(PipelineTest, ClashIsAnyExistingEntryEvenTheFileOfAnUncheckedRow)
{
    load({"a.txt", "b.txt"});
    session.setChecked(1, false);
    dir.mkdir(u"Ordner"_s);
    ASSERT_EQ(::symlink("/nonexistent", dir.file(u"link"_s).toUtf8()), 0);
    dir.write(u".versteckt"_s);
    dir.write(u"Äpfel.txt"_s);
    // b.txt clashes although it is in the list too, unchecked; so do a folder,
    // a dangling link, a hidden file and a name that differs in the case of an umlaut.
    for (const char *mask : {"b.[typ]", "ordner", "LINK", ".versteckt", "äpfel.[typ]"})
        EXPECT_EQ(fullTestOf(QString::fromUtf8(mask)), messages::collision()) << mask;
}

// Folders that end alike, and a Latin-1 folder and its twin in UTF-8, are
// different folders: the full test reads each by its own bytes.
TEST_F(PipelineTest, ClashesAndDuplicatesCompareTheNamesAsTheyWillBeOnDisk)
{
    session.load(QStringList{dir.write(u"a/b/f1.txt"_s), dir.write(u"x/a/b/f2.txt"_s)});
    EXPECT_EQ(fullTestOf(u"neu.txt"_s), ready());

    session.clearList();
    ASSERT_EQ(::mkdir(QFile::encodeName(dir.path()) + "/d\xfcr", 0700), 0);
    dir.mkdir(u"dür"_s);
    dir.writeBytes("d\xfcr/belegt.txt");
    session.load(
        QList<QByteArray>{dir.writeBytes("d\xfcr/a.txt"), dir.writeBytes("d\xc3\xbcr/b.txt")});
    EXPECT_EQ(fullTestOf(u"x.[typ]"_s), ready());
    // A file never clashes with its own entry under another letter case.
    preview(u"[name].[typ]"_s);
    session.chooseLetterCase(CaseUpper);
    EXPECT_TRUE(fullTest());
    session.chooseLetterCase(CaseKeep);
    EXPECT_EQ(fullTestOf(u"belegt.[typ]"_s), messages::collision());
    EXPECT_EQ(session.list().at(0).icon, RowIcon::Error);
    EXPECT_EQ(session.list().at(1).icon, RowIcon::Normal);

    // A repair to the shown name meets a file that has that name in UTF-8
    // already, but never its own old entry: it writes the name in UTF-8.
    // Letter cases work on the shown text; a folder keeps its bytes.
    session.clearList();
    session.load(QList<QByteArray>{dir.writeBytes("caf\xe9.txt", "Latin-1"),
                                   dir.writeBytes("d\xfcr/\xc4pfel.txt")});
    session.chooseLetterCase(CaseLower);
    dir.write(u"CAFÉ.txt"_s);
    EXPECT_EQ(fullTestOf(u"[name].[typ]"_s), messages::collision());
    QFile::remove(dir.file(u"CAFÉ.txt"_s));
    EXPECT_EQ(fullTestOf(u"[name].[typ]"_s), ready());
    session.renameCommand();
    EXPECT_EQ(dir.rawNames(),
              (QList<QByteArray>{"a", "caf\xc3\xa9.txt", "d\xc3\xbcr", "d\xfcr", "x"}));
    EXPECT_EQ(dir.read(u"café.txt"_s), QByteArray("Latin-1"));
    EXPECT_EQ(dir.rawNames("d\xfcr"),
              (QList<QByteArray>{"a.txt", "belegt.txt", "\xc3\xa4pfel.txt"}));
}

// A folder renamed with what it holds, three deep, the deepest first; the status
// counts files and folders, a row left behind shows its path of now.
TEST_F(PipelineTest, AFolderIsRenamedAfterWhatItHoldsAndARowLeftInItFollows)
{
    dir.write(u"Urlaub.2024/a.txt"_s, "a");
    dir.write(u"Urlaub.2024/Tag 1/b.txt"_s, "b");
    dir.mkdir(u"Urlaub.2024/Tag 1/Abend"_s);
    const FolderFilter folderRows{-1, {}, {}, false, true, true};
    session.load({QFile::encodeName(dir.file(u"Urlaub.2024/"_s))}, folderRows);
    session.setChecked(session.list().findRow(dir.file(u"Urlaub.2024/Tag 1/b.txt"_s)), false);
    preview(u"X_[name].[typ]"_s);
    EXPECT_EQ(panel1(), u"4 von 5 markiert (2 Dateien, 3 Ordner)"_s);
    // A folder's length is its listing's: its row shows none.
    QStringList sizes;
    for (const FileEntry &e : session.list().rows())
        sizes << e.text(ColSize);
    sizes.sort();
    EXPECT_EQ(sizes, (QStringList{"", "", "", "1 Byte", "1 Byte"}));
    EXPECT_EQ(session.renameCommand().renamed.size(), 4);
    EXPECT_EQ(column(&FileEntry::folder), QStringList{dir.file(u"X_Urlaub.2024/X_Tag 1/"_s)});
    EXPECT_EQ(dir.tree(), "X_Urlaub.2024/ X_Urlaub.2024/X_Tag 1/ X_Urlaub.2024/X_Tag 1/X_Abend/ "
                          "X_Urlaub.2024/X_Tag 1/b.txt=b X_Urlaub.2024/X_a.txt=a");
}

// A row whose new name is its old one counts as renamed too.
TEST_F(PipelineTest, RenamesCheckedFilesAndRecomputesTheRowsThatRemain)
{
    load({"f1.txt", "f2.txt", "f3.txt", "f4.txt", "neu_5.txt"});
    session.setChecked(0, false);
    session.setChecked(2, false);
    preview(u"neu_[zahl].[typ]"_s);
    session.renameCommand();
    EXPECT_EQ(panel2(), u"Umbenennung abgeschlossen."_s);
    EXPECT_EQ(oldNames(), (QStringList{"f1.txt", "f3.txt"}));
    EXPECT_EQ(newNames(), (QStringList{"neu_1.txt", "neu_2.txt"}));
    EXPECT_EQ(
        filesIn(dir),
        u"f1.txt=f1.txt f3.txt=f3.txt neu_2.txt=f2.txt neu_4.txt=f4.txt neu_5.txt=neu_5.txt"_s);
}

// A failed rename asks what to do (go on, skip all, stop); one message at
// the end says, in the list's order, why each file was not renamed, and the rows keep that reason.
// A batch that renamed nothing is none to undo. A mask without .[typ] asks
// first, and No changes nothing.
TEST_F(PipelineTest, AFailedRenameAsksWhatToDoAndTheBatchTellsItsFailuresOnce)
{
    load({"a.txt", "b.txt", "c.txt", "d.txt"}); // renamed from the last
    preview(u"neu_[name].[typ]"_s);
    QFile::remove(dir.file(u"b.txt"_s));
    QFile::remove(dir.file(u"d.txt"_s));
    questions.failureAnswers = {UserQuestions::FailureAnswer::GoOn,
                                UserQuestions::FailureAnswer::Stop};
    session.renameCommand();
    const QString gone = u"Der Ordner oder die Datei existiert nicht mehr."_s;
    EXPECT_EQ(questions.asked.value(0).text,
              u"Folgende Datei ließ sich nicht umbenennen:\r\r%1\r-->\r%2\r\r%3\r\r"
              "Klicken Sie 'OK', um fortzusetzen oder 'Abbrechen' um die Aktion zu beenden."_s.arg(
                  dir.file(u"d.txt"_s), dir.file(u"neu_d.txt"_s), gone));
    EXPECT_EQ(questions.asked.value(2).text,
              u"1 von 4 Dateien wurde umbenannt.\r\rFolgende Dateien ließen sich nicht umbenennen "
              "und behalten ihren alten Namen:\r\r%1/a.txt --> neu_a.txt (nicht mehr versucht, die "
              "Umbenennung wurde abgebrochen)\r%1/b.txt --> neu_b.txt (%2)\r%1/d.txt --> "
              "neu_d.txt (%2)"_s.arg(dir.path(), gone));
    EXPECT_EQ(panel2(), u"Umbenennung beendet: 1 von 4 Dateien umbenannt, 3 nicht."_s);
    EXPECT_EQ(oldNames() + column(&FileEntry::hint),
              (QStringList{"a.txt", "b.txt", "d.txt", "", gone, gone}));
    QFile::remove(dir.file(u"a.txt"_s));
    questions.failureAnswers = {UserQuestions::FailureAnswer::SkipAll};
    session.renameCommand();
    EXPECT_EQ(questions.asked.size(), 5) << "one question and the message at the end";
    EXPECT_EQ(session.undoableBatch().files, 4) << "the batch before";

    preview(u"x_[name]"_s);
    questions.yesNoAnswers = {false};
    EXPECT_EQ(session.renameCommand().verdict, RenameResult::Verdict::Declined);
    EXPECT_EQ(dir.names(), QStringList{"neu_c.txt"});
    EXPECT_EQ(questions.asked.last().title, u"Kesto"_s);
    EXPECT_TRUE(questions.asked.last().text.startsWith(
        u"WARNUNG: In Ihrer Umbenennungmaske wurde der Platzhalter .[TYP] NICHT verwendet!\r\r"
        "Bitte beachten Sie"_s));
    EXPECT_TRUE(questions.asked.last().text.endsWith(
        u"\r\rMöchten Sie die Umbenennung nun wirklich ohne .[TYP] vornehmen?"_s));
}

// In a cycle c>a, b>c, a>b the first member waits under a hidden name; when
// another program takes its new name and its old one is taken by the cycle,
// it goes to a visible name beside the old one, and the user is told which.
TEST_F(PipelineTest, AFileThatGetsNeitherNameIsToldByTheVisibleNameItGot)
{
    load({"a.txt", "b.txt", "c.txt"});
    preview(u"[name].[typ]"_s);
    for (int row = 0; row < 3; ++row)
        session.list().entry(row).newName = QStringList{"b.txt", "c.txt", "a.txt"}[row];
    const auto otherProgram = [this](int step, int) {
        if (step == 3) // a has just gone to b
            dir.write(u"a.txt"_s, "fremd");
    };
    const RenameResult result =
        RenameRows(session.list(), true, session.journal(), questions, otherProgram);
    EXPECT_EQ(result.renamed, (QList<int>{1, 0}));
    const BatchRecord batch = Journal::read(session.journal().batches().value(0).path);
    EXPECT_TRUE(batch.entries.value(0).move.temp.startsWith(".kesto-")) << "where c waited";
    EXPECT_EQ(questions.asked.last().text,
              u"2 von 3 Dateien wurden umbenannt.\r\r"_s +
                  messages::stranded(
                      {messages::strandedAt(dir.file(u"c.txt"_s), u"c (Kesto 1).txt"_s, false)}));
    EXPECT_EQ(filesIn(dir), u"a.txt=fremd b.txt=a.txt c (Kesto 1).txt=c.txt c.txt=b.txt"_s);
}

// The user's case: a numbered series shifted by one over its own names. A
// link renames as itself, so the batch must record the link, not the file
// the list read through it; a file's record comes from the list's read only
// while that is fresh: a file saved anew since is recorded as it is now.
TEST_F(PipelineTest, NumberingOverNamesTheBatchFreesRenamesAllAndUndoBringsBackEachFileAsItself)
{
    dir.write(u"ziel.txt"_s, "Ziel");
    ASSERT_EQ(::symlink("ziel.txt", dir.file(u"verweis.txt"_s).toUtf8().constData()), 0);
    QStringList names;
    for (int i = 1; i <= 300; ++i)
        names << u"IMG_%1.txt"_s.arg(i, 4, 10, QLatin1Char('0'));
    load(names << u"neu.txt"_s);
    session.load(QStringList{dir.file(u"verweis.txt"_s)});
    session.list().entry(300).identity.readAt -= 60 * 1000;
    dir.write(u"neu.tmp"_s, "neu gespeichert");
    ASSERT_EQ(::rename(qPrintable(dir.file(u"neu.tmp"_s)), qPrintable(dir.file(u"neu.txt"_s))), 0);
    const auto before = dir.contents();
    session.setCounterStartText(u"2"_s);
    session.chooseDigitCount(int(session.digitChoices().entries().indexOf(u"4"_s)));
    session.chooseLeadChar(1); // "Null"
    preview(u"IMG_[zahl].[typ]"_s);
    session.renameCommand();
    EXPECT_TRUE(session.list().isEmpty()) << panel2().toStdString();
    EXPECT_EQ(dir.read(u"IMG_0301.txt"_s), QByteArray("IMG_0300.txt"));

    EXPECT_EQ(session.undoCommand().movedBack.size(), 302);
    EXPECT_TRUE(QFileInfo(dir.file(u"verweis.txt"_s)).isSymLink());
    EXPECT_EQ(dir.contents(), before);
}

// Every name in capitals: each move is a letter-case-only one and takes two
// steps, through a temporary name, which the progress must count, not the
// rows. Another program writes "A.TXT" once the batch is under way: past the
// full test, so only the rename can notice, and it must not replace the file.
TEST_F(PipelineTest, ALetterCaseBatchCountsItsStepsAndNeverReplacesAFileThatAppearedAfterTheCheck)
{
    load({u"a.txt"_s, u"b.txt"_s, u"c.txt"_s});
    preview(u"[name].[typ]"_s);
    session.chooseLetterCase(CaseUpper);
    int highest = 0;
    QObject::connect(&session, &Session::progressChanged, [&](int value, int maximum) {
        EXPECT_LE(value, maximum);
        highest = std::max(highest, value);
        if (value == 1)
            dir.write(u"A.TXT"_s, "fremd");
    });
    questions.okCancelAnswers = {true};
    const RenameResult result = session.renameCommand();
    EXPECT_EQ(highest, 5) << "the last of six steps";
    EXPECT_EQ(filesIn(dir), u"A.TXT=fremd B.TXT=b.txt C.TXT=c.txt a.txt=a.txt"_s);
    EXPECT_EQ(result.failed.value(0).error, EEXIST);
    EXPECT_TRUE(questions.asked.value(0).text.contains(
        u"\r\rEine Datei dieses Namens existiert bereits.\r\r"_s));
}

// Without a journal a batch runs only when the user agrees; then, where a
// small file still fits, the journal folder records that it ran, and the
// undo after it says once that it cannot take it back before it takes back
// the batch before it.
TEST_F(PipelineTest, ABatchWithoutAJournalRunsOnlyAfterAYesAndNoUndoPassesOverItUnsaid)
{
    // A drive too full for the journal of a thousand long names, not for a short note.
    const QString folder = journals.mkdir(u"Kesto-Journal"_s);
    const bool small = ::mount("kesto-test", QFile::encodeName(folder).constData(), "tmpfs", 0,
                               "size=64k,mode=0700") == 0;
    const auto unmount = qScopeGuard([&] { small && ::umount2(folder.toLocal8Bit(), MNT_DETACH); });
    if (!small)
        GTEST_SKIP() << "cannot mount a small tmpfs here";
    load({"a.txt"});
    preview(u"[name]-1.[typ]"_s);
    session.renameCommand();
    ASSERT_EQ(dir.names(), QStringList{u"a-1.txt"_s});
    QStringList names;
    for (int i = 0; i < 1000; ++i)
        names << QString(200, u'x') + QString::number(i) + u".txt"_s;
    session.clearList();
    load(names);
    preview(u"[name]-2.[typ]"_s);
    questions.yesNoAnswers = {false, true};
    for (bool agreed : {false, true}) {
        const RenameResult result = session.renameCommand();
        EXPECT_EQ(questions.asked.last().text,
                  messages::noJournalQuestion(folder + u'/', messages::systemErrorText(ENOSPC)));
        EXPECT_EQ(result.verdict,
                  agreed ? RenameResult::Verdict::Ran : RenameResult::Verdict::Declined);
        EXPECT_EQ(dir.names().size(), 1001);
        EXPECT_EQ(dir.exists(names[0]), !agreed);
    }
    const QString when = session.undoableBatch().begun.toString(TimeShownFormat);
    EXPECT_EQ(UndoTooltip(session.undoableBatch()), messages::undoUnrecordedTooltip(when));
    EXPECT_FALSE(session.undoCommand().complete);
    EXPECT_EQ(panel2(), messages::undoUnrecorded(when));
    EXPECT_TRUE(dir.exists(u"a-1.txt"_s));
    EXPECT_TRUE(session.undoCommand().complete);
    EXPECT_TRUE(dir.exists(u"a.txt"_s));
}

} // namespace

// A mask with "/" moves each file into folders below its own, made for it;
// a file of the batch that leaves a name there frees it. The undo moves the
// files back and removes each folder made once it is empty, never one that
// holds another file, and says which stay.
TEST_F(PipelineTest, SlashesInTheMaskMoveFilesIntoNewFoldersThatTheUndoRemovesAgain)
{
    load({"a.txt", "b.jpg", "neu/txt/a.txt"});
    preview(u"neu/[typ]/[name].[typ]"_s);
    EXPECT_EQ(newNames(), (QStringList{"neu/txt/a.txt", "neu/txt/a.txt", "neu/jpg/b.jpg"}));
    session.renameCommand();
    EXPECT_EQ(panel2(), u"Umbenennung abgeschlossen, 3 Ordner angelegt."_s);
    EXPECT_EQ(dir.tree(), "neu/ neu/jpg/ neu/jpg/b.jpg=b.jpg neu/txt/ neu/txt/a.txt=a.txt "
                          "neu/txt/neu/ neu/txt/neu/txt/ neu/txt/neu/txt/a.txt=neu/txt/a.txt");

    dir.write(u"neu/jpg/fremd"_s);
    questions.confirmAnswers = {true};
    EXPECT_TRUE(session.undoCommand(Session::Ask::First).complete);
    EXPECT_TRUE(questions.asked.value(0).text.endsWith(
        u"(3 Dateien, 3 Ordner angelegt) rückgängig machen?"_s));
    EXPECT_EQ(questions.asked.value(1).text, messages::undoFailed({}, {dir.file(u"neu/jpg/"_s)}));
    EXPECT_EQ(dir.tree(), "a.txt=a.txt b.jpg=b.jpg neu/ neu/jpg/ neu/jpg/fremd= neu/txt/ "
                          "neu/txt/a.txt=neu/txt/a.txt");
}

// Between the test and the batch, while the user is asked about the missing
// [TYP], a link takes the name of the folder "a" and "b.txt" goes: "a" fails
// its file for its own reason, and "b", made for nothing, does not stay.
TEST_F(PipelineTest, AFolderThatCannotBeMadeFailsItsFilesAndOneLeftEmptyGoes)
{
    struct Meanwhile : kesto::test::ScriptedQuestions
    {
        QString gone, link;
        bool askYesNo(const QString &, const QString &) override
        {
            return QFile::remove(gone) && QFile::link(u"nirgends"_s, link);
        }
    } meanwhile;
    meanwhile.gone = dir.file(u"b.txt"_s);
    meanwhile.link = dir.file(u"a"_s);
    meanwhile.okCancelAnswers = {true};
    load({"a.txt", "b.txt"});
    preview(u"[name]/x"_s);
    RenameRows(session.list(), false, session.journal(), meanwhile);
    EXPECT_TRUE(meanwhile.asked.last().text.contains(
        u"a.txt --> a/x (Ein Teil des Pfads ist kein Ordner.)"_s));
    EXPECT_EQ(dir.names(), (QStringList{"a", "a.txt"}));
}
