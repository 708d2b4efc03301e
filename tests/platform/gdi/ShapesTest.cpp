// FillRect, Rectangle, lines and pixels, checked pixel by pixel on a
// marker-filled DIB section.
#include <gtest/gtest.h>

#include <climits>

#include <functional>

#include "platform/win32.h"
#include "tests/platform/gdi/DibCanvas.h"

using gditest::DibCanvas;
using gditest::kMarker;

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

bool Inside(const RECT& r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

// Every pixel of the canvas is `expected(x, y)`; reports the first that is not.
void ExpectPixels(const DibCanvas& canvas, const std::function<COLORREF(int, int)>& expected)
{
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x)
            if (canvas.Pixel(x, y) != expected(x, y)) {
                ADD_FAILURE() << "pixel (" << x << ", " << y << ") is " << std::hex << canvas.Pixel(x, y)
                              << ", expected " << expected(x, y);
                return;
            }
}

// Selects a pen and brush into the canvas for one test and frees them.
struct Tools {
    Tools(HDC dc, HPEN pen, HBRUSH brush) : dc(dc), pen(pen), brush(brush)
    {
        oldPen = SelectObject(dc, pen);
        oldBrush = SelectObject(dc, brush);
    }
    ~Tools()
    {
        SelectObject(dc, oldPen);
        SelectObject(dc, oldBrush);
        DeleteObject(pen);
        DeleteObject(brush);
    }
    HDC dc;
    HPEN pen;
    HBRUSH brush;
    HGDIOBJ oldPen, oldBrush;
};

}  // namespace

TEST(FillRect, FillsExactlyTheRectangleClippedToTheSurface)
{
    struct Case {
        RECT rect;
        RECT filled;
    } cases[] = {
        {{2, 2, 5, 4}, {2, 2, 5, 4}},          // inside: right and bottom edges excluded
        {{0, 0, 10, 8}, {0, 0, 10, 8}},        // the whole surface
        {{-3, -3, 2, 2}, {0, 0, 2, 2}},        // over the top-left corner
        {{8, 6, 20, 20}, {8, 6, 10, 8}},       // over the bottom-right corner
        {{3, 3, 4, 4}, {3, 3, 4, 4}},          // 1 x 1
        {{3, 3, 3, 6}, {}},                    // zero width
        {{3, 3, 6, 3}, {}},                    // zero height
        {{20, 20, 30, 30}, {}},                // wholly outside
        {{-100000, 4, 100000, 5}, {0, 4, 10, 5}},  // far beyond both sides
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rect.left << "," << c.rect.top << "," << c.rect.right << "," << c.rect.bottom);
        DibCanvas canvas(10, 8);
        HBRUSH brush = CreateSolidBrush(kRed);
        EXPECT_TRUE(FillRect(canvas.dc(), &c.rect, brush));
        DeleteObject(brush);
        ExpectPixels(canvas, [&](int x, int y) { return Inside(c.filled, x, y) ? kRed : kMarker; });
    }
}

// Like PatBlt beneath it, which takes a negative extent as the pixels
// before the origin; Wine takes one pixel more on the origin's side.
TEST(FillRect, TakesSwappedCornersAsTheSameRectangle)
{
    DibCanvas canvas(10, 8);
    HBRUSH brush = CreateSolidBrush(kRed);
    RECT swapped{5, 5, 2, 2};
    EXPECT_TRUE(FillRect(canvas.dc(), &swapped, brush));
    DeleteObject(brush);
    ExpectPixels(canvas, [](int x, int y) { return Inside(RECT{2, 2, 5, 5}, x, y) ? kRed : kMarker; });
}

TEST(FillRect, RefusesBadArguments)
{
    DibCanvas canvas(4, 4);
    RECT r{0, 0, 4, 4};
    HBRUSH brush = CreateSolidBrush(kRed);
    EXPECT_FALSE(FillRect(nullptr, &r, brush));
    EXPECT_FALSE(FillRect(canvas.dc(), &r, reinterpret_cast<HBRUSH>(GetStockObject(NULL_BRUSH))));
    DeleteObject(brush);
    EXPECT_FALSE(FillRect(canvas.dc(), &r, brush));  // deleted brush
    EXPECT_EQ(canvas.Count(kMarker), 16);
}

TEST(FillRect, TakesASystemColourIndexPlusOneAsBrush)
{
    DibCanvas canvas(4, 4);
    RECT r{0, 0, 2, 2};
    EXPECT_TRUE(FillRect(canvas.dc(), &r, reinterpret_cast<HBRUSH>(COLOR_BTNSHADOW + 1)));
    EXPECT_EQ(canvas.Pixel(1, 1), GetSysColor(COLOR_BTNSHADOW));
}

