#include "gauges/GraphHistory.h"

#include <gtest/gtest.h>

namespace {

TEST(GraphHistory, NewestFirstAndTheOldestDroppedWhenFull)
{
    GraphHistory history;
    history.Resize(3);
    EXPECT_EQ(history.Count(), 0);  // nothing invented before the first sample
    history.Push(1.0f);
    EXPECT_EQ(history.Count(), 1);
    EXPECT_EQ(history.Newest(), 1.0f);
    for (float value : {2.0f, 3.0f, 4.0f, 5.0f})
        history.Push(value);
    EXPECT_EQ(history.Count(), 3);
    EXPECT_EQ(history.Pushed(), 5u);
    EXPECT_EQ(history.Newest(0), 5.0f);
    EXPECT_EQ(history.Newest(1), 4.0f);
    EXPECT_EQ(history.Newest(2), 3.0f);
}

TEST(GraphHistory, GapsAreKeptAndLeftOutOfTheLargest)
{
    GraphHistory history;
    history.Resize(4);
    history.Push(7.0f);
    history.Push(std::nullopt);
    history.Push(3.0f);
    EXPECT_EQ(history.Count(), 3);
    EXPECT_FALSE(history.Newest(1));
    EXPECT_EQ(history.Largest(), 7.0f);
    history.Push(std::nullopt);
    history.Push(1.0f);  // the 7 drops out
    EXPECT_EQ(history.Largest(), 3.0f);
}

TEST(GraphHistory, ResizingKeepsTheNewestSamples)
{
    GraphHistory history;
    history.Resize(4);
    for (float value : {1.0f, 2.0f, 3.0f, 4.0f, 5.0f})
        history.Push(value);
    history.Resize(2);
    EXPECT_EQ(history.Count(), 2);
    EXPECT_EQ(history.Newest(0), 5.0f);
    EXPECT_EQ(history.Newest(1), 4.0f);
    history.Resize(5);
    history.Push(6.0f);
    EXPECT_EQ(history.Count(), 3);
    EXPECT_EQ(history.Newest(0), 6.0f);
    EXPECT_EQ(history.Newest(2), 4.0f);
}

TEST(ReadableCeiling, NextOneTwoOrFiveTimesAPowerOfTen)
{
    const struct {
        float largest;
        float ceiling;
    } cases[] = {
        {0, 1},  // nothing yet: a scale that divides
        {-3, 1},          {0.3f, 0.5f},   {1, 1},         {1.1f, 2},
        {47, 50},         {50, 50},       {51, 100},      {100, 100},
        {101, 200},       {1300, 2000},   {2500, 5000},   {5e6f, 5e6f},
        {125000000, 200000000},
    };
    for (const auto& c : cases)
        EXPECT_FLOAT_EQ(ReadableCeiling(c.largest), c.ceiling) << c.largest;
}

}  // namespace
