#include "storage/settings.h"

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

TEST_F(Settings, LiveInQuarvelConfUnderKestoAndFallBackToTheirDefaults)
{
    EXPECT_EQ(SettingsFile(),
              QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                  "/Quarvel.conf");
    EXPECT_EQ(StoredToolTips(), 1);
    EXPECT_EQ(StoredListFontSize(), 8);
    SaveSettingValue("ToolTips", "0");
    SaveSettingValue("ListFontSize", "12");
    EXPECT_EQ(StoredToolTips(), 0);
    EXPECT_EQ(StoredListFontSize(), 12);
    QFile file(SettingsFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("[Kesto]\nListFontSize=12\nToolTips=0\n"));
    SaveSettingValue("ToolTips", "70000");
    SaveSettingValue("ListFontSize", "big");
    EXPECT_EQ(StoredToolTips(), 1);
    EXPECT_EQ(StoredListFontSize(), 8);
    EXPECT_EQ(GetSettingValue("Text", "<default>"), "<default>");
    SaveSettingValue("Text", u" Grüße, Welt = [x] "_s);
    EXPECT_EQ(GetSettingValue("Text", "<default>"), u" Grüße, Welt = [x] "_s);
}

TEST_F(Settings, APlacementIsStoredAsPlainNumbersAndAnUnreadableValueCountsAsMissing)
{
    EXPECT_EQ(LoadStoredPlacement(), Placement()) << "first start: all -1";
    SaveWindowPlacement({1350, 0, 9600.5, -60});
    EXPECT_EQ(QStringList({GetSettingValue("_Top", ""), GetSettingValue("_Left", ""),
                           GetSettingValue("_Width", ""), GetSettingValue("_Height", "")}),
              QStringList({"1350", "0", "9600.5", "-60"}));
    EXPECT_EQ(LoadStoredPlacement(), (Placement{1350, 0, 9600.5, -60}));
    SaveSettingValue("_Left", "links");
    EXPECT_EQ(LoadStoredPlacement(), (Placement{1350, -1, 9600.5, -60}));
}

TEST(WindowPlacement, UsesWhatKeepsTheWindowOnTheScreenAndCentresOtherwise)
{
    // A screen of 1920 x 1080 pixels, a window designed 800 x 600 pixels, in twips.
    const double sw = 28800, sh = 16200, dw = 12000, dh = 9000;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const WindowGeometry centred{8400, 3600, dw, dh, true};
    const std::tuple<const char *, Placement, WindowGeometry> rows[] = {
        {"first start", {}, centred},
        {"all applied", {1500, 3000, 15000, 10500}, {3000, 1500, 15000, 10500, false}},
        {"position 0, 0", {0, 0, 15000, 10500}, {0, 0, 15000, 10500, false}},
        {"minimised far off", {-32000, -32000, 2400, 540}, centred},
        {"maximised beyond the edge", {-120, -120, 29040, 16440}, centred},
        {"left on a lost monitor", {1500, 30000, 15000, 10500}, centred},
        {"left at the screen width", {1500, 28800, 15000, 10500}, centred},
        {"top at the screen height", {16200, 1500, 15000, 10500}, centred},
        {"height past the bottom", {9000, 3000, 15000, 10500}, {3000, 9000, 15000, dh, false}},
        {"height to the bottom", {9000, 3000, 15000, 7200}, {3000, 9000, 15000, 7200, false}},
        {"width past the edge", {1500, 20000, 9000, 6000}, {20000, 1500, dw, 6000, false}},
        {"width to the edge", {1500, 19800, 9000, 6000}, {19800, 1500, 9000, 6000, false}},
        {"position alone", {1500, 3000, -1, -1}, {3000, 1500, dw, dh, false}},
        {"zero size", {1500, 3000, 0, 0}, {3000, 1500, dw, dh, false}},
        {"top not a number", {nan, 3000, 15000, 10500}, centred},
    };
    for (const auto &[name, stored, expected] : rows) {
        const WindowGeometry g = RestoreWindowPlacement(stored, dw, dh, sw, sh);
        EXPECT_EQ(g, expected) << name << ": got " << g.left << ", " << g.top << ", " << g.width
                               << ", " << g.height;
    }
}

TEST(WindowPlacement, CentringRoundsTheDifferenceThenHalvesItTowardZero)
{
    // Window extent, screen extent, position.
    const std::tuple<double, double, double> rows[] = {
        {12000, 28800, 8400}, {12001, 28800, 8399}, {100, 100.5, 0},      {100, 102.5, 1},
        {100, 103.5, 2},      {100, 97, -1},        {30000, 28800, -600},
    };
    for (const auto &[extent, screen, position] : rows) {
        EXPECT_EQ(CenterWindow(extent, extent, screen, screen),
                  (WindowGeometry{position, position, extent, extent, true}))
            << extent << " on " << screen;
    }
}

} // namespace
