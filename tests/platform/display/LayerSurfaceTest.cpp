#include <gtest/gtest.h>

#include "platform/host/display/wayland/LayerSurface.h"

namespace {

// Each row: a 100 x 60 surface somewhere on a 1920 x 1080 output, and the
// edges and margins that must put it exactly there.
struct Case {
    RECT rect;
    bool right, bottom;
    int32_t horizontal, vertical;
};

TEST(LayerSurface, PlacesAtTheNearerEdgesWithTheDistancesAsMargins)
{
    const Case cases[] = {
        {{40, 40, 140, 100}, false, false, 40, 40},              // top-left
        {{1810, 20, 1910, 80}, true, false, 10, 20},             // X = -10: 10 from the right edge
        {{1810, 1010, 1910, 1070}, true, true, 10, 10},          // both far edges
        {{910, 510, 1010, 570}, false, false, 910, 510},         // the exact middle keeps to the top-left
        {{-50, 20, 50, 80}, false, false, -50, 20},              // flying in from the left: off the output
        {{1900, 20, 2000, 80}, true, false, -80, 20},            // flying in from the right
        {{1810, -30, 1910, 30}, true, false, 10, -30},           // rolling down from above
    };
    for (const Case& c : cases) {
        const host::EdgePlacement placement = host::PlaceAtEdges(c.rect, {1920, 1080});
        EXPECT_EQ(c.right, placement.right) << c.rect.left;
        EXPECT_EQ(c.bottom, placement.bottom) << c.rect.top;
        EXPECT_EQ(c.horizontal, placement.horizontal) << c.rect.left;
        EXPECT_EQ(c.vertical, placement.vertical) << c.rect.top;
    }
}

}  // namespace
