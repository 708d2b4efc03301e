#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "objects/Space.h"
#include "platform/host/testing.h"
#include "tests/objects/ObjectTesting.h"

using namespace objecttesting;

namespace {

class SpaceTest : public ::testing::Test {
protected:
    void SetUp() override { host::testing::ResetHost(); }
};

TEST_F(SpaceTest, MeasureMakesASquareOfTheSpaceSize)
{
    struct Case {
        std::vector<const WCHAR*> lines;
        int size;
    } cases[] = {
        {{}, 4},                                          // the default
        {{TEXT("Space = 12"), TEXT("Width = 100")}, 12},  // Width is overridden
        {{TEXT("Height = 7")}, 4},
        {{TEXT("Space = -3")}, -3},                       // taken as it stands
        {{TEXT("Spacer = 5")}, 5},                        // only the key's length counts
        {{TEXT("Space = 9"), TEXT("Space")}, 9},          // no value: the size stays
    };
    int row = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(row++);
        Space space;
        Parse(space, c.lines);
        MeasureOnScreen(space);
        EXPECT_EQ(c.size, space.Width());
        EXPECT_EQ(c.size, space.Height());
    }
}

TEST_F(SpaceTest, ASpaceWithoutValueIsReported)
{
    Space space;
    EXPECT_FALSE(space.ParseKey(TEXT("Space ="), 7, true));
    const auto& boxes = host::testing::MessageBoxes();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ(0x10030u, boxes[0].style);
    EXPECT_EQ(u"Space - Ignoriere Fehler:", boxes[0].caption);
    EXPECT_EQ(u"Space =", boxes[0].text);
}

TEST_F(SpaceTest, OtherKeysGoToThePositionKeys)
{
    Space space;
    EXPECT_TRUE(Parse(space, {TEXT("Xpos = 5")}));
    EXPECT_EQ(5, space.X());
    EXPECT_FALSE(Parse(space, {TEXT("width = 5")}));
    ASSERT_EQ(1u, host::testing::MessageBoxes().size());
    EXPECT_EQ(u"DesktopObject - Ignoriere unbekannten Wert:", host::testing::MessageBoxes()[0].caption);
}

TEST_F(SpaceTest, DrawingLeavesTheSurfaceAlone)
{
    DibSurface surface;
    CreateFilled(surface, 20, 20, RGB(0xCC, 0xCC, 0xCC));
    Space space;
    MeasureOnScreen(space);
    space.Draw(surface, 0, 0);
    EXPECT_EQ(RECT{}.right, InkBounds(surface, RGB(0xCC, 0xCC, 0xCC)).right);
}

}  // namespace
