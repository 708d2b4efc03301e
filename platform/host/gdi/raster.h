// The rasterizer's primitives. They write pixels and nothing else: every
// rectangle they are given is already clipped to its surface (the API layer
// does that) and they assert it. None writes outside the rectangle or clip
// it is given.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/host/gdi/surface.h"

namespace host::gdi::raster {

// Colours are 0x00BBGGRR; a pixel in memory is blue, green, red, unused, so
// as a little-endian word it reads 0x00RRGGBB.
inline uint32_t PixelOf(COLORREF color)
{
    return ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF);
}
inline COLORREF ColorOf(uint32_t pixel) { return PixelOf(pixel & 0xFFFFFF); }

// True when `r` is not empty and lies wholly on `surface`.
bool OnSurface(const Surface& surface, const RECT& r);

void FillSolid(const Surface& surface, const RECT& r, COLORREF color);

// Copies the pixels of `source` whose top-left is `from` onto `r`. The two
// may be the same surface, overlapping in any direction.
void Copy(const Surface& destination, const RECT& r, const Surface& source, POINT from);

// The part of `r` where Copy of the same arguments would change a pixel:
// the bounds of the differing pixels, empty when none differ.
RECT DifferingArea(const Surface& destination, const RECT& r, const Surface& source, POINT from);

// Source pixels first ... last (inclusive) along one axis.
struct SourceRun {
    int first, last;
};

// Fills `r` from `source`: destination column r.left + i stands for the
// source columns columns[i], row r.top + j for the source rows rows[j], and
// each pixel is the AND of the source pixels of its block (one pixel unless
// the stretch shrinks).
void StretchCopy(const Surface& destination, const RECT& r, const Surface& source, const SourceRun* columns,
                 const SourceRun* rows);

// Blends `color` over `r` by the coverage values (0 none, 255 full) whose
// value for r's top-left pixel is at `coverage`, `pitch` bytes per row.
void Blend(const Surface& surface, const RECT& r, const uint8_t* coverage, ptrdiff_t pitch, COLORREF color);

// A one-pixel line from `from` towards `to`, the end point excluded, drawn
// only inside `clip`. Returns the bounds of what it drew.
RECT Line(const Surface& surface, const RECT& clip, POINT from, POINT to, COLORREF color);

// Pens are at most this wide: wider than any surface.
constexpr int kWidestPen = 1 << 15;

// A line `width` (2 ... kWidestPen) pixels wide centred on the path from
// `from` to `to`, with round ends, drawn only inside `clip`; consecutive
// segments thus meet in round joins. Returns the bounds of what it drew.
RECT WideLine(const Surface& surface, const RECT& clip, POINT from, POINT to, int width, COLORREF color);

}  // namespace host::gdi::raster
