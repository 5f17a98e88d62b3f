#include "filelist/filelist.h"
#include "filelist/loader.h"
#include "metadata/filetimes.h"
#include "storage/applog.h"
#include "support/photobuilder.h"
#include "support/tempfiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QScopeGuard>

#include <algorithm>

#include <sys/stat.h>
#include <unistd.h>

using namespace kesto;
using namespace Qt::StringLiterals;
using kesto::test::ByteOrder;
using kesto::test::cameraPhoto;

namespace {

class LoaderTest : public ::testing::Test
{
protected:
    kesto::test::TempFolder dir;
    void SetUp() override { SetLogPath(dir.file(u"Kesto.LOG"_s)); }
    void TearDown() override { SetLogPath(QString()); }
    /// The log written so far, without its times; the log is emptied.
    QString takeLog()
    {
        static const QRegularExpression time(u"^\\d\\d\\.\\d\\d\\.\\d{4} \\d\\d:\\d\\d:\\d\\d"_s,
                                             QRegularExpression::MultilineOption);
        QString text = QString::fromUtf8(dir.read(u"Kesto.LOG"_s));
        QFile::resize(dir.file(u"Kesto.LOG"_s), 0);
        return text.replace(time, QString());
    }
};

// The reason of each skipped path, then path, size, times and capture date of
// each row, to compare loads.
QStringList facts(const NewRows &read)
{
    QStringList out;
    for (const SkippedPath &s : read.skipped)
        out << QString::number(int(s.reason));
    for (const FileEntry &e : read.rows)
        out << QStringList{QString::fromLatin1(e.pathBytes()), e.text(ColSize), e.text(ColSizeKey),
                           e.text(ColModified) + e.text(ColCreated), e.captured()}
                   .join(u'|');
    return out;
}

TEST_F(LoaderTest, OnlyNewRegularFilesBecomeRowsAndEveryPathIsLogged)
{
    const QString file = dir.write(u"a.txt"_s, "12345");
    const QString fifo = dir.file(u"pipe.jpg"_s);
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    FileList held;
    held.insertRows(0, {FileEntry::fromPath(dir.write(u"held.txt"_s))});
    const QStringList paths{file, dir.mkdir(u"ordner"_s), fifo, dir.file(u"fehlt.txt"_s),
                            file, held.at(0).fullPath()};
    const NewRows read = ReadNewRows(PathsFromText(paths), held);
    // A path given twice, or held already, is no skipped path.
    ASSERT_EQ(read.rows.size(), 1);
    const QString times = GetFileTimeText(file, FileTime::Modified, u"-"_s, u" "_s, u"-"_s) +
                          GetFileTimeText(file, FileTime::Created, u"-"_s, u" "_s, u"-"_s);
    EXPECT_EQ(facts(read), (QStringList{QString::number(int(SkipReason::Folder)),
                                        QString::number(int(SkipReason::NotRegularFile)),
                                        QString::number(int(SkipReason::Missing)),
                                        file + u"|5 Byte|0000000000000005|"_s + times + u'|'}));
    EXPECT_EQ(read.rows.at(0).text(ColModified).size(), 19);
    const QString line = u" LoadListWithFileNames: "_s;
    EXPECT_EQ(takeLog(), line + paths.join(u"\r\n"_s + line) + u"\r\n"_s);
}

TEST_F(LoaderTest, EveryLoadServesTheWindowAndProgressComesInAtMostAHundredSteps)
{
    QStringList paths;
    for (int i = 0; i < 1000; ++i)
        paths << dir.write(QString::number(i));
    QList<int> steps;
    ReadNewRows(PathsFromText(paths), FileList(), {}, [&](int done) { steps << done; });
    EXPECT_LE(steps.size(), 101);
    EXPECT_TRUE(std::is_sorted(steps.begin(), steps.end()));
    EXPECT_EQ(steps.value(steps.size() - 1), 1000);
    // As the load begins, so even an empty one serves it.
    int yields = 0;
    ReadNewRows({}, FileList(), {}, {}, [&] { ++yields; });
    EXPECT_EQ(yields, 1);
}

// The same names in several folders, given in turns, through a linked folder,
// relative to the working folder and with a folder in the middle of the path;
// rows of another folder in between; large photos without Exif data, read to
// their end from the disk, which make the readers wait and more of them join.
// Each row must get the facts of its own file, and the log read as if the
// files had been read in turn.
TEST_F(LoaderTest, FilesReadSideBySideGiveTheRowsAndTheLogOfAOneByOneLoad)
{
    QStringList paths;
    for (int i = 0; i < 90; ++i) {
        const QByteArray date = "2005:07:14 13:45:" + QByteArray::number(10 + i % 50);
        paths << dir.write(u"IMG_%1.JPG"_s.arg(i),
                           i % 3 ? cameraPhoto(ByteOrder::Intel, date) : QByteArray("kein Foto"));
    }
    for (int i = 0; i < 5; ++i)
        paths.insert(40 + 7 * i, dir.write(u"ordner/Bild%1.jpg"_s.arg(i)));
    for (int k = 0; k < 3; ++k) {
        const QByteArray date = "2010:01:0" + QByteArray::number(k + 1) + " 12:00:00";
        dir.write(u"f%1/a.jpg"_s.arg(k),
                  cameraPhoto(ByteOrder::Intel, date) + QByteArray(100 * k, 'x'));
        dir.write(u"f%1/b.txt"_s.arg(k), QByteArray(k + 1, 'b'));
    }
    ASSERT_TRUE(QFile::link(dir.file(u"f1"_s), dir.file(u"link"_s)));
    const auto back = qScopeGuard([before = QDir::currentPath()] { QDir::setCurrent(before); });
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    QStringList inTurns;
    for (const char *path : {"/f0/a.jpg", "/f1/a.jpg", "/f0/b.txt", "f2/a.jpg", "/link/b.txt",
                             "/f2/../f1/a.jpg", "f2/b.txt"})
        inTurns << (path[0] == '/' ? dir.path() : QString()) + QString::fromLatin1(path);
    for (int round = 0; round < 4; ++round)
        paths += inTurns.mid(round) + inTurns.mid(0, round);
    QStringList large;
    for (int i = 0; i < 3; ++i) {
        large << dir.write(u"gross%1.JPG"_s.arg(i), "\xff\xd8" + QByteArray(2 << 20, '\xff'));
        paths.insert(10 + 30 * i, large.last());
    }
    const auto dropFromCache = [&large] {
        for (const QString &path : std::as_const(large)) {
            const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
            ::fdatasync(fd);
            ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
            ::close(fd);
        }
    };
    paths << dir.file(u"ordner"_s) << dir.file(u"fehlt"_s);
    QList<QByteArray> rawPaths;
    for (const QString &p : std::as_const(paths))
        rawPaths << QFile::encodeName(p);
    // A photo whose name is no UTF-8 is read through its own bytes, and kept
    // apart from the file whose UTF-8 name it is shown as.
    rawPaths.insert(
        3, dir.writeBytes("IMG_\xe9.JPG", cameraPhoto(ByteOrder::Intel, "2001:02:03 04:05:06")));
    rawPaths.insert(4, dir.writeBytes("IMG_\xc3\xa9.JPG", "UTF-8"));
    rawPaths.insert(60, QFile::encodeName(dir.path()) + QByteArray("/x\0.jpg", 7));
    const QList<PathToLoad> items = PathsFromBytes(rawPaths);

    FileList oneByOne;
    NewRows single;
    for (const PathToLoad &item : items) {
        NewRows r = ReadNewRows({item}, oneByOne);
        single.skipped += r.skipped;
        single.rows += r.rows;
        oneByOne.insertRows(oneByOne.count(), std::move(r.rows));
    }
    const QString singleLog = takeLog();
    dropFromCache();
    const NewRows together = ReadNewRows(items, FileList());
    EXPECT_EQ(takeLog(), singleLog);
    // Read ahead while there is no log yet (a window building itself): the
    // lines wait with the rows.
    SetLogPath(QString());
    dropFromCache();
    RowsReadAhead ahead(rawPaths);
    ASSERT_TRUE(ahead.waitFor(std::chrono::seconds(30)));
    SetLogPath(dir.file(u"Kesto.LOG"_s));
    const NewRows early = ahead.takeWhileServing({}, {});
    EXPECT_EQ(takeLog(), singleLog);

    EXPECT_EQ(singleLog.count(u"LoadListWithFileNames: "_s), items.size() + 1);
    EXPECT_EQ(singleLog.count(u"LoadListWithFileNames: Pfad nicht darstellbar, übergangen"_s), 1);
    EXPECT_EQ(singleLog.count(u"Exif Load: "_s), 2 * 65 + 30 + 5 + 3 + 1);
    EXPECT_TRUE(singleLog.contains(u"Exif Load: "_s + dir.file(u"IMG_é.JPG"_s) + u"  True"_s));
    // A path given again is read once.
    EXPECT_EQ(together.rows.size(), 107);
    EXPECT_EQ(facts(together), facts(single));
    EXPECT_EQ(facts(early), facts(single));
    EXPECT_EQ(facts(single).mid(0, 3), (QStringList{QString::number(int(SkipReason::Unreadable)),
                                                    QString::number(int(SkipReason::Folder)),
                                                    QString::number(int(SkipReason::Missing))}));
    EXPECT_EQ(together.rows.value(3).oldName + u' ' + together.rows.value(3).captured(),
              u"IMG_é.JPG 2001:02:03 04:05:06"_s);
}

} // namespace
