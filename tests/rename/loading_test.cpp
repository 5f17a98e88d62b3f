#include "sessionfixture.h"

#include "storage/applog.h"

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
    void SetUp() override { SetLogPath(dir.file(QStringLiteral("log/Kesto.LOG"))); }
    void TearDown() override { SetLogPath(QString()); }

    QStringList logLines() const
    {
        const QString text = QString::fromUtf8(dir.read(QStringLiteral("log/Kesto.LOG")));
        QStringList lines = text.split(QStringLiteral("\r\n"));
        lines.removeAll(QString());
        return lines;
    }
};

TEST_F(LoadingTest, FoldersPipesAndMissingPathsAreSkippedAndEveryPathIsLogged)
{
    dir.mkdir(QStringLiteral("log"));
    const QString file = dir.write(QStringLiteral("a.txt"), "12345");
    const QString folder = dir.mkdir(QStringLiteral("ordner"));
    const QString fifo = dir.file(QStringLiteral("pipe.jpg"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    session.LoadListWithFileNames(
        QStringList{file, folder, fifo, dir.file(QStringLiteral("fehlt.txt")), file});

    ASSERT_EQ(session.list().count(), 1);
    const FileEntry &e = session.list().at(0);
    EXPECT_EQ(e.FullPath, file);
    EXPECT_EQ(e.Size, 5);
    EXPECT_EQ(e.SizeText, QStringLiteral("5 Byte"));
    EXPECT_EQ(e.SizeKey, QStringLiteral("0000000000000005"));
    EXPECT_EQ(e.Modified.size(), 19);
    EXPECT_TRUE(e.Checked);
    EXPECT_EQ(e.NewName, QStringLiteral("a.txt"));

    const QStringList lines = logLines();
    ASSERT_EQ(lines.size(), 7);
    EXPECT_TRUE(lines.first().endsWith(QStringLiteral(" ENTRY LoadListWithFileNames ")));
    EXPECT_TRUE(lines.at(1).endsWith(QStringLiteral(" LoadListWithFileNames: ") + file));
    EXPECT_TRUE(lines.at(3).endsWith(QStringLiteral(" LoadListWithFileNames: ") + fifo));
    EXPECT_TRUE(lines.last().endsWith(QStringLiteral(" EXIT LoadListWithFileNames ")));
    EXPECT_TRUE(
        QRegularExpression(QStringLiteral("^\\d\\d\\.\\d\\d\\.\\d{4} \\d\\d:\\d\\d:\\d\\d "))
            .match(lines.first())
            .hasMatch());
}

TEST_F(LoadingTest, LoadingTheSameFileAgainAddsNothing)
{
    load({"a.txt", "b.txt"});
    session.LoadListWithFileNames(QStringList{dir.file(QStringLiteral("a.txt"))});
    EXPECT_EQ(session.list().count(), 2);
}

TEST_F(LoadingTest, PathsWhoseBytesAreNoTextAreSkippedWithALogLine)
{
    dir.mkdir(QStringLiteral("log"));
    const QByteArray raw = QFile::encodeName(dir.path()) + "/bild\xff.txt";
    FILE *f = std::fopen(raw.constData(), "w");
    ASSERT_NE(f, nullptr);
    std::fclose(f);
    // A file whose name is the replacement character must not be taken instead.
    dir.write(QStringLiteral("bild\uFFFD.txt"));
    session.LoadListWithFileNames(QList<QByteArray>{raw});
    EXPECT_TRUE(session.list().isEmpty());
    EXPECT_TRUE(logLines().at(2).endsWith(QStringLiteral("Pfad nicht darstellbar, übergangen")));
}

TEST_F(LoadingTest, WindowIsServedEverySixteenFiles)
{
    QStringList paths;
    for (int i = 0; i < 40; ++i)
        paths << dir.write(QStringLiteral("f%1").arg(i));
    int yields = 0;
    session.LoadListWithFileNames(paths, [&] { ++yields; });
    EXPECT_EQ(yields, 2);
    EXPECT_EQ(session.list().count(), 40);
}

TEST_F(LoadingTest, NewRowsAreSortedByTheCurrentColumnAndChecked)
{
    load({"c.txt", "A.txt", "b.txt"});
    EXPECT_EQ(oldNames(), (QStringList{"A.txt", "b.txt", "c.txt"}));
    EXPECT_EQ(panel1(), QStringLiteral("3 von 3 Dateien markiert"));
    EXPECT_TRUE(session.list().keepSorted());
}

TEST_F(LoadingTest, ReadOnlyFilesGetTheirTimesAndSize)
{
    const QString p = dir.write(QStringLiteral("ro.txt"), "abc");
    QFile::setPermissions(p, QFile::ReadOwner);
    session.LoadListWithFileNames(QStringList{p});
    ASSERT_EQ(session.list().count(), 1);
    EXPECT_FALSE(session.list().at(0).Modified.isEmpty());
    EXPECT_EQ(session.list().at(0).SizeText, QStringLiteral("3 Byte"));
}

} // namespace
