#include "gauges/VerticalGradient.h"

#include <gtest/gtest.h>

#include "platform/host/testing.h"
#include "tests/gauges/SurfacePixels.h"

using namespace surfacetest;

namespace {

constexpr DWORD kOpaqueBlack = 0xFF000000;
constexpr DWORD kOpaqueWhite = 0xFFFFFFFF;

class VerticalGradientTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        host::testing::ResetHost();
        ASSERT_TRUE(surface.Create(20, 10));
        Fill(surface, 0);
    }

    DibSurface surface;
};

TEST_F(VerticalGradientTest, RowsBlendFromTheBottomColourTowardsTheTop)
{
    VerticalGradient(surface, RECT{2, 3, 5, 7}, kOpaqueBlack, kOpaqueWhite);
    // Targets 63, 127, 191, 255 from the top; alpha 255 stops one step short.
    const int expected[] = {62, 126, 190, 254};
    for (int row = 0; row < 4; ++row) {
        for (int column = 2; column < 5; ++column)
            EXPECT_EQ(PixelAt(surface, column, 3 + row), RGB(expected[row], expected[row], expected[row])) << row;
    }
    EXPECT_EQ(PixelAt(surface, 5, 3), RGB(0, 0, 0));
    EXPECT_EQ(PixelAt(surface, 2, 7), RGB(0, 0, 0));
}

TEST_F(VerticalGradientTest, DarkeningReachesItsTarget)
{
    // The shift floors, so moving down lands exactly where moving up falls short.
    Fill(surface, 0xFF);
    VerticalGradient(surface, RECT{0, 0, 20, 1}, kOpaqueBlack, kOpaqueBlack);
    EXPECT_EQ(PixelAt(surface, 7, 0), RGB(0, 0, 0));
}

TEST_F(VerticalGradientTest, AlphaSetsHowFarThePixelsMove)
{
    Fill(surface, 0);
    VerticalGradient(surface, RECT{0, 0, 20, 1}, 0x80FF0000, 0x80FF0000);
    // Half of the way to red 255: 127.
    EXPECT_EQ(PixelAt(surface, 0, 0), RGB(127, 0, 0));
}

TEST_F(VerticalGradientTest, FourthByteIsNotWritten)
{
    VerticalGradient(surface, RECT{0, 0, 20, 10}, kOpaqueWhite, kOpaqueWhite);
    EXPECT_EQ(surface.CursorAt(4, 4).rowStart[3], 0);
}

TEST_F(VerticalGradientTest, PaintsOnlyInsideTheSurface)
{
    const std::vector<BYTE> before = Bytes(surface);
    const RECT cases[] = {
        {20, 0, 30, 10},     // starts at the right edge
        {0, 10, 20, 20},     // starts at the bottom edge
        {5, 5, 5, 9},        // no columns
        {5, 5, 9, 2},        // negative rows
    };
    for (const RECT& rect : cases) {
        VerticalGradient(surface, rect, kOpaqueWhite, kOpaqueWhite);
        EXPECT_EQ(Bytes(surface), before);
    }
    // Beyond every edge: the whole surface is painted, nothing else.
    VerticalGradient(surface, RECT{-100, -100, 100, 100}, kOpaqueWhite, kOpaqueWhite);
    EXPECT_EQ(PixelAt(surface, 0, 0), RGB(254, 254, 254));
    EXPECT_EQ(PixelAt(surface, 19, 9), RGB(254, 254, 254));
}

TEST_F(VerticalGradientTest, SurfaceWithoutPixelsIsLeftAlone)
{
    DibSurface empty;
    VerticalGradient(empty, RECT{0, 0, 10, 10}, kOpaqueWhite, kOpaqueBlack);
}

}  // namespace
