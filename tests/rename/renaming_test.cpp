#include "rename/formatmessage.h"
#include "rename/messages.h"
#include "rename/renamer.h"
#include "sessionfixture.h"

#include "naming/textcase.h"

#include <QFile>

#include <cerrno>

using namespace kesto;
using kesto::test::SessionTest;

namespace {

const QString done = QStringLiteral("Umbenennung abgeschlossen.");

TEST_F(SessionTest, RenamesCheckedFilesAndRecomputesTheRowsThatRemain)
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
    ASSERT_EQ(session.list().count(), 5);
    // The unchecked rows stay, renumbered by their new positions.
    EXPECT_EQ(oldNames(), (QStringList{"f01.txt", "f03.txt", "f05.txt", "f07.txt", "f09.txt"}));
    EXPECT_EQ(newNames(),
              (QStringList{"neu_1.txt", "neu_2.txt", "neu_3.txt", "neu_4.txt", "neu_5.txt"}));
    // On disk the checked files carry the names of their former positions.
    EXPECT_EQ(dir.read(QStringLiteral("neu_2.txt")), QByteArray("f02.txt"));
    EXPECT_EQ(dir.read(QStringLiteral("neu_10.txt")), QByteArray("f10.txt"));
    EXPECT_FALSE(dir.exists(QStringLiteral("f02.txt")));
    EXPECT_TRUE(dir.exists(QStringLiteral("f01.txt")));
    EXPECT_TRUE(questions.asked.isEmpty());
}

TEST_F(SessionTest, MaskWithoutTypAsksFirstAndNoChangesNothing)
{
    load({"a.txt", "b.txt"});
    preview(QStringLiteral("[name]_neu"));
    questions.yesNoAnswers = {false};
    session.renameCommand();
    ASSERT_EQ(questions.asked.size(), 1);
    EXPECT_EQ(questions.asked.at(0).title, QStringLiteral("Kesto"));
    EXPECT_TRUE(questions.asked.at(0).text.startsWith(
        QStringLiteral("WARNUNG: In Ihrer Umbenennungmaske wurde der Platzhalter .[TYP] NICHT "
                       "verwendet!\r\rBitte beachten Sie")));
    EXPECT_TRUE(questions.asked.at(0).text.endsWith(
        QStringLiteral("\r\rMöchten Sie die Umbenennung nun wirklich ohne .[TYP] vornehmen?")));
    EXPECT_EQ(session.list().count(), 2);
    EXPECT_EQ(dir.names(), (QStringList{"a.txt", "b.txt"}));

    questions.yesNoAnswers = {true};
    session.renameCommand();
    EXPECT_EQ(dir.names(), (QStringList{"a_neu", "b_neu"}));
    EXPECT_TRUE(session.list().isEmpty());
}

TEST_F(SessionTest, TypInSmallLettersCountsAsTyp)
{
    load({"a.txt"});
    preview(QStringLiteral("x.[typ]"));
    session.renameCommand();
    EXPECT_TRUE(questions.asked.isEmpty());
    EXPECT_EQ(dir.names(), QStringList{"x.txt"});
}

TEST_F(SessionTest, FailedRenameAsksAndOkGoesOnWithTheRowAbove)
{
    load({"a.txt", "b.txt", "c.txt"});
    preview(QStringLiteral("neu_[name].[typ]"));
    QFile::remove(dir.file(QStringLiteral("b.txt")));
    questions.okCancelAnswers = {true};
    session.renameCommand();

    ASSERT_EQ(questions.asked.size(), 1);
    const QChar cr(13);
    EXPECT_EQ(questions.asked.at(0).text,
              QStringLiteral("Folgende Datei ließ sich nicht umbenennen:") + cr + cr +
                  dir.file(QStringLiteral("b.txt")) + cr + QStringLiteral("-->") + cr +
                  dir.file(QStringLiteral("neu_b.txt")) + cr + cr +
                  QStringLiteral("Klicken Sie 'OK', um fortzusetzen oder 'Abbrechen' um die "
                                 "Aktion zu beenden."));
    EXPECT_EQ(questions.asked.at(0).title, QStringLiteral("Kesto"));
    EXPECT_EQ(dir.names(), (QStringList{"neu_a.txt", "neu_c.txt"}));
    // The failed row stays, checked, with a fresh name.
    ASSERT_EQ(session.list().count(), 1);
    EXPECT_EQ(session.list().at(0).OldName, QStringLiteral("b.txt"));
    EXPECT_TRUE(session.list().at(0).Checked);
    EXPECT_EQ(panel2(), done);
}

TEST_F(SessionTest, CancelAfterAFailureLeavesTheRemainingRowsAlone)
{
    load({"a.txt", "b.txt", "c.txt"});
    preview(QStringLiteral("neu_[name].[typ]"));
    QFile::remove(dir.file(QStringLiteral("b.txt")));
    questions.okCancelAnswers = {false};
    session.renameCommand();
    EXPECT_EQ(dir.names(), (QStringList{"a.txt", "neu_c.txt"}));
    EXPECT_EQ(oldNames(), (QStringList{"a.txt", "b.txt"}));
    EXPECT_EQ(panel2(), done);
}

