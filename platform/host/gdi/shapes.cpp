// Shapes: FillRect, Rectangle, lines and single pixels. Coordinates become
// clipped rectangles here; the pixels are written by the raster primitives.
#include <algorithm>

#include "platform/host/gdi/dc.h"
#include "platform/host/gdi/raster.h"

namespace host::gdi {
namespace {

// The colour a brush paints, false for the null brush or a bad handle.
// Like Windows, FillRect also takes a system colour index + 1 as a brush.
bool BrushColor(HBRUSH handle, COLORREF& color)
{
    auto value = reinterpret_cast<uintptr_t>(handle);
    if (value >= 1 && value <= COLOR_INFOBK + 1) {
        color = GetSysColor(static_cast<int>(value - 1));
        return true;
    }
    Brush* brush = Lookup<Brush>(handle);
    if (!brush || brush->null) return false;
    color = brush->color;
    return true;
}

void Fill(DeviceContext& dc, const RECT& r, COLORREF color)
{
    RECT clipped = dc.Clip(r);
    if (Empty(clipped)) return;
    raster::FillSolid(dc.Target(), clipped, color);
    dc.Touch(clipped);
}

// One segment of a path with the DC's pen; a one-pixel pen leaves out the
// end point, so consecutive segments do not draw their joint twice.
void Stroke(DeviceContext& dc, POINT from, POINT to)
{
    const Pen& pen = dc.CurrentPen();
    if (pen.null) return;
    const Surface& surface = dc.Target();
    RECT clip = dc.Clip(RECT{0, 0, surface.width, surface.height});
    if (Empty(clip)) return;
    if (pen.width > 1) {
        dc.Touch(raster::WideLine(surface, clip, from, to, pen.width, pen.color));
    } else if (from.y == to.y && from.x != to.x) {
        int64_t x = from.x, y = from.y;
        Fill(dc, from.x < to.x ? WideRect(x, y, to.x, y + 1) : WideRect(to.x + int64_t{1}, y, x + 1, y + 1), pen.color);
    } else if (from.x == to.x && from.y != to.y) {
        int64_t x = from.x, y = from.y;
        Fill(dc, from.y < to.y ? WideRect(x, y, x + 1, to.y) : WideRect(x, to.y + int64_t{1}, x + 1, y + 1), pen.color);
    } else {
        dc.Touch(raster::Line(surface, clip, from, to, pen.color));
    }
}

}  // namespace
}  // namespace host::gdi

using namespace host::gdi;

int FillRect(HDC handle, const RECT* rect, HBRUSH brush)
{
    DeviceContext* dc = LookupDC(handle);
    COLORREF color;
    if (!dc || !rect) return FALSE;
    if (!BrushColor(brush, color)) return FALSE;
    // Like PatBlt beneath it on Windows, swapped edges still fill.
    Fill(*dc, Normalized(rect->left, rect->top, rect->right, rect->bottom), color);
    return TRUE;
}

BOOL Rectangle(HDC handle, int left, int top, int right, int bottom)
{
    DeviceContext* dc = LookupDC(handle);
    if (!dc) return FALSE;
    RECT r = Normalized(left, top, right, bottom);
    if (Empty(r)) return TRUE;
    const Pen& pen = dc->CurrentPen();
    COLORREF color;
    if (BrushColor(dc->brush, color)) {
        // Without a pen the interior grows to where the outline would be.
        Fill(*dc, pen.null ? RECT{r.left, r.top, r.right - 1, r.bottom - 1}
                           : RECT{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1},
             color);
    }
    const POINT corners[] = {{r.left, r.top}, {r.right - 1, r.top}, {r.right - 1, r.bottom - 1}, {r.left, r.bottom - 1}};
    for (int i = 0; i < 4; ++i) Stroke(*dc, corners[i], corners[(i + 1) % 4]);
    // A one-pixel-wide or -high rectangle has no segment that reaches its
    // last pixel; its outline is a plain bar.
    if (!pen.null && pen.width == 1 && (int64_t{r.right} - r.left == 1 || int64_t{r.bottom} - r.top == 1))
        Fill(*dc, r, pen.color);
    return TRUE;
}

BOOL MoveToEx(HDC handle, int x, int y, LPPOINT previous)
{
    DeviceContext* dc = LookupDC(handle);
    if (!dc) return FALSE;
    if (previous) *previous = dc->position;
    dc->position = {x, y};
    return TRUE;
}

BOOL LineTo(HDC handle, int x, int y)
{
    DeviceContext* dc = LookupDC(handle);
    if (!dc) return FALSE;
    Stroke(*dc, dc->position, POINT{x, y});
    dc->position = {x, y};
    return TRUE;
}

COLORREF GetPixel(HDC handle, int x, int y)
{
    DeviceContext* dc = LookupDC(handle);
    if (!dc || Empty(dc->Clip(PixelRect(x, y)))) return CLR_INVALID;
    return raster::ColorOf(dc->Target().Row(y)[x]);
}

COLORREF SetPixel(HDC handle, int x, int y, COLORREF color)
{
    DeviceContext* dc = LookupDC(handle);
    if (!dc || Empty(dc->Clip(PixelRect(x, y)))) return CLR_INVALID;
    Fill(*dc, PixelRect(x, y), color & 0xFFFFFF);
    return color & 0xFFFFFF;
}
