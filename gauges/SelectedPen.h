// A solid pen made and selected into a DC for one drawing operation; the
// previous pen is selected back and this one deleted when it goes.
#pragma once

#include "platform/win32.h"

class SelectedPen {
public:
    SelectedPen(HDC dc, COLORREF color, int width)
        : dc_(dc), pen_(CreatePen(PS_SOLID, width, color)), previous_(SelectObject(dc, pen_))
    {
    }
    SelectedPen(const SelectedPen&) = delete;
    SelectedPen& operator=(const SelectedPen&) = delete;
    ~SelectedPen()
    {
        SelectObject(dc_, previous_);
        DeleteObject(pen_);
    }

private:
    HDC dc_;
    HPEN pen_;
    HGDIOBJ previous_;
};
