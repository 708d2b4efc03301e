// The host side of the diagnostics channel (kernel/debug.cpp).
// Host-internal.
#pragma once

#include <string>
#include <vector>

namespace host {

// From now on OutputDebugStringW appends its lines (UTF-8, without the line
// end) to `lines` instead of writing them to stderr; null writes again.
// Collected lines are never held back.
void CollectDebugOutput(std::vector<std::string>* lines);

// A load is over: for each file that said more than its share of lines on
// stderr since the last call, one line tells how many were held back. The
// message loop calls it whenever it looks for a message (user/message.cpp);
// it runs at exit as well.
void EndDebugOutputLoad();

}  // namespace host
