// The animation formula as a function of time; WindowTest drives the same
// animations through real panel windows and timers.
#include <gtest/gtest.h>

#include "app/WindowAnimation.h"

namespace {

struct Expected {
    int x, y, width, height;
};

Expected FrameAt(AnimationKind kind, bool opening, int x, int y, int width, int height, DWORD elapsed,
                 DWORD duration, bool accelerated)
{
    AnimationFrame frame = {};
    EXPECT_TRUE(AnimationFrameAt(kind, opening, x, y, width, height, elapsed, duration, accelerated, frame));
    return {frame.x, frame.y, frame.width, frame.height};
}

void ExpectFrame(const Expected& expected, const Expected& actual)
{
    EXPECT_EQ(expected.x, actual.x);
    EXPECT_EQ(expected.y, actual.y);
    EXPECT_EQ(expected.width, actual.width);
    EXPECT_EQ(expected.height, actual.height);
}

TEST(WindowAnimation, EveryKindAtAQuarterOfTheTime)
{
    // A 100 x 50 window resting at (10, 20), 250 ms into 1000, not accelerated.
    struct Case {
        AnimationKind kind;
        Expected opening;
        Expected closing;
    } cases[] = {
        {NoAnimation, {10, 20, 100, 50}, {10, 20, 100, 50}},
        // Opening from -W: [110] - 100; closing X + [100].
        {FlyRight, {-73, 20, 100, 50}, {35, 20, 100, 50}},
        // Opening from -H: [70] - 50; closing Y + [50].
        {FlyDown, {10, -33, 100, 50}, {10, 32, 100, 50}},
        // Opening from W: 100 - [90]; closing X - [110].
        {FlyLeft, {78, 20, 100, 50}, {-17, 20, 100, 50}},
        // Opening from H: 50 - [30]; closing Y - [70].
        {FlyUp, {10, 43, 100, 50}, {10, 3, 100, 50}},
        {FlyDiagRightDown, {-73, -33, 100, 50}, {35, 32, 100, 50}},
        {FlyDiagRightUp, {-73, 43, 100, 50}, {35, 3, 100, 50}},
        {FlyDiagLeftDown, {78, -33, 100, 50}, {-17, 32, 100, 50}},
        {FlyDiagLeftUp, {78, 43, 100, 50}, {-17, 3, 100, 50}},
        // The height grows from 0, or shrinks to 0; the corner stays.
        {RollDown, {10, 20, 100, 12}, {10, 20, 100, 38}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.kind));
        ExpectFrame(c.opening, FrameAt(c.kind, true, 10, 20, 100, 50, 250, 1000, false));
        ExpectFrame(c.closing, FrameAt(c.kind, false, 10, 20, 100, 50, 250, 1000, false));
    }
}

TEST(WindowAnimation, StartsAndEndsWhereTheWayBeginsAndEnds)
{
    // Opening from just outside the screen to the resting place, closing from
    // there one window extent onwards.
    ExpectFrame({-100, 20, 100, 50}, FrameAt(FlyRight, true, 10, 20, 100, 50, 0, 1000, true));
    ExpectFrame({10, 20, 100, 50}, FrameAt(FlyRight, true, 10, 20, 100, 50, 1000, 1000, true));
    ExpectFrame({100, 20, 100, 50}, FrameAt(FlyLeft, true, 10, 20, 100, 50, 0, 1000, true));
    ExpectFrame({10, 50, 100, 50}, FrameAt(FlyUp, true, 10, 20, 100, 50, 0, 1000, true));
    ExpectFrame({110, 20, 100, 50}, FrameAt(FlyRight, false, 10, 20, 100, 50, 1000, 1000, true));
    ExpectFrame({10, 70, 100, 50}, FrameAt(FlyDown, false, 10, 20, 100, 50, 1000, 1000, true));
    ExpectFrame({-100, 20, 100, 50}, FrameAt(FlyLeft, false, 10, 20, 100, 50, 1000, 1000, true));
    ExpectFrame({10, -50, 100, 50}, FrameAt(FlyUp, false, 10, 20, 100, 50, 1000, 1000, true));
    ExpectFrame({10, 20, 100, 0}, FrameAt(RollDown, false, 10, 20, 100, 50, 1000, 1000, true));
    // The resting place is taken as given (AnimationStep converts negative positions).
    ExpectFrame({-1, 0, 130, 40}, FrameAt(FlyRight, true, -1, 0, 130, 40, 800, 800, true));
}

TEST(WindowAnimation, AccelerationCoversAQuarterOfTheWayInHalfTheTime)
{
    // Default settings: FlyRight over 800 ms, accelerated; a 128-pixel panel at 0.
    ExpectFrame({-96, 0, 128, 40}, FrameAt(FlyRight, true, 0, 0, 128, 40, 400, 800, true));
    // Without acceleration half the time is half the way.
    ExpectFrame({0, -50, 128, 100}, FrameAt(FlyDown, true, 0, 0, 128, 100, 500, 1000, false));
}

TEST(WindowAnimation, SharesAreTruncatedTowardZero)
{
    // FlyLeft opening from x = 100 to 130: [100 - 130] = [-30] at a quarter is
    // -7 (not -8), so the window stands at 107.
    ExpectFrame({107, 0, 100, 10}, FrameAt(FlyLeft, true, 130, 0, 100, 10, 250, 1000, false));
}

TEST(WindowAnimation, ProductsBeyondSixtyFourBitsStayExact)
{
    // v = W + X = 4294967278, e / T = 3 / 4 squared: [v] = v * 9 / 16 truncated.
    const Expected frame = FrameAt(FlyRight, true, 2147483631, 0, 2147483647, 1, 3000000000u, 4000000000u, true);
    EXPECT_EQ(2415919093 - 2147483647, frame.x);
}

TEST(WindowAnimation, EndsAfterItsTimeOrAtOnceWithoutTime)
{
    AnimationFrame frame = {};
    EXPECT_FALSE(AnimationFrameAt(FlyRight, true, 0, 0, 10, 10, 1001, 1000, true, frame));
    EXPECT_FALSE(AnimationFrameAt(FlyRight, true, 0, 0, 10, 10, 0, 0, true, frame));
    EXPECT_FALSE(AnimationFrameAt(RollDown, false, 0, 0, 10, 10, 0, 0, false, frame));
    // The longest time there is still divides without overflow.
    EXPECT_TRUE(AnimationFrameAt(FlyDown, true, 0, 0, 10, 10, 0xFFFFFFFFu, 0xFFFFFFFFu, true, frame));
    EXPECT_EQ(0, frame.y);
}

TEST(WindowAnimation, UnknownKindsStandStill)
{
    // A kind posted by another window may be any number.
    ExpectFrame({10, 20, 100, 50}, FrameAt(static_cast<AnimationKind>(77), true, 10, 20, 100, 50, 250, 1000, false));
    ExpectFrame({10, 20, 100, 50}, FrameAt(static_cast<AnimationKind>(-1), false, 10, 20, 100, 50, 250, 1000, false));
}

}  // namespace
