#include "gauges/GraphInfo.h"

#include <gtest/gtest.h>

#include <string>

#include "gauges/BarPainter.h"
#include "platform/host/testing.h"
#include "tests/gauges/KeyLines.h"
#include "tests/gauges/SurfaceTest.h"

using namespace surfacetest;
using keylines::Parse;
using keylines::ParseAll;

namespace {

constexpr COLORREF kRed = RGB(0xFF, 0, 0);
constexpr COLORREF kGreen = RGB(0, 0xFF, 0);
// Where the graphs lie: 20 x 12 at (2, 3), no frame, so that row r of the
// graph is surface row 3 + r.
constexpr int kLeft = 2;
constexpr int kTop = 3;

class GraphInfoTest : public SurfaceTest {
protected:
    GraphInfoTest() : SurfaceTest(40, 24) {}

    // Graphs are made on an idle fake processor, whose first reading they take.
    void SetUp() override
    {
        SurfaceTest::SetUp();
        host::testing::FakeCpuLoad(0);
    }

    // A plain CPU graph in `style` without texts or grid, red line, green fill.
    static void MakePlain(GraphInfo& graph, const char* style)
    {
        ParseAll(graph, {"Source = CPU", "Width = 20", "Height = 12", "Cool = 0", "GridColor = -", "Label =",
                         "ShowValue = 0", "Color = FF0000", "FillColor = 00FF00"});
        Parse(graph, std::string("Style = ") + style);
    }

    // Draws the graph after a second at each load, as the panel's refresh
    // does: its first sample, then one per interval.
    void Feed(GraphInfo& graph, std::initializer_list<int> loads)
    {
        for (int load : loads) {
            host::testing::FakeCpuLoad(load);
            host::testing::AdvanceClock(1000);
            graph.IsDue();
            graph.Draw(surface, kLeft, kTop);
        }
    }