TEST(Rectangle, StrokesTheOutlineInsideTheEdgesAndFillsTheInterior)
{
    struct Case {
        RECT args;
        RECT outline;  // outer bounds of the outline; the interior is one pixel in
    } cases[] = {
        {{1, 1, 6, 5}, {1, 1, 6, 5}},      // plain
        {{6, 5, 1, 1}, {1, 1, 6, 5}},      // corners given the other way round
        {{2, 2, 4, 4}, {2, 2, 4, 4}},      // 2 x 2: outline only
        {{3, 3, 4, 6}, {3, 3, 4, 6}},      // one pixel wide: a bar
        {{-2, -2, 3, 3}, {-2, -2, 3, 3}},  // over the top-left corner
        {{7, 5, 12, 12}, {7, 5, 12, 12}},  // over the bottom-right corner
        {{4, 4, 4, 4}, {}},                // empty
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.args.left << "," << c.args.top << "," << c.args.right << "," << c.args.bottom);
        DibCanvas canvas(10, 8);
        Tools tools(canvas.dc(), CreatePen(PS_SOLID, 1, kBlue), CreateSolidBrush(kRed));
        EXPECT_TRUE(Rectangle(canvas.dc(), c.args.left, c.args.top, c.args.right, c.args.bottom));
        RECT interior{c.outline.left + 1, c.outline.top + 1, c.outline.right - 1, c.outline.bottom - 1};
        ExpectPixels(canvas, [&](int x, int y) {
            if (Inside(interior, x, y)) return kRed;
            return Inside(c.outline, x, y) ? kBlue : kMarker;
        });
    }
}

TEST(Rectangle, NullBrushLeavesTheInteriorAndNullPenFillsUpToTheOutline)
{
    DibCanvas canvas(10, 8);
    SelectObject(canvas.dc(), GetStockObject(NULL_BRUSH));
    Rectangle(canvas.dc(), 1, 1, 6, 5);
    ExpectPixels(canvas, [](int x, int y) {
        bool edge = x == 1 || x == 5 || y == 1 || y == 4;
        return edge && x >= 1 && x <= 5 && y >= 1 && y <= 4 ? RGB(0, 0, 0) : kMarker;
    });

    DibCanvas other(10, 8);
    SelectObject(other.dc(), GetStockObject(NULL_PEN));
    SelectObject(other.dc(), GetStockObject(BLACK_BRUSH));
    Rectangle(other.dc(), 1, 1, 6, 5);
    // Without a pen the interior takes the outline's place but for the
    // right and bottom edges, as on Windows.
    ExpectPixels(other, [](int x, int y) { return Inside(RECT{1, 1, 5, 4}, x, y) ? RGB(0, 0, 0) : kMarker; });
}

TEST(Rectangle, WidePenIsCentredOnTheOutline)
{
    DibCanvas canvas(20, 20);
    Tools tools(canvas.dc(), CreatePen(PS_SOLID, 3, kBlue), CreateSolidBrush(kRed));
    Rectangle(canvas.dc(), 5, 5, 15, 15);
    EXPECT_EQ(canvas.Bounds(), (RECT{4, 4, 16, 16}));  // one pixel out on each side
    EXPECT_EQ(canvas.Pixel(6, 10), kBlue);              // one pixel in
    EXPECT_EQ(canvas.Pixel(7, 10), kRed);               // the interior
    EXPECT_EQ(canvas.Pixel(10, 10), kRed);
}

// A far edge that wrapped around (1 + 2147483647) leaves a rectangle as wide
// as the number range: only its right edge, column 0, is on the surface.
TEST(Rectangle, EdgesAtTheEndsOfTheNumberRangeDrawTheVisiblePart)
{
    DibCanvas canvas(10, 8);
    Rectangle(canvas.dc(), 1, 2, INT_MIN, 5);
    ExpectPixels(canvas, [](int x, int y) { return x == 0 && y >= 2 && y <= 4 ? RGB(0, 0, 0) : kMarker; });
}

