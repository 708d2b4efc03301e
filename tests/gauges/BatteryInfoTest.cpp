#include "gauges/BatteryInfo.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "gauges/DibSurface.h"
#include "platform/host/testing.h"
#include "tests/gauges/KeyLines.h"
#include "tests/gauges/SurfaceTest.h"

using namespace surfacetest;
using keylines::Parse;
using keylines::ParseAll;

namespace {

constexpr COLORREF kCritical = RGB(0xD0, 0, 0);
constexpr COLORREF kLow = RGB(0xD0, 0xD0, 0);
constexpr COLORREF kHigh = RGB(0, 0xD0, 0);
constexpr COLORREF kArrow = RGB(0xC0, 0xC0, 0);

class BatteryInfoTest : public SurfaceTest {
protected:
    BatteryInfoTest() : SurfaceTest(70, 30) {}

    // A battery made after the power state is set, drawn on a fresh surface.
    std::vector<BYTE> Render(std::initializer_list<const char*> lines, int percent, bool charging, bool onAC)
    {
        host::testing::FakeBattery(percent, charging, onAC);
        BatteryInfo battery;
        ParseAll(battery, lines);
        Fill(surface, kMarker);
        battery.Draw(surface, 0, 0);
        return Bytes(surface);
    }
};

TEST_F(BatteryInfoTest, PlainSegmentsFillByPercent)
{
    // 64 x 20 with three segments: the terminal is 5 wide, the margin 1,
    // segment 0 (the first to fill) lies at the right end.
    const struct {
        int percent;
        COLORREF left, middle, right;
    } cases[] = {
        {0, kMarkerColor, kMarkerColor, kMarkerColor},
        {33, kMarkerColor, kMarkerColor, kCritical},
        {34, kMarkerColor, kLow, kLow},
        {66, kMarkerColor, kLow, kLow},
        {67, kHigh, kHigh, kHigh},
        {255, kHigh, kHigh, kHigh},
    };
    for (const auto& c : cases) {
        Render({"CoolBattery = 0", "Width = 64", "Height = 20"}, c.percent, false, false);
        EXPECT_EQ(PixelAt(surface, 15, 10), c.left) << c.percent;
        EXPECT_EQ(PixelAt(surface, 34, 10), c.middle) << c.percent;
        EXPECT_EQ(PixelAt(surface, 53, 10), c.right) << c.percent;
        // Gaps of one margin between the segments.
        EXPECT_EQ(PixelAt(surface, 43, 10), kMarkerColor);
        EXPECT_EQ(PixelAt(surface, 24, 10), kMarkerColor);
    }
    // The outline with its terminal on the left, in the battery colour.
    EXPECT_EQ(PixelAt(surface, 63, 10), RGB(0, 0, 0));
    EXPECT_EQ(PixelAt(surface, 5, 0), RGB(0, 0, 0));
    EXPECT_EQ(PixelAt(surface, 0, 10), RGB(0, 0, 0));
    EXPECT_EQ(PixelAt(surface, 0, 2), kMarkerColor);
}

TEST_F(BatteryInfoTest, UnusableSegmentCountsFillNothing)
{
    const std::vector<BYTE> empty = Render({"CoolBattery = 0", "Width = 64", "Height = 20"}, 0, false, false);
    const char* const counts[] = {
        "Segments = 0",
        "Segments = -3",
        "Segments = 2000000000",  // more segments than pixels: each would be empty
    };
    for (const char* count : counts)
        EXPECT_EQ(Render({"CoolBattery = 0", "Width = 64", "Height = 20", count}, 100, false, false), empty) << count;
}

TEST_F(BatteryInfoTest, PlainStyleSaysChargingOnlyWhileCharging)
{
    const std::initializer_list<const char*> plain = {"CoolBattery = 0", "Width = 64", "Height = 20"};
    const std::vector<BYTE> idle = Render(plain, 50, false, false);
    EXPECT_EQ(Render(plain, 50, false, true), idle);
    EXPECT_NE(Render(plain, 50, true, true), idle);
}

TEST_F(BatteryInfoTest, LevelColourBlendsThroughLowAtHalfCharge)
{
    host::testing::FakeBattery(50, false, false);
    BatteryInfo battery;
    const struct {
        int percent;
        COLORREF color;
    } cases[] = {
        {0, kCritical},
        {25, RGB(0xD0, 0x68, 0)},
        {50, kLow},
        {75, RGB(0x68, 0xD0, 0)},
        {100, kHigh},
        {255, kHigh},  // counted as a number, held at the high colour
    };
    for (const auto& c : cases)
        EXPECT_EQ(battery.LevelColor(c.percent), c.color) << c.percent;
}

TEST_F(BatteryInfoTest, ShadedBodyIsFilledInTheLevelColour)
{
    // 60 x 22: the body spans columns 0-57, the line is at 58, the terminal
    // at 59. Bottom row: the dark shade (x 44/128) blended at alpha 255 from
    // black, one step short.
    const COLORREF body = RGB(43, 43, 43);
    const struct {
        int percent;
        COLORREF first, last;  // columns 0 and 57
    } cases[] = {
        {0, body, body},
        {50, RGB(70, 70, 0), body},
        {100, RGB(0, 70, 0), RGB(0, 70, 0)},
        {255, RGB(0, 70, 0), RGB(0, 70, 0)},  // the fill is held to the body
    };
    for (const auto& c : cases) {
        host::testing::FakeBattery(c.percent, false, false);
        BatteryInfo battery;
        ParseAll(battery, {"ColorBattery = 808080", "Width = 60", "Height = 22"});
        Fill(surface, 0);
        const std::vector<BYTE> before = Bytes(surface);
        battery.Draw(surface, 0, 0);
        EXPECT_EQ(PixelAt(surface, 0, 21), c.first) << c.percent;
        EXPECT_EQ(PixelAt(surface, 57, 21), c.last) << c.percent;
        EXPECT_EQ(PixelAt(surface, 58, 11), RGB(0x40, 0x40, 0x40)) << c.percent;
        EXPECT_TRUE(UnchangedOutside(surface, before, RECT{0, 0, 60, 22})) << c.percent;
    }
}

TEST_F(BatteryInfoTest, ShadedStyleShowsTheArrowOnExternalPower)
{
    const std::initializer_list<const char*> shaded = {"Width = 60", "Height = 24"};
    const RECT all = {0, 0, 70, 30};
    Render(shaded, 50, false, false);
    EXPECT_EQ(CountColor(surface, all, kArrow), 0);
    Render(shaded, 50, false, true);
    EXPECT_GT(CountColor(surface, all, kArrow), 0);
    Render(shaded, 50, true, false);
    EXPECT_GT(CountColor(surface, all, kArrow), 0);
}

TEST_F(BatteryInfoTest, ShadingStopsTwoPixelsBeforeTheSurfaceEdge)
{
    host::testing::FakeBattery(100, false, false);
    BatteryInfo battery;
    ParseAll(battery, {"Width = 60", "Height = 22"});
    const std::vector<BYTE> before = Bytes(surface);
    battery.Draw(surface, 30, 0);
    // The line falls on column 68, the terminal on the last column.
    EXPECT_EQ(PixelAt(surface, 68, 11), RGB(0x40, 0x40, 0x40));
    EXPECT_NE(PixelAt(surface, 69, 11), kMarkerColor);
    EXPECT_TRUE(UnchangedOutside(surface, before, RECT{30, 0, 70, 22}));

    // Starting within two pixels of the edge leaves no body at all.
    Fill(surface, kMarker);
    battery.Draw(surface, 69, 0);
    EXPECT_EQ(Bytes(surface), before);
}

TEST_F(BatteryInfoTest, BatteryTooSmallToDrawIsNotDrawn)
{
    Fill(surface, kMarker);
    const std::vector<BYTE> before = Bytes(surface);
    const std::initializer_list<const char*> cases[] = {
        {"Width = 1", "Height = 20"},
        {"Width = 60", "Height = 2"},
        {"Width = -60", "Height = 20"},
        {"Width = 60", "Height = -20"},
        {"CoolBattery = 0", "Width = 1", "Height = 20"},
        {"CoolBattery = 0", "Width = -64", "Height = -20"},
    };
    for (const auto& lines : cases)
        EXPECT_EQ(Render(lines, 100, true, true), before) << *lines.begin() << " " << *(lines.begin() + 1);
}

TEST_F(BatteryInfoTest, TestKeyShowsThePowerStatusAtOnce)
{
    host::testing::FakeBattery(50, true, true);
    BatteryInfo battery;
    host::testing::ClearMessageBoxes();
    EXPECT_TRUE(Parse(battery, "Test = 0"));
    EXPECT_TRUE(Parse(battery, "Test = J"));
    EXPECT_TRUE(host::testing::MessageBoxes().empty());

    EXPECT_TRUE(Parse(battery, "Test = 1"));
    ASSERT_EQ(host::testing::MessageBoxes().size(), 1u);
    const auto& box = host::testing::MessageBoxes()[0];
    EXPECT_EQ(testfiles::Utf8(box.caption), "System Power Status");
    EXPECT_EQ(box.style, 0x10040u);
    const std::string text = testfiles::Utf8(box.text);
    EXPECT_EQ(text.rfind("ACLineStatus: 1\nBatteryFlag: ", 0), 0u) << text;
    EXPECT_NE(text.find("\nBatteryLifePercent: 50\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\nBackupBatteryFlag:"), std::string::npos) << text;
}

TEST_F(BatteryInfoTest, MissingEntryPointIsReportedAndTheBatteryDrawsEmpty)
{
    const std::vector<BYTE> empty = Render({"Width = 60", "Height = 22"}, 0, false, false);

    host::testing::FakeNoBattery();
    host::testing::ClearMessageBoxes();
    BatteryInfo battery;
    ASSERT_EQ(host::testing::MessageBoxes().size(), 1u);
    const auto& box = host::testing::MessageBoxes()[0];
    EXPECT_EQ(testfiles::Utf8(box.text), "GetProcAddress - \"GetSystemPowerStatusEx2\"");
    EXPECT_EQ(testfiles::Utf8(box.caption), "Fehler");
    EXPECT_EQ(box.style, 0x10u);

    EXPECT_TRUE(Parse(battery, "Test = 1"));
    EXPECT_EQ(host::testing::MessageBoxes().size(), 1u);

    ParseAll(battery, {"Width = 60", "Height = 22"});
    Fill(surface, kMarker);
    battery.Draw(surface, 0, 0);
    EXPECT_EQ(Bytes(surface), empty);
}

TEST_F(BatteryInfoTest, BadLinesAreReportedAndIgnored)
{
    const struct {
        const char* line;
        const char* caption;
    } cases[] = {
        {"ColorLow = D0D0", "Batterie - Ignoriere Fehler:"},
        {"Segments =", "Batterie - Ignoriere Fehler:"},
        {"CoolBattery", "Batterie - Ignoriere Fehler:"},
        {"Colour = 123456", "DesktopObject - Ignoriere unbekannten Wert:"},
    };
    host::testing::FakeBattery(50, false, false);
    for (const auto& c : cases) {
        BatteryInfo battery;
        host::testing::ClearMessageBoxes();
        EXPECT_FALSE(Parse(battery, c.line)) << c.line;
        ASSERT_EQ(host::testing::MessageBoxes().size(), 1u) << c.line;
        EXPECT_EQ(testfiles::Utf8(host::testing::MessageBoxes()[0].caption), c.caption);
        EXPECT_EQ(testfiles::Utf8(host::testing::MessageBoxes()[0].text), c.line);
        EXPECT_EQ(host::testing::MessageBoxes()[0].style, 0x10030u);
    }
}

TEST_F(BatteryInfoTest, TapAsksForARedrawAndTheIntervalIsTenMinutes)
{
    host::testing::FakeBattery(50, false, false);
    BatteryInfo battery;
    EXPECT_TRUE(battery.OnPress(3, 4));
    EXPECT_EQ(battery.Interval(), 600000u);
}

TEST_F(BatteryInfoTest, DrawingReleasesWhatItMakes)
{
    host::testing::FakeBattery(50, true, true);
    BatteryInfo battery;
    ParseAll(battery, {"Width = 60", "Height = 24"});
    BatteryInfo plain;
    ParseAll(plain, {"CoolBattery = 0", "Width = 60", "Height = 24"});
    const int before = host::testing::LiveGdiObjects();
    battery.Draw(surface, 0, 0);
    plain.Draw(surface, 0, 0);
    EXPECT_EQ(host::testing::LiveGdiObjects(), before);
}

}  // namespace
