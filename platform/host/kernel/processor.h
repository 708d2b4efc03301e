// Processors and their idle time on the host, from /proc/stat.
#pragma once

#include <optional>
#include <string_view>

#include "platform/win32.h"

namespace host {

struct ProcessorTimes {
    ULONGLONG idleTicks;  // idle and iowait of all processors, in clock ticks
    DWORD processors;     // the "cpuN" lines
};

// The idle time and the processor count that the text of a /proc/stat file
// reports; nothing when it is empty or lacks the summary line or any
// processor line.
std::optional<ProcessorTimes> ParseProcessorTimes(std::string_view text);

}  // namespace host
