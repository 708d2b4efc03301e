// Choosing the program's monitor, and the scale read from Xft.dpi.
#include <gtest/gtest.h>

#include "platform/host/display/Monitor.h"
#include "platform/host/display/x11/X11Monitors.h"

namespace {

TEST(Monitor, ChoiceIsTheFirstANumberFromZeroOrAName)
{
    const std::vector<host::Monitor> monitors = {{"eDP-1", {0, 0, 1920, 1080}}, {"HDMI-1", {1920, 0, 3840, 1080}}};
    struct Case {
        const char* choice;
        const host::Monitor* expected;
    } cases[] = {
        {"", &monitors[0]},
        {"0", &monitors[0]},
        {"1", &monitors[1]},
        {"HDMI-1", &monitors[1]},
        {"2", nullptr},       // one past the last
        {"-1", nullptr},      // not a number: taken as a name
        {"hdmi-1", nullptr},  // names are matched exactly
        {"1x", nullptr},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, host::ChooseMonitor(monitors, c.choice)) << c.choice;
    EXPECT_EQ(nullptr, host::ChooseMonitor({}, ""));
    EXPECT_EQ("0 eDP-1 1920x1080+0+0, 1 HDMI-1 1920x1080+1920+0", host::DescribeMonitors(monitors));
}

TEST(Monitor, XftDpiGivesTheNearestWholeScaleOrOne)
{
    struct Case {
        const char* dpi;
        int scale;
    } cases[] = {
        {"96", 1},     {"144", 2},  // 1.5 rounds up
        {"143", 1},    {"192", 2},  {"288.0", 3}, {"384", 4},
        {"0", 1},      {"-192", 1}, {"431", 4},   {"432", 1},  // 4.5 would be 5: too large
        {"1e300", 1},  {"nan", 1},  {"abc", 1},   {"96dpi", 1}, {"", 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.scale, host::ScaleFromDpi(c.dpi)) << c.dpi;
    EXPECT_EQ(1, host::ScaleFromDpi(nullptr));
}

}  // namespace
