#include "platform/host/display/Monitor.h"

#include <charconv>

namespace host {

const Monitor* ChooseMonitor(const std::vector<Monitor>& monitors, std::string_view choice)
{
    if (monitors.empty())
        return nullptr;
    if (choice.empty())
        return &monitors.front();
    size_t index = 0;
    const auto [end, failure] = std::from_chars(choice.data(), choice.data() + choice.size(), index);
    if (failure == std::errc() && end == choice.data() + choice.size())
        return index < monitors.size() ? &monitors[index] : nullptr;
    for (const Monitor& monitor : monitors) {
        if (monitor.name == choice)
            return &monitor;
    }
    return nullptr;
}

std::string DescribeMonitors(const std::vector<Monitor>& monitors)
{
    std::string list;
    for (size_t i = 0; i < monitors.size(); ++i) {
        const Monitor& monitor = monitors[i];
        if (i > 0)
            list += ", ";
        list += std::to_string(i) + " ";
        if (!monitor.name.empty())
            list += monitor.name + " ";
        const RECT& r = monitor.rect;
        list += std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top) + "+" +
                std::to_string(r.left) + "+" + std::to_string(r.top);
    }
    return list;
}

}  // namespace host
