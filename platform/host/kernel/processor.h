// Processors and their idle time on the host, from /proc/stat.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/win32.h"

namespace host {

struct ProcessorTimes {
    ULONGLONG idleTicks;  // idle and iowait of all processors, in clock ticks
    DWORD processors;     // the "cpuN" lines
};

// The idle time and the processor count that the /proc/stat file at `path`
// reports; nothing when it cannot be read or lacks the summary line or any
// processor line.
std::optional<ProcessorTimes> ReadProcessorTimes(const std::string& path);
// The same of the text of such a file.
std::optional<ProcessorTimes> ParseProcessorTimes(std::string_view text);

}  // namespace host
