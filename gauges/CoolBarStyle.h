// What PaintCoolBar paints: one cool bar at (left, top) of w x h pixels,
// frame included, filled to `fraction` (1/1024 units, above 1024 counts as
// full) with the percentage text `text` (empty for none).
#pragma once

#include "platform/win32.h"

struct CoolBarStyle {
    COLORREF gradientStart;
    COLORREF gradientMiddle;
    COLORREF gradientEnd;
    COLORREF border;        // frame, fill end line and hatch
    UINT left;
    UINT top;
    UINT width;
    UINT height;
    UINT hatchSpacing;      // columns between hatch lines
    UINT fraction;
    const WCHAR* text;
};
