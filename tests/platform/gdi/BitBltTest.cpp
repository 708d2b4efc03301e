// BitBlt and StretchBlt between memory contexts: clipping to both surfaces,
// copies within one surface, stretching and mirroring.
#include <gtest/gtest.h>

#include <climits>

#include "platform/win32.h"
#include "tests/platform/gdi/DibCanvas.h"

using gditest::DibCanvas;
using gditest::kMarker;

namespace {

// A colour that names its pixel.
COLORREF Tag(int x, int y) { return RGB(16 * x + 1, 16 * y + 1, 77); }

void Paint(DibCanvas& canvas)
{
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x) SetPixel(canvas.dc(), x, y, Tag(x, y));
}

}  // namespace

TEST(BitBlt, CopiesTheAreaThatLiesOnBothSurfaces)
{
    struct Case {
        int x, y, width, height, sourceX, sourceY;
    } cases[] = {
        {1, 1, 3, 2, 2, 3},     // inside both
        {0, 0, 8, 6, 0, 0},     // the whole surface
        {-2, -1, 4, 4, 0, 0},   // over the destination's top-left corner
        {6, 4, 5, 5, 0, 0},     // over the destination's bottom-right corner
        {0, 0, 4, 4, -2, 3},    // source partly off its surface: that part is left alone
        {2, 2, 3, 3, 7, 5},     // source's last pixel only
        {3, 3, 1, 1, 0, 0},     // 1 x 1
        {3, 3, 0, 4, 0, 0},     // zero width
        {20, 20, 4, 4, 0, 0},   // wholly off the destination
    };
    DibCanvas source(8, 6);
    Paint(source);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y << " " << c.width << "x" << c.height << " from "
                                        << c.sourceX << "," << c.sourceY);
        DibCanvas destination(8, 6);
        EXPECT_TRUE(BitBlt(destination.dc(), c.x, c.y, c.width, c.height, source.dc(), c.sourceX, c.sourceY, SRCCOPY));
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 8; ++x) {
                int sx = x - c.x + c.sourceX, sy = y - c.y + c.sourceY;
                bool copied = x >= c.x && x < c.x + c.width && y >= c.y && y < c.y + c.height && sx >= 0 && sx < 8 &&
                              sy >= 0 && sy < 6;
                ASSERT_EQ(destination.Pixel(x, y), copied ? Tag(sx, sy) : kMarker) << x << "," << y;
            }
    }
}

TEST(BitBlt, OverlappingCopiesWithinOneSurfaceReadTheOriginal)
{
    struct Case {
        int dx, dy;
    } cases[] = {
        {1, 0},    // right
        {-1, 0},   // left
        {0, 1},    // down
        {0, -1},   // up
        {2, 2},    // down and right
        {-2, -1},  // up and left
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.dx << "," << c.dy);
        DibCanvas canvas(10, 8);
        Paint(canvas);
        BitBlt(canvas.dc(), 2 + c.dx, 1 + c.dy, 4, 4, canvas.dc(), 2, 1, SRCCOPY);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x) ASSERT_EQ(canvas.Pixel(2 + c.dx + x, 1 + c.dy + y), Tag(2 + x, 1 + y));
    }
}

TEST(BitBlt, RefusesBadContextsAndOtherRasterOperations)
{
    DibCanvas canvas(4, 4);
    EXPECT_FALSE(BitBlt(canvas.dc(), 0, 0, 4, 4, nullptr, 0, 0, SRCCOPY));
    EXPECT_FALSE(BitBlt(nullptr, 0, 0, 4, 4, canvas.dc(), 0, 0, SRCCOPY));
    EXPECT_FALSE(BitBlt(canvas.dc(), 0, 0, 4, 4, canvas.dc(), 0, 0, 0x00EE0086));  // SRCPAINT
    EXPECT_FALSE(StretchBlt(canvas.dc(), 0, 0, 4, 4, nullptr, 0, 0, 2, 2, SRCCOPY));
    EXPECT_EQ(canvas.Count(kMarker), 16);
}

