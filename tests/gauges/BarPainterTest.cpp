#include "gauges/BarPainter.h"

#include <gtest/gtest.h>

#include "gauges/CoolBarMemo.h"
#include "platform/host/testing.h"
#include "tests/gauges/SurfaceTest.h"

using namespace surfacetest;

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

class BarPainterTest : public SurfaceTest {
protected:
    BarPainterTest() : SurfaceTest(120, 40) {}

    // The 100 x 16 bar of the worked numbers, at (10, 5).
    CoolBarStyle Bar(UINT fraction, const WCHAR* text = TEXT("")) const
    {
        return CoolBarStyle{kBlack, kBlack, kBlack, kWhite, 10, 5, 100, 16, 10, fraction, text};
    }

    // Pixel of the bar at (column, row) relative to its corner.
    COLORREF BarPixel(int column, int row) const { return PixelAt(surface, 10 + column, 5 + row); }

    GaugeRow Row(UINT flags, int width, int height) const
    {
        GaugeRow row = {};
        row.flags = flags;
        row.dc = surface.Dc();
        row.x = 10;
        row.y = 5;
        row.width = width;
        row.rowHeight = height;
        row.textColor = RGB(255, 0, 0);
        row.borderColor = RGB(0, 0, 0x80);
        row.lowColor = RGB(0xFF, 0, 0);
        row.highColor = RGB(0, 0xFF, 0);
        row.centerColor = RGB(0x60, 0xC0, 0);
        row.lightColor = kWhite;
        row.blurColor = RGB(0x40, 0xFF, 0xFF);
        return row;
    }
};

int Gray(int value)
{
    return RGB(value, value, value);
}

TEST_F(BarPainterTest, HalfFullCoolBarHasItsFillEndLineAtColumn50)
{
    PaintCoolBar(surface, Bar(512));
    for (int row = 0; row < 16; ++row)
        EXPECT_EQ(BarPixel(50, row), kWhite) << "row " << row;
    // Right of the line the interior is not touched.
    EXPECT_EQ(BarPixel(51, 8), kMarkerColor);
    EXPECT_EQ(BarPixel(51, 1), kMarkerColor);
    // The frame.
    EXPECT_EQ(BarPixel(0, 0), kWhite);
    EXPECT_EQ(BarPixel(99, 15), kWhite);
    EXPECT_EQ(BarPixel(0, 15), kWhite);
    EXPECT_EQ(BarPixel(99, 0), kWhite);
    EXPECT_EQ(PixelAt(surface, 9, 5), kMarkerColor);
    EXPECT_EQ(PixelAt(surface, 110, 5), kMarkerColor);
}

TEST_F(BarPainterTest, HighlightLightensTheUpperRowsByTheirFactors)
{
    PaintCoolBar(surface, Bar(512));
    // Column 6 of a black fill, away from the hatch; factors 110 ... 53 of
    // the way to white for rows 1 to 7, none below.
    const int factors[] = {110, 100, 91, 81, 72, 62, 53};
    for (int row = 1; row <= 7; ++row)
        EXPECT_EQ(BarPixel(6, row), Gray(255 * factors[row - 1] >> 8)) << "row " << row;
    EXPECT_EQ(BarPixel(6, 8), kBlack);
}

TEST_F(BarPainterTest, HatchRisesToTheRightEveryTenColumns)
{
    PaintCoolBar(surface, Bar(1024));
    // 48/256 of the way to the white border: 47. Row 9 is hatched at fill
    // columns 5, 15, ... (column 6, 16, ... of the bar), row 10 one further left.
    const int hatched = 255 * 48 >> 8;
    EXPECT_EQ(BarPixel(6, 9), Gray(hatched));
    EXPECT_EQ(BarPixel(16, 9), Gray(hatched));
    EXPECT_EQ(BarPixel(7, 9), kBlack);
    EXPECT_EQ(BarPixel(5, 10), Gray(hatched));
    EXPECT_EQ(BarPixel(6, 10), kBlack);
    EXPECT_EQ(BarPixel(1, 14), Gray(hatched));
}

