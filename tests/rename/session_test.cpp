#include "naming/randomstring.h"
#include "naming/textcase.h"
#include "rename/messages.h"
#include "sessionfixture.h"

#include <QFile>
#include <QSignalSpy>

#include <sys/stat.h>

using namespace kesto;
using namespace Qt::StringLiterals;
using kesto::test::SessionTest;

namespace {

TEST_F(SessionTest, EmptyListShowsTheMaskMessageAndDisablesTheCommands)
{
    session.refresh();
    EXPECT_EQ(panel1(), QStringLiteral("0 von 0 Dateien markiert"));
    EXPECT_EQ(panel2(), QStringLiteral("Maske ist OK"));
    EXPECT_FALSE(session.renameEnabled() || session.moveUpEnabled() || session.moveDownEnabled());
    EXPECT_EQ(session.digitChoices().chosenText(), QStringLiteral("1"));
}

TEST_F(SessionTest, PreviewAllowsRenamingAndOnlyTheFullTestFindsDuplicates)
{
    load({"a.txt", "b.txt", "c.txt"});
    session.setChecked(2, false);
    preview(QStringLiteral("same.txt"));
    EXPECT_TRUE(session.renameEnabled());
    EXPECT_EQ(panel2(), QStringLiteral("Zum Umbenennen der Dateien klicken Sie jetzt die "
                                       "Schaltfläche 'Umbenennen'."));
    EXPECT_EQ(panel1(), QStringLiteral("2 von 3 Dateien markiert"));

    session.list().entry(2).icon = RowIcon::None;
    session.refresh();
    session.testNames();
    EXPECT_FALSE(session.renameEnabled());
    EXPECT_EQ(panel2(), messages::notUnique());
    EXPECT_EQ(session.list().at(0).icon, RowIcon::Error);
    // An unchecked row never fails a test and keeps its icon.
    EXPECT_EQ(session.list().at(2).icon, RowIcon::None);
}

TEST_F(SessionTest, InvalidOrEmptyMaskMarksEveryRowAndTheStatusSaysWhatIsWrong)
{
    load({"a.txt", "b.txt"});
    const std::pair<const char *, const char *> masks[] = {
        {"[3-2]", "Fehler: Das Bereichsende ist kleiner als der Bereichsanfang."},
        {"   ", ""}, // no error text for an empty mask
    };
    for (const auto &[mask, status] : masks) {
        preview(QString::fromLatin1(mask));
        EXPECT_EQ(newNames(), (QStringList{"< Maskenfehler >", "< Maskenfehler >"}));
        EXPECT_EQ(session.list().at(1).icon, RowIcon::Error);
        EXPECT_EQ(panel2(), QString::fromUtf8(status)) << mask;
        EXPECT_FALSE(session.renameEnabled());
    }
    EXPECT_EQ(session.maskCheck().statusText, QStringLiteral("Maske ist OK"));
    preview(QStringLiteral("[3-2]"));
    // With the list empty the mask check's message stays visible.
    session.clearList();
    EXPECT_EQ(panel2(),
              QStringLiteral("Fehler: Das Bereichsende ist kleiner als der Bereichsanfang."));
    EXPECT_EQ(panel1(), QStringLiteral("0 von 0 Dateien markiert"));
}

TEST_F(SessionTest, FullTestReportsDuplicatesBeforeClashesBeforeBlankNames)
{
    dir.write(QStringLiteral("taken"));
    load({"1.txt", "2.txt", "3.txt"});
    replace(0, QStringLiteral("1"), QStringLiteral("taken"));
    replace(1, QStringLiteral("2"), QStringLiteral(" "));
    replace(2, QStringLiteral("3"), QStringLiteral(" "));
    preview(QStringLiteral("[name]"));
    session.refresh();
    session.testNames();
    EXPECT_EQ(panel2(), messages::notUnique());

    session.setReplaceText(2, QStringLiteral("  "));
    preview(QStringLiteral("[name]"));
    session.refresh();
    session.testNames();
    EXPECT_EQ(panel2(), messages::collision());

    session.setReplaceText(0, QStringLiteral("free"));
    preview(QStringLiteral("[name]"));
    session.refresh();
    session.testNames();
    EXPECT_EQ(panel2(), messages::emptyName());
    EXPECT_EQ(session.list().at(0).icon, RowIcon::Normal);
    EXPECT_EQ(session.list().at(1).icon, RowIcon::Error);
}

TEST_F(SessionTest, ClashIsAnyExistingEntryButNeverTheFileItselfInAnotherCase)
{
    load({"a.txt", "b.txt"});
    session.setChecked(1, false);
    session.chooseLetterCase(CaseUpper); // a.txt -> A.TXT
    session.refresh();
    session.testNames();
    EXPECT_TRUE(session.renameEnabled());

    session.chooseLetterCase(CaseKeep);
    dir.mkdir(QStringLiteral("Ordner"));
    ASSERT_EQ(::symlink("/nonexistent", dir.file(QStringLiteral("link")).toUtf8()), 0);
    dir.write(QStringLiteral(".versteckt"));
    dir.write(QStringLiteral("Äpfel.txt"));
    // b.txt clashes although it is in the list too; so do a folder, a dangling
    // link, a hidden file and a name that differs in the case of an umlaut.
    for (const char *mask : {"b.[typ]", "ordner", "LINK", ".versteckt", "äpfel.[typ]"}) {
        preview(QString::fromUtf8(mask));
        session.refresh();
        session.testNames();
        EXPECT_EQ(panel2(), messages::collision()) << mask;
    }
}

TEST_F(SessionTest, ClashesAndDuplicatesCompareTheNamesAsTheyWillBeOnDisk)
{
    // A folder in Latin-1 and its twin in UTF-8 are two folders; the full
    // test reads the one by its own bytes.
    const QByteArray root = QFile::encodeName(dir.path());
    ASSERT_EQ(::mkdir(root + "/d\xfcr", 0700), 0);
    dir.mkdir(u"dür"_s);
    dir.writeBytes("d\xfcr/belegt.txt");
    session.load(
        QList<QByteArray>{dir.writeBytes("d\xfcr/a.txt"), dir.writeBytes("d\xc3\xbcr/b.txt")});
    preview(u"x.[typ]"_s);
    session.refresh();
    session.testNames();
    EXPECT_TRUE(session.renameEnabled());
    // A UTF-8 name in that folder meets its own entry under a new spelling.
    preview(u"[name].[typ]"_s);
    session.chooseLetterCase(CaseUpper);
    session.refresh();
    session.testNames();
    EXPECT_TRUE(session.renameEnabled());
    session.chooseLetterCase(CaseKeep);
    preview(u"belegt.[typ]"_s);
    session.refresh();
    session.testNames();
    EXPECT_EQ(panel2(), messages::collision());
    EXPECT_EQ(session.list().at(0).icon, RowIcon::Error);
    EXPECT_EQ(session.list().at(1).icon, RowIcon::Normal);

    // A repair to the shown name is no clash with its own old entry, but
    // meets a file that has that name in UTF-8 already.
    session.clearList();
    session.load(QList<QByteArray>{dir.writeBytes("caf\xe9.txt")});
    preview(u"[name].[typ]"_s);
    session.refresh();
    session.testNames();
    EXPECT_TRUE(session.renameEnabled());
    dir.write(u"CAFÉ.txt"_s);
    session.refresh();
    session.testNames();
    EXPECT_EQ(panel2(), messages::collision());
}

TEST_F(SessionTest, DuplicatesCompareFolderAndNameExactlyWithoutRegardToCase)
{
    // Folders that end alike are different folders.
    session.load(QStringList{dir.write(QStringLiteral("a/b/f1.txt")),
                             dir.write(QStringLiteral("x/a/b/f2.txt"))});
    preview(QStringLiteral("neu.txt"));
    session.refresh();
    session.testNames();
    EXPECT_TRUE(session.renameEnabled());

    session.clearList();
    load({"1.txt", "2.txt"});
    replace(0, QStringLiteral("1"), QStringLiteral("Foto"));
    replace(1, QStringLiteral("2"), QStringLiteral("FOTO"));
    preview(QStringLiteral("[name].jpg"));
    session.refresh();
    session.testNames();
    EXPECT_EQ(panel2(), messages::notUnique());
}

TEST_F(SessionTest, NamesNotYetShownAreNeverRenamedAndFreshNamesAreComparedWithEachOther)
{
    load({"a.txt", "b.txt"});
    preview(QStringLiteral("[name].[typ]"));
    // The rename command right after a change, before the refresh ran.
    session.setMaskText(QStringLiteral("x.txt"));
    EXPECT_EQ(session.renameCommand().verdict, RenameResult::Verdict::Refused);
    EXPECT_EQ(dir.names(), (QStringList{"a.txt", "b.txt"}));
    EXPECT_EQ(newNames(), (QStringList{"a.txt", "b.txt"}));
    session.refresh();
    session.renameCommand();
    EXPECT_EQ(panel2(), messages::notUnique());
    EXPECT_EQ(dir.names(), (QStringList{"a.txt", "b.txt"}));

    // Random strings drawn alike in one pass are duplicates too.
    SeedRandom(7);
    session.setRandomExtra(Checked);
    session.setRandomExtraChars(QStringLiteral("x"));
    preview(QStringLiteral("[ZUFALLSKETTE 2].[typ]"));
    session.refresh();
    session.testNames();
    EXPECT_EQ(newNames(), (QStringList{"xx.txt", "xx.txt"}));
    EXPECT_EQ(panel2(), messages::notUnique());
}

TEST_F(SessionTest, CounterFollowsTheListPositionAndStopsOutsideTheIntegerRange)
{
    load({"1.txt", "2.txt", "Urlaub.JPG"});
    session.setChecked(1, false);
    preview(QStringLiteral("[NAME]_[ZAHL].[TYP]"));
    EXPECT_EQ(newNames().last(), QStringLiteral("Urlaub_3.JPG"));

    session.setStartText(QStringLiteral("2147483600"));
    session.setStepText(QStringLiteral("100"));
    preview(QStringLiteral("[zahl].[typ]"));
    EXPECT_FALSE(session.renameEnabled());
    EXPECT_EQ(panel2(), messages::counterOutOfRange());
    EXPECT_EQ(panel1(), QStringLiteral("2 von 3 Dateien markiert"));
    preview(QStringLiteral("[name].[typ]")); // the same values without the counter
    EXPECT_TRUE(session.renameEnabled());
}

TEST_F(SessionTest, CounterFieldsBecomeCanonicalAndChoicesApplyAtOnce)
{
    load({"a.txt"});
    QSignalSpy changed(&session, &Session::optionsChanged);
    session.setStartText(QStringLiteral("-7"));
    session.setStepText(QStringLiteral("2.7"));
    preview(QStringLiteral("[zahl]"));
    EXPECT_EQ(session.options().start, QStringLiteral("7"));
    EXPECT_EQ(session.options().step, QStringLiteral("2"));
    EXPECT_GE(changed.count(), 1);

    const int three = int(session.digitChoices().entries().indexOf(QStringLiteral("3")));
    session.chooseDigitCount(three);
    EXPECT_EQ(newNames(), QStringList{"7"});
    session.chooseLeadChar(1);
    EXPECT_EQ(newNames(), QStringList{"007"});
    session.chooseLeadChar(3);
    EXPECT_EQ(newNames(), QStringList{"__7"});
    EXPECT_EQ(session.options().digits, three);
    EXPECT_EQ(session.options().leadChar, 3);
}

TEST_F(SessionTest, ABurstOfChangesWaitsForTheTimerAndGivesOnePreview)
{
    load({"a.txt"});
    session.refreshTimer().setInterval(60);
    QSignalSpy panel(&session.status(), &StatusLine::panel1Changed);
    for (const char *mask : {"a", "ab", "abc", "abcd.[typ]"}) {
        session.setMaskText(QString::fromLatin1(mask));
        EXPECT_FALSE(session.renameEnabled());
    }
    EXPECT_EQ(newNames(), QStringList{"a.txt"});
    QSignalSpy commands(&session, &Session::commandsChanged);
    ASSERT_TRUE(commands.wait(2000));
    EXPECT_EQ(newNames(), QStringList{"abcd.txt"});
    EXPECT_TRUE(session.renameEnabled());
    EXPECT_EQ(panel.count(), 2); // "..." and the count, once
    EXPECT_FALSE(commands.wait(200));
}

TEST_F(SessionTest, SavedOptionsOutsideTheirListsKeepTheCurrentChoice)
{
    RenameOptions o;
    o.mask = QStringLiteral("[zahl]");
    o.digits = 40;
    o.leadChar = 9;
    o.letterCase = 2;
    o.sets[1].search = QStringLiteral(" ");
    session.applyOptions(o);
    EXPECT_EQ(session.options().mask, QStringLiteral("[zahl]"));
    EXPECT_EQ(session.options().digits, 0);
    EXPECT_EQ(session.options().leadChar, 0);
    EXPECT_EQ(session.options().letterCase, 2);
    EXPECT_EQ(session.options().sets[1].search, QStringLiteral(" "));
}

} // namespace
