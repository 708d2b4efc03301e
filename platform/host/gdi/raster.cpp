// The rasterizer's primitives (see raster.h). Sections: checks, fills and
// copies, blending, lines.
#include "platform/host/gdi/raster.h"

#include <algorithm>
#include <cassert>
#include <cstdlib>
#include <cmath>
#include <cstring>
#include <vector>

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

RECT DifferingArea(const Surface& destination, const RECT& r, const Surface& source, POINT from)
{
    assert(OnSurface(destination, r));
    const int width = r.right - r.left;
    RECT differing{};
    for (int y = r.top; y < r.bottom; ++y) {
        const uint32_t* to = destination.Row(y) + r.left;
        const uint32_t* in = source.Row(from.y + y - r.top) + from.x;
        if (std::memcmp(to, in, size_t(width) * 4) == 0)
            continue;
        int first = 0, last = width - 1;
        while (to[first] == in[first])
            ++first;
        while (to[last] == in[last])
            --last;
        differing = Union(differing, RECT{r.left + first, y, r.left + last + 1, y + 1});
    }
    return differing;
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

// ---- Wide lines -----------------------------------------------------------
// Windows draws a wide segment as the union of a round end at each end point
// and the segment's body, a quadrilateral whose corners are rounded to whole
// pixels; consecutive segments thus meet in round joins. Both shapes are
// filled by the region rule: pixel (x, y) is in when the point (x, y) is,
// points on a top or left edge included, on a bottom or right edge not.

namespace {

// The round end of a pen `width` pixels wide, as the rows of the width x
// width box around the end point: row i leaves insets[i] pixels out on each
// side. It is a midpoint circle stepped from the middle row downwards, its
// upper half the mirror image; Windows' elliptic regions have this shape.
std::vector<int> CapInsets(int width)
{
    const int64_t d = width - 1;  // the diameter in pixel steps
    const int64_t step = 8 * d * d;
    int64_t stepX = 4 * d * d * (1 - d), stepY = 4 * d * d * (1 + d % 2);
    int64_t error = stepX + stepY + d * d * (d % 2);
    std::vector<int> insets(width, 0);
    int x = 0, y = width / 2;
    while (x <= width / 2) {
        const int64_t twice = 2 * error;
        if (twice >= stepX) {
            ++x;
            error += stepX += step;
        }
        if (twice <= stepY) {
            ++y;
            error += stepY += step;
            assert(y < width);
            insets[y] = x;
        }
    }
    for (int row = 0; row < width / 2; ++row) insets[row] = insets[d - row];
    return insets;
}

void PlotSpan(const Surface& surface, const RECT& clip, int64_t y, int64_t left, int64_t right, uint32_t pixel,
              RECT& bounds)
{
    if (y < clip.top || y >= clip.bottom) return;
    left = std::max<int64_t>(left, clip.left);
    right = std::min<int64_t>(right, clip.right);
    for (int64_t x = left; x < right; ++x) Plot(surface, static_cast<int>(x), static_cast<int>(y), pixel, bounds);
}

void FillCap(const Surface& surface, const RECT& clip, POINT at, const std::vector<int>& insets, uint32_t pixel,
             RECT& bounds)
{
    const int64_t width = std::ssize(insets);
    const int64_t left = int64_t{at.x} - width / 2, top = int64_t{at.y} - width / 2;
    for (int64_t row = std::max<int64_t>(0, clip.top - top); row < width && top + row < clip.bottom; ++row)
        PlotSpan(surface, clip, top + row, left + insets[row], left + width - insets[row], pixel, bounds);
}

struct Corner {
    int64_t x, y;
};

// The smallest integer not below a / b, for b > 0.
int64_t CeilDiv(__int128 a, __int128 b) { return static_cast<int64_t>(a >= 0 ? (a + b - 1) / b : -((-a) / b)); }

// Fills the polygon by the region rule, alternate winding.
void FillPolygon(const Surface& surface, const RECT& clip, const Corner (&corners)[4], uint32_t pixel, RECT& bounds)
{
    int64_t top = corners[0].y, bottom = corners[0].y;
    for (const Corner& c : corners) {
        top = std::min(top, c.y);
        bottom = std::max(bottom, c.y);
    }
    for (int64_t y = std::max<int64_t>(top, clip.top); y < std::min<int64_t>(bottom, clip.bottom); ++y) {
        int64_t crossings[4];
        int count = 0;
        for (int i = 0; i < 4; ++i) {
            Corner a = corners[i], b = corners[(i + 1) % 4];
            if (a.y > b.y) std::swap(a, b);
            if (y < a.y || y >= b.y) continue;
            // The first pixel at or right of the edge on this row.
            crossings[count++] = CeilDiv(__int128{a.x} * (b.y - a.y) + __int128{y - a.y} * (b.x - a.x), b.y - a.y);
        }
        for (int i = 1; i < count; ++i)
            for (int j = i; j > 0 && crossings[j - 1] > crossings[j]; --j) std::swap(crossings[j - 1], crossings[j]);
        for (int i = 0; i + 1 < count; i += 2) PlotSpan(surface, clip, y, crossings[i], crossings[i + 1], pixel, bounds);
    }
}

// The body of the segment from `from` to `to`.
void FillBody(const Surface& surface, const RECT& clip, POINT from, POINT to, int width, uint32_t pixel, RECT& bounds)
{
    const int64_t dx = int64_t{to.x} - from.x, dy = int64_t{to.y} - from.y;
    // Only the rows that meet the clip are visited: a long or wide pen costs
    // what it covers on the surface.
    if (dy == 0) {
        const int64_t top = int64_t{from.y} - width / 2;
        for (int64_t y = std::max<int64_t>(top, clip.top); y < std::min<int64_t>(top + width, clip.bottom); ++y)
            PlotSpan(surface, clip, y, std::min<int64_t>(from.x, to.x), std::max<int64_t>(from.x, to.x), pixel, bounds);
        return;
    }
    if (dx == 0) {
        const int64_t left = int64_t{from.x} - width / 2;
        const int64_t first = std::max<int64_t>(std::min(from.y, to.y), clip.top);
        const int64_t end = std::min<int64_t>(std::max(from.y, to.y), clip.bottom);
        for (int64_t y = first; y < end; ++y)
            PlotSpan(surface, clip, y, left, left + width, pixel, bounds);
        return;
    }
    // The pen's extent across the segment, split into a narrower half on
    // one side and a wider one on the other; which is which follows the
    // direction, so that the two halves of a line drawn back and forth
    // swap sides as on Windows.
    const double length = std::hypot(double(dx), double(dy));
    const double acrossX = width * std::fabs(double(dy)) / length, acrossY = width * std::fabs(double(dx)) / length;
    Corner narrow{std::llround(acrossX / 2), std::llround(acrossY / 2)};
    Corner wide{std::llround((acrossX + 1) / 2), std::llround((acrossY + 1) / 2)};
    if (dx < 0) {
        narrow.y = -narrow.y;
        wide.y = -wide.y;
    }
    if (dy < 0) {
        std::swap(narrow, wide);
        narrow.x = -narrow.x;
        wide.x = -wide.x;
    }
    const Corner corners[4] = {{from.x - narrow.x, from.y + narrow.y},
                               {from.x + wide.x, from.y - wide.y},
                               {to.x + wide.x, to.y - wide.y},
                               {to.x - narrow.x, to.y + narrow.y}};
    FillPolygon(surface, clip, corners, pixel, bounds);
}

}  // namespace

RECT WideLine(const Surface& surface, const RECT& clip, POINT from, POINT to, int width, COLORREF color)
{
    assert(OnSurface(surface, clip));
    assert(width > 1 && width <= kWidestPen);
    const uint32_t pixel = PixelOf(color);
    RECT bounds{};
    // The round ends are worked out only when one of them can show.
    auto capShows = [&](POINT at) {
        const int64_t left = int64_t{at.x} - width / 2, top = int64_t{at.y} - width / 2;
        return left < clip.right && left + width > clip.left && top < clip.bottom && top + width > clip.top;
    };
    if (capShows(from) || capShows(to)) {
        const std::vector<int> insets = CapInsets(width);
        FillCap(surface, clip, from, insets, pixel, bounds);
        FillCap(surface, clip, to, insets, pixel, bounds);
    }
    if (from.x != to.x || from.y != to.y) FillBody(surface, clip, from, to, width, pixel, bounds);
    return bounds;
}

}  // namespace host::gdi::raster
