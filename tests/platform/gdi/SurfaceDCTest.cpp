// The window manager's contract with the GDI: contexts on host surfaces
// and the bounds of what was drawn on them. Host-only, unlike the other
// GDI tests.
#include <gtest/gtest.h>

#include <vector>

#include "platform/host/gdi/surface.h"
#include "platform/host/testing.h"
#include "tests/platform/gdi/DibCanvas.h"

namespace {

struct TestSurface {
    TestSurface(int width, int height) : pixels(size_t(width) * height, 0xCCCCCCCC)
    {
        surface = {width, height, reinterpret_cast<uint8_t*>(pixels.data()), ptrdiff_t(width) * 4};
    }
    std::vector<uint32_t> pixels;
    host::Surface surface;
};

}  // namespace

TEST(SurfaceDC, DrawsTopDownOnTheSurfaceAndReportsTheDrawnBounds)
{
    TestSurface window(20, 10);
    const int live = host::testing::LiveGdiObjects();
    HDC dc = host::gdi::CreateSurfaceDC(&window.surface);
    EXPECT_EQ(host::gdi::DrawnBounds(dc), RECT{});  // nothing drawn yet
    SetPixel(dc, 3, 2, RGB(0x11, 0x22, 0x33));
    EXPECT_EQ(window.pixels[2 * 20 + 3], 0x00112233u);  // row 2 from the top, BGRX
    RECT fill{15, 8, 40, 40};                            // runs off the surface
    FillRect(dc, &fill, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(host::gdi::DrawnBounds(dc), (RECT{3, 2, 20, 10}));
    // A window DC takes no bitmap.
    HBITMAP bitmap = CreateCompatibleBitmap(dc, 2, 2);
    EXPECT_EQ(SelectObject(dc, bitmap), nullptr);
    DeleteObject(bitmap);
    host::gdi::DeleteSurfaceDC(dc);
    EXPECT_EQ(host::testing::LiveGdiObjects(), live);
}

TEST(SurfaceDC, ANullSurfaceMeasuresButDrawsNothing)
{
    HDC screen = host::gdi::CreateSurfaceDC(nullptr);
    SIZE size{};
    EXPECT_TRUE(GetTextExtentPoint32W(screen, TEXT("Hi"), 2, &size));
    EXPECT_EQ(size.cy, 13);
    RECT r{0, 0, 10, 10};
    FillRect(screen, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    DrawTextW(screen, TEXT("Hi"), -1, &r, 0);
    EXPECT_EQ(host::gdi::DrawnBounds(screen), RECT{});
    host::gdi::DeleteSurfaceDC(screen);
}

TEST(SurfaceDC, BlitsBetweenAWindowAndABottomUpDib)
{
    TestSurface window(6, 4);
    HDC dc = host::gdi::CreateSurfaceDC(&window.surface);
    gditest::DibCanvas dib(6, 4);
    SetPixel(dib.dc(), 1, 0, RGB(1, 2, 3));
    BitBlt(dc, 0, 0, 6, 4, dib.dc(), 0, 0, SRCCOPY);
    EXPECT_EQ(window.pixels[1], 0x00010203u);  // top row stays the top row
    // On a window only the pixels that changed count as drawn, so only they are presented.
    EXPECT_EQ(host::gdi::DrawnBounds(dc), (RECT{1, 0, 2, 1}));
    host::gdi::DeleteSurfaceDC(dc);
}