TEST_F(BarPainterTest, GradientRunsThroughTheMiddleColourOverTheWholeBar)
{
    CoolBarStyle style = Bar(1024);
    style.gradientStart = RGB(200, 0, 0);
    style.gradientMiddle = RGB(0, 200, 0);
    style.gradientEnd = RGB(0, 0, 200);
    PaintCoolBar(surface, style);
    // Row 10: no highlight; hatched at columns 5, 15, ... which are avoided.
    const struct {
        int column;
        COLORREF color;
    } cases[] = {
        {1, RGB(200, 0, 0)},     // the start colour
        {26, RGB(100, 100, 0)},  // half way to the middle (m = 50)
        {49, RGB(8, 192, 0)},    // last column of a half-full bar
        {51, RGB(0, 200, 0)},    // the middle colour
        {76, RGB(0, 95, 104)},   // 25 of k = 48 columns towards the end
        {98, RGB(0, 4, 195)},    // last fill column
        {99, kWhite},            // full: the fill end line is the right frame
    };
    for (const auto& c : cases)
        EXPECT_EQ(BarPixel(c.column, 10), c.color) << "column " << c.column;
}

TEST_F(BarPainterTest, EmptyCoolBarShowsOnlyItsFrameAndTheLineAtColumn1)
{
    PaintCoolBar(surface, Bar(0));
    EXPECT_EQ(BarPixel(1, 8), kWhite);
    EXPECT_EQ(BarPixel(1, 1), kWhite);
    EXPECT_EQ(BarPixel(2, 1), kMarkerColor);
    EXPECT_EQ(BarPixel(2, 8), kMarkerColor);
}

TEST_F(BarPainterTest, PercentageIsHalfStrengthOverTheFillAndFullRightOfIt)
{
    // A black gradient on a black background, so that the text's own
    // coverage shows; the reference bar is empty, its text all full strength.
    DibSurface reference;
    ASSERT_TRUE(reference.Create(120, 40));
    for (DibSurface* target : {&reference, &surface}) {
        Fill(*target, 0);
        SetBkMode(target->Dc(), TRANSPARENT);
        SetTextColor(target->Dc(), kWhite);
    }
    PaintCoolBar(reference, Bar(0, TEXT("50%")));
    PaintCoolBar(surface, Bar(512, TEXT("50%")));

    int softened = 0;
    int full = 0;
    // Rows below the highlight and within the digits.
    for (int row = 8; row <= 10; ++row) {
        for (int column = 2; column <= 98; ++column) {
            if (column == 50 || (column - 1) % 10 == (14 - row) % 10)
                continue;  // the fill end line and the hatch
            const int text = GetRValue(PixelAt(reference, 10 + column, 5 + row));
            const int shown = GetRValue(BarPixel(column, row));
            if (column <= 49) {
                EXPECT_EQ(shown, text >> 1) << column << "," << row;
                softened += text != 0;
            } else {
                EXPECT_EQ(shown, text) << column << "," << row;
                full += text != 0;
            }
        }
    }
    EXPECT_GT(softened, 0);
    EXPECT_GT(full, 0);
}

TEST_F(BarPainterTest, EmptyPercentageTextLeavesTheFillUnchanged)
{
    PaintCoolBar(surface, Bar(700, nullptr));
    const std::vector<BYTE> withoutText = Bytes(surface);
    Fill(surface, kMarker);
    PaintCoolBar(surface, Bar(700, TEXT("")));
    EXPECT_EQ(Bytes(surface), withoutText);
}

TEST_F(BarPainterTest, TextLargerThanTheBarStaysInsideIt)
{
    const std::vector<BYTE> before = Bytes(surface);
    const struct {
        UINT width;
        UINT height;
    } cases[] = {
        {12, 16},  // "100%" is about three times as wide
        {40, 2},   // no interior: the font falls back to the default height
        {40, 3},   // a one-pixel interior
    };
    for (const auto& c : cases) {
        CoolBarStyle style = Bar(1024, TEXT("100%"));
        style.width = c.width;
        style.height = c.height;
        PaintCoolBar(surface, style);
        EXPECT_TRUE(UnchangedOutside(surface, before, RECT{10, 5, 10 + static_cast<LONG>(c.width), 5 + static_cast<LONG>(c.height)}))
            << c.width << "x" << c.height;
        Fill(surface, kMarker);
    }
}

