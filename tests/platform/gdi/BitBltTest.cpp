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
        {3, 3, -2, 2, 0, 0},    // negative width: nothing
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

TEST(StretchBlt, ScalesByNearestPixelCentres)
{
    DibCanvas source(4, 4);
    Paint(source);
    struct Case {
        int width, height;     // destination size for the whole 4 x 4 source
        int sourceOf[8];       // source column (and row) of each destination column (and row)
    } cases[] = {
        {8, 8, {0, 0, 1, 1, 2, 2, 3, 3}},  // twice the size
        {2, 2, {1, 3}},                    // half: the centres' pixels
        {3, 3, {0, 2, 3}},                 // three quarters
        {4, 4, {0, 1, 2, 3}},              // same size: a plain copy
        {-4, 4, {3, 2, 1, 0}},             // negative width: mirrored, columns counted from the left of x - 4
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
        DibCanvas destination(10, 10);
        int x = c.width < 0 ? 5 : 1;
        EXPECT_TRUE(StretchBlt(destination.dc(), x, 1, c.width, c.height, source.dc(), 0, 0, 4, 4, SRCCOPY));
        int left = c.width < 0 ? x + c.width : x, width = c.width < 0 ? -c.width : c.width;
        for (int j = 0; j < c.height; ++j)
            for (int i = 0; i < width; ++i)
                ASSERT_EQ(destination.Pixel(left + i, 1 + j), Tag(c.sourceOf[i], c.width < 0 ? j : c.sourceOf[j]))
                    << i << "," << j;
        EXPECT_EQ(destination.Bounds(), (RECT{left, 1, left + width, 1 + c.height}));
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
