// Processors and their idle time on the host, from /proc/stat.
#pragma once

#include <optional>
#include <string>

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

}  // namespace host
