#include "app/RedrawTarget.h"

#include "app/Layout.h"
#include "app/PanelPainting.h"
#include "gauges/DibSurface.h"

RedrawTarget::RedrawTarget(HWND window, DibSurface& backBuffer, const Panel& panel)
    : window_(window), backBuffer_(backBuffer), panel_(panel)
{
}

DibSurface& RedrawTarget::BeginRedraw(const RECT& rect)
{
    PaintBackground(backBuffer_.Dc(), rect, panel_);
    return backBuffer_;
}

void RedrawTarget::CopyToScreen(HDC dc, const RECT& rect) const
{
    BitBlt(dc, rect.left, rect.top, RectWidth(rect), RectHeight(rect), backBuffer_.Dc(), rect.left, rect.top,
           SRCCOPY);
}
