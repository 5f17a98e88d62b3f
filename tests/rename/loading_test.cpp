#include "filelist/loader.h"
#include "sessionfixture.h"
#include "storage/applog.h"
#include "support/photobuilder.h"

#include <QFile>
#include <QRegularExpression>

#include <cstdio>
#include <sys/stat.h>

using namespace kesto;
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
    session.LoadListWithFileNames(paths);
    session.LoadListWithFileNames(QStringList{file});

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

TEST_F(LoadingTest, PathsWhoseBytesAreNoTextAreSkippedWithALogLine)
{
    const QByteArray raw = QFile::encodeName(dir.path()) + "/bild\xff.txt";
    FILE *f = std::fopen(raw.constData(), "w");
    ASSERT_NE(f, nullptr);
    std::fclose(f);
    // A file named with the replacement character must not be taken instead.
    dir.write(QStringLiteral("bild\uFFFD.txt"));
    session.LoadListWithFileNames(QList<QByteArray>{raw});
    EXPECT_TRUE(session.list().isEmpty());
    EXPECT_TRUE(logLines().at(2).endsWith(QStringLiteral("Pfad nicht darstellbar, übergangen")));
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
    const FileList empty;
    const QList<FileEntry> logged = ReadNewRows(PathsFromText(paths), empty);
    SetLogPath(QString()); // without a log the files are read side by side
    const QList<FileEntry> quiet = ReadNewRows(PathsFromText(paths), empty);
    ASSERT_EQ(logged.size(), 95);
    ASSERT_EQ(quiet.size(), logged.size());
    for (qsizetype i = 0; i < logged.size(); ++i) {
        EXPECT_EQ(quiet.at(i).FullPath, logged.at(i).FullPath);
        EXPECT_EQ(quiet.at(i).Folder + quiet.at(i).OldName, quiet.at(i).FullPath);
        EXPECT_EQ(quiet.at(i).SizeKey, logged.at(i).SizeKey);
        EXPECT_EQ(quiet.at(i).Modified, logged.at(i).Modified);
        EXPECT_EQ(quiet.at(i).Captured, logged.at(i).Captured);
    }
    EXPECT_EQ(logged.at(1).Captured, QStringLiteral("2005:07:14 13:45:11"));
}

} // namespace
