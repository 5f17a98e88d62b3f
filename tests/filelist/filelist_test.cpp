#include "filelist/filelist.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

using namespace kesto;
using namespace Qt::StringLiterals;

namespace {

FileEntry row(const char *path, qint64 size = 0)
{
    FileEntry e = FileEntry::fromPath(QString::fromUtf8(path));
    e.size = size;
    return e;
}

QString paths(const FileList &list)
{
    QStringList out;
    for (const FileEntry &e : list.rows())
        out << e.fullPath();
    return out.join(u' ');
}

// Which of \a paths the list holds, a "1" or "0" for each.
QString held(const FileList &list, const QStringList &paths)
{
    QString out;
    for (const QString &path : paths)
        out += list.containsPath(path) ? u'1' : u'0';
    return out;
}

// One character per row: "1" where the row has \a flag set.
QString flags(const FileList &list, bool FileEntry::*flag)
{
    QString out;
    for (const FileEntry &e : list.rows())
        out += e.*flag ? u'1' : u'0';
    return out;
}

TEST(FileList, InsertRemoveMoveAndFindKeepThePathIndexRight)
{
    FileList list;
    QSignalSpy inserted(&list, &FileList::rowsInserted);
    QSignalSpy moved(&list, &FileList::rowMoved);
    // Into an empty list: folders in runs, one of them coming back, a path
    // twice, and a name that keeps its own bytes.
    FileEntry raw = row("/c/v\xef\xbf\xbd");
    raw.setRawBytes("/c/v\xe9");
    list.insertRows(0, {row("/c/u"), row("/c/w"), raw, row("/d/t"), row("/c/u"), row("/c/s")});
    EXPECT_EQ(held(list, {"/c/u", "/c/w", "/d/t", "/c/s", raw.pathKey(), u"/c/v\ufffd"_s}),
              "111110");
    list.removeRow(0);
    EXPECT_EQ(held(list, {"/c/u"}), "1") << "given twice, listed once more";
    list.removeRow(3);
    EXPECT_EQ(held(list, {"/c/u"}), "0");
    list.clear();
    inserted.clear();

    list.insertRows(0, {row("/a/x"), row("/a/y")});
    list.insertRows(0, {row("/b/z")});
    EXPECT_EQ(inserted, (QList<QVariantList>{{0, 1}, {0, 0}}));
    list.moveRow(0, 1);
    EXPECT_EQ(paths(list), u"/a/x /b/z /a/y"_s);
    EXPECT_EQ(moved, (QList<QVariantList>{{0, 1}}));
    list.removeRow(0);
    EXPECT_EQ(QList<int>({list.findRow(u"/a/x"_s), list.findRow(u"/a/y"_s)}), QList<int>({-1, 1}));
    // All rows at once, as a batch that renamed them all removes them; one
    // given twice is gone too.
    list.insertRows(0, {row("/a/x"), row("/a/x")});
    list.removeRows(0, list.count());
    EXPECT_TRUE(list.isEmpty());
    EXPECT_EQ(held(list, {"/a/x", "/a/y", "/b/z"}), "000");
}

TEST(FileList, SizeColumnSortsByLengthAndKeepsTheOrderOfEqualLengths)
{
    FileList list;
    list.setKeepSorted(false);
    list.insertRows(0, {row("/f/ten", 10), row("/1/same", 5), row("/f/4G", 0x100000000LL),
                        row("/2/same", 5), row("/f/4G-1", 0xFFFFFFFFLL), row("/f/nine", 9)});
    list.setSortColumn(ColSize);
    list.setKeepSorted(true);
    EXPECT_EQ(paths(list), u"/1/same /2/same /f/nine /f/ten /f/4G-1 /f/4G"_s);
    list.setSortOrder(Qt::DescendingOrder);
    EXPECT_EQ(paths(list), u"/f/4G /f/4G-1 /f/ten /f/nine /1/same /2/same"_s);

    // Rows are put in place cycle by cycle: a scrambled list with long and
    // short cycles must come out whole and in order, two rows of a size as given.
    QList<FileEntry> scrambled;
    for (int i = 0; i < 500; ++i)
        scrambled.append(row(("/s/" + QByteArray::number(i)).constData(), (i * 7919) % 500 / 2));
    list.clear();
    list.setSortOrder(Qt::AscendingOrder);
    list.setKeepSorted(false);
    list.insertRows(0, scrambled);
    list.setKeepSorted(true);
    ASSERT_EQ(list.count(), 500);
    for (int k = 0; k < 500; ++k) {
        ASSERT_EQ(list.at(k).size, k / 2);
        if (k % 2 == 1) {
            ASSERT_LT(list.at(k - 1).oldName.toInt(), list.at(k).oldName.toInt()) << k;
        }
    }
}

TEST(FileList, TextColumnsSortCaseInsensitivelyWithGermanCollationOnceKeepSortedIsOn)
{
    FileList list;
    list.setKeepSorted(false);
    list.insertRows(0, {row("/f/Birne"), row("/f/Zebra"), row("/f/Äpfel"), row("/f/apfel"),
                        row("/f/Apfelmus"), row("/f/birne")});
    list.setSortColumn(ColOldName);
    EXPECT_EQ(list.at(0).oldName, u"Birne"_s) << "the manual order stays until switched on";
    QSignalSpy reordered(&list, &FileList::reordered);
    list.setKeepSorted(true);
    ASSERT_EQ(reordered.count(), 1);
    EXPECT_EQ(reordered.at(0).at(0).value<QList<int>>(), (QList<int>{3, 2, 4, 0, 5, 1}))
        << "each new position names the row's former one";
    // "Äpfel" goes with "apfel" before "Apfelmus"; names equal but for the case keep their order.
    EXPECT_TRUE(paths(list).endsWith(u"/f/Apfelmus /f/Birne /f/birne /f/Zebra"_s))
        << paths(list).toStdString();

    // Rows that arrive in order or in reverse take the short way, with the same result.
    list.clear();
    list.setKeepSorted(false);
    list.insertRows(0, {row("/f/c"), row("/f/b"), row("/f/B"), row("/f/a")});
    list.setKeepSorted(true);
    EXPECT_EQ(paths(list), u"/f/a /f/b /f/B /f/c"_s);
    reordered.clear();
    list.setKeepSorted(true);
    EXPECT_EQ(reordered.count(), 0) << "nothing to do for rows in order";
    list.setSortOrder(Qt::DescendingOrder);
    EXPECT_EQ(paths(list), u"/f/c /f/b /f/B /f/a"_s);
}

TEST(FileList, HiddenColumnsSortByTheTextsTheyDeriveFromTheRow)
{
    FileList list;
    const struct
    {
        int column;
        const char16_t *order;
    } columns[] = {
        // Equal names without their types keep their order.
        {ColBaseName, u"/b/a.x /c/a /a/m /a/z.b"},
        {ColType, u"/c/a /a/m /a/z.b /b/a.x"},
        {ColFullPath, u"/a/m /a/z.b /b/a.x /c/a"},
    };
    for (const auto &c : columns) {
        list.setKeepSorted(false);
        list.clear();
        list.insertRows(0, {row("/b/a.x", 3), row("/c/a", 1), row("/a/z.b", 2), row("/a/m")});
        list.setSortColumn(c.column);
        list.setKeepSorted(true);
        EXPECT_EQ(paths(list), QString::fromUtf16(c.order)) << columnHeader(c.column).toStdString();
    }
}

TEST(FileList, ListCommandsKeepTheHighlightAndAHeaderClickAfterAMoveOnlyFlipsTheOrder)
{
    FileList list;
    list.insertRows(0, {row("/f/1", 30), row("/f/2", 20), row("/f/3", 60), row("/f/4", 50),
                        row("/f/5", 40), row("/f/6", 10)});
    list.setSelectedRows({2, 3, 4});
    list.changeChecks(FileList::CheckChange::UncheckAll);
    EXPECT_EQ(flags(list, &FileEntry::checked), u"000000"_s);
    list.changeChecks(FileList::CheckChange::CheckAll);
    list.setChecked(4, false);
    list.changeChecks(FileList::CheckChange::Invert);
    EXPECT_EQ(flags(list, &FileEntry::checked), u"000010"_s);
    list.changeChecks(FileList::CheckChange::Invert);

    // A highlighted block moves together; each moved row waits for its new name.
    ASSERT_TRUE(list.moveSelectedRows(FileList::Direction::Down, u"?"_s));
    EXPECT_EQ(paths(list), u"/f/1 /f/2 /f/6 /f/3 /f/4 /f/5"_s);
    EXPECT_EQ(flags(list, &FileEntry::selected), u"000111"_s);
    EXPECT_EQ(flags(list, &FileEntry::checked), u"111110"_s);
    EXPECT_EQ(list.at(3).newName, u"?"_s);
    EXPECT_FALSE(list.keepSorted() || list.canMoveSelected(FileList::Direction::Down));
    EXPECT_FALSE(list.moveSelectedRows(FileList::Direction::Down, u"?"_s));

    list.clickHeader(ColSize);
    EXPECT_EQ(paths(list), u"/f/6 /f/2 /f/1 /f/5 /f/4 /f/3"_s);
    list.clickHeader(ColSize);
    EXPECT_EQ(paths(list), u"/f/3 /f/4 /f/5 /f/1 /f/2 /f/6"_s);
    list.setSelectedRows({0});
    list.moveSelectedRows(FileList::Direction::Down, {});
    list.clickHeader(ColSize);
    EXPECT_EQ(paths(list), u"/f/4 /f/3 /f/5 /f/1 /f/2 /f/6"_s);
    EXPECT_EQ(list.sortOrder(), Qt::AscendingOrder);
    list.clickHeader(ColOldName);
    EXPECT_EQ(paths(list), u"/f/1 /f/2 /f/3 /f/4 /f/5 /f/6"_s);
}

} // namespace
