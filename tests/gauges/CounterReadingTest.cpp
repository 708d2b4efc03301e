#include "gauges/CounterReading.h"

#include <gtest/gtest.h>

namespace {

TEST(CounterReading, StepsNeedAnEarlierReadingAtAnotherTick)
{
    CounterReading reading;
    EXPECT_FALSE(reading.Next(1000, 50));  // the first reading
    EXPECT_FALSE(reading.Next(1000, 90));  // no time has passed: left out
    const auto step = reading.Next(3000, 120);
    ASSERT_TRUE(step);
    EXPECT_EQ(step->elapsed, 2000u);  // spans the reading left out
    EXPECT_EQ(step->growth, 70u);
    reading.Restart();
    EXPECT_FALSE(reading.Next(5000, 7));
}

TEST(CounterReading, TickAndCounterWrapAt32Bits)
{
    CounterReading reading;
    reading.Next(0xFFFFFF00, 0xFFFFFFF0);
    const auto step = reading.Next(0x00000100, 0x00000010);
    ASSERT_TRUE(step);
    EXPECT_EQ(step->elapsed, 0x200u);
    EXPECT_EQ(step->growth, 0x20u);
}

TEST(LoadPerMille, BusyShareOfTheStepRounded)
{
    const struct {
        CounterReading::Step idle;
        UINT load;
    } cases[] = {
        {{2000, 1500, 0}, 250},
        {{2000, 1000, 0}, 500},
        {{2000, 0, 0}, 1000},
        {{2000, 2000, 0}, 0},
        {{2000, 2500, 0}, 0},            // idle faster than the clock: no load, never negative
        {{2000, 0xFFFFFFF0, 0}, 0},      // idle that went down reads as a huge growth
        {{3, 2, 0}, 333},
        {{3, 1, 0}, 667},                // 666.7 rounded
        {{0xFFFFFFFF, 0, 0}, 1000},      // the longest step
        {{1, 0, 0}, 1000},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LoadPerMille(c.idle), c.load) << c.idle.elapsed << " " << c.idle.growth;
}

TEST(BytesPerSecond, WrapsCountAndResetsStartOver)
{
    const struct {
        CounterReading::Step octets;
        ULONGLONG rate;
    } cases[] = {
        {{2000, 3000, 0}, 1500},
        {{1, 1, 0}, 1000},
        {{2000, 0, 0}, 0},
        {{2000, 0x7FFFFFFF, 0}, 0x7FFFFFFFull * 1000 / 2000},  // the largest growth taken as a wrap
        {{2000, 0x80000000, 5000}, 2500},                      // counter went down: 5000 since the reset
        {{2000, 0xFFFFFF9C, 400}, 200},                        // down by 100: 400 since the reset
        {{0xFFFFFFFF, 0x7FFFFFFF, 0}, 499},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BytesPerSecond(c.octets), c.rate) << c.octets.elapsed << " " << c.octets.growth;
}

}  // namespace