    // The graph's column `column` from the top, one letter a pixel: R red,
    // G green, . marker.
    std::string Column(int column) const
    {
        std::string pixels;
        for (int row = 0; row < 12; ++row) {
            const COLORREF color = PixelAt(surface, kLeft + column, kTop + row);
            pixels += color == kRed ? 'R' : color == kGreen ? 'G' : color == kMarkerColor ? '.' : '?';
        }
        return pixels;
    }
};

// 0 % is the bottom row (11), 100 % the top (0), 50 % row 11 - 5.5 rounded.
TEST_F(GraphInfoTest, LoadsOf0And50And100PercentLieOnTheirRows)
{
    GraphInfo graph;
    MakePlain(graph, "Line");
    Feed(graph, {0, 50, 100});
    EXPECT_EQ(Column(17), "...........R");
    EXPECT_EQ(Column(18), ".....RRRRRR.");  // from 50 % down to the row above 0 %
    EXPECT_EQ(Column(19), "RRRRR.......");
    // Left of the oldest sample nothing is drawn: no invented zeros.
    for (int column = 0; column < 17; ++column)
        EXPECT_EQ(Column(column), "............") << column;
}

TEST_F(GraphInfoTest, AreaFillsBelowTheLineAndBarsStandAlone)
{
    const struct {
        const char* style;
        const char* columns[3];
    } cases[] = {
        {"Area", {"...........R", ".....RRRRRRG", "RRRRRGGGGGGG"}},
        {"Bars", {"...........R", ".....RGGGGGG", "RGGGGGGGGGGG"}},
    };
    for (const auto& c : cases) {
        Fill(surface, kMarker);
        GraphInfo graph;
        MakePlain(graph, c.style);
        Feed(graph, {0, 50, 100});
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(Column(17 + i), c.columns[i]) << c.style << " column " << 17 + i;
    }
}

TEST_F(GraphInfoTest, AFailedReadingLeavesAGapAndTheGraphGoesOn)
{
    GraphInfo graph;
    MakePlain(graph, "Bars");
    Feed(graph, {100});
    host::testing::FakeNoIdleTime();
    host::testing::AdvanceClock(1000);
    ASSERT_TRUE(graph.IsDue());
    graph.Draw(surface, kLeft, kTop);
    // The first reading after the gap only starts the count again.
    Feed(graph, {0, 0, 100});
    EXPECT_EQ(Column(15), "............");
    EXPECT_EQ(Column(16), "RGGGGGGGGGGG");
    EXPECT_EQ(Column(17), "............");
    EXPECT_EQ(Column(18), "...........R");
    EXPECT_EQ(Column(19), "RGGGGGGGGGGG");
}

TEST_F(GraphInfoTest, ShiftedRedrawsEqualAWholePaint)
{
    GraphInfo graph;
    ParseAll(graph, {"Source = CPU", "Width = 16", "Height = 12", "Style = Area", "Label =", "ShowValue = 0"});
    for (int load : {10, 90, 40, 40, 70, 0, 100, 55, 20, 35, 80, 5, 60, 60, 95, 30, 15, 50, 75, 25})
        Feed(graph, {load});
    const std::vector<BYTE> shifted = Bytes(surface);
    // Elsewhere on the same background the picture is made afresh, whole.
    Fill(surface, kMarker);
    graph.Draw(surface, kLeft + 20, kTop);
    for (int row = 0; row < 12; ++row) {
        for (int column = 0; column < 16; ++column) {
            const BYTE* whole = surface.CursorAt(kLeft + 20 + column, kTop + row).rowStart;
            const BYTE* kept = &shifted[surface.CursorAt(kLeft + column, kTop + row).rowStart - surface.Pixels()];
            ASSERT_EQ(std::vector<BYTE>(whole, whole + 3), std::vector<BYTE>(kept, kept + 3))
                << "column " << column << " row " << row;
        }
    }
}

// The glass and frame are the cool bar's own; only the bar's fill end line
// (its column 1 at 0 %) is the bar's alone.
TEST_F(GraphInfoTest, TheCoolBackgroundIsTheCoolBarsGlassAndFrame)
{
    for (int y = 0; y < surface.Height(); ++y) {
        for (int x = 0; x < surface.Width(); ++x)
            SetPixelAt(surface, x, y, RGB(x * 6, y * 10, 0x80));
    }
    const std::vector<BYTE> background = Bytes(surface);
    GraphInfo graph;
    ParseAll(graph, {"Source = CPU", "Width = 30", "Height = 14", "GridColor = -", "Label =", "ShowValue = 0"});
    // Drawn at once: no time to measure a load over, so no sample.
    graph.Draw(surface, kLeft, kTop);
    ASSERT_EQ(graph.History().Count(), 0);
    const std::vector<BYTE> glass = Bytes(surface);

    std::copy(background.begin(), background.end(), surface.Pixels());
    GaugeRow row = {};
    row.flags = CoolStyle;
    row.dc = surface.Dc();
    row.x = kLeft;
    row.y = kTop;
    row.width = 30;
    row.rowHeight = 14;
    row.borderColor = RGB(0, 0, 0);
    row.lightColor = RGB(0xFF, 0xFF, 0xFF);
    row.blurColor = RGB(0x40, 0xFF, 0xFF);
    DrawCoolBar(surface, row, 0, 0);
    for (int y = 0; y < surface.Height(); ++y) {
        for (int x = 0; x < surface.Width(); ++x) {
            if (x == kLeft + 1 && y >= kTop && y < kTop + 14)
                continue;
            const size_t at = surface.CursorAt(x, y).rowStart - surface.Pixels();
            ASSERT_EQ(PixelAt(surface, x, y), RGB(glass[at + 2], glass[at + 1], glass[at])) << x << "," << y;
        }
    }
}

TEST_F(GraphInfoTest, RatesAndTemperaturesScaleToTheirLargestSample)
{
    host::testing::FakeTemperature(47);
    GraphInfo graph;
    ParseAll(graph, {"Source = TEMPERATURE", "Width = 20", "Height = 12"});
    graph.Draw(surface, kLeft, kTop);
    EXPECT_FLOAT_EQ(graph.Scale(), 50);
    host::testing::FakeTemperature(120);
    host::testing::AdvanceClock(1000);
    ASSERT_TRUE(graph.IsDue());
    graph.Draw(surface, kLeft, kTop);
    EXPECT_FLOAT_EQ(graph.Scale(), 200);
    Parse(graph, "Max = 150");
    EXPECT_FLOAT_EQ(graph.Scale(), 150);
    // A percentage tops at 100 unless Max = 0 asks for the largest.
    GraphInfo cpu;
    Parse(cpu, "Source = CPU");
    EXPECT_FLOAT_EQ(cpu.Scale(), 100);
    Parse(cpu, "Max = 0");
    EXPECT_FLOAT_EQ(cpu.Scale(), 1);
}

TEST_F(GraphInfoTest, BadValuesAreShownAndIgnored)
{
    GraphInfo graph;
    for (const char* line : {"Source = GPU", "Source = CPUX", "Width = 0", "Width = -20", "Width = 100000",
                             "Height = 0", "Height = -1", "Max = -1", "Interval = 0", "Style = Wavy",
                             "GridColor = 12", "Color = red"})
        keylines::ExpectIgnored(graph, line, "GraphInfo - Ignoriere Fehler:");
    EXPECT_EQ(graph.Height(), 40);
    EXPECT_EQ(graph.Interval(), 1000u);
    EXPECT_TRUE(Parse(graph, "Source = NETRX "));
    EXPECT_TRUE(Parse(graph, "Width = 960"));  // four times the 240-pixel screen
}

}  // namespace
