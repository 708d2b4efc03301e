#include "gauges/DiskInfo.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/host/testing.h"
#include "tests/gauges/KeyLines.h"
#include "tests/gauges/SurfaceTest.h"

using namespace surfacetest;
using keylines::Parse;
using keylines::ParseAll;

namespace {

constexpr ULONGLONG kGiB = 1ull << 30;
constexpr COLORREF kGreen = RGB(0, 0xFF, 0);

class DiskInfoTest : public SurfaceTest {
protected:
    DiskInfoTest() : SurfaceTest(200, 60) {}

    void SetUp() override
    {
        SurfaceTest::SetUp();
        host::testing::FakeDisk(3 * kGiB, 8 * kGiB);
    }

    // A measured disk gauge 100 pixels wide with a plain bar at rows 30-42.
    void MakePlainGauge(DiskInfo& disk)
    {
        ParseAll(disk, {"Folder = \\Storage Card", "CoolBar = 0", "Bar = 1", "Width = 100"});
        keylines::MeasureOnScreen(disk);
    }

    bool BarShown() const { return PixelAt(surface, 20, 36) == kGreen; }
};

TEST_F(DiskInfoTest, MeasuredHeightFollowsTheOptionKeys)
{
    const struct {
        std::initializer_list<const char*> lines;
        int height;
    } cases[] = {
        {{}, 43},                                       // 13 + 2 + 13 + 2 + 13
        {{"Percent = 0"}, 43},
        {{"CoolBar = 0"}, 30},                          // removes the bar entirely
        {{"CoolBar = 0", "Bar = 1"}, 43},               // a plain bar back
        {{"ShowPath = 0"}, 28},
        {{"ShowPath = 0", "Value = 0", "CoolBar = 0", "Percent = 0"}, 0},
    };
    for (const auto& c : cases) {
        DiskInfo disk;
        ParseAll(disk, c.lines);
        keylines::MeasureOnScreen(disk);
        EXPECT_EQ(disk.Height(), c.height) << (c.lines.size() ? *c.lines.begin() : "defaults");
    }
}

TEST_F(DiskInfoTest, BadLinesAreReportedAndIgnored)
{
    const struct {
        const char* line;
        const char* caption;
    } cases[] = {
        {"Folder =", "DiskInfo - Ignoriere Fehler:"},
        {"Folder", "DiskInfo - Ignoriere Fehler:"},
        {"TextColor = 12345", "DiskInfo - Ignoriere Fehler:"},   // five digits
        {"Percent=", "DiskInfo - Ignoriere Fehler:"},
        {"Flder = \\", "DesktopObject - Ignoriere unbekannten Wert:"},
    };
    for (const auto& c : cases) {
        host::testing::ClearMessageBoxes();
        DiskInfo disk;
        EXPECT_FALSE(Parse(disk, c.line)) << c.line;
        ASSERT_EQ(host::testing::MessageBoxes().size(), 1u) << c.line;
        EXPECT_EQ(testfiles::Utf8(host::testing::MessageBoxes()[0].caption), c.caption);
        EXPECT_EQ(host::testing::MessageBoxes()[0].style, 0x10030u);
    }
}

TEST_F(DiskInfoTest, BarShowsTheFreePartOfTheVolume)
{
    DiskInfo disk;
    MakePlainGauge(disk);
    Parse(disk, "Percent = 0");
    disk.Draw(surface, 0, 0);
    // 3 of 8 GiB: fraction 384, 37 of 100 columns, 37 % in the high colour.
    EXPECT_EQ(PixelAt(surface, 36, 31), kGreen);
    EXPECT_EQ(PixelAt(surface, 37, 31), kMarkerColor);
}

TEST_F(DiskInfoTest, RemovedCardShowsTheErrorUntilItIsBack)
{
    DiskInfo disk;
    MakePlainGauge(disk);
    disk.Draw(surface, 0, 0);
    EXPECT_TRUE(BarShown());

    host::testing::FakeDiskFailure();
    Fill(surface, kMarker);
    const std::vector<BYTE> before = Bytes(surface);
    disk.Draw(surface, 0, 0);
    EXPECT_FALSE(BarShown());
    EXPECT_NE(Bytes(surface), before);  // the error text
    EXPECT_TRUE(UnchangedOutside(surface, before, RECT{0, 0, 100, 43}));

    host::testing::FakeDisk(3 * kGiB, 8 * kGiB);
    disk.Draw(surface, 0, 0);
    EXPECT_TRUE(BarShown());
}

TEST_F(DiskInfoTest, GaugeWithoutFolderShowsTheErrorText)
{
    DiskInfo disk;
    ParseAll(disk, {"CoolBar = 0", "Bar = 1", "Width = 100"});
    keylines::MeasureOnScreen(disk);
    const std::vector<BYTE> before = Bytes(surface);
    disk.Draw(surface, 0, 0);
    EXPECT_FALSE(BarShown());
    EXPECT_NE(Bytes(surface), before);
}

TEST_F(DiskInfoTest, LongFolderPathIsShownInTheErrorText)
{
    // The error text is sized to the path; a fixed buffer would cut or overrun it.
    host::testing::FakeDiskFailure();
    DiskInfo disk;
    ParseAll(disk, {("Folder = \\" + std::string(600, 'a')).c_str(), "Width = 150"});
    keylines::MeasureOnScreen(disk);
    const std::vector<BYTE> before = Bytes(surface);
    disk.Draw(surface, 10, 5);
    EXPECT_NE(Bytes(surface), before);
    EXPECT_TRUE(UnchangedOutside(surface, before, RECT{10, 5, 160, 5 + 43}));
}

TEST_F(DiskInfoTest, RepeatedFolderKeysReleaseTheEarlierPath)
{
    // Checked by the leak detector of the sanitizer build.
    DiskInfo disk;
    EXPECT_TRUE(Parse(disk, "Folder = \\first"));
    EXPECT_TRUE(Parse(disk, "Folder = \\Storage Card\\with blanks "));
}

TEST_F(DiskInfoTest, NothingIsDrawnWithoutOptionsOrWithNegativeSizes)
{
    const std::vector<BYTE> before = Bytes(surface);
    const std::initializer_list<const char*> cases[] = {
        {"Folder = \\", "ShowPath = 0", "Value = 0", "CoolBar = 0", "Percent = 0", "Width = 100"},
        {"Folder = \\", "Width = -100", "Height = -43"},
    };
    for (const auto& lines : cases) {
        DiskInfo disk;
        ParseAll(disk, lines);
        disk.Draw(surface, 0, 0);
        EXPECT_EQ(Bytes(surface), before) << *lines.begin();
    }
    // The error text of a failed query is kept to an empty rectangle too.
    host::testing::FakeDiskFailure();
    DiskInfo disk;
    ParseAll(disk, {"Folder = \\", "Width = -100", "Height = -43"});
    disk.Draw(surface, 0, 0);
    EXPECT_EQ(Bytes(surface), before);
}

TEST_F(DiskInfoTest, DrawingReleasesWhatItMakes)
{
    DiskInfo disk;
    ParseAll(disk, {"Folder = \\", "Width = 150"});
    keylines::MeasureOnScreen(disk);
    const int before = host::testing::LiveGdiObjects();
    disk.Draw(surface, 0, 0);
    host::testing::FakeDiskFailure();
    disk.Draw(surface, 0, 0);
    EXPECT_EQ(host::testing::LiveGdiObjects(), before);
}

}  // namespace
