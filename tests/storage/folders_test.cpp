#include "storage/applog.h"
#include "storage/datafolder.h"

#include "storagetest.h"
#include "support/tempfiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

#include <sys/stat.h>

using namespace kesto;

namespace {

QString dataHome()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

TEST(DataFolder, MakesBothLevelsBelowTheDataLocationAndEndsWithASlash)
{
    QDir(dataHome() + "/Quarvel").removeRecursively();
    const QString folder = DataFolder();
    EXPECT_EQ(folder, dataHome() + "/Quarvel/Kesto/");
    EXPECT_TRUE(QFileInfo(folder).isDir());
}

TEST(DataFolder, IsMadeAgainWhenDeletedWhileTheProgramRuns)
{
    const QString folder = DataFolder();
    ASSERT_TRUE(QDir(folder).removeRecursively());
    EXPECT_EQ(DataFolder(), folder);
    EXPECT_TRUE(FolderExists(folder));
}

TEST(DataFolder, GivesThePathsOfTheProgramsFiles)
{
    const AppPaths paths = MakeAppPaths();
    EXPECT_EQ(paths.masksIni, dataHome() + "/Quarvel/Kesto/Kesto-Masken.INI");
    EXPECT_EQ(paths.keysIni, dataHome() + "/Quarvel/Kesto/Kesto-Tasten.INI");
    EXPECT_EQ(paths.log, dataHome() + "/Quarvel/Kesto/Kesto.LOG");
    EXPECT_EQ(DataFolderUrl(), QUrl::fromLocalFile(dataHome() + "/Quarvel/Kesto/"));
}

TEST(DataFolder, AFolderThatCannotBeMadeIsReportedOnceAndTheProgramGoesOn)
{
    test::TempFolder dir;
    dir.write("plainfile", "x");
    const QByteArray saved = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", dir.file("plainfile/data").toUtf8());

    testing::internal::CaptureStderr();
    const QString first = DataFolder();
    const QString second = DataFolder();
    const std::string err = testing::internal::GetCapturedStderr();
    qputenv("XDG_DATA_HOME", saved);

    EXPECT_EQ(first, dir.file("plainfile/data/Quarvel/Kesto/"));
    EXPECT_EQ(second, first);
    EXPECT_EQ(QString::fromStdString(err),
              "Kesto: Der Datenordner \"" + first +
                  "\" kann nicht angelegt werden; Masken, Tastenbelegung und Protokoll "
                  "werden nicht gespeichert.\n");
}

TEST(Folders, AddBackslashAppendsTheSeparatorOnce)
{
    EXPECT_EQ(AddBackslash(""), "/");
    EXPECT_EQ(AddBackslash("/a"), "/a/");
    EXPECT_EQ(AddBackslash("/a/"), "/a/");
}

TEST(Folders, FileAndFolderTestsKnowWhatIsWhat)
{
    test::TempFolder dir;
    const QString file = dir.write("f.txt", "x");
    const QString folder = dir.mkdir("sub");
    QFile::link(file, dir.file("link"));
    mkfifo(QFile::encodeName(dir.file("fifo")).constData(), 0600);

    struct Case
    {
        QString path;
        bool file;
        bool folder;
    };
    const Case cases[] = {
        {"", false, false},
        {file, true, false},
        {folder, false, true},
        {folder + "/", false, true},
        {dir.file("link"), true, false},
        {dir.file("fifo"), false, false},
        {dir.file("missing"), false, false},
        {file + "/x", false, false},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(FileExists(c.path), c.file) << c.path.toStdString();
        EXPECT_EQ(FolderExists(c.path), c.folder) << c.path.toStdString();
    }
}

class Log : public ::testing::Test
{
protected:
    test::TempFolder dir;
    QString path = dir.file("Kesto.LOG");
    void SetUp() override { SetLogPath(path); }
    void TearDown() override { SetLogPath(QString()); }
};

TEST_F(Log, LinesAreAppendedWithCrLfAndOldLinesStayByteForByte)
{
    dir.write("Kesto.LOG", "old line \xE4\r\n");
    WriteLog(" START Kesto 0.1.0");
    WriteLog(QStringLiteral(" Grüße"));
    EXPECT_EQ(dir.read("Kesto.LOG"),
              QByteArray("old line \xE4\r\n START Kesto 0.1.0\r\n Gr\xC3\xBC\xC3\x9F"
                         "e\r\n"));
}

TEST_F(Log, TimedLinesBeginWithDateAndTime)
{
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    WriteTimedLog(" EXIT");
    const QString line = QString::fromUtf8(dir.read("Kesto.LOG"));
    const QRegularExpression shape("^(\\d\\d\\.\\d\\d\\.\\d{4} \\d\\d:\\d\\d:\\d\\d) EXIT\r\n$");
    const QRegularExpressionMatch m = shape.match(line);
    ASSERT_TRUE(m.hasMatch()) << line.toStdString();
    const QDateTime stamp = QDateTime::fromString(m.captured(1), "dd.MM.yyyy HH:mm:ss");
    EXPECT_GE(stamp, before.addMSecs(-before.time().msec()));
    EXPECT_LE(stamp, QDateTime::currentDateTime());
}

TEST_F(Log, NoLogPathWritesNothing)
{
    SetLogPath(QString());
    WriteLog(" EXIT");
    WriteTimedLog(" EXIT");
    DeleteLog();
    EXPECT_TRUE(dir.names().isEmpty());
}

TEST_F(Log, DeleteLogRemovesEvenAReadOnlyLogAndLeavesFoldersAlone)
{
    dir.write("Kesto.LOG", "old");
    QFile::setPermissions(path, QFileDevice::ReadOwner);
    DeleteLog();
    EXPECT_FALSE(QFileInfo::exists(path));
    DeleteLog();

    dir.mkdir("Kesto.LOG");
    DeleteLog();
    EXPECT_TRUE(QFileInfo(path).isDir());
}

TEST_F(Log, ALineThatCannotBeWrittenIsDroppedQuietly)
{
    dir.mkdir("Kesto.LOG");
    WriteLog(" EXIT");
    EXPECT_TRUE(QFileInfo(path).isDir());
}

} // namespace
