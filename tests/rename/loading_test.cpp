#include "filelist/loader.h"
#include "sessionfixture.h"
#include "storage/applog.h"
#include "support/photobuilder.h"

#include <QFile>
#include <QRegularExpression>

#include <array>
#include <sys/stat.h>

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
    const QList<SkippedPath> skipped = session.LoadListWithFileNames(paths);
    EXPECT_TRUE(session.LoadListWithFileNames(QStringList{file}).isEmpty());
    // A path given twice, or held already, is no skipped path.
    ASSERT_EQ(skipped.size(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(skipped.at(i).path, paths.at(1 + i));
        EXPECT_EQ(skipped.at(i).reason, (std::array{SkipReason::Folder, SkipReason::NotRegularFile,
                                                    SkipReason::Missing}[i]));
    }

    ASSERT_EQ(session.list().count(), 1);
    const FileEntry &e = session.list().at(0);
    EXPECT_EQ(e.SizeText, QStringLiteral("5 Byte"));
    EXPECT_EQ(e.SizeKey, QStringLiteral("0000000000000005"));
    EXPECT_EQ(e.Modified.size(), 19);
    EXPECT_TRUE(e.Checked);
    EXPECT_EQ(e.NewName, QStringLiteral("a.txt"));

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
    const QList<SkippedPath> skipped =
        session.LoadListWithFileNames(QList<QByteArray>{latin, utf8, withNul});
    session.LoadListWithFileNames(QList<QByteArray>{latin});

    ASSERT_EQ(session.list().count(), 2);
    EXPECT_EQ(oldNames(), (QStringList{u"café €.txt"_s, u"café €.txt"_s}));
    for (const FileEntry &e : session.list().rows()) {
        const bool isLatin = !e.PathBytes.isEmpty();
        EXPECT_EQ(e.pathBytes(), isLatin ? latin : utf8);
        EXPECT_EQ(e.FullPath, dir.file(u"café €.txt"_s));
        EXPECT_EQ(e.Size, isLatin ? 7 : 5); // the facts of each row's own file
    }
    // Only a path that names no file at all is still passed over.
    ASSERT_EQ(skipped.size(), 1);
    EXPECT_EQ(skipped.at(0).reason, SkipReason::Unreadable);
    EXPECT_TRUE(logLines().at(4).endsWith(u"Pfad nicht darstellbar, übergangen"_s));
}

TEST_F(LoadingTest, NewRowsAreSortedAndTheWindowIsServedEverySixteenFiles)
{
    QStringList paths;
    for (int i = 39; i >= 0; --i)
        paths << dir.write(QStringLiteral("f%1").arg(i, 2, 10, QLatin1Char('0')));
    int yields = 0;
    session.LoadListWithFileNames(paths, [&] { ++yields; });
    EXPECT_EQ(yields, 2);
    EXPECT_EQ(oldNames().first(), QStringLiteral("f00"));
    EXPECT_EQ(oldNames().last(), QStringLiteral("f39"));
    EXPECT_EQ(panel1(), QStringLiteral("40 von 40 Dateien markiert"));
    EXPECT_EQ(session.digitChoices().chosenText(), QStringLiteral("2"));
}

TEST_F(LoadingTest, ManyFilesWithoutALogGiveTheSameRowsAsWithOne)
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
    paths << paths.at(5) << dir.file(QStringLiteral("ordner")) << dir.file(QStringLiteral("fehlt"));
    QList<QByteArray> rawPaths;
    for (const QString &p : std::as_const(paths))
        rawPaths << QFile::encodeName(p);
    // A photo whose name is no UTF-8 is read through its own bytes.
    rawPaths.insert(
        3, dir.writeBytes("IMG_\xe9.JPG", kesto::test::cameraPhoto(kesto::test::ByteOrder::Intel,
                                                                   "2001:02:03 04:05:06")));
    const FileList empty;
    const NewRows logged = ReadNewRows(PathsFromBytes(rawPaths), empty);
    SetLogPath(QString()); // without a log the files are read side by side
    const NewRows quiet = ReadNewRows(PathsFromBytes(rawPaths), empty);
    ASSERT_EQ(logged.rows.size(), 96);
    ASSERT_EQ(quiet.rows.size(), logged.rows.size());
    for (qsizetype i = 0; i < logged.rows.size(); ++i) {
        const FileEntry &q = quiet.rows.at(i), &l = logged.rows.at(i);
        EXPECT_EQ(q.pathBytes(), l.pathBytes());
        EXPECT_EQ(q.Folder + q.OldName, q.FullPath);
        EXPECT_EQ(q.SizeKey, l.SizeKey);
        EXPECT_EQ(q.Modified, l.Modified);
        EXPECT_EQ(q.Captured, l.Captured);
    }
    EXPECT_EQ(logged.rows.at(1).Captured, QStringLiteral("2005:07:14 13:45:11"));
    EXPECT_EQ(quiet.rows.at(3).Captured, QStringLiteral("2001:02:03 04:05:06"));
    for (const NewRows *r : {&logged, &quiet}) {
        ASSERT_EQ(r->skipped.size(), 2);
        EXPECT_EQ(r->skipped.at(0).reason, SkipReason::Folder);
        EXPECT_EQ(r->skipped.at(1).reason, SkipReason::Missing);
    }
}

} // namespace
