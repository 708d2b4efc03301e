// Rectangle arithmetic inside the GDI: right and bottom are exclusive, and
// any rectangle with right <= left or bottom <= top is empty.
#pragma once

#include <algorithm>
#include <cstdint>

#include "platform/win32.h"

namespace host::gdi {

inline bool Empty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

inline RECT Intersect(const RECT& a, const RECT& b)
{
    RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
    return Empty(r) ? RECT{} : r;
}

inline RECT Union(const RECT& a, const RECT& b)
{
    if (Empty(a)) return b;
    if (Empty(b)) return a;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

// A rectangle from 64-bit edges, each limited to the range of LONG, so that
// edges computed as "x + 1" at the ends of that range cannot overflow.
inline RECT WideRect(int64_t left, int64_t top, int64_t right, int64_t bottom)
{
    auto limit = [](int64_t v) { return static_cast<LONG>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); };
    return {limit(left), limit(top), limit(right), limit(bottom)};
}

// A 1 x 1 rectangle at (x, y).
inline RECT PixelRect(int x, int y) { return WideRect(x, y, int64_t{x} + 1, int64_t{y} + 1); }

// Left/right and top/bottom put in order, as the shape calls take them.
inline RECT Normalized(int left, int top, int right, int bottom)
{
    return {std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
}

}  // namespace host::gdi
