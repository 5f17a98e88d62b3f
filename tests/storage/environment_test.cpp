#include "storage/applog.h"
#include "storage/datafolder.h"
#include "storage/settings.h"
#include "storage/textfile.h"

#include "support/tempfiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <limits>

#include <sys/stat.h>

using namespace kesto;
using namespace Qt::Literals::StringLiterals;

namespace {

TEST(DataFolder, IsMadeBelowTheDataLocationWheneverMissingAndAFailureIsReportedOnce)
{
    const QString home = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    const QString folder = home + "/Quarvel/Kesto/";
    ASSERT_TRUE(QDir().rmdir(DataFolder())) << "made by the first call";
    const AppPaths paths = MakeAppPaths();
    EXPECT_EQ(paths.masksIni + "|" + paths.keysIni + "|" + paths.log,
              folder + "Kesto-Masken.INI|" + folder + "Kesto-Tasten.INI|" + folder + "Kesto.LOG");
    EXPECT_TRUE(FolderExists(folder)) << "made again once missing";

    // A folder that cannot be made is reported once, and the program goes on.
    test::TempFolder dir;
    dir.write("plainfile", "x");
    const QByteArray saved = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", dir.file("plainfile/data").toUtf8());
    testing::internal::CaptureStderr();
    const QString first = DataFolder(), second = DataFolder();
    const std::string err = testing::internal::GetCapturedStderr();
    qputenv("XDG_DATA_HOME", saved);
    EXPECT_EQ(QStringList({first, second}),
              QStringList(2, dir.file("plainfile/data/Quarvel/Kesto/")));
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

TEST(Log, LinesWrittenOrKeptAreAppendedInCrLfAndADeletedLogStartsAnew)
{
    test::TempFolder dir;
    SetLogPath(dir.write("Kesto.LOG", "old line \xE4\r\n"));
    const auto now = [] {
        return QDateTime::currentDateTime().toString("dd.MM.yyyy HH:mm:ss").toUtf8();
    };
    const QByteArray before = now();
    // Texts of every kind a caller hands over: letters beyond ASCII in each, a
    // pair of surrogates, and one alone.
    const QString photo = u"/Grüße \U0001F600 "_s + QChar(0xD800) + u".jpg"_s;
    const std::initializer_list<QAnyStringView> parts = {
        QLatin1String(" Exif Load: "), photo, QLatin1String("  caf\xe9 "), u"\u20ac", "False"};
    WriteLog(" START Kesto 0.1.0");
    WriteTimedLog(parts);
    QByteArray kept;
    {
        LogCapture capture;
        WriteTimedLog(parts);
        WriteLog(" EXIT");
        kept = capture.lines();
    }
    WriteLogLines(kept);
    const QByteArray line = u"<now> Exif Load: /Grüße \U0001F600 ?.jpg  café €False\r\n"_s.toUtf8();
    EXPECT_EQ(dir.read("Kesto.LOG").replace(before, "<now>").replace(now(), "<now>"),
              "old line \xE4\r\n START Kesto 0.1.0\r\n" + line + line + " EXIT\r\n")
        << "each line begins with the time before or after the writing";

    DeleteLog();
    WriteLog(" START");
    SetLogPath(QString());
    EXPECT_EQ(dir.read("Kesto.LOG"), " START\r\n") << "the next line starts anew";
}

TEST(Settings, LiveInQuarvelConfUnderKestoAsPlainTextsAndFallBackToTheirDefaults)
{
    // Where the user finds it: ~/.config/Quarvel.conf, here in the tests' own folder.
    const QString where = qEnvironmentVariable("XDG_CONFIG_HOME") + "/Quarvel.conf";
    EXPECT_EQ(std::pair(StoredToolTips(), StoredListFontSize()), std::pair(1, 8));
    EXPECT_EQ(LoadStoredPlacement(), Placement()) << "first start: all -1";
    SaveSettingValue("ToolTips", "0");
    SaveSettingValue("ListFontSize", "12");
    EXPECT_EQ(std::pair(StoredToolTips(), StoredListFontSize()), std::pair(0, 12));
    SaveSettingValue("ToolTips", "70000");
    SaveSettingValue("ListFontSize", "big");
    EXPECT_EQ(std::pair(StoredToolTips(), StoredListFontSize()), std::pair(1, 8));

    // A placement is stored as plain numbers; an unreadable one counts as missing.
    SaveWindowPlacement({1350, 0, 9600.5, -60});
    EXPECT_EQ(ReadFileBytes(where), "[Kesto]\nListFontSize=big\nToolTips=70000\n_Height=-60\n"
                                    "_Left=0\n_Top=1350\n_Width=9600.5\n");
    EXPECT_EQ(LoadStoredPlacement(), (Placement{1350, 0, 9600.5, -60}));
    SaveSettingValue("_Left", "links");
    EXPECT_EQ(LoadStoredPlacement(), (Placement{1350, -1, 9600.5, -60}));

    // A value written back unchanged leaves the file as the user wrote it.
    const QByteArray byHand = "; von Hand\n[Kesto]\nToolTips = 1\n\n";
    ASSERT_TRUE(WriteFileBytes(where, byHand));
    SaveSettingValue("ToolTips", "1");
    EXPECT_EQ(ReadFileBytes(where), byHand);
    SaveSettingValue("ToolTips", "0");
    EXPECT_EQ(StoredToolTips(), 0);
}

TEST(WindowPlacement, UsesWhatKeepsTheWindowOnTheScreenAndCentresOtherwise)
{
    // A screen of 1920 x 1080 pixels, a window designed 800 x 600 pixels, in twips.
    const double sw = 28800, sh = 16200, dw = 12000, dh = 9000;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const WindowGeometry centred{8400, 3600, dw, dh, true};
    const std::tuple<const char *, Placement, WindowGeometry> rows[] = {
        {"first start", {}, centred},
        {"position 0, 0", {0, 0, 15000, 10500}, {0, 0, 15000, 10500, false}},
        {"left at the screen width", {1500, 28800, 15000, 10500}, centred},
        {"top at the screen height", {16200, 1500, 15000, 10500}, centred},
        {"height past the bottom", {9000, 3000, 15000, 10500}, {3000, 9000, 15000, dh, false}},
        {"height to the bottom", {9000, 3000, 15000, 7200}, {3000, 9000, 15000, 7200, false}},
        {"width past the edge", {1500, 20000, 9000, 6000}, {20000, 1500, dw, 6000, false}},
        {"width to the edge", {1500, 19800, 9000, 6000}, {19800, 1500, 9000, 6000, false}},
        {"zero size", {1500, 3000, 0, 0}, {3000, 1500, dw, dh, false}},
        {"top not a number", {nan, 3000, 15000, 10500}, centred},
    };
    for (const auto &[name, stored, expected] : rows)
        EXPECT_EQ(RestoreWindowPlacement(stored, dw, dh, sw, sh), expected) << name;
    // Centring halves the difference toward zero, also for a window larger than the screen.
    EXPECT_EQ(CenterWindow(12001, 9001, sw, sh), (WindowGeometry{8399, 3599, 12001, 9001, true}));
    EXPECT_EQ(CenterWindow(30001, 16201, sw, sh), (WindowGeometry{-600, 0, 30001, 16201, true}));
}

} // namespace
