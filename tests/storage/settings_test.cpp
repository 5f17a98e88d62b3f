#include "storage/settings.h"

#include "storagetest.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QStandardPaths>

#include <limits>

using namespace kesto;
using namespace Qt::Literals::StringLiterals;

namespace {

class Settings : public ::testing::Test
{
protected:
    void SetUp() override { QFile::remove(SettingsFile()); }
    void TearDown() override { QFile::remove(SettingsFile()); }
};

TEST_F(Settings, LiveInQuarvelConfInTheConfigurationFolderUnderKesto)
{
    EXPECT_EQ(SettingsFile(),
              QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                  "/Quarvel.conf");
    SaveSettingValue("ListFontSize", "10");
    QFile file(SettingsFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("[Kesto]\nListFontSize=10\n"));
}

TEST_F(Settings, AMissingKeyYieldsTheDefaultAndStoredTextsComeBack)
{
    EXPECT_EQ(GetSettingValue("ToolTips", "1"), "1");
    const QString texts[] = {"0", u"Grüße, Welt = [x]"_s, " a ", ""};
    for (const QString &text : texts) {
        SaveSettingValue("Text", text);
        EXPECT_EQ(GetSettingValue("Text", "<default>"), text);
    }
}

TEST_F(Settings, TooltipsAndFontSizeFallBackToTheirDefaults)
{
    EXPECT_EQ(StoredToolTips(), 1);
    EXPECT_EQ(StoredListFontSize(), 8);
    SaveSettingValue("ToolTips", "0");
    SaveSettingValue("ListFontSize", "12");
    EXPECT_EQ(StoredToolTips(), 0);
    EXPECT_EQ(StoredListFontSize(), 12);
    SaveSettingValue("ToolTips", "70000");
    SaveSettingValue("ListFontSize", "big");
    EXPECT_EQ(StoredToolTips(), 1);
    EXPECT_EQ(StoredListFontSize(), 8);
}

TEST_F(Settings, APlacementIsStoredAsPlainNumbersAndReadBack)
{
    EXPECT_EQ(LoadStoredPlacement(), Placement()) << "first start: all -1";
    SaveWindowPlacement({1350, 0, 9600.5, -60});
    EXPECT_EQ(GetSettingValue("_Top", ""), "1350");
    EXPECT_EQ(GetSettingValue("_Left", ""), "0");
    EXPECT_EQ(GetSettingValue("_Width", ""), "9600.5");
    EXPECT_EQ(GetSettingValue("_Height", ""), "-60");
    EXPECT_EQ(LoadStoredPlacement(), (Placement{1350, 0, 9600.5, -60}));
}

TEST_F(Settings, AnUnreadablePlacementValueCountsAsMissing)
{
    SaveWindowPlacement({1350, 15, 9000, 6000});
    SaveSettingValue("_Left", "links");
    EXPECT_EQ(LoadStoredPlacement(), (Placement{1350, -1, 9000, 6000}));
}

struct PlacementCase
{
    const char *name;
    Placement stored;
    WindowGeometry expected;
};

TEST(WindowPlacement, UsesWhatKeepsTheWindowOnTheScreenAndCentresOtherwise)
{
    // A screen of 1920 x 1080 pixels, a window designed 800 x 600 pixels.
    const double sw = 28800, sh = 16200, dw = 12000, dh = 9000;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const WindowGeometry centred{8400, 3600, dw, dh, true};
    const PlacementCase cases[] = {
        {"first start", {}, centred},
        {"all applied", {1500, 3000, 15000, 10500}, {3000, 1500, 15000, 10500, false}},
        {"position 0, 0 accepted", {0, 0, 15000, 10500}, {0, 0, 15000, 10500, false}},
        {"minimised window far off", {-32000, -32000, 2400, 540}, centred},
        {"maximised a few pixels beyond the edge", {-120, -120, 29040, 16440}, centred},
        {"negative top only", {-15, 300, 15000, 10500}, centred},
        {"left on a monitor no longer there", {1500, 30000, 15000, 10500}, centred},
        {"left exactly at the screen width", {1500, 28800, 15000, 10500}, centred},
        {"top exactly at the screen height", {16200, 1500, 15000, 10500}, centred},
        {"height past the bottom", {9000, 3000, 15000, 10500}, {3000, 9000, 15000, dh, false}},
        {"height ending at the bottom",
         {9000, 3000, 15000, 7200},
         {3000, 9000, 15000, 7200, false}},
        {"width past the right edge", {1500, 20000, 9000, 6000}, {20000, 1500, dw, 6000, false}},
        {"width ending at the right edge",
         {1500, 19800, 9000, 6000},
         {19800, 1500, 9000, 6000, false}},
        {"position alone", {1500, 3000, -1, -1}, {3000, 1500, dw, dh, false}},
        {"zero size", {1500, 3000, 0, 0}, {3000, 1500, dw, dh, false}},
        {"not a number", {nan, 3000, 15000, 10500}, centred},
        {"size not a number", {1500, 3000, nan, nan}, {3000, 1500, dw, dh, false}},
    };
    for (const PlacementCase &c : cases) {
        const WindowGeometry g = RestoreWindowPlacement(c.stored, dw, dh, sw, sh);
        EXPECT_EQ(g, c.expected) << c.name << ": got " << g.left << ", " << g.top << ", " << g.width
                                 << ", " << g.height;
    }
}

struct CentreCase
{
    double width;
    double screen;
    double expected;
};

TEST(WindowPlacement, CentringRoundsTheDifferenceThenHalvesItTowardZero)
{
    const CentreCase cases[] = {
        {12000, 28800, 8400}, {12001, 28800, 8399}, {100, 100.5, 0},      {100, 102.5, 1},
        {100, 103.5, 2},      {100, 97, -1},        {30000, 28800, -600},
    };
    for (const CentreCase &c : cases) {
        const WindowGeometry g = CenterWindow(c.width, c.width, c.screen, c.screen);
        EXPECT_EQ(g.left, c.expected) << c.width << " on " << c.screen;
        EXPECT_EQ(g.top, c.expected) << c.width << " on " << c.screen;
        EXPECT_EQ(g.width, c.width);
        EXPECT_TRUE(g.centred);
    }
}

} // namespace
