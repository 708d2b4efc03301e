// The host's pixel surfaces and the device contexts that the window manager
// hands out for them.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/host/gdi/rects.h"
#include "platform/win32.h"

namespace host {

// A 32-bit BGRX pixel surface. `origin` is the first byte of the top row and
// `stride` the distance in bytes from a row to the row below it, so a
// bottom-up bitmap has a negative stride. Empty when width or height is 0.
struct Surface {
    int width = 0;
    int height = 0;
    uint8_t* origin = nullptr;
    ptrdiff_t stride = 0;

    uint32_t* Row(int y) const { return reinterpret_cast<uint32_t*>(origin + y * stride); }
};

namespace gdi {

// A device context that draws on `surface`, which must outlive it; null makes
// a screen context that only measures. Window DCs (BeginPaint, GetDC,
// GetWindowDC) are made with this and freed with DeleteSurfaceDC.
HDC CreateSurfaceDC(Surface* surface);
void DeleteSurfaceDC(HDC dc);

// Limits everything drawn through `dc` to `area` (as BeginPaint limits its
// DC to the update rectangle).
void ClipSurfaceDC(HDC dc, const RECT& area);

// The part of the surface that was drawn on since the DC was made, clipped
// to the surface; empty when nothing was drawn. Used to present only what
// changed.
RECT DrawnBounds(HDC dc);
// The same as a few rectangles (RectList).
RectList DrawnRects(HDC dc);

}  // namespace gdi
}  // namespace host
