// The modal loop of a message box, as on Windows: the program's messages
// (paints, timers, other windows' input) keep being dispatched until the box
// is closed. A quit ends the loop and is left for the program's own loop; a
// request to read everything again (SIGHUP) waits for it too.
#pragma once

#include <functional>

namespace host {

void RunModalLoop(const std::function<bool()>& closed);

}  // namespace host
