// The monitors of a screen, in the order the server lists them (the primary
// one first), and the choice of the one the program lives on.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/win32.h"

namespace host {

struct Monitor {
    std::string name;  // as the server names it ("HDMI-1"); may be empty
    RECT rect{};       // on the screen, real pixels
};

// The monitor that `choice` names: empty picks the first, a number counts
// from 0 in the list, anything else is a monitor's name. Null when none
// matches.
const Monitor* ChooseMonitor(const std::vector<Monitor>& monitors, std::string_view choice);

// The list for people: "0 HDMI-1 1920x1080+0+0, 1 640x480+1920+0".
std::string DescribeMonitors(const std::vector<Monitor>& monitors);

}  // namespace host
