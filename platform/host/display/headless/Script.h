// The timed actions of a headless run (--script FILE). One action a line:
//   T tap X Y | T press X Y | T release X Y | T dbltap X Y
//   T snapshot FILE.png | T quit
// T is milliseconds since the start of the run, X and Y are screen pixels.
// Blank lines and lines whose first non-blank character is "#" are ignored.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/win32.h"

namespace host {

struct ScriptAction {
    enum class Kind { Tap, Press, Release, DoubleTap, Snapshot, Quit };
    DWORD time = 0;
    Kind kind = Kind::Quit;
    POINT point{};
    std::string file;  // Snapshot only
};

// Reads every line of `text` in order. A malformed line makes it return
// false with `error` naming the line ("line 3: ...").
bool ParseScript(std::string_view text, std::vector<ScriptAction>& actions, std::string& error);

}  // namespace host
