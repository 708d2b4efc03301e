// The part of the real screen that the program sees as its screen: one
// monitor, shown `scale` times larger. The program's pixel (x, y) is the
// scale x scale block at origin + (x, y) x scale on the real screen, so the
// program sees a screen `scale` times smaller than the monitor.
#pragma once

#include "platform/win32.h"

namespace host {

struct ScreenArea {
    POINT origin{};  // real pixels
    SIZE size{1, 1};  // real pixels
    int scale = 1;

    // The screen as the program sees it; at least 1 x 1.
    SIZE ProgramSize() const;
    // A rectangle of program screen pixels on the real screen.
    RECT ToReal(const RECT& program) const;
    // The program pixel that holds a real screen point.
    POINT ToProgram(POINT real) const;
};

// The program pixels (window coordinates) that cover `real` pixels of a
// window shown `scale` times larger: rounded outwards.
RECT CoveringRect(const RECT& real, int scale);

}  // namespace host