TEST_F(BarPainterTest, CoolBarNotInsideTheSurfaceIsNotPainted)
{
    const std::vector<BYTE> before = Bytes(surface);
    const struct {
        UINT left, top, width, height;
    } cases[] = {
        {30, 5, 100, 16},         // one past the right edge
        {10, 30, 100, 16},        // past the bottom edge
        {121, 5, 2, 2},           // starts beyond the surface
        {10, 5, 1, 16},           // narrower than its frame
        {10, 5, 100, 1},          // flatter than its frame
        {10, 5, 0, 0},            // a gauge of width 0
        {0xFFFFFFF0u, 5, 32, 16}, // left + width wraps in 32 bits
    };
    for (const auto& c : cases) {
        CoolBarStyle style = Bar(512, TEXT("50%"));
        style.left = c.left;
        style.top = c.top;
        style.width = c.width;
        style.height = c.height;
        PaintCoolBar(surface, style);
        EXPECT_EQ(Bytes(surface), before) << c.left << "," << c.top << " " << c.width << "x" << c.height;
    }
    // Exactly touching the right and bottom edges is inside.
    CoolBarStyle style = Bar(512);
    style.left = 20;
    style.top = 24;
    PaintCoolBar(surface, style);
    EXPECT_EQ(PixelAt(surface, 119, 39), kWhite);
}

TEST_F(BarPainterTest, PlainBarSwitchesToTheHighColourAbove25Percent)
{
    const struct {
        UINT fraction;
        int fillEnd;       // first column right of the fill
        COLORREF inside;   // colour at column 12
    } cases[] = {
        {0, 10, kMarkerColor},        // frame only
        {266, 35, RGB(0xFF, 0, 0)},   // 25 %: low colour
        {267, 36, RGB(0, 0xFF, 0)},   // 26 %: high colour
        {1024, 110, RGB(0, 0xFF, 0)}, // fills the frame
    };
    for (const auto& c : cases) {
        Fill(surface, kMarker);
        DrawPlainBar(Row(BarRow, 100, 10), 2, c.fraction);
        EXPECT_EQ(PixelAt(surface, 12, 12), c.inside) << c.fraction;
        if (c.fillEnd > 11 && c.fillEnd < 109) {
            EXPECT_EQ(PixelAt(surface, c.fillEnd - 1, 12), c.inside) << c.fraction;
            EXPECT_EQ(PixelAt(surface, c.fillEnd, 12), kMarkerColor) << c.fraction;
        }
        // The frame, offset 2 below the row's top.
        EXPECT_EQ(PixelAt(surface, 10, 7), RGB(0, 0, 0x80));
        EXPECT_EQ(PixelAt(surface, 109, 16), RGB(0, 0, 0x80));
        EXPECT_EQ(PixelAt(surface, 50, 6), kMarkerColor);
        EXPECT_EQ(PixelAt(surface, 50, 17), kMarkerColor);
    }
}

TEST_F(BarPainterTest, PlainBarWritesItsPercentageInTheTextColour)
{
    // Red text over the grey marker shows as pixels redder than they are green.
    auto reddish = [this] {
        int count = 0;
        for (int y = 6; y < 24; ++y) {
            for (int x = 11; x < 109; ++x)
                count += GetRValue(PixelAt(surface, x, y)) > GetGValue(PixelAt(surface, x, y)) + 16;
        }
        return count;
    };
    SetTextColor(surface.Dc(), RGB(1, 2, 3));
    DrawPlainBar(Row(BarRow | PercentText, 100, 20), 0, 0);
    EXPECT_GT(reddish(), 0);
    EXPECT_EQ(GetTextColor(surface.Dc()), RGB(1, 2, 3));

    Fill(surface, kMarker);
    DrawPlainBar(Row(BarRow, 100, 20), 0, 0);
    EXPECT_EQ(reddish(), 0);
}

TEST_F(BarPainterTest, CoolBarFrostsTheBackgroundBeyondTheFill)
{
    DrawCoolBar(surface, Row(BarRow, 100, 16), 0, 0);
    // One tint pass: (28 x 0xCC + 4 x blur colour) / 32; the plain passes
    // and the glow leave an even area far from the frame as it is.
    EXPECT_EQ(PixelAt(surface, 60, 13), RGB((28 * 0xCC + 4 * 0x40) >> 5, (28 * 0xCC + 4 * 0xFF) >> 5,
                                             (28 * 0xCC + 4 * 0xFF) >> 5));
    // The frame in the border colour, outside untouched.
    EXPECT_EQ(PixelAt(surface, 10, 5), RGB(0, 0, 0x80));
    EXPECT_EQ(PixelAt(surface, 9, 5), kMarkerColor);
}

