#include "sessionfixture.h"

#include <QSignalSpy>

using namespace kesto;
using kesto::test::SessionTest;

namespace {

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
