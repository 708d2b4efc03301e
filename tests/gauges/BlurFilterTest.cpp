#include "gauges/BlurFilter.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/host/testing.h"
#include "tests/gauges/SurfacePixels.h"

using namespace surfacetest;

namespace {

class BlurFilterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        host::testing::ResetHost();
        ASSERT_TRUE(surface.Create(40, 30));
        Fill(surface, 0);
    }

    // A pattern in which every pixel differs from its neighbours.
    void FillPattern()
    {
        for (int y = 0; y < surface.Height(); ++y) {
            for (int x = 0; x < surface.Width(); ++x)
                SetPixelAt(surface, x, y, RGB((x * 37 + y * 11) & 0xFF, (x * 5 + y * 71) & 0xFF, (x * y * 13) & 0xFF));
        }
    }

    DibSurface surface;
};

class RecordingObserver : public FilterObserver {
public:
    void FilterStarted(DibSurface&, const RECT&) override { events.push_back(-1); }
    void PassStarting(DibSurface&, const RECT&, WORD pass) override { events.push_back(pass); }
    void FilterFinished(DibSurface&, const RECT&) override { events.push_back(-2); }
    std::vector<int> events;
};

TEST_F(BlurFilterTest, BlurLeavesTheOuterRingUntouched)
{
    FillPattern();
    const std::vector<BYTE> before = Bytes(surface);
    const RECT rect = {10, 8, 30, 20};
    BlurFilter(RGB(0x40, 0xFF, 0xFF), 1, 2, nullptr).Apply(surface, rect);

    const RECT inner = {11, 9, 29, 19};
    EXPECT_TRUE(UnchangedOutside(surface, before, inner));
    EXPECT_NE(Bytes(surface), before);
}

TEST_F(BlurFilterTest, PlainPassSpreadsAPointByTheKernel)
{
    // Every pixel reads the pass's copy: a filter that read its own output
    // would spread the point further to the right and down.
    SetPixelAt(surface, 20, 15, RGB(255, 255, 255));
    BlurFilter(1, nullptr).Apply(surface, RECT{0, 0, 40, 30});

    const int expected[5][5] = {
        {0, 0, 0, 0, 0},
        {0, 255 / 16, 2 * 255 / 16, 255 / 16, 0},
        {0, 2 * 255 / 16, 4 * 255 / 16, 2 * 255 / 16, 0},
        {0, 255 / 16, 2 * 255 / 16, 255 / 16, 0},
        {0, 0, 0, 0, 0},
    };
    for (int dy = 0; dy < 5; ++dy) {
        for (int dx = 0; dx < 5; ++dx) {
            const int v = expected[dy][dx];
            EXPECT_EQ(PixelAt(surface, 18 + dx, 13 + dy), RGB(v, v, v)) << "at " << dx << "," << dy;
        }
    }
}

TEST_F(BlurFilterTest, TintPassPullsAnEvenAreaTowardsTheTint)
{
    Fill(surface, 0xCC);
    BlurFilter(RGB(0x40, 0x80, 0xFF), 1, 0, nullptr).Apply(surface, RECT{0, 0, 40, 30});
    // (28 x 0xCC + 4 x tint) / 32 per channel.
    EXPECT_EQ(PixelAt(surface, 20, 15), RGB((28 * 0xCC + 4 * 0x40) >> 5, (28 * 0xCC + 4 * 0x80) >> 5,
                                             (28 * 0xCC + 4 * 0xFF) >> 5));
    EXPECT_EQ(PixelAt(surface, 0, 15), kMarkerColor);
}

TEST_F(BlurFilterTest, FourthByteIsNotTouched)
{
    FillPattern();
    surface.CursorAt(20, 15).rowStart[3] = 0x5A;
    BlurFilter(2, nullptr).Apply(surface, RECT{0, 0, 40, 30});
    EXPECT_EQ(surface.CursorAt(20, 15).rowStart[3], 0x5A);
}

TEST_F(BlurFilterTest, NarrowOrFlatRectanglesAreLeftUnchanged)
{
    FillPattern();
    const std::vector<BYTE> before = Bytes(surface);
    const RECT cases[] = {
        {5, 5, 7, 25},    // 2 wide
        {5, 5, 35, 7},    // 2 high
        {5, 5, 6, 6},     // 1 x 1
        {5, 5, 5, 25},    // empty
        {10, 10, 5, 5},   // reversed
    };
    for (const RECT& rect : cases) {
        BlurFilter(RGB(0xFF, 0, 0), 1, 2, nullptr).Apply(surface, rect);
        EXPECT_EQ(Bytes(surface), before) << rect.left << "," << rect.top << "," << rect.right << "," << rect.bottom;
    }
}

TEST_F(BlurFilterTest, RectangleBeyondTheSurfaceIsFilteredOnlyInside)
{
    FillPattern();
    const std::vector<BYTE> before = Bytes(surface);
    BlurFilter(RGB(0, 0, 0xFF), 1, 1, nullptr).Apply(surface, RECT{-50, -50, 500, 500});
    // The surface's own edges act as the outer ring.
    EXPECT_TRUE(UnchangedOutside(surface, before, RECT{1, 1, 39, 29}));
    EXPECT_NE(Bytes(surface), before);
}

TEST_F(BlurFilterTest, RectangleLargerThanTheScratchSurfaceIsFilteredWhole)
{
    DibSurface wide;
    ASSERT_TRUE(wide.Create(400, 60));
    Fill(wide, 0xCC);
    BlurFilter(RGB(0, 0, 0), 1, 0, nullptr).Apply(wide, RECT{0, 0, 400, 60});
    const int v = (28 * 0xCC) >> 5;
    EXPECT_EQ(PixelAt(wide, 398, 58), RGB(v, v, v));
    EXPECT_EQ(PixelAt(wide, 399, 58), kMarkerColor);
}

TEST_F(BlurFilterTest, ObserverHearsEveryPassInOrder)
{
    RecordingObserver observer;
    {
        BlurFilter filter(RGB(0, 0, 0), 1, 2, &observer);
        filter.Apply(surface, RECT{0, 0, 10, 10});
    }
    // The filter does not own a given observer: it is still usable here.
    EXPECT_EQ(observer.events, (std::vector<int>{-1, 0, 1, 2, -2}));
}

TEST_F(BlurFilterTest, SurfaceWithoutPixelsIsLeftAlone)
{
    RecordingObserver observer;
    DibSurface empty;
    BlurFilter(2, &observer).Apply(empty, RECT{0, 0, 10, 10});
    EXPECT_TRUE(observer.events.empty());
}

TEST_F(BlurFilterTest, FiltersReleaseTheirScratchSurfaces)
{
    const int before = host::testing::LiveGdiObjects();
    {
        BlurFilter tinted(RGB(1, 2, 3), 1, 1, nullptr);
        BlurFilter plain(1, nullptr);
        tinted.Apply(surface, RECT{0, 0, 40, 30});
        plain.Apply(surface, RECT{0, 0, 40, 30});
    }
    EXPECT_EQ(host::testing::LiveGdiObjects(), before);
}

}  // namespace