TEST_F(SessionTest, NeverReplacesAFileThatAppearedAfterTheCheck)
{
    load({"a.txt"});
    preview(QStringLiteral("ziel.txt"));
    session.ChkSituation(true);
    ASSERT_TRUE(session.renameEnabled());
    dir.write(QStringLiteral("ziel.txt"), "fremd");
    questions.okCancelAnswers = {true};
    session.UmTaufen();
    EXPECT_EQ(dir.read(QStringLiteral("ziel.txt")), QByteArray("fremd"));
    EXPECT_EQ(dir.read(QStringLiteral("a.txt")), QByteArray("a.txt"));
    EXPECT_EQ(questions.asked.size(), 1);
    EXPECT_EQ(session.list().count(), 1);
}

TEST_F(SessionTest, LetterCaseOnlyChangeGivesTheNewSpelling)
{
    load({"foto.jpg"});
    session.chooseLetterCase(CaseUpper);
    session.renameCommand();
    EXPECT_EQ(dir.names(), QStringList{"FOTO.JPG"});
    EXPECT_EQ(dir.read(QStringLiteral("FOTO.JPG")), QByteArray("foto.jpg"));
}

TEST_F(SessionTest, NameEqualToTheOldOneCountsAsDone)
{
    load({"a.txt", "b.txt"});
    session.renameCommand();
    EXPECT_TRUE(questions.asked.isEmpty());
    EXPECT_TRUE(session.list().isEmpty());
    EXPECT_EQ(dir.names(), (QStringList{"a.txt", "b.txt"}));
}

TEST_F(SessionTest, NameWithASlashNeverMovesTheFileIntoAnotherFolder)
{
    dir.mkdir(QStringLiteral("sub"));
    load({"a.txt"});
    session.setSearchActive(0, Checked);
    session.setSearchText(0, QStringLiteral("a"));
    session.setReplaceText(0, QStringLiteral("sub/a"));
    preview(QStringLiteral("[name].[typ]"));
    EXPECT_EQ(newNames(), QStringList{"sub/a.txt"});
    questions.okCancelAnswers = {true};
    session.renameCommand();
    EXPECT_EQ(questions.asked.size(), 1);
    EXPECT_TRUE(dir.exists(QStringLiteral("a.txt")));
    EXPECT_FALSE(dir.exists(QStringLiteral("sub/a.txt")));
}

TEST_F(SessionTest, AllRowsUncheckedRenamesNothing)
{
    load({"a.txt", "b.txt"});
    session.SetAllChecks(0);
    preview(QStringLiteral("x_[name].[typ]"));
    EXPECT_TRUE(session.renameEnabled());
    session.renameCommand();
    EXPECT_EQ(session.list().count(), 2);
    EXPECT_EQ(dir.names(), (QStringList{"a.txt", "b.txt"}));
    EXPECT_EQ(panel2(), done);
}

TEST(Renamer, RefusesImpossibleNamesAndExistingTargets)
{
    kesto::test::TempFolder dir;
    const QString a = dir.write(QStringLiteral("a"), "A");
    const QString b = dir.write(QStringLiteral("b"), "B");
    EXPECT_EQ(RenameNoReplace(a, b), EEXIST);
    EXPECT_EQ(dir.read(QStringLiteral("b")), QByteArray("B"));
    EXPECT_EQ(RenameNoReplace(dir.file(QStringLiteral("gone")), dir.file(QStringLiteral("c"))),
              ENOENT);
    EXPECT_EQ(RenameNoReplace(a, dir.file(QStringLiteral("c"))), 0);
    EXPECT_EQ(dir.read(QStringLiteral("c")), QByteArray("A"));

    for (const char *bad : {"", ".", "..", "a/b"})
        EXPECT_FALSE(IsPossibleFileName(QString::fromLatin1(bad))) << bad;
    EXPECT_FALSE(IsPossibleFileName(QStringLiteral("a") + QChar(0)));
    EXPECT_TRUE(IsPossibleFileName(QStringLiteral("a\\b:c?")));
}

TEST(Renamer, HardLinkedNamesOfOneFileAreNotMistakenForACaseChange)
{
    kesto::test::TempFolder dir;
    const QString a = dir.write(QStringLiteral("a"), "A");
    ASSERT_EQ(::link(QFile::encodeName(a).constData(),
                     QFile::encodeName(dir.file(QStringLiteral("b"))).constData()),
              0);
    EXPECT_EQ(RenameNoReplace(a, dir.file(QStringLiteral("b"))), EEXIST);
    EXPECT_EQ(dir.names(), (QStringList{"a", "b"}));
}

TEST(FormatMessage, FillsParametersAndResolvesEscapes)
{
    EXPECT_EQ(FormatMessage(QStringLiteral("a\\nb")), QStringLiteral("a\rb"));
    EXPECT_EQ(FormatMessage(QStringLiteral("a\\\\b")), QStringLiteral("a\\b"));
    EXPECT_EQ(FormatMessage(QStringLiteral("x%1y"), {QStringLiteral("P")}), QStringLiteral("xPy"));
    EXPECT_EQ(FormatMessage(QStringLiteral("x%1y")), QStringLiteral("xy"));
    EXPECT_EQ(FormatMessage(QStringLiteral("%10"), {QStringLiteral("one")}),
              QStringLiteral("one0"));
    EXPECT_EQ(FormatMessage(QStringLiteral("\\t\\L\\h\\q")), QStringLiteral("\t\n\"q"));
    EXPECT_EQ(FormatMessage(QStringLiteral("%2-%1"), {QStringLiteral("a"), QStringLiteral("%1")}),
              QStringLiteral("%1-a"));
}

} // namespace