TEST(LineTo, DrawsFromTheCurrentPositionAndLeavesOutTheEndPoint)
{
    struct Case {
        POINT from, to;
        std::vector<POINT> pixels;
    } cases[] = {
        {{1, 2}, {6, 2}, {{1, 2}, {2, 2}, {3, 2}, {4, 2}, {5, 2}}},  // rightwards
        {{6, 2}, {1, 2}, {{6, 2}, {5, 2}, {4, 2}, {3, 2}, {2, 2}}},  // leftwards
        {{3, 1}, {3, 4}, {{3, 1}, {3, 2}, {3, 3}}},                  // downwards
        {{3, 4}, {3, 1}, {{3, 4}, {3, 3}, {3, 2}}},                  // upwards
        {{0, 0}, {4, 4}, {{0, 0}, {1, 1}, {2, 2}, {3, 3}}},          // diagonal
        {{4, 0}, {0, 4}, {{4, 0}, {3, 1}, {2, 2}, {1, 3}}},          // anti-diagonal
        {{0, 0}, {4, 2}, {{0, 0}, {1, 0}, {2, 1}, {3, 1}}},          // shallow: halves round up
        {{4, 2}, {0, 0}, {{4, 2}, {3, 1}, {2, 1}, {1, 0}}},          // the same line backwards, the same halves
        {{0, 2}, {4, 0}, {{0, 2}, {1, 1}, {2, 1}, {3, 0}}},          // rising: halves still round up
        {{0, 0}, {2, 4}, {{0, 0}, {0, 1}, {1, 2}, {1, 3}}},          // steep: halves round left
        {{2, 0}, {0, 4}, {{2, 0}, {1, 1}, {1, 2}, {0, 3}}},          // steep leftwards: halves round left
        {{2, 2}, {2, 2}, {}},                                        // zero length: nothing
        {{-5, 3}, {3, 3}, {{0, 3}, {1, 3}, {2, 3}}},                 // from off the surface
        {{6, 5}, {6, 50}, {{6, 5}, {6, 6}, {6, 7}}},                 // out of the surface
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.from.x << "," << c.from.y << " -> " << c.to.x << "," << c.to.y);
        DibCanvas canvas(10, 8);
        MoveToEx(canvas.dc(), c.from.x, c.from.y, nullptr);
        EXPECT_TRUE(LineTo(canvas.dc(), c.to.x, c.to.y));
        ExpectPixels(canvas, [&](int x, int y) {
            for (POINT p : c.pixels)
                if (p.x == x && p.y == y) return RGB(0, 0, 0);
            return kMarker;
        });
    }
}

TEST(LineTo, FarEndPointsAreClippedWithoutChangingTheSlope)
{
    DibCanvas canvas(10, 10);
    MoveToEx(canvas.dc(), -1000000, -1000000, nullptr);
    LineTo(canvas.dc(), 1000000, 1000000);
    ExpectPixels(canvas, [](int x, int y) { return x == y ? RGB(0, 0, 0) : kMarker; });
}

// Pen widths come from panel files (a battery's height): a huge one must
// neither take long nor fail.
TEST(LineTo, AHugePenCoversTheSurface)
{
    DibCanvas canvas(10, 10);
    Tools tools(canvas.dc(), CreatePen(PS_SOLID, 100000, kBlue), CreateSolidBrush(kRed));
    MoveToEx(canvas.dc(), 2, 3, nullptr);
    EXPECT_TRUE(LineTo(canvas.dc(), 7, 8));
    EXPECT_EQ(canvas.Count(kBlue), 100);
}

TEST(LineTo, MovesTheCurrentPositionSoPolylinesJoin)
{
    DibCanvas canvas(10, 10);
    POINT previous{-1, -1};
    MoveToEx(canvas.dc(), 1, 1, &previous);
    EXPECT_EQ(previous.x, 0);
    EXPECT_EQ(previous.y, 0);
    LineTo(canvas.dc(), 8, 1);
    LineTo(canvas.dc(), 8, 8);
    LineTo(canvas.dc(), 1, 8);
    LineTo(canvas.dc(), 1, 1);
    MoveToEx(canvas.dc(), 0, 0, &previous);
    EXPECT_EQ(previous.x, 1);
    EXPECT_EQ(previous.y, 1);
    // A closed frame: every corner drawn once, nothing else.
    ExpectPixels(canvas, [](int x, int y) {
        bool frame = (x == 1 || x == 8 || y == 1 || y == 8) && x >= 1 && x <= 8 && y >= 1 && y <= 8;
        return frame ? RGB(0, 0, 0) : kMarker;
    });
}

TEST(LineTo, WidePensAreCentredWithRoundEnds)
{
    struct Case {
        int width;
        RECT bounds;   // of the whole line from (4, 6) to (12, 6)
        int pixels;
    } cases[] = {
        {2, {3, 5, 13, 7}, 20},   // even: rows 5 and 6; ends one pixel out
        {3, {3, 5, 14, 8}, 29},   // odd: rows 5 to 7 around row 6; the ends are plus-shaped
        {0, {4, 6, 12, 7}, 8},    // width 0 is one pixel
        {1, {4, 6, 12, 7}, 8},    // one pixel, end point excluded
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width);
        DibCanvas canvas(16, 12);
        Tools tools(canvas.dc(), CreatePen(PS_SOLID, c.width, kBlue), CreateSolidBrush(kRed));
        MoveToEx(canvas.dc(), 4, 6, nullptr);
        LineTo(canvas.dc(), 12, 6);
        EXPECT_EQ(canvas.Bounds(), c.bounds);
        EXPECT_EQ(canvas.Count(kBlue), c.pixels);
    }
}

