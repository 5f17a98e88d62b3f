#include "filelist/filelist.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

using namespace kesto;

namespace {

FileEntry row(const QString &path, qint64 size = 0)
{
    FileEntry e = FileEntry::fromPath(path);
    e.Size = size;
    e.SizeKey = FileEntry::sizeKeyFor(size);
    e.SizeText = QString::number(size) + QStringLiteral(" Byte");
    return e;
}

QStringList names(const FileList &list)
{
    QStringList out;
    for (const FileEntry &e : list.rows())
        out << e.OldName;
    return out;
}

TEST(FileList, InsertRemoveAndFindKeepThePathIndexRight)
{
    FileList list;
    list.setKeepSorted(false);
    QSignalSpy inserted(&list, &FileList::rowsInserted);
    list.insertRows(0, {row(QStringLiteral("/a/x")), row(QStringLiteral("/a/y"))});
    list.insertRows(0, {row(QStringLiteral("/b/z"))});
    ASSERT_EQ(inserted.count(), 2);
    EXPECT_EQ(inserted.at(1).at(0).toInt(), 0);
    EXPECT_EQ(inserted.at(1).at(1).toInt(), 0);
    EXPECT_EQ(names(list), (QStringList{"z", "x", "y"}));
    EXPECT_EQ(list.findRow(QStringLiteral("/a/y")), 2);
    EXPECT_TRUE(list.containsPath(QStringLiteral("/a/x")));

    list.removeRow(1);
    EXPECT_FALSE(list.containsPath(QStringLiteral("/a/x")));
    EXPECT_EQ(list.findRow(QStringLiteral("/a/x")), -1);
    EXPECT_EQ(list.findRow(QStringLiteral("/a/y")), 1);

    list.ClearList();
    EXPECT_TRUE(list.isEmpty());
    EXPECT_FALSE(list.containsPath(QStringLiteral("/a/y")));
}

TEST(FileList, MovingARowAnnouncesItsFinalPosition)
{
    FileList list;
    list.setKeepSorted(false);
    list.insertRows(0, {row("/a"), row("/b"), row("/c")});
    QSignalSpy moved(&list, &FileList::rowMoved);
    list.moveRow(0, 1);
    EXPECT_EQ(names(list), (QStringList{"b", "a", "c"}));
    ASSERT_EQ(moved.count(), 1);
    EXPECT_EQ(moved.at(0).at(1).toInt(), 1);
}

TEST(FileListSort, SizeColumnSortsByLengthNotByText)
{
    FileList list;
    list.setKeepSorted(false);
    list.insertRows(0, {row("/f/ten", 10), row("/f/nine", 9), row("/f/big", 5LL << 30),
                        row("/f/hundred", 100)});
    list.setSortColumn(ColSize);
    list.setKeepSorted(true);
    EXPECT_EQ(names(list), (QStringList{"nine", "ten", "hundred", "big"}));
    list.setSortOrder(Qt::DescendingOrder);
    EXPECT_EQ(names(list), (QStringList{"big", "hundred", "ten", "nine"}));
}

TEST(FileListSort, TextColumnsSortCaseInsensitivelyWithGermanCollation)
{
    FileList list;
    list.setKeepSorted(false);
    list.insertRows(0, {row("/f/birne"), row("/f/Äpfel"), row("/f/apfel"), row("/f/Zebra"),
                        row("/f/Apfelmus")});
    list.setSortColumn(ColOldName);
    list.setKeepSorted(true);
    const QStringList sorted = names(list);
    EXPECT_EQ(sorted.last(), QStringLiteral("Zebra"));
    EXPECT_LT(sorted.indexOf("Äpfel"), sorted.indexOf("birne"));
    EXPECT_LT(sorted.indexOf("apfel"), sorted.indexOf("Apfelmus"));
    EXPECT_LT(sorted.indexOf("Apfelmus"), sorted.indexOf("birne"));
}

TEST(FileListSort, KeepSortedOffLeavesTheManualOrderUntilSwitchedOn)
{
    FileList list;
    list.setKeepSorted(false);
    list.insertRows(0, {row("/f/c"), row("/f/a"), row("/f/b")});
    list.setSortColumn(ColOldName);
    EXPECT_EQ(names(list), (QStringList{"c", "a", "b"}));
    QSignalSpy reset(&list, &FileList::resetDone);
    list.setKeepSorted(true);
    EXPECT_EQ(names(list), (QStringList{"a", "b", "c"}));
    EXPECT_EQ(reset.count(), 1);
}

TEST(FileListSort, EqualKeysKeepTheirOrder)
{
    FileList list;
    list.setKeepSorted(false);
    list.insertRows(0, {row("/1/same", 5), row("/2/same", 5), row("/3/same", 5)});
    list.setSortColumn(ColSize);
    list.setKeepSorted(true);
    EXPECT_EQ(list.at(0).Folder, QStringLiteral("/1/"));
    EXPECT_EQ(list.at(2).Folder, QStringLiteral("/3/"));
}

} // namespace
