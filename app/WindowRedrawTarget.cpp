#include "app/WindowRedrawTarget.h"

void WindowRedrawTarget::EndRedraw(const RECT& rect)
{
    HDC dc = GetWindowDC(window_);
    CopyToScreen(dc, rect);
    ReleaseDC(window_, dc);
}