TEST_F(BarPainterTest, CoolBarBeyondTheScratchSizeIsFrostedWhole)
{
    const struct {
        int surfaceWidth, surfaceHeight, barWidth, barHeight;
    } cases[] = {
        {420, 40, 400, 16},  // wider than 320
        {120, 80, 100, 60},  // taller than 48
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(surface.Create(c.surfaceWidth, c.surfaceHeight));
        Fill(surface, kMarker);
        DrawCoolBar(surface, Row(BarRow, c.barWidth, c.barHeight), 0, 0);
        const int column = 10 + c.barWidth - 6;
        const int row = 5 + c.barHeight - 6;
        EXPECT_NE(PixelAt(surface, column, row), kMarkerColor) << c.barWidth << "x" << c.barHeight;
        EXPECT_EQ(PixelAt(surface, 10 + c.barWidth - 1, row), RGB(0, 0, 0x80));
    }
}

TEST_F(BarPainterTest, CoolBarThatDoesNotFitIsNotDrawnAtAll)
{
    const std::vector<BYTE> before = Bytes(surface);
    const struct {
        int width, height, offset;
    } cases[] = {
        {111, 16, 0},   // one past the right edge
        {100, 16, 20},  // past the bottom edge
        {1, 16, 0},     // narrower than 2
        {0, 16, 0},
        {-40, 16, 0},
        {100, -16, 0},
    };
    for (const auto& c : cases) {
        DrawCoolBar(surface, Row(BarRow | PercentText, c.width, c.height), c.offset, 512);
        EXPECT_EQ(Bytes(surface), before) << c.width << "x" << c.height;
    }
}

TEST_F(BarPainterTest, OverfullCoolBarShowsTheFullPercentage)
{
    // A fraction above 1024 fills the bar; its own percentage would not fit
    // the eight-character text.
    DrawCoolBar(surface, Row(BarRow | PercentText, 100, 16), 0, 1024);
    const std::vector<BYTE> full = Bytes(surface);
    Fill(surface, kMarker);
    DrawCoolBar(surface, Row(BarRow | PercentText, 100, 16), 0, 0xFFFFFFFFu);
    EXPECT_EQ(Bytes(surface), full);
}

// A remembered bar is what painting gives: over other pixels, with another
// fill or another text colour it is painted anew.
TEST_F(BarPainterTest, RememberedCoolBarEqualsAFreshPaint)
{
    CoolBarMemo memo;
    GaugeRow remembered = Row(BarRow | PercentText, 100, 16);
    remembered.barMemo = &memo;
    const auto paint = [&](BYTE under, UINT fraction, COLORREF textColor) {
        SetTextColor(surface.Dc(), textColor);
        Fill(surface, under);
        DrawCoolBar(surface, Row(BarRow | PercentText, 100, 16), 0, fraction);
        const std::vector<BYTE> fresh = Bytes(surface);
        Fill(surface, under);
        DrawCoolBar(surface, remembered, 0, fraction);
        return Bytes(surface) == fresh;
    };
    EXPECT_TRUE(paint(kMarker, 300, kBlack));
    EXPECT_TRUE(paint(kMarker, 300, kBlack));  // copied
    EXPECT_TRUE(paint(0x40, 300, kBlack));
    EXPECT_TRUE(paint(0x40, 600, kBlack));
    EXPECT_TRUE(paint(0x40, 600, kWhite));
    EXPECT_TRUE(paint(0x40, 600, kWhite));
}

TEST_F(BarPainterTest, BarsReleaseWhatTheyMake)
{
    const int before = host::testing::LiveGdiObjects();
    DrawCoolBar(surface, Row(BarRow | PercentText, 100, 16), 0, 300);
    DrawPlainBar(Row(BarRow | PercentText, 100, 16), 0, 300);
    EXPECT_EQ(host::testing::LiveGdiObjects(), before);
}

}  // namespace
