#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>

#include "app/GlobalSettings.h"
#include "app/Layout.h"
#include "config/TextParsing.h"
#include "objects/DesktopObject.h"

namespace {

struct Size {
    int width;
    int height;
};

// Settings from GLOBALSETTINGS lines, with objects of the given sizes.
std::unique_ptr<GlobalSettings> MakePanel(std::initializer_list<const WCHAR*> keys, std::initializer_list<Size> sizes)
{
    auto settings = std::make_unique<GlobalSettings>(nullptr);
    for (const WCHAR* key : keys)
        EXPECT_TRUE(settings->ParseKey(key, TextLength(key), false));
    for (const Size& size : sizes) {
        auto object = std::make_unique<DesktopObject>();
        object->SetWidth(size.width);
        object->SetHeight(size.height);
        settings->AddObject(std::move(object));
    }
    return settings;
}

void ExpectObject(const GlobalSettings& settings, size_t index, int x, int y, int width)
{
    SCOPED_TRACE(index);
    const DesktopObject& object = *settings.Objects()[index];
    EXPECT_EQ(x, object.X());
    EXPECT_EQ(y, object.Y());
    EXPECT_EQ(width, object.Width());
}

TEST(Layout, StackedObjectsSpanTheInnerWidthBelowEachOther)
{
    auto settings = MakePanel({TEXT("Border = 2"), TEXT("Distance = 2")}, {{10, 20}, {10, 30}});
    ArrangeObjects(*settings);
    ExpectObject(*settings, 0, 2, 2, 124);
    ExpectObject(*settings, 1, 2, 24, 124);
    EXPECT_EQ(132, PanelWidth(*settings));
    EXPECT_EQ(56, PanelHeight(*settings));
    EXPECT_EQ(56, settings->Height());
}

TEST(Layout, SideBySideObjectsKeepTheirSizes)
{
    auto settings = MakePanel({TEXT("Arrange = Horizontal"), TEXT("Border = 0")}, {{40, 20}, {50, 30}});
    ArrangeObjects(*settings);
    ExpectObject(*settings, 0, 0, 0, 40);
    ExpectObject(*settings, 1, 42, 0, 50);
    EXPECT_EQ(128, PanelWidth(*settings));
    EXPECT_EQ(30, PanelHeight(*settings));
}

TEST(Layout, TallestObjectOfARowIsComparedUnsigned)
{
    // A negative height counts as the largest one.
    auto settings = MakePanel({TEXT("Arrange = Horizontal"), TEXT("Border = 1")}, {{10, 20}, {10, -5}});
    EXPECT_EQ(-3, PanelHeight(*settings));
}

TEST(Layout, PanelWithoutObjectsIsTheBorderHigh)
{
    auto stacked = MakePanel({TEXT("Border = 3"), TEXT("Width = 50")}, {});
    ArrangeObjects(*stacked);
    EXPECT_EQ(56, PanelWidth(*stacked));
    EXPECT_EQ(6, PanelHeight(*stacked));
    auto row = MakePanel({TEXT("Arrange = Horizontal"), TEXT("Border = 3")}, {});
    EXPECT_EQ(6, PanelHeight(*row));
}

TEST(Layout, OwnPositionsCountNegativeValuesFromTheFarEdge)
{
    auto settings = MakePanel({TEXT("Arrange = No"), TEXT("Height = 100")}, {{50, 10}, {20, 30}, {5, 5}});
    settings->Objects()[0]->SetX(-1);
    settings->Objects()[0]->SetY(7);
    settings->Objects()[1]->SetX(4);
    settings->Objects()[1]->SetY(-2);
    ArrangeObjects(*settings);
    ExpectObject(*settings, 0, 77, 7, 50);  // columns 77 to 126
    ExpectObject(*settings, 1, 4, 68, 20);  // rows 68 to 97
    ExpectObject(*settings, 2, 0, 0, 5);
    EXPECT_EQ(100, PanelHeight(*settings));
}

TEST(Layout, OwnPositionsWithoutHeightMakeAnEmptyPanel)
{
    auto settings = MakePanel({TEXT("Arrange = No")}, {{50, 10}});
    ArrangeObjects(*settings);
    EXPECT_EQ(0, PanelHeight(*settings));
}

TEST(Layout, HugeConfiguredNumbersWrapInsteadOfOverflowing)
{
    // Values have no range limit; the sums must not be undefined behaviour.
    auto settings = MakePanel({TEXT("Border = 2147483647"), TEXT("Distance = 2147483647"), TEXT("Width = -2147483648")},
                              {{1, 2147483647}, {1, 2147483647}, {1, 2147483647}});
    ArrangeObjects(*settings);
    PanelHeight(*settings);
    PanelWidth(*settings);
    auto row = MakePanel({TEXT("Arrange = Horizontal"), TEXT("Distance = 2147483647")},
                         {{2147483647, 1}, {2147483647, 1}, {2147483647, 1}});
    ArrangeObjects(*row);
    EXPECT_EQ(static_cast<int>(2u * 2147483647u), row->Objects()[1]->X());
    EXPECT_EQ(2, ScreenPosition(-2147483647 - 1, 2147483647, 1));
}

TEST(Layout, NegativeScreenPositionsLeaveThatManyPixelsAtTheFarEdge)
{
    EXPECT_EQ(109, ScreenPosition(-1, 130, 240));  // column 239 stays free
    EXPECT_EQ(110, ScreenPosition(110, 130, 240));
    EXPECT_EQ(0, ScreenPosition(0, 130, 240));
    EXPECT_EQ(300 - 56 - 10, ScreenPosition(-10, 56, 300));
}

TEST(Layout, HitTestTakesTheFirstObjectAndExcludesRightAndBottomEdges)
{
    auto settings = MakePanel({TEXT("Arrange = No")}, {{20, 20}, {20, 20}});
    settings->Objects()[1]->SetX(10);
    settings->Objects()[1]->SetY(10);
    const DesktopObject* first = settings->Objects()[0].get();
    const DesktopObject* second = settings->Objects()[1].get();
    struct Case {
        int x, y;
        const DesktopObject* expected;
    } cases[] = {
        {0, 0, first},         // top-left corner is inside
        {15, 15, first},       // the overlap goes to the earlier object
        {19, 19, first},       // last pixel of the first
        {20, 15, second},      // first's right edge is outside it
        {29, 29, second},      // last pixel of the second
        {30, 29, nullptr},     // right edge of the second
        {29, 30, nullptr},     // bottom edge of the second
        {-1, 0, nullptr},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, ObjectAt(*settings, c.x, c.y)) << c.x << "," << c.y;
}

}  // namespace
