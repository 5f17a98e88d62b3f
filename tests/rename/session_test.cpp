#include "rename/messages.h"
#include "sessionfixture.h"

#include "naming/textcase.h"

#include "naming/randomstring.h"

#include <QSignalSpy>

using namespace kesto;
using kesto::test::SessionTest;

namespace {

const QString ready =
    QStringLiteral("Zum Umbenennen der Dateien klicken Sie jetzt die Schaltfläche 'Umbenennen'.");

TEST_F(SessionTest, FirstPreviewOfAnEmptyListShowsTheMaskMessageAndDisablesEverything)
{
    session.ChkSituation(false);
    EXPECT_EQ(panel1(), QStringLiteral("0 von 0 Dateien markiert"));
    EXPECT_EQ(panel2(), QStringLiteral("Maske ist OK"));
    EXPECT_FALSE(session.renameEnabled());
    EXPECT_FALSE(session.moveUpEnabled());
    EXPECT_FALSE(session.moveDownEnabled());
    EXPECT_EQ(session.options().Maske, QStringLiteral("[name].[typ]"));
    EXPECT_EQ(session.digitChoices().chosenText(), QStringLiteral("1"));
}

TEST_F(SessionTest, PreviewWithAValidMaskEnablesRenameEvenWithDuplicates)
{
    load({"a.txt", "b.txt", "c.txt"});
    preview(QStringLiteral("same.txt"));
    EXPECT_TRUE(session.renameEnabled());
    EXPECT_EQ(panel2(), ready);
    EXPECT_EQ(panel1(), QStringLiteral("3 von 3 Dateien markiert"));
    EXPECT_EQ(newNames(), (QStringList{"same.txt", "same.txt", "same.txt"}));

    session.ChkSituation(true);
    EXPECT_FALSE(session.renameEnabled());
    EXPECT_EQ(panel2(), messages::notUnique());
    for (const FileEntry &e : session.list().rows())
        EXPECT_EQ(e.Icon, RowIcon::Error);
}

TEST_F(SessionTest, InvalidMaskMarksEveryRowAndLeavesTheErrorForTheEmptyList)
{
    load({"a.txt", "b.txt"});
    preview(QStringLiteral("[3-2]"));
    EXPECT_EQ(newNames(), (QStringList{"< Maskenfehler >", "< Maskenfehler >"}));
    for (const FileEntry &e : session.list().rows())
        EXPECT_EQ(e.Icon, RowIcon::Error);
    EXPECT_EQ(panel2(), QString());
    EXPECT_EQ(session.maskStatus(),
              QStringLiteral("Fehler: Das Bereichsende ist kleiner als der Bereichsanfang."));
    EXPECT_FALSE(session.renameEnabled());

    session.clearListCommand();
    EXPECT_EQ(panel2(),
              QStringLiteral("Fehler: Das Bereichsende ist kleiner als der Bereichsanfang."));
}

TEST_F(SessionTest, EmptyMaskIsNoErrorMessageButNoRenameEither)
{
    load({"a.txt"});
    preview(QStringLiteral("   "));
    EXPECT_EQ(newNames(), QStringList{"< Maskenfehler >"});
    EXPECT_FALSE(session.renameEnabled());
    EXPECT_EQ(session.maskStatus(), QStringLiteral("Maske ist OK"));
}

TEST_F(SessionTest, DuplicatesAndClashesCountBeforeBlankNames)
{
    dir.write(QStringLiteral("taken"));
    load({"1.txt", "2.txt", "3.txt"});
    // Row names: "taken", " " and " " -> duplicate blanks, a clash and blank names.
    session.setSearchActive(0, Checked);
    session.setSearchText(0, QStringLiteral("1"));
    session.setReplaceText(0, QStringLiteral("taken"));
    session.setSearchActive(1, Checked);
    session.setSearchText(1, QStringLiteral("2"));
    session.setReplaceText(1, QStringLiteral(" "));
    session.setSearchActive(2, Checked);
    session.setSearchText(2, QStringLiteral("3"));
    session.setReplaceText(2, QStringLiteral(" "));
    preview(QStringLiteral("[name]"));
    EXPECT_EQ(newNames(), (QStringList{"taken", " ", " "}));
    session.ChkSituation(true);
    EXPECT_EQ(panel2(), messages::notUnique());
    EXPECT_FALSE(session.NoCollision);
    EXPECT_FALSE(session.NoEmptyName);

    session.setReplaceText(2, QStringLiteral("  "));
    preview(QStringLiteral("[name]"));
    session.ChkSituation(true);
    EXPECT_EQ(panel2(), messages::collision());

    session.setReplaceText(0, QStringLiteral("free"));
    preview(QStringLiteral("[name]"));
    session.ChkSituation(true);
    EXPECT_EQ(panel2(), messages::emptyName());
    EXPECT_EQ(session.list().at(0).Icon, RowIcon::Normal);
    EXPECT_EQ(session.list().at(1).Icon, RowIcon::Error);
}

TEST_F(SessionTest, ClashIsAnyExistingEntryButNeverTheFileItselfInAnotherCase)
{
    load({"a.txt", "b.txt"});
    session.setChecked(1, false);
    // a.txt -> A.TXT is the file itself.
    session.chooseLetterCase(CaseUpper);
    session.ChkSituation(true);
    EXPECT_TRUE(session.NoCollision);
    EXPECT_TRUE(session.renameEnabled());

    // a.txt -> b.txt while b.txt exists, even though b.txt is in the list too.
    session.chooseLetterCase(CaseKeep);
    preview(QStringLiteral("b.[typ]"));
    session.ChkSituation(true);
    EXPECT_FALSE(session.NoCollision);
    EXPECT_EQ(panel2(), messages::collision());

    // A folder or a dangling link of that name clashes as well.
    dir.mkdir(QStringLiteral("Ordner"));
    preview(QStringLiteral("ordner"));
    session.ChkSituation(true);
    EXPECT_FALSE(session.NoCollision);
    ASSERT_EQ(::symlink("/nonexistent/target", dir.file(QStringLiteral("link")).toUtf8()), 0);
    preview(QStringLiteral("LINK"));
    session.ChkSituation(true);
    EXPECT_FALSE(session.NoCollision);
}

TEST_F(SessionTest, SameNameInFoldersThatEndAlikeIsNoDuplicate)
{
    const QString inner = dir.write(QStringLiteral("a/b/f1.txt"));
    const QString outer = dir.write(QStringLiteral("x/a/b/f2.txt"));
    session.LoadListWithFileNames(QStringList{inner, outer});
    preview(QStringLiteral("neu.txt"));
    session.ChkSituation(true);
    EXPECT_TRUE(session.NamesUnique);
    EXPECT_TRUE(session.renameEnabled());
}

TEST_F(SessionTest, NamesDifferingOnlyInLetterCaseInOneFolderAreDuplicates)
{
    load({"1.txt", "2.txt"});
    session.setSearchActive(0, Checked);
    session.setSearchText(0, QStringLiteral("1"));
    session.setReplaceText(0, QStringLiteral("Foto"));
    session.setSearchActive(1, Checked);
    session.setSearchText(1, QStringLiteral("2"));
    session.setReplaceText(1, QStringLiteral("FOTO"));
    preview(QStringLiteral("[name].jpg"));
    session.ChkSituation(true);
    EXPECT_EQ(panel2(), messages::notUnique());
}

TEST_F(SessionTest, UncheckedRowNeverFailsAndKeepsItsIcon)
{
    load({"a.txt", "b.txt"});
    session.setChecked(1, false);
    preview(QStringLiteral("same.txt"));
    session.list().entry(1).Icon = RowIcon::None;
    session.ChkSituation(true);
    EXPECT_TRUE(session.NamesUnique);
    EXPECT_TRUE(session.renameEnabled());
    EXPECT_EQ(session.list().at(1).Icon, RowIcon::None);
    EXPECT_EQ(panel1(), QStringLiteral("1 von 2 Dateien markiert"));
}

TEST_F(SessionTest, FreshlyBuiltNamesAreComparedWithEachOtherNotWithTheLastPreview)
{
    load({"a.txt", "b.txt"});
    preview(QStringLiteral("[name].[typ]"));
    // The rename command right after a change, before the refresh ran.
    session.setMaskText(QStringLiteral("x.txt"));
    session.renameCommand();
    EXPECT_EQ(panel2(), messages::notUnique());
    EXPECT_TRUE(dir.exists(QStringLiteral("a.txt")));
    EXPECT_TRUE(dir.exists(QStringLiteral("b.txt")));
}

TEST_F(SessionTest, RandomStringsDrawnAlikeInOnePassAreDuplicates)
{
    SeedRandom(7);
    load({"a.txt", "b.txt"});
    session.setRandomExtra(Checked);
    session.setRandomExtraChars(QStringLiteral("x"));
    preview(QStringLiteral("[ZUFALLSKETTE 2].[typ]"));
    EXPECT_EQ(newNames(), (QStringList{"xx.txt", "xx.txt"}));
    session.ChkSituation(true);
    EXPECT_EQ(panel2(), messages::notUnique());
}

TEST_F(SessionTest, CounterFollowsListPositionOfAllRows)
{
    load({"1.txt", "2.txt", "Urlaub.JPG"});
    session.setChecked(1, false);
    preview(QStringLiteral("[NAME]_[ZAHL].[TYP]"));
    EXPECT_EQ(newNames().last(), QStringLiteral("Urlaub_3.JPG"));
}

TEST_F(SessionTest, CounterBeyondTheIntegerRangeStopsThePass)
{
    load({"a.txt", "b.txt", "c.txt"});
    session.setStartText(QStringLiteral("2147483600"));
    session.setStepText(QStringLiteral("100"));
    preview(QStringLiteral("[zahl].[typ]"));
    EXPECT_FALSE(session.renameEnabled());
    EXPECT_EQ(panel2(), messages::counterOutOfRange());
    EXPECT_EQ(panel1(), QStringLiteral("3 von 3 Dateien markiert"));

    // Without the counter the same values do no harm.
    preview(QStringLiteral("[name].[typ]"));
    EXPECT_TRUE(session.renameEnabled());
}

TEST_F(SessionTest, CounterFieldsAreMadeCanonicalAtTheNextPass)
{
    QSignalSpy changed(&session, &Session::optionsChanged);
    session.setStartText(QStringLiteral("-5"));
    session.setStepText(QStringLiteral("2.7"));
    session.ChkSituation(false);
    EXPECT_EQ(session.options().Start, QStringLiteral("5"));
    EXPECT_EQ(session.options().Step, QStringLiteral("2"));
    EXPECT_EQ(session.CounterStart, 5);
    EXPECT_EQ(session.CounterStep, 2);
    EXPECT_GE(changed.count(), 1);
}

TEST_F(SessionTest, LeadingCharacterAndDigitCountApplyAtOnce)
{
    load({"a.txt"});
    session.setStartText(QStringLiteral("7"));
    preview(QStringLiteral("[zahl]"));
    const int three = static_cast<int>(session.digitChoices().entries().indexOf("3"));
    session.chooseDigitCount(three);
    EXPECT_EQ(session.DigitCount, QStringLiteral("3"));
    EXPECT_EQ(newNames(), QStringList{"7"});
    session.chooseLeadChar(1);
    EXPECT_EQ(newNames(), QStringList{"007"});
    session.chooseLeadChar(3);
    EXPECT_EQ(newNames(), QStringList{"__7"});
    session.chooseLetterCase(CaseUpper);
    EXPECT_EQ(session.options().LetterCase, CaseUpper);
    EXPECT_EQ(session.options().LeadZeros, 3);
    EXPECT_EQ(session.options().Digits, three);
}

TEST_F(SessionTest, ManyRowsRefillTheDigitChoices)
{
    QStringList names;
    for (int i = 0; i < 120; ++i)
        names << QStringLiteral("f%1").arg(i);
    load(names);
    EXPECT_EQ(session.MinDigits, 3);
    EXPECT_EQ(session.digitChoices().chosenText(), QStringLiteral("3"));
    EXPECT_EQ(session.DigitCount, QStringLiteral("3"));
}

TEST_F(SessionTest, OptionChangesWaitForTheTimerAndCollapseIntoOnePreview)
{
    load({"a.txt"});
    session.refreshTimer().setInterval(60);
    ASSERT_TRUE(session.renameEnabled());
    QSignalSpy panel(&session.status(), &StatusLine::panel1Changed);
    for (const char *mask : {"a", "ab", "abc", "abcd", "abcd.[typ]"}) {
        session.setMaskText(QString::fromLatin1(mask));
        EXPECT_FALSE(session.renameEnabled());
    }
    EXPECT_EQ(newNames(), QStringList{"a.txt"});
    QSignalSpy commands(&session, &Session::commandsChanged);
    ASSERT_TRUE(commands.wait(2000));
    EXPECT_EQ(newNames(), QStringList{"abcd.txt"});
    EXPECT_TRUE(session.renameEnabled());
    // One pass: panel 1 went to "..." and back once.
    EXPECT_EQ(panel.count(), 2);
    EXPECT_FALSE(commands.wait(200));
}

TEST_F(SessionTest, ApplyingSavedOptionsKeepsChoicesOutsideTheirLists)
{
    RenameOptions o;
    o.Maske = QStringLiteral("[zahl]");
    o.Digits = 40;
    o.LeadZeros = 9;
    o.LetterCase = 2;
    o.Sets[1].Active = Checked;
    o.Sets[1].Search = QStringLiteral(" ");
    session.applyOptions(o);
    EXPECT_EQ(session.options().Maske, QStringLiteral("[zahl]"));
    EXPECT_EQ(session.options().Digits, 0);
    EXPECT_EQ(session.options().LeadZeros, 0);
    EXPECT_EQ(session.options().LetterCase, 2);
    EXPECT_EQ(session.LetterCaseMode, 2);
    EXPECT_EQ(session.options().Sets[1].Search, QStringLiteral(" "));
}

} // namespace
