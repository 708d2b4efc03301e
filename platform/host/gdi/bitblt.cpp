// Block transfers between device contexts (SRCCOPY only). The area that
// is copied is clipped to both surfaces: destination pixels whose source
// lies off the source surface are left as they are.
#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

#include "platform/host/gdi/dc.h"
#include "platform/host/gdi/raster.h"

namespace host::gdi {
namespace {

using raster::SourceRun;

// One axis of a stretch as Windows walks it: `count` pixels from `start`,
// `step` (+1 or -1) apart.
struct Walk {
    int64_t start;
    int step;
    int64_t count;

    int64_t Pixel(int64_t index) const { return start + step * index; }
    int64_t Lowest() const { return step > 0 ? start : start - count + 1; }
};

// Negative extents on both sides cover the pixels before the origin, as a
// BitBlt does, and mirror nothing; a negative extent on one side only
// mirrors, walking back from the origin pixel itself.
std::pair<Walk, Walk> Walks(int64_t at, int64_t extent, int64_t sourceAt, int64_t sourceExtent)
{
    if (extent < 0 && sourceExtent < 0)
        return {Walk{at + extent, 1, -extent}, Walk{sourceAt + sourceExtent, 1, -sourceExtent}};
    auto walk = [](int64_t from, int64_t length) { return length < 0 ? Walk{from, -1, -length} : Walk{from, 1, length}; };
    return {walk(at, extent), walk(sourceAt, sourceExtent)};
}

// The source pixels (indices into a walk of n) that destination pixel k of
// m stands for. Enlarging, one pixel: the one whose centre the ideal line
// meets, the lower one on a tie. Shrinking, the run of pixels whose centres
// map into destination pixel k; Windows' default stretch mode ANDs them.
std::pair<int64_t, int64_t> Source(int64_t k, int64_t m, int64_t n)
{
    using Wide = __int128;
    if (m >= n) {
        auto at = static_cast<int64_t>(((2 * Wide{k} + 1) * n - 1) / (2 * Wide{m}));
        return {at, at};
    }
    // The first source pixel whose centre maps to destination pixel j.
    auto first = [m, n](int64_t j) {
        Wide numerator = 2 * Wide{n} * j - m + 1;
        return numerator <= 0 ? int64_t{0} : static_cast<int64_t>((numerator + 2 * Wide{m} - 1) / (2 * Wide{m}));
    };
    return {first(k), std::min(first(k + 1), n) - 1};
}

// The source runs of the destination pixels [from, to) along one axis,
// each narrowed to [0, limit). The runs move monotonically, so those left
// empty lie at the ends: they are dropped and `from` moves past them.
std::vector<SourceRun> Runs(const Walk& destination, const Walk& source, int64_t& from, int64_t to, int limit)
{
    std::vector<SourceRun> runs;
    int64_t first = to;
    for (int64_t at = from; at < to; ++at) {
        int64_t k = destination.step > 0 ? at - destination.start : destination.start - at;
        auto [a, b] = Source(k, destination.count, source.count);
        int64_t low = std::max<int64_t>(std::min(source.Pixel(a), source.Pixel(b)), 0);
        int64_t high = std::min<int64_t>(std::max(source.Pixel(a), source.Pixel(b)), int64_t{limit} - 1);
        if (low > high) {
            if (!runs.empty()) break;
            continue;
        }
        if (runs.empty()) first = at;
        runs.push_back({static_cast<int>(low), static_cast<int>(high)});
    }
    from = first;
    return runs;
}

// The source pixels that `columns` x `rows` use, copied out, with the
// runs rebased onto the copy: for a stretch within one surface.
struct Snapshot {
    std::unique_ptr<uint32_t[]> pixels;
    Surface surface;
};

Snapshot TakeSnapshot(const Surface& source, std::vector<SourceRun>& columns, std::vector<SourceRun>& rows)
{
    // The runs are monotonic: the extremes lie at the ends.
    int left = std::min(columns.front().first, columns.back().first);
    int right = std::max(columns.front().last, columns.back().last) + 1;
    int top = std::min(rows.front().first, rows.back().first);
    int bottom = std::max(rows.front().last, rows.back().last) + 1;
    int width = right - left, height = bottom - top;
    Snapshot copy;
    copy.pixels = std::make_unique<uint32_t[]>(size_t(width) * height);
    copy.surface = {width, height, reinterpret_cast<uint8_t*>(copy.pixels.get()), ptrdiff_t(width) * 4};
    raster::Copy(copy.surface, RECT{0, 0, width, height}, source, POINT{left, top});
    for (SourceRun& c : columns) c = {c.first - left, c.last - left};
    for (SourceRun& r : rows) r = {r.first - top, r.last - top};
    return copy;
}

}  // namespace
}  // namespace host::gdi

