#include "support/scriptedquestions.h"
#include "support/tempfiles.h"
#include "ui/filelistmodel.h"
#include "ui/filelistview.h"

#include "rename/session.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QMimeData>
#include <QSignalSpy>
#include <QUrl>

using namespace kesto;

namespace {

class FileListModelTest : public ::testing::Test
{
protected:
    test::TempFolder dir;
    test::ScriptedQuestions questions;
    Session session{questions};
    FileListModel model{session};
    QAbstractItemModelTester tester{&model, QAbstractItemModelTester::FailureReportingMode::Fatal};

    void load(const QStringList &names)
    {
        QStringList paths;
        for (const QString &n : names)
            paths << dir.write(n, n.toUtf8());
        session.LoadListWithFileNames(paths);
    }
};

TEST_F(FileListModelTest, ShowsTheColumnsOfTheRowsWithTheirHeaders)
{
    load({"b.txt", "a.jpg"});
    ASSERT_EQ(model.rowCount(), 2);
    EXPECT_EQ(model.columnCount(), 12);
    const QStringList headers{"Alter Name", "Neuer Name",      "In Ordner",  "Größe",
                              "Typ",        "Letzte Änderung", "Erstellung", "Aufnahme (Exif)"};
    for (int c = 0; c < headers.size(); ++c)
        EXPECT_EQ(model.headerData(c, Qt::Horizontal).toString(), headers.at(c)) << c;
    EXPECT_EQ(model.index(0, ColOldName).data().toString(), "a.jpg");
    EXPECT_EQ(model.index(0, ColNewName).data().toString(), "a.jpg");
    EXPECT_EQ(model.index(0, ColFolder).data().toString(), dir.path() + "/");
    EXPECT_EQ(model.index(0, ColType).data().toString(), "jpg");
    EXPECT_EQ(model.index(1, ColFullPath).data().toString(), dir.file("b.txt"));
    EXPECT_EQ(model.index(0, ColOldName).data(Qt::CheckStateRole).toInt(), Qt::Checked);
    EXPECT_FALSE(model.index(0, ColNewName).data(Qt::CheckStateRole).isValid());
    EXPECT_TRUE(model.flags(model.index(0, ColOldName)) & Qt::ItemIsUserCheckable);
    EXPECT_FALSE(model.flags(model.index(0, ColSize)) & Qt::ItemIsUserCheckable);
}

TEST_F(FileListModelTest, RowIconsFollowTheRowsState)
{
    load({"a.txt", "b.txt", "c.txt"});
    auto icon = [this](int row) {
        return model.index(row, ColOldName).data(Qt::DecorationRole).value<QIcon>();
    };
    EXPECT_EQ(icon(0).cacheKey(), model.normalIcon().cacheKey());
    EXPECT_FALSE(model.normalIcon().isNull());
    EXPECT_FALSE(model.errorIcon().isNull());

    session.setMaskText("[");
    session.ChkSituation(false);
    EXPECT_EQ(icon(1).cacheKey(), model.errorIcon().cacheKey());

    session.setMaskText("[name].[typ]");
    session.ChkSituation(false);
    session.setSelectedRows({1});
    session.MoveSelectedRows(Session::Down);
    EXPECT_TRUE(icon(2).isNull()) << "a moved row shows no icon";
}

TEST_F(FileListModelTest, SmallChangesAreForwardedWithoutAReset)
{
    load({"1.txt", "2.txt", "3.txt", "4.txt"});
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    QSignalSpy moved(&model, &QAbstractItemModel::rowsMoved);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
    QSignalSpy highlight(&model, &FileListModel::highlightChanged);

    session.setSelectedRows({1});
    session.MoveSelectedRows(Session::Down);
    EXPECT_EQ(moved.count(), 1);
    EXPECT_EQ(highlight.count(), 1);
    EXPECT_EQ(model.index(2, ColOldName).data().toString(), "2.txt");

    changed.clear();
    EXPECT_TRUE(model.setData(model.index(0, ColOldName), Qt::Unchecked, Qt::CheckStateRole));
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.first().at(0).toModelIndex().row(), 0);
    EXPECT_EQ(changed.first().at(1).toModelIndex().row(), 0);
    EXPECT_FALSE(session.list().at(0).Checked);
    EXPECT_EQ(model.index(0, ColOldName).data(Qt::CheckStateRole).toInt(), Qt::Unchecked);

    changed.clear();
    session.ChkSituation(false);
    ASSERT_EQ(changed.count(), 1) << "one pass, one span of changed rows";
    EXPECT_EQ(changed.first().at(0).toModelIndex().row(), 0);
    EXPECT_EQ(changed.first().at(1).toModelIndex().row(), 3);
    EXPECT_EQ(changed.first().at(1).toModelIndex().column(), ColumnCount - 1);

    session.setMaskText("x[zahl].[typ]");
    session.ChkSituation(false);
    session.renameCommand();
    EXPECT_EQ(removed.count(), 1) << "the three checked rows leave as one block";
    EXPECT_EQ(model.rowCount(), 1);
    EXPECT_EQ(resets.count(), 0);

    session.clearListCommand();
    EXPECT_EQ(resets.count(), 1);
    EXPECT_EQ(model.rowCount(), 0);
}

TEST_F(FileListModelTest, MovingUpLandsTheRowAboveItsNeighbour)
{
    load({"1.txt", "2.txt", "3.txt"});
    QSignalSpy moving(&model, &QAbstractItemModel::rowsAboutToBeMoved);
    session.setSelectedRows({2});
    session.MoveSelectedRows(Session::Up);
    ASSERT_EQ(moving.count(), 1);
    EXPECT_EQ(moving.first().at(1).toInt(), 2);
    EXPECT_EQ(moving.first().at(4).toInt(), 1);
    EXPECT_EQ(model.index(1, ColOldName).data().toString(), "3.txt");
}

struct DropCase
{
    const char *name;
    QList<QUrl> urls;
    QList<QByteArray> paths;
};

TEST(FileListViewDrop, LocalFileUrlsBecomeTheirPathsBytes)
{
    const DropCase cases[] = {
        {"plain names", {QUrl::fromLocalFile("/tmp/a b.txt")}, {"/tmp/a b.txt"}},
        {"UTF-8 names", {QUrl::fromLocalFile("/tmp/Müller.txt")}, {"/tmp/M\xc3\xbcller.txt"}},
        {"bytes that are no UTF-8",
         {QUrl::fromEncoded("file:///tmp/caf%E9.txt")},
         {"/tmp/caf\xe9.txt"}},
        {"web addresses are no files",
         {QUrl("https://example.org/a.txt"), QUrl::fromLocalFile("/tmp/x")},
         {"/tmp/x"}},
    };
    for (const DropCase &c : cases) {
        QMimeData mime;
        mime.setUrls(c.urls);
        EXPECT_EQ(FileListView::localPaths(&mime), c.paths) << c.name;
    }
    QMimeData text;
    text.setText("/tmp/a.txt");
    EXPECT_TRUE(FileListView::localPaths(&text).isEmpty());
}

} // namespace
