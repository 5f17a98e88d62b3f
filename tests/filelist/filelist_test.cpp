#include "filelist/filelist.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>
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

TEST(FileList, EveryColumnSortsBothWaysAndKeepsTheOrderOfEqualValues)
{
    FileList list;
    // Sort column, then the ascending and the descending order; sizes count beyond 32 bits.
    const std::tuple<int, const char16_t *, const char16_t *> columns[] = {
        {ColSize, u"/c/a /a/m /a/z.b /b/a.x", u"/b/a.x /a/z.b /c/a /a/m"},
        {ColBaseName, u"/b/a.x /c/a /a/m /a/z.b", u"/a/z.b /a/m /b/a.x /c/a"},
        {ColType, u"/c/a /a/m /a/z.b /b/a.x", u"/b/a.x /a/z.b /c/a /a/m"},
        {ColFullPath, u"/a/m /a/z.b /b/a.x /c/a", u"/c/a /b/a.x /a/z.b /a/m"},
    };
    for (const auto &[column, ascending, descending] : columns) {
        SCOPED_TRACE(columnHeader(column).toStdString());
        list.setKeepSorted(false);
        list.clear();
        list.setSortOrder(Qt::AscendingOrder);
        list.insertRows(0, {row("/b/a.x", 0x100000000LL), row("/c/a", 5),
                            row("/a/z.b", 0xFFFFFFFFLL), row("/a/m", 5)});
        list.setSortColumn(column);
        list.setKeepSorted(true);
        EXPECT_EQ(paths(list), QString::fromUtf16(ascending));
        list.setSortOrder(Qt::DescendingOrder);
        EXPECT_EQ(paths(list), QString::fromUtf16(descending));
    }

    // Rows are put in place cycle by cycle: a scrambled list with long and
    // short cycles must come out whole and in order, two rows of a size as given.
    QList<FileEntry> scrambled;
    QMap<qint64, QString> bySize; // the paths of each size, in the order given
    for (int i = 0; i < 500; ++i) {
        scrambled.append(row(("/s/" + QByteArray::number(i)).constData(), (i * 7919) % 500 / 2));
        bySize[scrambled.last().size] += scrambled.last().fullPath() + u' ';
    }
    list.setKeepSorted(false);
    list.clear();
    list.setSortOrder(Qt::AscendingOrder);
    list.insertRows(0, scrambled);
    list.setSortColumn(ColSize);
    list.setKeepSorted(true);
    EXPECT_EQ(paths(list) + u' ', QStringList(bySize.values()).join(QString()));
}

TEST(FileList, TextColumnsSortCaseInsensitivelyInGermanAndNaturalOrderOnceKeepSortedIsOn)
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
    // Each new position names the row's former one: "apfel", "Äpfel", "Apfelmus", "Birne",
    // "birne", "Zebra"; names equal but for the case keep their order.
    EXPECT_EQ(reordered.at(0).at(0).value<QList<int>>(), (QList<int>{3, 2, 4, 0, 5, 1}));
    reordered.clear();
    list.setKeepSorted(true);
    EXPECT_EQ(reordered.count(), 0) << "nothing to do for rows in order";

    // Runs of digits count by their value; equal values keep their order.
    list.setKeepSorted(false);
    list.clear();
    list.insertRows(0, {row("/f/IMG_10"), row("/f/img_2"), row("/f/IMG_02"), row("/f/IMG_1")});
    list.setKeepSorted(true);
    EXPECT_EQ(paths(list), u"/f/IMG_1 /f/img_2 /f/IMG_02 /f/IMG_10"_s);
}

// Rows of printable ASCII names are sorted by keys of the name order, the
// others through the collator: a list mixing both, in either direction and
// scrambled, comes out as the collator orders it.
TEST(FileList, NamesOfAnyCharactersSortAsTheCollatorOrdersThem)
{
    const QCollator collator = NameCollator();
    QRandomGenerator random(11);
    // Control characters keep some names from the keys, umlauts too.
    for (const QString &alphabet : {u"aAbZ09_ .\u0001"_s, u"aAbZ09_ .\u00e4\u00c4\u00df"_s}) {
        QList<FileEntry> rows;
        for (int i = 0; i < 300; ++i) {
            QString name = u"n"_s;
            for (int n = random.bounded(6); n > 0; --n)
                name += alphabet.at(random.bounded(alphabet.size()));
            rows.append(row(("/f/" + name).toUtf8().constData()));
        }
        for (const Qt::SortOrder order : {Qt::AscendingOrder, Qt::DescendingOrder}) {
            FileList list;
            list.setKeepSorted(false);
            list.insertRows(0, rows);
            list.setSortColumn(ColOldName);
            list.setSortOrder(order);
            list.setKeepSorted(true);
            QStringList unordered;
            for (int i = 1; i < list.count(); ++i) {
                const QString &a = list.at(i - 1).oldName, &b = list.at(i).oldName;
                if (collator.compare(a, b) * (order == Qt::AscendingOrder ? 1 : -1) > 0)
                    unordered << a + u'|' + b;
            }
            EXPECT_EQ(unordered.mid(0, 5), QStringList()) << order;
        }
    }
}

// Names of printable ASCII are sorted by keys of their own bytes exactly as
// the collator orders them, equal ones by their bytes: every character, and
// names of letters in either case, numbers with leading zeros, blanks and
// punctuation.
TEST(NameOrder, SortsAsciiNamesAsTheCollatorDoes)
{
    QList<QByteArray> names;
    for (char c = ' '; c <= '~'; ++c)
        names << QByteArray(1, c);
    const QByteArray alphabet = " !-._~0019aAzZ";
    QRandomGenerator random(7);
    for (int i = 0; i < 2000; ++i) {
        names << QByteArray();
        for (int n = random.bounded(7); n > 0; --n)
            names.last() += alphabet.at(random.bounded(alphabet.size()));
    }
    std::vector<std::string_view> sorted(names.cbegin(), names.cend());
    NameOrder().sort(sorted);
    const QCollator collator = NameCollator();
    QStringList unordered;
    for (size_t i = 1; i < sorted.size(); ++i) {
        const QString a = QString::fromLatin1(sorted[i - 1]), b = QString::fromLatin1(sorted[i]);
        const int c = collator.compare(a, b);
        if (c > 0 || (c == 0 && sorted[i - 1] > sorted[i]))
            unordered << a + '|' + b;
    }
    EXPECT_EQ(unordered.mid(0, 10), QStringList());
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
    EXPECT_EQ(flags(list, &FileEntry::selected) + u' ' + flags(list, &FileEntry::checked),
              u"000111 111110"_s);
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
