#include "gauges/MemoryInfo.h"

#include <gtest/gtest.h>

#include "platform/host/testing.h"
#include "tests/gauges/KeyLines.h"
#include "tests/gauges/SurfaceTest.h"

using namespace surfacetest;
using keylines::Parse;
using keylines::ParseAll;

namespace {

constexpr ULONGLONG kGiB = 1ull << 30;
constexpr COLORREF kGreen = RGB(0, 0xFF, 0);
constexpr COLORREF kBlack = RGB(0, 0, 0);

class MemoryInfoTest : public SurfaceTest {
protected:
    MemoryInfoTest() : SurfaceTest(140, 100) {}

    void SetUp() override
    {
        SurfaceTest::SetUp();
        host::testing::FakeMemory(32 << 20, 64 << 20, 1 << 20, 2 << 20);
    }
};

TEST_F(MemoryInfoTest, MeasuredHeightFollowsTheOptionKeys)
{
    const struct {
        std::initializer_list<const char*> lines;
        int height;
    } cases[] = {
        {{}, 45},                                                   // 3 x 13 + 4 + 2
        {{"PhysMemPercent = 0"}, 45},                               // no row of its own
        {{"PhysMemString = 0"}, 30},
        {{"CoolPhysMemBar = 0"}, 32},                               // removes the bar too
        {{"CoolPhysMemBar = 0", "PhysMemBar = 1"}, 45},             // a plain bar back
        {{"CoolVirtMemBar = 1"}, 58},                               // adds a virtual bar
        {{"VirtMemString = 1", "VirtMemValue = yes"}, 75},
        {{"PhysMemString = 0", "PhysMemValue = 0", "PhysMemBar = 0", "VirtMemBar = 1"}, 15},
        {{"PhysMemString = 0", "PhysMemValue = 0", "CoolPhysMemBar = 0", "PhysMemPercent = 0"}, 0},
    };
    for (const auto& c : cases) {
        MemoryInfo memory;
        ParseAll(memory, c.lines);
        keylines::MeasureOnScreen(memory);
        EXPECT_EQ(memory.Height(), c.height) << (c.lines.size() ? *c.lines.begin() : "defaults");
    }
}

TEST_F(MemoryInfoTest, BadLinesAreReportedAndIgnored)
{
    const struct {
        const char* line;
        const char* caption;
    } cases[] = {
        {"Color = FFF", "MemoryInfo - Ignoriere Fehler:"},          // a colour needs six characters
        {"BlurColor=", "MemoryInfo - Ignoriere Fehler:"},
        {"PhysMemBar", "MemoryInfo - Ignoriere Fehler:"},            // no "="
        {"Interval =   ", "MemoryInfo - Ignoriere Fehler:"},         // only blanks
        {"Colour = FF0000", "DesktopObject - Ignoriere unbekannten Wert:"},
        {"physMemBar = 1", "DesktopObject - Ignoriere unbekannten Wert:"},  // keys are case-sensitive
        {"Width", "DesktopObject - Ignoriere Fehler:"},
    };
    for (const auto& c : cases) {
        host::testing::ClearMessageBoxes();
        MemoryInfo memory;
        EXPECT_FALSE(Parse(memory, c.line)) << c.line;
        ASSERT_EQ(host::testing::MessageBoxes().size(), 1u) << c.line;
        const auto& box = host::testing::MessageBoxes()[0];
        EXPECT_EQ(testfiles::Utf8(box.caption), c.caption);
        EXPECT_EQ(testfiles::Utf8(box.text), c.line);
        EXPECT_EQ(box.style, 0x10030u);
    }
    MemoryInfo memory;
    host::testing::ClearMessageBoxes();
    EXPECT_TRUE(Parse(memory, "BackgroundColorCenter = 00FF00"));
    EXPECT_TRUE(Parse(memory, "Xpos = 5"));
    EXPECT_EQ(memory.X(), 5);
    EXPECT_TRUE(Parse(memory, "Interval = 1000"));
    EXPECT_EQ(memory.Interval(), 1000u);
    EXPECT_TRUE(host::testing::MessageBoxes().empty());
}

TEST_F(MemoryInfoTest, IntervalDefaultsToTenMinutes)
{
    EXPECT_EQ(MemoryInfo().Interval(), 600000u);
}

TEST_F(MemoryInfoTest, PlainBarShowsTheFreePartOfPhysicalMemory)
{
    MemoryInfo memory;
    ParseAll(memory, {"CoolPhysMemBar = 0", "PhysMemBar = 1", "PhysMemPercent = 0", "Width = 100"});
    keylines::MeasureOnScreen(memory);
    memory.Draw(surface, 10, 5);
    // 32 of 64 MB free: half the bar, in the high colour; the bar row starts
    // below label and value text at 2 x (13 + 2).
    EXPECT_EQ(PixelAt(surface, 20, 5 + 36), kGreen);
    EXPECT_EQ(PixelAt(surface, 59, 5 + 36), kGreen);
    EXPECT_EQ(PixelAt(surface, 60, 5 + 36), kMarkerColor);
    EXPECT_EQ(PixelAt(surface, 109, 5 + 30), kBlack);
    EXPECT_EQ(PixelAt(surface, 109, 5 + 29), kMarkerColor);
}

TEST_F(MemoryInfoTest, CountsAbove4GiBAreNotCut)
{
    // 6 of 8 GiB: cut to 32 bits they would read 2 GiB of nothing.
    host::testing::FakeMemory(6 * kGiB, 8 * kGiB, 0, 0);
    MemoryInfo memory;
    ParseAll(memory, {"PhysMemString = 0", "PhysMemValue = 0", "CoolPhysMemBar = 0", "PhysMemBar = 1",
                      "Width = 100"});
    keylines::MeasureOnScreen(memory);
    memory.Draw(surface, 0, 0);
    EXPECT_EQ(PixelAt(surface, 74, 6), kGreen);
    EXPECT_EQ(PixelAt(surface, 75, 6), kMarkerColor);
}

TEST_F(MemoryInfoTest, VirtualBlockStartsTwoBelowAnEmptyPhysicalBlock)
{
    MemoryInfo memory;
    ParseAll(memory, {"PhysMemString = 0", "PhysMemValue = 0", "CoolPhysMemBar = 0", "VirtMemBar = 1",
                      "Width = 100"});
    keylines::MeasureOnScreen(memory);
    memory.Draw(surface, 5, 5);
    EXPECT_EQ(PixelAt(surface, 50, 6), kMarkerColor);
    EXPECT_EQ(PixelAt(surface, 50, 7), kBlack);
    // 1 of 2 MB of address space free.
    EXPECT_EQ(PixelAt(surface, 54, 12), kGreen);
    EXPECT_EQ(PixelAt(surface, 55, 12), kMarkerColor);
}

TEST_F(MemoryInfoTest, UnmeasuredRowsShareTheConfiguredHeight)
{
    MemoryInfo memory;
    ParseAll(memory, {"CoolPhysMemBar = 0", "PhysMemBar = 1", "Width = 100", "Height = 40"});
    memory.Draw(surface, 0, 0);
    // 40 / 3 = 13 per row: the bar spans rows 30 to 42.
    EXPECT_EQ(PixelAt(surface, 99, 29), kMarkerColor);
    EXPECT_EQ(PixelAt(surface, 99, 30), kBlack);
    EXPECT_EQ(PixelAt(surface, 99, 42), kBlack);
    EXPECT_EQ(PixelAt(surface, 99, 43), kMarkerColor);
}

TEST_F(MemoryInfoTest, CoolStyleIsSharedByBothBars)
{
    // "CoolPhysMemBar" then "PhysMemBar = 0": no physical bar, but the
    // virtual bar is cool, so its empty part is frosted rather than left.
    const struct {
        const char* styleLine;
        bool frosted;
    } cases[] = {
        {"CoolPhysMemBar = 1", true},
        {"CoolPhysMemBar = 0", false},
    };
    host::testing::FakeMemory(1, 2, 0, 100);
    for (const auto& c : cases) {
        Fill(surface, kMarker);
        MemoryInfo memory;
        ParseAll(memory, {c.styleLine, "PhysMemBar = 0", "VirtMemBar = 1", "Width = 100"});
        keylines::MeasureOnScreen(memory);
        memory.Draw(surface, 0, 0);
        // The virtual bar lies 30 + 2 pixels down.
        EXPECT_EQ(PixelAt(surface, 50, 38) != kMarkerColor, c.frosted) << c.styleLine;
    }
}

TEST_F(MemoryInfoTest, NothingIsDrawnWithoutOptionsOrWithNegativeSizes)
{
    const std::vector<BYTE> before = Bytes(surface);
    const std::initializer_list<const char*> cases[] = {
        {"PhysMemString = 0", "PhysMemValue = 0", "CoolPhysMemBar = 0", "PhysMemPercent = 0", "Width = 100"},
        {"Width = -5", "Height = -40"},
        {"Width = -5", "Height = 40"},
    };
    for (const auto& lines : cases) {
        MemoryInfo memory;
        ParseAll(memory, lines);
        memory.Draw(surface, 0, 0);
        EXPECT_EQ(Bytes(surface), before) << *lines.begin();
    }
}

TEST_F(MemoryInfoTest, DrawingReleasesWhatItMakes)
{
    MemoryInfo memory;
    ParseAll(memory, {"VirtMemBar = 1", "VirtMemValue = 1", "Width = 120"});
    keylines::MeasureOnScreen(memory);
    const int before = host::testing::LiveGdiObjects();
    memory.Draw(surface, 0, 0);
    EXPECT_EQ(host::testing::LiveGdiObjects(), before);
}

}  // namespace
