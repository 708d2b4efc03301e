// The host side of the diagnostics channel (kernel/debug.cpp).
// Host-internal.
#pragma once

#include <string>
#include <vector>

namespace host {

// From now on OutputDebugStringW appends its lines (UTF-8, without the line
// end) to `lines` instead of writing them to stderr; null writes again.
void CollectDebugOutput(std::vector<std::string>* lines);

}  // namespace host
