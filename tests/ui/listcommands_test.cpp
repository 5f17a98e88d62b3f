#include "ui/filelistview.h"
#include "windowfixture.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace kesto;
using kesto::test::PassCounter;

namespace {

class ListCommandsWindowTest : public kesto::test::WindowTest
{
protected:
    QList<int> checkedRows()
    {
        QList<int> rows;
        const QAbstractItemModel *m = window().listView()->model();
        for (int r = 0; r < m->rowCount(); ++r) {
            if (m->index(r, 0).data(Qt::CheckStateRole).toInt() == Qt::Checked)
                rows << r;
        }
        return rows;
    }

    QList<int> highlightedRows()
    {
        QList<int> rows;
        for (const QModelIndex &i : window().listView()->selectionModel()->selectedRows())
            rows << i.row();
        std::sort(rows.begin(), rows.end());
        return rows;
    }

    void highlight(int first, int last)
    {
        FileListView *view = window().listView();
        const QItemSelection rows(view->model()->index(first, 0),
                                  view->model()->index(last, ColumnCount - 1));
        view->selectionModel()->select(rows, QItemSelectionModel::ClearAndSelect);
    }

    void clickHeader(int section)
    {
        QHeaderView *header = window().listView()->horizontalHeader();
        const QPoint at(header->sectionViewportPosition(section) + 10, header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    }
};

TEST_F(ListCommandsWindowTest, CheckAllNoneAndInverseLeaveTheHighlight)
{
    MainWindow &w = start();
    dropFiles({"a.txt", "b.txt", "c.txt"});
    highlight(1, 1);
    click(2);
    EXPECT_EQ(checkedRows(), QList<int>{});
    EXPECT_EQ(panel1(), "0 von 3 Dateien markiert");
    click(1);
    EXPECT_EQ(checkedRows(), (QList<int>{0, 1, 2}));
    EXPECT_EQ(panel1(), "3 von 3 Dateien markiert");

    // A click on a row's box, then the inverse twice.
    QAbstractItemModel *model = w.listView()->model();
    model->setData(model->index(1, 0), Qt::Unchecked, Qt::CheckStateRole);
    click(3);
    EXPECT_EQ(checkedRows(), QList<int>{1});
    EXPECT_EQ(panel1(), "1 von 3 Dateien markiert");
    click(3);
    EXPECT_EQ(checkedRows(), (QList<int>{0, 2}));
    EXPECT_EQ(highlightedRows(), QList<int>{1});
    EXPECT_TRUE(w.session().list().at(1).Selected);
}

TEST_F(ListCommandsWindowTest, SpaceTicksTheBoxOfTheCurrentRow)
{
    MainWindow &w = start();
    dropFiles({"a.txt", "b.txt"});
    FileListView *view = w.listView();
    view->setFocus();
    view->setCurrentIndex(view->model()->index(1, ColFolder));
    QTest::keyClick(view, Qt::Key_Space);
    EXPECT_EQ(checkedRows(), QList<int>{0});
    EXPECT_FALSE(w.session().list().at(1).Checked);
}

TEST_F(ListCommandsWindowTest, ABlockOfHighlightedRowsMovesAndStaysHighlighted)
{
    MainWindow &w = start();
    dropFiles({"1.txt", "2.txt", "3.txt", "4.txt", "5.txt", "6.txt"});
    highlight(2, 4);
    EXPECT_TRUE(w.button(12)->isEnabled());
    EXPECT_TRUE(w.button(13)->isEnabled());

    QSignalSpy resets(w.listView()->model(), &QAbstractItemModel::modelReset);
    PassCounter passes(w.session());
    click(12);
    EXPECT_EQ(column(ColOldName),
              (QStringList{"1.txt", "2.txt", "6.txt", "3.txt", "4.txt", "5.txt"}));
    EXPECT_EQ(highlightedRows(), (QList<int>{3, 4, 5}));
    EXPECT_EQ(column(ColNewName).mid(3), QStringList(3, "< Maskenfehler >"));
    EXPECT_EQ(resets.count(), 0);
    EXPECT_FALSE(w.button(12)->isEnabled()) << "the last row is highlighted";
    EXPECT_TRUE(w.button(13)->isEnabled());

    ASSERT_TRUE(passes.waitBeyond(0));
    EXPECT_EQ(column(ColNewName).mid(3), (QStringList{"3.txt", "4.txt", "5.txt"}));
    EXPECT_EQ(highlightedRows(), (QList<int>{3, 4, 5})) << "the preview keeps the highlight";

    click(13);
    click(13);
    EXPECT_EQ(column(ColOldName),
              (QStringList{"1.txt", "3.txt", "4.txt", "5.txt", "2.txt", "6.txt"}));
    EXPECT_EQ(highlightedRows(), (QList<int>{1, 2, 3}));
}

TEST_F(ListCommandsWindowTest, ClickingGroesseTwiceSortsBySizeUpThenDown)
{
    MainWindow &w = start();
    QList<QUrl> urls;
    urls << QUrl::fromLocalFile(dir.write("mittel.txt", QByteArray(300, 'x')))
         << QUrl::fromLocalFile(dir.write("klein.txt", QByteArray(20, 'x')))
         << QUrl::fromLocalFile(dir.write("gross.txt", QByteArray(1000, 'x')));
    dropUrls(urls);
    EXPECT_EQ(column(ColOldName), (QStringList{"gross.txt", "klein.txt", "mittel.txt"}));
    QHeaderView *header = w.listView()->horizontalHeader();
    EXPECT_EQ(header->sortIndicatorSection(), int(ColOldName));

    clickHeader(ColSize);
    EXPECT_EQ(column(ColOldName), (QStringList{"klein.txt", "mittel.txt", "gross.txt"}));
    EXPECT_EQ(header->sortIndicatorSection(), int(ColSize));
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::AscendingOrder);

    clickHeader(ColSize);
    EXPECT_EQ(column(ColOldName), (QStringList{"gross.txt", "mittel.txt", "klein.txt"}));
    EXPECT_EQ(header->sortIndicatorSection(), int(ColSize));
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::DescendingOrder);
    EXPECT_FALSE(w.listView()->isSortingEnabled());
}

TEST_F(ListCommandsWindowTest, SortingKeepsTheHighlightOnTheSameFiles)
{
    MainWindow &w = start();
    dropFiles({"a.txt", "b.txt", "c.txt"});
    highlight(0, 0);
    // The list is sorted by the old name already; the first click chooses
    // that column, the second one turns the order round.
    clickHeader(ColOldName);
    EXPECT_EQ(column(ColOldName), (QStringList{"a.txt", "b.txt", "c.txt"}));
    clickHeader(ColOldName);
    EXPECT_EQ(column(ColOldName), (QStringList{"c.txt", "b.txt", "a.txt"}));
    EXPECT_EQ(highlightedRows(), QList<int>{2});
    EXPECT_TRUE(w.session().list().at(2).Selected);
}

TEST_F(ListCommandsWindowTest, CopyPutsOldAndNewNamesOnTheClipboard)
{
    start();
    dropFiles({"a.txt", "c.txt"});
    typeMask("[name]x.[typ]");
    QGuiApplication::clipboard()->clear();
    click(32);
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              "Vorher\tNachher\r\na.txt\tax.txt\r\nc.txt\tcx.txt\r\n");
    EXPECT_EQ(panel2(),
              "Fertig! Die Liste der alten und neuen Namen wurde in die Zwischenablage kopiert.");
}

} // namespace