TEST(BitBlt, FarCoordinatesAreClippedNotWrapped)
{
    DibCanvas source(4, 4), destination(4, 4);
    Paint(source);
    EXPECT_TRUE(BitBlt(destination.dc(), INT_MIN + 1, INT_MIN + 1, INT_MAX, INT_MAX, source.dc(), 0, 0, SRCCOPY));
    EXPECT_TRUE(BitBlt(destination.dc(), 0, 0, 4, 4, source.dc(), INT_MAX - 1, INT_MIN, SRCCOPY));
    EXPECT_TRUE(StretchBlt(destination.dc(), 0, 0, 4, 4, source.dc(), INT_MIN, INT_MIN, INT_MAX, INT_MAX, SRCCOPY));
    EXPECT_EQ(destination.Count(kMarker), 16);
}

// Negative extents are where Wine and Windows part: Wine walks back from
// the origin pixel itself, one pixel further than Windows.
TEST(BitBlt, NegativeExtentsCoverThePixelsBeforeTheOrigin)
{
    struct Case {
        int x, y, width, height, sourceX, sourceY;
        RECT copied;  // the destination pixels that are copied
        POINT from;   // the source of the copied area's top-left pixel
    } cases[] = {
        {5, 1, -2, 3, 2, 1, {3, 1, 5, 4}, {0, 1}},    // negative width
        {4, 4, -3, -3, 5, 5, {1, 1, 4, 4}, {2, 2}},   // negative width and height
        {3, 3, -2, 2, 0, 0, {}, {}},                  // the source before its origin lies off its surface
    };
    DibCanvas source(8, 6);
    Paint(source);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y << " " << c.width << "x" << c.height);
        DibCanvas destination(8, 6);
        EXPECT_TRUE(BitBlt(destination.dc(), c.x, c.y, c.width, c.height, source.dc(), c.sourceX, c.sourceY, SRCCOPY));
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 8; ++x) {
                bool copied = x >= c.copied.left && x < c.copied.right && y >= c.copied.top && y < c.copied.bottom;
                ASSERT_EQ(destination.Pixel(x, y),
                          copied ? Tag(c.from.x + x - c.copied.left, c.from.y + y - c.copied.top) : kMarker)
                    << x << "," << y;
            }
    }
    // Negative extents on both sides of a stretch mirror nothing either.
    DibCanvas destination(8, 6);
    EXPECT_TRUE(StretchBlt(destination.dc(), 6, 5, -4, -4, source.dc(), 4, 4, -2, -2, SRCCOPY));
    EXPECT_EQ(destination.Bounds(), (RECT{2, 1, 6, 5}));
    EXPECT_EQ(destination.Pixel(2, 1), Tag(2, 2));
    EXPECT_EQ(destination.Pixel(5, 4), Tag(3, 3));
}

namespace {

// A colour whose red and green each clear one bit per column and row, so
// that the AND of several pixels names the block it came from.
COLORREF BitTag(int x, int y) { return RGB(0xFF ^ (1 << x), 0xFF ^ (1 << y), 77); }

// Source pixels first ... last along one axis.
struct SourceRun {
    int first, last;
};

COLORREF AndOf(const SourceRun& columns, const SourceRun& rows)
{
    COLORREF pixel = 0xFFFFFF;
    for (int y = rows.first; y <= rows.last; ++y)
        for (int x = columns.first; x <= columns.last; ++x) pixel &= BitTag(x, y);
    return pixel;
}

}  // namespace

