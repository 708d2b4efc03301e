// The rasterizer's primitives (see raster.h). Sections: checks, fills and
// copies, blending, lines.
#include "platform/host/gdi/raster.h"

#include <algorithm>
#include <cassert>
#include <cstdlib>
#include <cstring>

#include "platform/host/gdi/rects.h"

namespace host::gdi::raster {
namespace {

void Plot(const Surface& surface, int x, int y, uint32_t pixel, RECT& bounds)
{
    surface.Row(y)[x] = pixel;
    bounds = Union(bounds, RECT{x, y, x + 1, y + 1});
}

}  // namespace

bool OnSurface(const Surface& surface, const RECT& r)
{
    return !Empty(r) && r.left >= 0 && r.top >= 0 && r.right <= surface.width && r.bottom <= surface.height;
}

// ---- Fills and copies ----------------------------------------------------

void FillSolid(const Surface& surface, const RECT& r, COLORREF color)
{
    assert(OnSurface(surface, r));
    uint32_t pixel = PixelOf(color);
    for (int y = r.top; y < r.bottom; ++y) std::fill(surface.Row(y) + r.left, surface.Row(y) + r.right, pixel);
}

void Copy(const Surface& destination, const RECT& r, const Surface& source, POINT from)
{
    assert(OnSurface(destination, r));
    assert(OnSurface(source, RECT{from.x, from.y, from.x + r.right - r.left, from.y + r.bottom - r.top}));
    size_t bytes = size_t(r.right - r.left) * 4;
    int rows = r.bottom - r.top;
    // Within one surface, a copy downwards must start with the last row so
    // that no source row is overwritten before it is read; memmove handles
    // the overlap inside a row.
    bool lastRowFirst = destination.origin == source.origin && r.top > from.y;
    for (int i = 0; i < rows; ++i) {
        int j = lastRowFirst ? rows - 1 - i : i;
        std::memmove(destination.Row(r.top + j) + r.left, source.Row(from.y + j) + from.x, bytes);
    }
}

void StretchCopy(const Surface& destination, const RECT& r, const Surface& source, const SourceRun* columns,
                 const SourceRun* rows)
{
    assert(OnSurface(destination, r));
    for (int y = r.top; y < r.bottom; ++y) {
        const SourceRun& sourceRows = rows[y - r.top];
        assert(sourceRows.first >= 0 && sourceRows.first <= sourceRows.last && sourceRows.last < source.height);
        uint32_t* out = destination.Row(y);
        for (int x = r.left; x < r.right; ++x) {
            const SourceRun& sourceColumns = columns[x - r.left];
            assert(sourceColumns.first >= 0 && sourceColumns.first <= sourceColumns.last &&
                   sourceColumns.last < source.width);
            uint32_t pixel = ~uint32_t{0};
            for (int sy = sourceRows.first; sy <= sourceRows.last; ++sy) {
                const uint32_t* in = source.Row(sy);
                for (int sx = sourceColumns.first; sx <= sourceColumns.last; ++sx) pixel &= in[sx];
            }
            out[x] = pixel;
        }
    }
}

// ---- Blending ------------------------------------------------------------

void Blend(const Surface& surface, const RECT& r, const uint8_t* coverage, ptrdiff_t pitch, COLORREF color)
{
    assert(OnSurface(surface, r));
    const uint32_t ink = PixelOf(color);
    for (int y = r.top; y < r.bottom; ++y, coverage += pitch) {
        uint32_t* row = surface.Row(y);
        for (int x = r.left; x < r.right; ++x) {
            uint32_t a = coverage[x - r.left];
            if (a == 0) continue;
            if (a == 255) {
                row[x] = ink;
                continue;
            }
            uint32_t out = 0;
            for (int shift = 0; shift < 24; shift += 8) {
                uint32_t under = (row[x] >> shift) & 0xFF;
                uint32_t over = (ink >> shift) & 0xFF;
                out |= ((under * (255 - a) + over * a + 127) / 255) << shift;
            }
            row[x] = out;
        }
    }
}

// ---- Lines ---------------------------------------------------------------

// One Bresenham for all octants, in closed form so that a clipped line
// visits only the steps inside the clip: the line advances one pixel per
// step along its major axis (the axis of the larger distance, x on a tie),
// and at step i the minor coordinate is the exact one rounded to the
// nearest pixel, halves rounding down (up or left on the screen) whichever
// way the line runs, as Windows draws it.
RECT Line(const Surface& surface, const RECT& clip, POINT from, POINT to, COLORREF color)
{
    assert(OnSurface(surface, clip));
    const int64_t dx = int64_t{to.x} - from.x, dy = int64_t{to.y} - from.y;
    const bool xMajor = std::llabs(dx) >= std::llabs(dy);
    const int64_t major = xMajor ? dx : dy, minor = xMajor ? dy : dx;
    const int64_t steps = std::llabs(major);
    if (steps == 0) return {};
    const int64_t majorSign = major > 0 ? 1 : -1, minorSign = minor < 0 ? -1 : 1;
    const int64_t majorStart = xMajor ? from.x : from.y, minorStart = xMajor ? from.y : from.x;
    const int64_t majorLow = xMajor ? clip.left : clip.top, majorHigh = xMajor ? clip.right : clip.bottom;
    const int64_t minorLow = xMajor ? clip.top : clip.left, minorHigh = xMajor ? clip.bottom : clip.right;

    int64_t first, last;
    if (majorSign > 0) {
        first = std::max<int64_t>(0, majorLow - majorStart);
        last = std::min(steps, majorHigh - majorStart);
    } else {
        first = std::max<int64_t>(0, majorStart - majorHigh + 1);
        last = std::min(steps, majorStart - majorLow + 1);
    }
    const uint32_t pixel = PixelOf(color);
    const unsigned __int128 run = std::llabs(minor);
    RECT bounds{};
    // A half rounds towards the start where the minor coordinate grows and
    // away from it where it shrinks.
    const unsigned __int128 half = minorSign > 0 ? steps - 1 : steps;
    for (int64_t i = first; i < last; ++i) {
        int64_t offset = static_cast<int64_t>((2 * run * i + half) / (2 * static_cast<unsigned __int128>(steps)));
        int64_t m = minorStart + minorSign * offset;
        if (m < minorLow || m >= minorHigh) continue;
        int64_t a = majorStart + majorSign * i;
        Plot(surface, static_cast<int>(xMajor ? a : m), static_cast<int>(xMajor ? m : a), pixel, bounds);
    }
    return bounds;
}

// A pixel belongs to a wide line when its centre lies closer to the segment
// than sqrt(w^2 - 1) / 2 for a width w: w / 2 less a little, which draws the
// ends as the w x w elliptic regions of Windows (a plus sign for w = 3).
// Coordinates are in half pixels, so pixel centres are odd; the path runs
// through pixel centres for odd widths and along pixel corners for even
// ones, which centres a width-w line on w pixel rows.
RECT WideLine(const Surface& surface, const RECT& clip, POINT from, POINT to, int width, COLORREF color)
{
    assert(OnSurface(surface, clip));
    using Real = long double;
    const int offset = width % 2;
    const Real ax = Real(2) * from.x + offset, ay = Real(2) * from.y + offset;
    const Real bx = Real(2) * to.x + offset, by = Real(2) * to.y + offset;
    const Real radius = width, limit = radius * radius - 1;
    const Real dx = bx - ax, dy = by - ay, length2 = dx * dx + dy * dy;

    auto clamp = [](Real v, LONG low, LONG high) { return static_cast<LONG>(std::clamp<Real>(v, low, high)); };
    RECT box{clamp((std::min(ax, bx) - radius) / 2 - 1, clip.left, clip.right),
             clamp((std::min(ay, by) - radius) / 2 - 1, clip.top, clip.bottom),
             clamp((std::max(ax, bx) + radius) / 2 + 1, clip.left, clip.right),
             clamp((std::max(ay, by) + radius) / 2 + 1, clip.top, clip.bottom)};
    const uint32_t pixel = PixelOf(color);
    RECT bounds{};
    for (int y = box.top; y < box.bottom; ++y) {
        for (int x = box.left; x < box.right; ++x) {
            Real px = Real(2) * x + 1 - ax, py = Real(2) * y + 1 - ay;
            Real along = px * dx + py * dy;
            Real distance2;
            if (along <= 0 || length2 == 0) {
                distance2 = px * px + py * py;
            } else if (along >= length2) {
                Real qx = px - dx, qy = py - dy;
                distance2 = qx * qx + qy * qy;
            } else {
                Real cross = px * dy - py * dx;
                distance2 = cross * cross / length2;
            }
            if (distance2 < limit) Plot(surface, x, y, pixel, bounds);
        }
    }
    return bounds;
}

}  // namespace host::gdi::raster
