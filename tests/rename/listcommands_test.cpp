#include "rename/messages.h"
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

    void highlight(const QList<int> &rows) { session.setSelectedRows(rows); }

    QList<int> highlighted() const
    {
        QList<int> rows;
        for (int i = 0; i < session.list().count(); ++i) {
            if (session.list().at(i).Selected)
                rows << i;
        }
        return rows;
    }
};

TEST_F(ListCommandsTest, CheckAllNoneAndInvertLeaveTheHighlight)
{
    highlight({1});
    session.setChecked(0, false);
    session.SetAllChecks(0);
    EXPECT_EQ(panel1(), QStringLiteral("0 von 6 Dateien markiert"));
    session.SetAllChecks(1);
    EXPECT_EQ(panel1(), QStringLiteral("6 von 6 Dateien markiert"));
    session.setChecked(2, false);
    session.SetAllChecks(2);
    session.SetAllChecks(2);
    EXPECT_EQ(panel1(), QStringLiteral("5 von 6 Dateien markiert"));
    EXPECT_FALSE(session.list().at(2).Checked);
    EXPECT_EQ(highlighted(), QList<int>{1});
}

TEST_F(ListCommandsTest, BlockOfHighlightedRowsMovesDownTogether)
{
    highlight({2, 3, 4});
    EXPECT_TRUE(session.moveDownEnabled());
    session.MoveSelectedRows(Session::Down);
    EXPECT_EQ(oldNames(), (QStringList{"1.txt", "2.txt", "6.txt", "3.txt", "4.txt", "5.txt"}));
    EXPECT_EQ(highlighted(), (QList<int>{3, 4, 5}));
    EXPECT_EQ(session.list().at(3).NewName, QStringLiteral("< Maskenfehler >"));
    EXPECT_FALSE(session.list().keepSorted());
    EXPECT_FALSE(session.renameEnabled());
    EXPECT_FALSE(session.moveDownEnabled());
    EXPECT_TRUE(session.moveUpEnabled());

    // The refresh gives the moved rows their names back and keeps the highlight.
    QSignalSpy commands(&session, &Session::commandsChanged);
    ASSERT_TRUE(commands.wait(2000));
    EXPECT_EQ(newNames(), oldNames());
    EXPECT_EQ(highlighted(), (QList<int>{3, 4, 5}));
    EXPECT_EQ(session.SelectedCount, 3);
}

TEST_F(ListCommandsTest, MovingPastTheEndOnlyBeeps)
{
    highlight({0, 5});
    QSignalSpy beep(&session, &Session::beepRequested);
    session.MoveSelectedRows(Session::Down);
    session.MoveSelectedRows(Session::Up);
    EXPECT_EQ(beep.count(), 2);
    EXPECT_EQ(oldNames(), (QStringList{"1.txt", "2.txt", "3.txt", "4.txt", "5.txt", "6.txt"}));
}

TEST_F(ListCommandsTest, MovingUpKeepsCheckMarks)
{
    session.setChecked(3, false);
    highlight({3});
    session.MoveSelectedRows(Session::Up);
    EXPECT_EQ(session.list().at(2).OldName, QStringLiteral("4.txt"));
    EXPECT_FALSE(session.list().at(2).Checked);
}

TEST_F(ListCommandsTest, SizeHeaderSortsAscendingThenDescending)
{
    session.clearListCommand();
    QStringList paths{dir.write(QStringLiteral("big"), QByteArray(300, 'x')),
                      dir.write(QStringLiteral("small"), QByteArray(2, 'x')),
                      dir.write(QStringLiteral("mid"), QByteArray(20, 'x'))};
    session.LoadListWithFileNames(paths);
    session.SortByColumn(4);
    EXPECT_EQ(oldNames(), (QStringList{"small", "mid", "big"}));
    session.SortByColumn(4);
    EXPECT_EQ(oldNames(), (QStringList{"big", "mid", "small"}));
}

TEST_F(ListCommandsTest, AfterAMoveTheLastHeaderOnlyFlipsTheDirection)
{
    session.SortByColumn(1);
    highlight({0});
    session.MoveSelectedRows(Session::Down);
    const QStringList moved = oldNames();
    session.SortByColumn(1);
    EXPECT_EQ(oldNames(), moved);
    EXPECT_EQ(session.list().sortOrder(), Qt::DescendingOrder);
    session.SortByColumn(3);
    EXPECT_TRUE(session.list().keepSorted());
    EXPECT_EQ(session.list().sortColumn(), int(ColFolder));
}

TEST_F(ListCommandsTest, CounterFollowsTheNewOrderAfterSorting)
{
    preview(QStringLiteral("[zahl]_[name].[typ]"));
    session.SortByColumn(1);
    session.SortByColumn(1);
    EXPECT_EQ(newNames().first(), QStringLiteral("1_6.txt"));
}

TEST_F(ListCommandsTest, CopyTextHasAHeaderAndOneLinePerRowWithCrLf)
{
    session.clearListCommand();
    load({"a.txt", "c.txt"});
    session.setSearchActive(0, Checked);
    session.setSearchText(0, QStringLiteral("a"));
    session.setReplaceText(0, QStringLiteral("b"));
    session.setSearchActive(1, Checked);
    session.setSearchText(1, QStringLiteral("c"));
    session.setReplaceText(1, QStringLiteral("d"));
    preview(QStringLiteral("[name].[typ]"));
    QSignalSpy clip(&session, &Session::clipboardRequested);
    session.CopyNamesToClipboard();
    ASSERT_EQ(clip.count(), 1);
    EXPECT_EQ(clip.at(0).at(0).toString(),
              QStringLiteral("Vorher\tNachher\r\na.txt\tb.txt\r\nc.txt\td.txt\r\n"));
    EXPECT_EQ(panel2(), QStringLiteral("Fertig! Die Liste der alten und neuen Namen wurde in die "
                                       "Zwischenablage kopiert."));
}

TEST_F(ListCommandsTest, ClearingEmptiesTheListAndDisablesRename)
{
    session.clearListCommand();
    EXPECT_TRUE(session.list().isEmpty());
    EXPECT_EQ(panel1(), QStringLiteral("0 von 0 Dateien markiert"));
    EXPECT_FALSE(session.renameEnabled());
}

} // namespace
