// The interface table of the IP helper on the host: the counters of
// /proc/net/dev with each interface's index, kind and state from
// /sys/class/net.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/win32.h"

namespace host {

// One row per interface of the /proc/net/dev file at `counters`, in file
// order, described by the folders under `attributes` (laid out like
// /sys/class/net). The 64-bit counters are cut to the row's 32 bits, so they
// wrap as the table's counters do. Nothing when `counters` cannot be read;
// malformed lines are left out.
std::optional<std::vector<MIB_IFROW>> ReadInterfaces(const std::string& counters, const std::string& attributes);

}  // namespace host
