#include "storage/applog.h"
#include "storage/datafolder.h"

#include "support/tempfiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <sys/stat.h>

using namespace kesto;
using namespace Qt::Literals::StringLiterals;

namespace {

TEST(DataFolder, IsMadeBelowTheDataLocationWheneverItIsMissing)
{
    const QString home = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    QDir(home + "/Quarvel").removeRecursively();
    const QString folder = DataFolder();
    EXPECT_EQ(folder, home + "/Quarvel/Kesto/");
    EXPECT_TRUE(FolderExists(folder));
    const AppPaths paths = MakeAppPaths();
    EXPECT_EQ(paths.masksIni + "|" + paths.keysIni + "|" + paths.log,
              folder + "Kesto-Masken.INI|" + folder + "Kesto-Tasten.INI|" + folder + "Kesto.LOG");
    EXPECT_EQ(DataFolderUrl(), QUrl::fromLocalFile(folder));

    ASSERT_TRUE(QDir(folder).removeRecursively());
    EXPECT_EQ(DataFolder(), folder);
    EXPECT_TRUE(FolderExists(folder));
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

TEST(Folders, FileAndFolderTestsKnowWhatIsWhat)
{
    test::TempFolder dir;
    const QString file = dir.write("f.txt", "x");
    QFile::link(file, dir.file("link"));
    mkfifo(QFile::encodeName(dir.file("fifo")).constData(), 0600);
    const QString paths[] = {
        "", file, dir.path(), dir.path() + "/", dir.file("link"), dir.file("fifo"), file + "/x"};
    QStringList kinds; // F: a file, D: a folder
    for (const QString &path : paths)
        kinds << (FileExists(path) ? u"F"_s : u"-"_s) + (FolderExists(path) ? u"D"_s : u"-"_s);
    EXPECT_EQ(kinds.join(u' '), u"-- F- -D -D F- -- --"_s);
}

class Log : public ::testing::Test
{
protected:
    test::TempFolder dir;
    QString path = dir.file("Kesto.LOG");
    void SetUp() override { SetLogPath(path); }
    void TearDown() override { SetLogPath(QString()); }
};

TEST_F(Log, LinesAreAppendedWithCrLfAndTimedLinesBeginWithDateAndTime)
{
    dir.write("Kesto.LOG", "old line \xE4\r\n");
    const auto now = [] { return QDateTime::currentDateTime().toString("dd.MM.yyyy HH:mm:ss"); };
    const QString before = now();
    WriteLog(" START Kesto 0.1.0");
    WriteTimedLog(u" Grüße"_s);
    const QString after = now();
    const QByteArray log = dir.read("Kesto.LOG");
    const QByteArray old = "old line \xE4\r\n START Kesto 0.1.0\r\n";
    EXPECT_TRUE(log == old + (before + u" Grüße\r\n"_s).toUtf8() ||
                log == old + (after + u" Grüße\r\n"_s).toUtf8())
        << log.toStdString();
}

TEST_F(Log, DeletingRemovesEvenAReadOnlyLogButNeverAFolderInItsPlace)
{
    dir.write("Kesto.LOG", "old");
    WriteLog(" A");
    QFile::setPermissions(path, QFileDevice::ReadOwner);
    DeleteLog();
    EXPECT_FALSE(QFileInfo::exists(path));
    WriteLog(" START");
    EXPECT_EQ(dir.read("Kesto.LOG"), QByteArray(" START\r\n")) << "the next line starts anew";

    DeleteLog();
    dir.mkdir("Kesto.LOG");
    WriteLog(" EXIT");
    DeleteLog();
    EXPECT_TRUE(QFileInfo(path).isDir());
    SetLogPath(QString());
    WriteLog(" EXIT");
    EXPECT_EQ(dir.names(), QStringList{"Kesto.LOG"}) << "no path, no log";
}

} // namespace
