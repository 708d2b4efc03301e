// Reading the small text files of /proc and /sys, whose size the system
// reports as 0: everything up to the end, read in pieces.
#pragma once

#include <optional>
#include <string>

namespace host {

// The whole file, or nothing when it cannot be opened or read.
std::optional<std::string> ReadProcFile(const std::string& path);

}  // namespace host
