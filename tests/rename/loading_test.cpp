#include "filelist/loader.h"
#include "sessionfixture.h"
#include "storage/applog.h"
#include "support/photobuilder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QScopeGuard>

#include <algorithm>
#include <array>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace kesto;
using namespace Qt::StringLiterals;
using kesto::test::SessionTest;

namespace {

class LoadingTest : public SessionTest
{
protected:
    void SetUp() override { SetLogPath(dir.file(QStringLiteral("Kesto.LOG"))); }
    void TearDown() override { SetLogPath(QString()); }
    QStringList logLines() const
    {
        return QString::fromUtf8(dir.read(QStringLiteral("Kesto.LOG")))
            .split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    }
};

TEST_F(LoadingTest, OnlyNewRegularFilesBecomeRowsAndEveryPathIsLogged)
{
    const QString file = dir.write(QStringLiteral("a.txt"), "12345");
    const QString fifo = dir.file(QStringLiteral("pipe.jpg"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QStringList paths{file, dir.mkdir(QStringLiteral("ordner")), fifo,
                            dir.file(QStringLiteral("fehlt.txt")), file};
    const QList<SkippedPath> skipped = session.load(paths);
    EXPECT_TRUE(session.load(QStringList{file}).isEmpty());
    // A path given twice, or held already, is no skipped path.
    ASSERT_EQ(skipped.size(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(skipped.at(i).path, paths.at(1 + i));
        EXPECT_EQ(skipped.at(i).reason, (std::array{SkipReason::Folder, SkipReason::NotRegularFile,
                                                    SkipReason::Missing}[i]));
    }

    ASSERT_EQ(session.list().count(), 1);
    const FileEntry &e = session.list().at(0);
    EXPECT_EQ(e.text(ColSize), QStringLiteral("5 Byte"));
    EXPECT_EQ(e.text(ColSizeKey), QStringLiteral("0000000000000005"));
    EXPECT_EQ(e.text(ColModified).size(), 19);
    EXPECT_TRUE(e.checked);
    EXPECT_EQ(e.newName, QStringLiteral("a.txt"));

    const QStringList lines = logLines();
    ASSERT_EQ(lines.size(), 10);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d\\d\\.\\d\\d\\.\\d{4} \\d\\d:\\d\\d:\\d\\d "
                                                  "ENTRY LoadListWithFileNames $"))
                    .match(lines.first())
                    .hasMatch());
    for (int i = 0; i < paths.size(); ++i)
        EXPECT_TRUE(
            lines.at(1 + i).endsWith(QStringLiteral(" LoadListWithFileNames: ") + paths.at(i)));
    EXPECT_TRUE(lines.at(6).endsWith(QStringLiteral(" EXIT LoadListWithFileNames ")));
}

TEST_F(LoadingTest, ANameThatIsNoUtf8IsShownDecodedAndKeptApartFromItsUtf8Twin)
{
    const QByteArray latin = dir.writeBytes("caf\xe9 \x80.txt", "Latin-1");
    const QByteArray utf8 = dir.writeBytes("caf\xc3\xa9 \xe2\x82\xac.txt", "UTF-8");
    const QByteArray withNul = QFile::encodeName(dir.path()) + QByteArray("/x\0.txt", 7);
    const QList<SkippedPath> skipped = session.load(QList<QByteArray>{latin, utf8, withNul});
    session.load(QList<QByteArray>{latin});

    ASSERT_EQ(session.list().count(), 2);
    EXPECT_EQ(oldNames(), (QStringList{u"café €.txt"_s, u"café €.txt"_s}));
    for (const FileEntry &e : session.list().rows()) {
        const bool isLatin = !e.rawBytes().isEmpty();
        EXPECT_EQ(e.pathBytes(), isLatin ? latin : utf8);
        EXPECT_EQ(e.fullPath(), dir.file(u"café €.txt"_s));
        EXPECT_EQ(e.size, isLatin ? 7 : 5); // the facts of each row's own file
    }
    // Only a path that names no file at all is still passed over.
    ASSERT_EQ(skipped.size(), 1);
    EXPECT_EQ(skipped.at(0).reason, SkipReason::Unreadable);
    EXPECT_TRUE(logLines().at(4).endsWith(u"Pfad nicht darstellbar, übergangen"_s));
}

TEST_F(LoadingTest, NewRowsAreSortedAndTheWindowIsServedWithAtMostAHundredProgressSteps)
{
    QStringList paths;
    for (int i = 999; i >= 0; --i)
        paths << dir.write(QStringLiteral("f%1").arg(i, 3, 10, QLatin1Char('0')));
    int yields = 0;
    QList<int> steps;
    ReadNewRows(
        PathsFromText(paths), FileList(), {}, [&](int done) { steps << done; }, [&] { ++yields; });
    EXPECT_GE(yields, 1);
    EXPECT_LE(steps.size(), 101);
    EXPECT_TRUE(std::is_sorted(steps.begin(), steps.end()));
    ASSERT_FALSE(steps.isEmpty());
    EXPECT_EQ(steps.last(), 1000);

    yields = 0;
    session.load(paths.mid(0, 40), [&] { ++yields; });
    EXPECT_GE(yields, 1);
    EXPECT_EQ(oldNames().first(), QStringLiteral("f960"));
    EXPECT_EQ(oldNames().last(), QStringLiteral("f999"));
    EXPECT_EQ(panel1(), QStringLiteral("40 von 40 Dateien markiert"));
    EXPECT_EQ(session.digitChoices().chosenText(), QStringLiteral("2"));
}

TEST_F(LoadingTest, FilesReadSideBySideGiveTheRowsAndTheLogOfAOneByOneLoad)
{
    QStringList paths;
    for (int i = 0; i < 90; ++i) {
        const QByteArray date = "2005:07:14 13:45:" + QByteArray::number(10 + i % 50);
        paths << dir.write(QStringLiteral("IMG_%1.JPG").arg(i),
                           i % 3 ? kesto::test::cameraPhoto(kesto::test::ByteOrder::Intel, date)
                                 : QByteArray("kein Foto"));
    }
    // Rows of another folder in between must not take over their neighbours' folder.
    dir.mkdir(QStringLiteral("ordner"));
    for (int i = 0; i < 5; ++i)
        paths.insert(40 + 7 * i, dir.write(QStringLiteral("ordner/Bild%1.jpg").arg(i)));
    // Large photos without Exif data, read to their end from the disk, make
    // the readers wait; more of them join then, and the log must not show it.
    QStringList large;
    for (int i = 0; i < 3; ++i) {
        large << dir.write(QStringLiteral("gross%1.JPG").arg(i),
                           "\xff\xd8" + QByteArray(2 << 20, '\xff'));
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
    paths << paths.at(5) << dir.file(QStringLiteral("ordner")) << dir.file(QStringLiteral("fehlt"));
    QList<QByteArray> rawPaths;
    for (const QString &p : std::as_const(paths))
        rawPaths << QFile::encodeName(p);
    // A photo whose name is no UTF-8 is read through its own bytes.
    rawPaths.insert(
        3, dir.writeBytes("IMG_\xe9.JPG", kesto::test::cameraPhoto(kesto::test::ByteOrder::Intel,
                                                                   "2001:02:03 04:05:06")));
    rawPaths.insert(60, QFile::encodeName(dir.path()) + QByteArray("/x\0.jpg", 7));
    const QList<PathToLoad> items = PathsFromBytes(rawPaths);
    const auto logWithoutTimes = [this] {
        static const QRegularExpression time(QStringLiteral("^\\d\\d\\.\\d\\d\\.\\d{4} "
                                                            "\\d\\d:\\d\\d:\\d\\d"),
                                             QRegularExpression::MultilineOption);
        QString text = QString::fromUtf8(dir.read(QStringLiteral("Kesto.LOG")));
        QFile::resize(dir.file(QStringLiteral("Kesto.LOG")), 0);
        return text.replace(time, QString());
    };

    FileList oneByOne;
    NewRows single;
    for (const PathToLoad &item : items) {
        NewRows r = ReadNewRows({item}, oneByOne);
        single.skipped += r.skipped;
        single.rows += r.rows;
        oneByOne.insertRows(oneByOne.count(), std::move(r.rows));
    }
    const QString singleLog = logWithoutTimes();
    dropFromCache();
    const NewRows together = ReadNewRows(items, FileList());
    const QString togetherLog = logWithoutTimes();
    // Read ahead while there is no log yet (a window building itself): the
    // lines wait with the rows.
    const QString logPath = LogPath();
    SetLogPath(QString());
    dropFromCache();
    RowsReadAhead ahead(rawPaths);
    const NewRows early = ahead.take();
    SetLogPath(logPath);
    EXPECT_TRUE(logWithoutTimes().isEmpty());
    WriteLogLines(early.log);

    EXPECT_EQ(togetherLog, singleLog);
    EXPECT_EQ(logWithoutTimes(), singleLog);
    EXPECT_EQ(singleLog.count(u"LoadListWithFileNames: "_s), items.size() + 1);
    EXPECT_EQ(singleLog.count(u"Exif Load: "_s), 2 * 61 + 30 + 5 + 3);
    EXPECT_TRUE(singleLog.contains(u"Exif Load: "_s + dir.file(u"IMG_é.JPG"_s) + u"  True"_s));
    ASSERT_EQ(together.rows.size(), 99);
    ASSERT_EQ(single.rows.size(), together.rows.size());
    ASSERT_EQ(early.rows.size(), together.rows.size());
    for (qsizetype i = 0; i < together.rows.size(); ++i) {
        const FileEntry &l = single.rows.at(i);
        for (const FileEntry *q : {&together.rows.at(i), &early.rows.at(i)}) {
            EXPECT_EQ(q->pathBytes(), l.pathBytes());
            EXPECT_EQ(q->text(ColSizeKey), l.text(ColSizeKey));
            EXPECT_EQ(q->facts().modified, l.facts().modified);
            EXPECT_EQ(q->facts().captured, l.facts().captured);
        }
    }
    EXPECT_EQ(together.rows.at(1).facts().captured, QStringLiteral("2005:07:14 13:45:11"));
    EXPECT_EQ(together.rows.at(3).facts().captured, QStringLiteral("2001:02:03 04:05:06"));
    for (const NewRows *r : {static_cast<const NewRows *>(&single), &together, &early}) {
        ASSERT_EQ(r->skipped.size(), 3);
        EXPECT_EQ(r->skipped.at(0).reason, SkipReason::Unreadable);
        EXPECT_EQ(r->skipped.at(1).reason, SkipReason::Folder);
        EXPECT_EQ(r->skipped.at(2).reason, SkipReason::Missing);
    }
}

TEST_F(LoadingTest, EachRowHasTheFactsOfItsOwnFileWhereverItsFolderIsGivenFrom)
{
    // The same names in several folders, given in turns, through a linked
    // folder, relative to the working folder and with a folder in the middle
    // of the path: each row must get the size and date of its own file.
    QStringList paths;
    QList<qint64> sizes;
    QStringList dates;
    for (int k = 0; k < 3; ++k) {
        const QString sub = QStringLiteral("f%1").arg(k);
        dir.mkdir(sub);
        const QByteArray date = "2010:01:0" + QByteArray::number(k + 1) + " 12:00:00";
        const QByteArray photo = kesto::test::cameraPhoto(kesto::test::ByteOrder::Intel, date) +
                                 QByteArray(100 * k, 'x');
        dir.write(sub + u"/a.jpg"_s, photo);
        dir.write(sub + u"/b.txt"_s, QByteArray(k + 1, 'b'));
        for (const char *name : {"a.jpg", "b.txt"}) {
            sizes << (name[0] == 'a' ? photo.size() : k + 1);
            dates << (name[0] == 'a' ? QString::fromLatin1(date) : QString());
        }
    }
    ASSERT_TRUE(QFile::link(dir.file(u"f1"_s), dir.file(u"link"_s)));
    // Back to the working folder however the test ends.
    const auto back = qScopeGuard([before = QDir::currentPath()] { QDir::setCurrent(before); });
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    const std::pair<QString, int> given[] = {{dir.file(u"f0/a.jpg"_s), 0},
                                             {dir.file(u"f1/a.jpg"_s), 2},
                                             {dir.file(u"f0/b.txt"_s), 1},
                                             {u"f2/a.jpg"_s, 4},
                                             {dir.file(u"link/b.txt"_s), 3},
                                             {dir.file(u"f2/../f1/a.jpg"_s), 2},
                                             {u"f2/b.txt"_s, 5}};
    QList<PathToLoad> items;
    for (const auto &[path, file] : given)
        items.append({path, {}, true});
    // Enough paths for the readers to share them out, and batches that begin
    // in the middle of a folder's run.
    QList<int> expected;
    QList<PathToLoad> many;
    for (int round = 0; round < 30; ++round) {
        for (int i = 0; i < 7; ++i) {
            many.append(items.at((i + round) % 7));
            expected.append(given[(i + round) % 7].second);
        }
    }
    QList<FileEntry> together = ReadNewRows(many, FileList()).rows, oneByOne;
    for (const PathToLoad &item : std::as_const(items))
        oneByOne += ReadNewRows({item}, FileList()).rows;
    for (const QList<FileEntry> *rows : {&together, &oneByOne}) {
        // A path given again is read once.
        ASSERT_EQ(rows->size(), 7);
        for (qsizetype i = 0; i < rows->size(); ++i) {
            SCOPED_TRACE(rows->at(i).fullPath().toStdString());
            EXPECT_EQ(rows->at(i).size, sizes.at(expected.at(i)));
            EXPECT_EQ(rows->at(i).facts().captured, dates.at(expected.at(i)));
        }
    }
}

TEST_F(LoadingTest, ARunThatOnlyNamesReadsOnlyTheFactsItsMaskAndSortColumnUse)
{
    const QString photo = dir.write(
        QStringLiteral("IMG_1.jpg"),
        kesto::test::cameraPhoto(kesto::test::ByteOrder::Motorola, "2005:07:14 13:45:12"));
    struct Case
    {
        const char *mask;
        int sortHeader; // 0: as loaded
        bool times, sizeText, captured;
    };
    const Case cases[] = {
        {"[name].[typ]", 0, false, false, false},
        {"[name] [zahl].[typ]", 0, false, false, false},
        {"[datum].[typ]", 0, true, false, false},
        {"[erstellzeit].[typ]", 0, true, false, false},
        {"[aufnahmejahr].[typ]", 0, false, false, true},
        {"[name].[typ]", 6, true, false, false},
        {"[name].[typ]", 8, false, false, true},
        {"[name].[typ]", 4, false, false, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.mask + std::to_string(c.sortHeader));
        kesto::test::ScriptedQuestions answers;
        Session run(answers, Session::Preview::OnDemand);
        run.setMaskText(QString::fromUtf8(c.mask));
        if (c.sortHeader)
            run.list().sortBy(c.sortHeader - 1, Qt::AscendingOrder);
        run.load(QStringList{photo});
        ASSERT_EQ(run.list().count(), 1);
        const FileEntry &e = run.list().at(0);
        EXPECT_EQ(e.newName, QString()); // named by refresh() only
        EXPECT_EQ(!e.facts().modified.isEmpty(), c.times);
        EXPECT_EQ(!e.facts().sizeText.isEmpty(), c.sizeText);
        EXPECT_EQ(!e.facts().captured.isEmpty(), c.captured);
        EXPECT_EQ(e.size, QFileInfo(photo).size());
        run.refresh();
        EXPECT_FALSE(e.newName.isEmpty());
    }
}

} // namespace