using namespace host::gdi;
using host::Surface;

BOOL BitBlt(HDC destination, int x, int y, int width, int height, HDC source, int sourceX, int sourceY, DWORD rop)
{
    DeviceContext* to = LookupDC(destination);
    DeviceContext* from = LookupDC(source);
    if (!to || !from || rop != SRCCOPY) return FALSE;
    // A negative extent covers the pixels before the origin, on both sides.
    int64_t left = x, top = y, right = int64_t{x} + width, bottom = int64_t{y} + height;
    if (width < 0) std::swap(left, right);
    if (height < 0) std::swap(top, bottom);
    const Surface& in = from->Target();
    // The source surface in destination coordinates.
    int64_t shiftX = int64_t{x} - sourceX, shiftY = int64_t{y} - sourceY;
    RECT sourceArea = WideRect(shiftX, shiftY, shiftX + in.width, shiftY + in.height);
    RECT area = to->Clip(Intersect(WideRect(left, top, right, bottom), sourceArea));
    if (Empty(area)) return TRUE;
    // On a window only the pixels that change are copied and so presented:
    // a redrawn clock sends the digits that moved.
    if (to->window)
        area = raster::DifferingArea(to->Target(), area, in,
                                     POINT{static_cast<LONG>(area.left - shiftX), static_cast<LONG>(area.top - shiftY)});
    if (Empty(area)) return TRUE;
    raster::Copy(to->Target(), area, in,
                 POINT{static_cast<LONG>(area.left - shiftX), static_cast<LONG>(area.top - shiftY)});
    to->Touch(area);
    return TRUE;
}

BOOL StretchBlt(HDC destination, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                int sourceWidth, int sourceHeight, DWORD rop)
{
    if (width == sourceWidth && height == sourceHeight)
        return BitBlt(destination, x, y, width, height, source, sourceX, sourceY, rop);
    DeviceContext* to = LookupDC(destination);
    DeviceContext* from = LookupDC(source);
    if (!to || !from || rop != SRCCOPY) return FALSE;
    if (width == 0 || height == 0 || sourceWidth == 0 || sourceHeight == 0) return TRUE;
    // Shrinking to a single pixel, Windows leaves out the last source pixel.
    int64_t spanX = sourceWidth, spanY = sourceHeight;
    if (width == 1 && spanX > 1) --spanX;
    if (height == 1 && spanY > 1) --spanY;
    auto [columnsTo, columnsFrom] = Walks(x, width, sourceX, spanX);
    auto [rowsTo, rowsFrom] = Walks(y, height, sourceY, spanY);

    RECT area = to->Clip(WideRect(columnsTo.Lowest(), rowsTo.Lowest(), columnsTo.Lowest() + columnsTo.count,
                                  rowsTo.Lowest() + rowsTo.count));
    if (Empty(area)) return TRUE;
    const Surface& in = from->Target();
    int64_t left = area.left, top = area.top;
    std::vector<SourceRun> columns = Runs(columnsTo, columnsFrom, left, area.right, in.width);
    std::vector<SourceRun> rows = Runs(rowsTo, rowsFrom, top, area.bottom, in.height);
    if (columns.empty() || rows.empty()) return TRUE;
    area = {static_cast<LONG>(left), static_cast<LONG>(top), static_cast<LONG>(left + std::ssize(columns)),
            static_cast<LONG>(top + std::ssize(rows))};

    const Surface& out = to->Target();
    if (out.origin == in.origin) {
        Snapshot copy = TakeSnapshot(in, columns, rows);
        raster::StretchCopy(out, area, copy.surface, columns.data(), rows.data());
    } else {
        raster::StretchCopy(out, area, in, columns.data(), rows.data());
    }
    to->Touch(area);
    return TRUE;
}
