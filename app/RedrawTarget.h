// Where a redrawn object goes: its rectangle is repainted in the panel's back
// buffer and then copied to the screen, so the screen never shows a
// half-drawn object. The panel owns one target per way to reach the screen
// and destroys them directly.
#pragma once

#include "platform/win32.h"

class DibSurface;
class Panel;

class RedrawTarget {
public:
    RedrawTarget(HWND window, DibSurface& backBuffer, const Panel& panel);
    RedrawTarget(const RedrawTarget&) = delete;
    RedrawTarget& operator=(const RedrawTarget&) = delete;

    // Repaints the panel background of `rect` in the back buffer and returns
    // the back buffer for the caller to draw the object on.
    DibSurface& BeginRedraw(const RECT& rect);
    // Copies `rect` from the back buffer to the same place on the screen.
    virtual void EndRedraw(const RECT& rect) = 0;

protected:
    ~RedrawTarget() = default;

    // Copies `rect` of the back buffer to the same place of `dc`.
    void CopyToScreen(HDC dc, const RECT& rect) const;

    HWND window_;

private:
    DibSurface& backBuffer_;
    const Panel& panel_;
};
