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
    fullTest();
    EXPECT_EQ(newNames(), (QStringList{"xx.txt", "xx.txt"}));
    EXPECT_EQ(panel2(), messages::notUnique());
}

TEST_F(SessionTest, CounterFollowsTheListPositionAndStopsOutsideTheIntegerRange)
{
    load({"1.txt", "2.txt", "Urlaub.JPG"});
    session.setChecked(1, false);
    preview(QStringLiteral("[NAME]_[ZAHL].[TYP]"));
    EXPECT_EQ(newNames().last(), QStringLiteral("Urlaub_3.JPG"));

    session.setCounterStartText(QStringLiteral("2147483600"));
    session.setCounterStepText(QStringLiteral("100"));
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
    session.setCounterStartText(QStringLiteral("-7"));
    session.setCounterStepText(QStringLiteral("2.7"));
    preview(QStringLiteral("[zahl]"));
    EXPECT_EQ(session.options().counterStart, QStringLiteral("7"));
    EXPECT_EQ(session.options().counterStep, QStringLiteral("2"));
    EXPECT_GE(changed.count(), 1);

    const int three = int(session.digitChoices().entries().indexOf(QStringLiteral("3")));
    session.chooseDigitCount(three);
    EXPECT_EQ(newNames(), QStringList{"7"});
    session.chooseLeadChar(1);
    EXPECT_EQ(newNames(), QStringList{"007"});
    session.chooseLeadChar(3);
    EXPECT_EQ(newNames(), QStringList{"__7"});
    EXPECT_EQ(session.options().digitCount, three);
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
    o.digitCount = 40;
    o.leadChar = 9;
    o.letterCase = 2;
    o.sets[1].search = QStringLiteral(" ");
    session.applyOptions(o);
    EXPECT_EQ(session.options().mask, QStringLiteral("[zahl]"));
    EXPECT_EQ(session.options().digitCount, 0);
    EXPECT_EQ(session.options().leadChar, 0);
    EXPECT_EQ(session.options().letterCase, 2);
    EXPECT_EQ(session.options().sets[1].search, QStringLiteral(" "));
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

class ListCommandsTest : public SessionTest
{
protected:
    void SetUp() override
    {
        load({"1.txt", "2.txt", "3.txt", "4.txt", "5.txt", "6.txt"});
        session.refreshTimer().setInterval(10);
    }
    QList<int> highlighted() const
    {
        QList<int> rows;
        for (int i = 0; i < session.list().count(); ++i) {
            if (session.list().at(i).selected)
                rows << i;
        }
        return rows;
    }
};

TEST_F(ListCommandsTest, CheckAllNoneAndInvertLeaveTheHighlight)
{
    session.setSelectedRows({1});
    session.changeChecks(FileList::CheckChange::UncheckAll);
    EXPECT_EQ(panel1(), QStringLiteral("0 von 6 Dateien markiert"));
    session.changeChecks(FileList::CheckChange::CheckAll);
    session.setChecked(2, false);
    session.changeChecks(FileList::CheckChange::Invert);
    session.changeChecks(FileList::CheckChange::Invert);
    EXPECT_EQ(panel1(), QStringLiteral("5 von 6 Dateien markiert"));
    EXPECT_FALSE(session.list().at(2).checked);
    EXPECT_EQ(highlighted(), QList<int>{1});
}

TEST_F(ListCommandsTest, HighlightedBlockMovesTogetherAndKeepsItsHighlight)
{
    session.setChecked(4, false);
    session.setSelectedRows({2, 3, 4});
    EXPECT_TRUE(session.moveDownEnabled());
    session.moveSelectedRows(FileList::Direction::Down);
    EXPECT_EQ(oldNames(), (QStringList{"1.txt", "2.txt", "6.txt", "3.txt", "4.txt", "5.txt"}));
    EXPECT_EQ(highlighted(), (QList<int>{3, 4, 5}));
    EXPECT_FALSE(session.list().at(5).checked);
    EXPECT_EQ(session.list().at(3).newName, QStringLiteral("< Maskenfehler >"));
    EXPECT_FALSE(session.list().keepSorted() || session.renameEnabled());
    EXPECT_FALSE(session.moveDownEnabled());

    // The refresh gives the moved rows their names back; the highlight stays.
    QSignalSpy commands(&session, &Session::commandsChanged);
    ASSERT_TRUE(commands.wait(2000));
    EXPECT_EQ(newNames(), oldNames());
    EXPECT_EQ(highlighted(), (QList<int>{3, 4, 5}));

    QSignalSpy beep(&session, &Session::beepRequested);
    session.moveSelectedRows(FileList::Direction::Down); // past the end: only a beep
    EXPECT_EQ(beep.count(), 1);
    EXPECT_EQ(oldNames().last(), QStringLiteral("5.txt"));
}

TEST_F(ListCommandsTest, HeadersSortAndTheLastOneOnlyFlipsAfterAMove)
{
    session.clearList();
    session.load(QStringList{dir.write(QStringLiteral("big"), QByteArray(300, 'x')),
                             dir.write(QStringLiteral("small"), "xx"),
                             dir.write(QStringLiteral("mid"), QByteArray(20, 'x'))});
    preview(QStringLiteral("[zahl]_[name]"));
    session.sortByColumn(3);
    EXPECT_EQ(oldNames(), (QStringList{"small", "mid", "big"}));
    session.sortByColumn(3);
    EXPECT_EQ(oldNames(), (QStringList{"big", "mid", "small"}));
    EXPECT_EQ(newNames().first(), QStringLiteral("1_big")); // counters follow

    session.setSelectedRows({0});
    session.moveSelectedRows(FileList::Direction::Down);
    session.sortByColumn(3);
    EXPECT_EQ(oldNames(), (QStringList{"mid", "big", "small"}));
    EXPECT_EQ(session.list().sortOrder(), Qt::AscendingOrder);
    session.sortByColumn(0);
    EXPECT_EQ(oldNames(), (QStringList{"big", "mid", "small"}));
}

TEST_F(ListCommandsTest, CopyTextHasAHeaderAndOneCrLfLinePerRow)
{
    session.clearList();
    load({"a.txt", "c.txt"});
    replace(0, QStringLiteral("a"), QStringLiteral("b"));
    replace(1, QStringLiteral("c"), QStringLiteral("d"));
    preview(QStringLiteral("[name].[typ]"));
    QSignalSpy clip(&session, &Session::clipboardRequested);
    session.copyNamesToClipboard();
    ASSERT_EQ(clip.count(), 1);
    EXPECT_EQ(clip.at(0).at(0).toString(),
              QStringLiteral("Vorher\tNachher\r\na.txt\tb.txt\r\nc.txt\td.txt\r\n"));
    EXPECT_EQ(panel2(), QStringLiteral("Fertig! Die Liste der alten und neuen Namen wurde in die "
                                       "Zwischenablage kopiert."));
}

} // namespace