TEST(StretchBlt, RepeatsPixelsToEnlargeAndAndsThemToShrink)
{
    DibCanvas source(4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) SetPixel(source.dc(), x, y, BitTag(x, y));
    struct Case {
        int x, width, sourceX, sourceWidth;  // across; the rows are the same, or copied where `square` is false
        bool square;
        int left;      // the first destination column drawn
        SourceRun runs[8];   // the source columns of each destination column from `left` on
    } cases[] = {
        {1, 8, 0, 4, true, 1, {{0, 0}, {0, 0}, {1, 1}, {1, 1}, {2, 2}, {2, 2}, {3, 3}, {3, 3}}},  // twice the size
        {1, 6, 0, 4, true, 1, {{0, 0}, {0, 0}, {1, 1}, {2, 2}, {2, 2}, {3, 3}}},  // a tie takes the lower pixel
        {1, 3, 0, 4, true, 1, {{0, 0}, {1, 2}, {3, 3}}},                          // three quarters
        {1, 2, 0, 4, true, 1, {{0, 1}, {2, 3}}},                                  // half
        {1, 1, 0, 4, true, 1, {{0, 2}}},                    // one pixel leaves out the last source pixel
        {5, -4, 0, 4, false, 2, {{3, 3}, {2, 2}, {1, 1}, {0, 0}}},  // mirrored, back from the origin pixel
        {1, 4, 3, -4, false, 1, {{3, 3}, {2, 2}, {1, 1}, {0, 0}}},  // mirrored from the source's side
        {6, -2, 0, 4, false, 5, {{2, 3}, {0, 1}}},                  // mirrored and shrunk
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << " " << c.width << " from " << c.sourceX << " " << c.sourceWidth);
        DibCanvas destination(10, 10);
        int height = c.square ? c.width : 4;
        EXPECT_TRUE(StretchBlt(destination.dc(), c.x, 1, c.width, height, source.dc(), c.sourceX, 0, c.sourceWidth, 4,
                               SRCCOPY));
        int columns = c.width < 0 ? -c.width : c.width;
        for (int j = 0; j < height; ++j)
            for (int i = 0; i < columns; ++i) {
                SourceRun rows = c.square ? c.runs[j] : SourceRun{j, j};
                ASSERT_EQ(destination.Pixel(c.left + i, 1 + j), AndOf(c.runs[i], rows)) << i << "," << j;
            }
        EXPECT_EQ(destination.Bounds(), (RECT{c.left, 1, c.left + columns, 1 + height}));
    }
}

TEST(StretchBlt, ClipsToBothSurfacesAndCopiesWithinOne)
{
    DibCanvas source(4, 4);
    Paint(source);
    DibCanvas destination(6, 6);
    // 2x enlargement of a source area that half lies off the source: only
    // the pixels that map onto the source are drawn.
    StretchBlt(destination.dc(), -2, 0, 8, 8, source.dc(), 2, 0, 4, 4, SRCCOPY);
    EXPECT_EQ(destination.Bounds(), (RECT{0, 0, 2, 6}));
    EXPECT_EQ(destination.Pixel(0, 0), Tag(3, 0));
    EXPECT_EQ(destination.Pixel(1, 5), Tag(3, 2));

    DibCanvas canvas(8, 8);
    Paint(canvas);
    StretchBlt(canvas.dc(), 0, 0, 8, 8, canvas.dc(), 0, 0, 4, 4, SRCCOPY);  // enlarge onto itself
    EXPECT_EQ(canvas.Pixel(7, 7), Tag(3, 3));
    EXPECT_EQ(canvas.Pixel(2, 2), Tag(1, 1));
}

// Clipping leaves pixels out and never moves the others, mirrored or not;
// Wine shifts a mirror image whose source lies partly off its surface.
TEST(StretchBlt, ClippingAMirrorImageOnlyLeavesPixelsOut)
{
    DibCanvas source(4, 4);
    Paint(source);
    struct Case {
        int sourceWidth;    // from source column 5 leftwards, onto destination columns 0 ... 7
        RECT drawn;         // the destination pixels whose source lies on the source surface
        int sourceOfLeft;   // the source column of drawn.left
    } cases[] = {
        {-8, {2, 0, 6, 4}, 3},  // the same scale: columns 3 ... 0
        {-4, {4, 0, 8, 4}, 3},  // twice as wide: columns 3, 3, 2, 2
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sourceWidth);
        DibCanvas destination(10, 4);
        EXPECT_TRUE(StretchBlt(destination.dc(), 0, 0, 8, 4, source.dc(), 5, 0, c.sourceWidth, 4, SRCCOPY));
        EXPECT_EQ(destination.Bounds(), c.drawn);
        EXPECT_EQ(destination.Pixel(c.drawn.left, 0), Tag(c.sourceOfLeft, 0));
        EXPECT_EQ(destination.Pixel(c.drawn.right - 1, 3), Tag(c.sourceWidth == -8 ? 0 : 2, 3));
    }
}
