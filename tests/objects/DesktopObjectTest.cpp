#include <gtest/gtest.h>

#include "config/TextParsing.h"
#include "objects/DesktopObject.h"
#include "platform/host/testing.h"

namespace {

class DesktopObjectTest : public ::testing::Test {
protected:
    void SetUp() override { host::testing::ResetHost(); }

    bool Parse(DesktopObject& object, const WCHAR* line)
    {
        return object.ParseKey(line, TextLength(line), true);
    }
};

TEST_F(DesktopObjectTest, PositionKeysAreRecognisedByTheirFirstLetter)
{
    DesktopObject object;
    EXPECT_TRUE(Parse(object, TEXT("Xpos = 5")));
    EXPECT_TRUE(Parse(object, TEXT("y=-7")));
    EXPECT_TRUE(Parse(object, TEXT("Widths = 30")));
    EXPECT_TRUE(Parse(object, TEXT("Height = 12px")));
    EXPECT_EQ(5, object.X());
    EXPECT_EQ(-7, object.Y());
    EXPECT_EQ(30, object.Width());
    EXPECT_EQ(12, object.Height());
    EXPECT_TRUE(host::testing::MessageBoxes().empty());
}

TEST_F(DesktopObjectTest, RejectedLinesAreShownAndChangeNothing)
{
    struct Case {
        const WCHAR* line;
        const char16_t* caption;
    } cases[] = {
        // Keys are case-sensitive apart from the position letters.
        {TEXT("width = 5"), u"DesktopObject - Ignoriere unbekannten Wert:"},
        {TEXT("Interval = 1000"), u"DesktopObject - Ignoriere unbekannten Wert:"},
        // A known key without a value.
        {TEXT("Width"), u"DesktopObject - Ignoriere Fehler:"},
        {TEXT("X =  "), u"DesktopObject - Ignoriere Fehler:"},
    };
    for (const Case& c : cases) {
        host::testing::ClearMessageBoxes();
        DesktopObject object;
        EXPECT_FALSE(Parse(object, c.line));
        EXPECT_EQ(0, object.Width());
        EXPECT_EQ(0, object.X());
        ASSERT_EQ(1u, host::testing::MessageBoxes().size());
        const auto& box = host::testing::MessageBoxes()[0];
        EXPECT_EQ(c.caption, box.caption);
        EXPECT_EQ(std::u16string(c.line), box.text);
        EXPECT_EQ(0x10030u, box.style);
        EXPECT_EQ(nullptr, box.owner);
    }
    // Without show errors the line is still rejected, silently.
    host::testing::ClearMessageBoxes();
    DesktopObject object;
    EXPECT_FALSE(object.ParseKey(TEXT("width = 5"), 9, false));
    EXPECT_TRUE(host::testing::MessageBoxes().empty());
}

TEST_F(DesktopObjectTest, WithoutIntervalNothingIsEverDue)
{
    DesktopObject object;
    host::testing::AdvanceClock(100000);
    EXPECT_FALSE(object.IsDue());
}

TEST_F(DesktopObjectTest, IntervalRestartsWhenDueAndSurvivesTheTickWrap)
{
    // The object is made 500 ms before the counter wraps.
    host::testing::SetTickCount(0xFFFFFFFFu - 499);
    DesktopObject object;
    object.SetInterval(1000);
    host::testing::AdvanceClock(999);
    EXPECT_FALSE(object.IsDue());
    host::testing::AdvanceClock(1);
    EXPECT_TRUE(object.IsDue());
    // The interval starts again from the due answer.
    host::testing::AdvanceClock(999);
    EXPECT_FALSE(object.IsDue());
    host::testing::AdvanceClock(1);
    EXPECT_TRUE(object.IsDue());
}

TEST_F(DesktopObjectTest, ALateAnswerKeepsTheNextIntervalOnTime)
{
    DesktopObject object;
    object.SetInterval(1000);
    // Asked 3 ms late, as a panel tick that drew other objects first may ask:
    // the next interval still ends at 2000, so the object stays due with
    // the ticks of its interval instead of missing every other one.
    host::testing::AdvanceClock(1003);
    EXPECT_TRUE(object.IsDue());
    host::testing::AdvanceClock(997);
    EXPECT_TRUE(object.IsDue());
    // Late by a whole interval or more (a stopped machine): afresh from now.
    host::testing::AdvanceClock(2500);
    EXPECT_TRUE(object.IsDue());
    host::testing::AdvanceClock(999);
    EXPECT_FALSE(object.IsDue());
    host::testing::AdvanceClock(1);
    EXPECT_TRUE(object.IsDue());
}

}  // namespace
