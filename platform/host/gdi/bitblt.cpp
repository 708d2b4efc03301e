// Block transfers between device contexts (SRCCOPY only). The area that
// is copied is clipped to both surfaces: destination pixels whose source
// lies off the source surface are left as they are.
#include <algorithm>
#include <memory>
#include <vector>

#include "platform/host/gdi/dc.h"
#include "platform/host/gdi/raster.h"

namespace host::gdi {
namespace {

// Source pixel for each of `count` destination pixels, starting `skip`
// pixels into a destination span of `length`, from a source span at
// `start` of `sourceLength` (both lengths positive); pixel centres map to
// pixel centres, as the nearest-neighbour stretch of Windows does.
std::vector<int> StretchMap(int64_t skip, int count, int64_t length, int64_t start, int64_t sourceLength, bool mirror)
{
    std::vector<int> map(count);
    for (int i = 0; i < count; ++i) {
        __int128 k = skip + i;
        if (mirror) k = length - 1 - k;
        int64_t at = start + static_cast<int64_t>((2 * k + 1) * sourceLength / (2 * __int128{length}));
        // Anything off the source is -1, so that no far value wraps into range.
        map[i] = at < 0 || at > INT32_MAX ? -1 : static_cast<int>(at);
    }
    return map;
}

// Narrows [first, first + map.size()) to the entries that lie in
// [0, limit); the map is monotonic, so they are one run. Returns the new
// first, and erases the other entries.
int64_t KeepInside(std::vector<int>& map, int64_t first, int limit)
{
    auto inside = [limit](int v) { return v >= 0 && v < limit; };
    auto begin = std::find_if(map.begin(), map.end(), inside);
    auto end = std::find_if_not(begin, map.end(), inside);
    int64_t newFirst = first + (begin - map.begin());
    map.erase(end, map.end());
    map.erase(map.begin(), begin);
    return newFirst;
}

// The source pixels that `columns` x `rows` use, copied out, with the
// maps rebased onto the copy: for a stretch within one surface.
struct Snapshot {
    std::unique_ptr<uint32_t[]> pixels;
    Surface surface;
};

Snapshot TakeSnapshot(const Surface& source, std::vector<int>& columns, std::vector<int>& rows)
{
    auto [minColumn, maxColumn] = std::minmax_element(columns.begin(), columns.end());
    auto [minRow, maxRow] = std::minmax_element(rows.begin(), rows.end());
    int left = *minColumn, top = *minRow;
    int width = *maxColumn - left + 1, height = *maxRow - top + 1;
    Snapshot copy;
    copy.pixels = std::make_unique<uint32_t[]>(size_t(width) * height);
    copy.surface = {width, height, reinterpret_cast<uint8_t*>(copy.pixels.get()), ptrdiff_t(width) * 4};
    raster::Copy(copy.surface, RECT{0, 0, width, height}, source, POINT{left, top});
    for (int& c : columns) c -= left;
    for (int& r : rows) r -= top;
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
    if (width <= 0 || height <= 0) return TRUE;
    const Surface& in = from->Target();
    // The source surface in destination coordinates.
    int64_t shiftX = int64_t{x} - sourceX, shiftY = int64_t{y} - sourceY;
    RECT sourceArea = WideRect(shiftX, shiftY, shiftX + in.width, shiftY + in.height);
    RECT area = to->Clip(Intersect(WideRect(x, y, int64_t{x} + width, int64_t{y} + height), sourceArea));
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

    // Negative extents mirror; a span is kept as its lowest pixel and length.
    struct Span {
        int64_t start, length;
    };
    auto span = [](int64_t at, int64_t extent) { return extent < 0 ? Span{at + extent, -extent} : Span{at, extent}; };
    Span dx = span(x, width), dy = span(y, height), sx = span(sourceX, sourceWidth), sy = span(sourceY, sourceHeight);
    bool mirrorX = (width < 0) != (sourceWidth < 0), mirrorY = (height < 0) != (sourceHeight < 0);

    RECT area = to->Clip(WideRect(dx.start, dy.start, dx.start + dx.length, dy.start + dy.length));
    if (Empty(area)) return TRUE;
    const Surface& in = from->Target();
    std::vector<int> columns =
        StretchMap(area.left - dx.start, area.right - area.left, dx.length, sx.start, sx.length, mirrorX);
    std::vector<int> rows = StretchMap(area.top - dy.start, area.bottom - area.top, dy.length, sy.start, sy.length, mirrorY);
    area.left = static_cast<LONG>(KeepInside(columns, area.left, in.width));
    area.right = area.left + static_cast<LONG>(columns.size());
    area.top = static_cast<LONG>(KeepInside(rows, area.top, in.height));
    area.bottom = area.top + static_cast<LONG>(rows.size());
    if (Empty(area)) return TRUE;

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