TEST(LineTo, WidePenEndsAndJoinsAreRound)
{
    DibCanvas canvas(24, 24);
    Tools tools(canvas.dc(), CreatePen(PS_SOLID, 5, kBlue), CreateSolidBrush(kRed));
    MoveToEx(canvas.dc(), 4, 4, nullptr);
    LineTo(canvas.dc(), 16, 4);
    LineTo(canvas.dc(), 16, 16);
    EXPECT_EQ(canvas.Pixel(2, 4), kBlue);     // the cap reaches two pixels back
    EXPECT_EQ(canvas.Pixel(2, 2), kMarker);   // but its corner is cut round
    EXPECT_EQ(canvas.Pixel(18, 4), kBlue);    // the join reaches out along both lines
    EXPECT_EQ(canvas.Pixel(16, 2), kBlue);
    EXPECT_EQ(canvas.Pixel(18, 2), kMarker);  // a mitred join would fill this corner
    EXPECT_EQ(canvas.Pixel(16, 18), kBlue);   // the far end has its cap too
    EXPECT_EQ(canvas.Pixel(16, 19), kMarker);
}

// Pictures of wide lines as Windows draws them: the segment's outline with
// its corners rounded to whole pixels, and a round end at each end point.
TEST(LineTo, WideDiagonalsAndRoundEndsHaveTheirExactShape)
{
    struct Case {
        int width;
        POINT from, to;
        const char* picture[12];  // 18 x 12, "#" for the pen
    } cases[] = {
        {3, {2, 3}, {15, 7},  // shallow, down to the right
         {"..................", "..................", "..#####...........", ".#########........",
          "..###########.....", "......##########..", ".........#######..", "............#####.",
          "...............#..", "..................", "..................", ".................."}},
        {2, {3, 10}, {12, 2},  // steep, up to the right: an even width
         {"..................", "...........##.....", "..........###.....", ".........####.....",
          "........####......", ".......####.......", "......####........", ".....####.........",
          "....####..........", "..#####...........", "..####............", ".................."}},
        {4, {15, 3}, {4, 9},  // down to the left
         {"..................", "..............##..", ".............####.", "...........######.",
          ".........#######..", ".......#########..", ".....##########...", "...##########.....",
          "..#########.......", "..#######.........", "...####...........", ".................."}},
        {6, {8, 6}, {8, 6},  // no length: the round end alone, cut at its corners
         {"..................", "..................", "..................", ".......##.........",
          "......####........", ".....######.......", ".....######.......", "......####........",
          ".......##.........", "..................", "..................", ".................."}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width);
        DibCanvas canvas(18, 12);
        Tools tools(canvas.dc(), CreatePen(PS_SOLID, c.width, kBlue), CreateSolidBrush(kRed));
        MoveToEx(canvas.dc(), c.from.x, c.from.y, nullptr);
        LineTo(canvas.dc(), c.to.x, c.to.y);
        ExpectPixels(canvas, [&](int x, int y) { return c.picture[y][x] == '#' ? kBlue : kMarker; });
    }
}

TEST(Pixels, SetAndGetAddressTheDibFromTheTop)
{
    struct Case {
        int x, y;
        bool inside;
    } cases[] = {
        {0, 0, true},    // top-left: the last row in memory
        {5, 3, true},    // bottom-right
        {-1, 0, false},  // one left of the surface
        {6, 0, false},   // one right
        {0, 4, false},   // one below
        {0, -1, false},  // one above
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        DibCanvas canvas(6, 4);
        COLORREF set = SetPixel(canvas.dc(), c.x, c.y, RGB(1, 2, 3));
        if (c.inside) {
            EXPECT_EQ(set, RGB(1, 2, 3));  // outside, some systems answer -1, some the colour
        }
        EXPECT_EQ(GetPixel(canvas.dc(), c.x, c.y), c.inside ? RGB(1, 2, 3) : CLR_INVALID);
        EXPECT_EQ(canvas.Count(RGB(1, 2, 3)), c.inside ? 1 : 0);
        if (c.inside) {
            EXPECT_EQ(canvas.Pixel(c.x, c.y), RGB(1, 2, 3));
        }
    }
}

TEST(Shapes, ScreenContextsMeasureButDrawNothing)
{
    HDC screen = CreateCompatibleDC(nullptr);  // holds only the 1 x 1 stock bitmap
    RECT r{0, 0, 100, 100};
    EXPECT_TRUE(FillRect(screen, &r, reinterpret_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))));
    EXPECT_TRUE(Rectangle(screen, -5, -5, 50, 50));
    EXPECT_TRUE(LineTo(screen, 40, 30));
    DeleteDC(screen);
}
