// Rectangle arithmetic inside the GDI: right and bottom are exclusive, and
// any rectangle with right <= left or bottom <= top is empty.
#pragma once

#include <algorithm>
#include <array>
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

// A few rectangles that together cover what was drawn or changed: a
// rectangle that meets one already held joins it, and when all places are
// taken the two whose union is the smallest become one. Far-apart changes
// (a clock and a gauge) so stay apart, without the area between them.
class RectList {
public:
    static constexpr size_t kCapacity = 8;

    void Add(const RECT& r)
    {
        if (Empty(r))
            return;
        RECT joined = r;
        // Whatever meets the new rectangle joins it, again until nothing does.
        for (size_t i = 0; i < count_;) {
            if (!Empty(Intersect(rects_[i], joined))) {
                joined = Union(joined, rects_[i]);
                rects_[i] = rects_[--count_];
                i = 0;
            } else {
                ++i;
            }
        }
        if (count_ == kCapacity)
            MergeClosest();
        rects_[count_++] = joined;
    }
    void Clear() { count_ = 0; }
    bool IsEmpty() const { return count_ == 0; }
    RECT Bounds() const
    {
        RECT bounds{};
        for (size_t i = 0; i < count_; ++i)
            bounds = Union(bounds, rects_[i]);
        return bounds;
    }
    const RECT* begin() const { return rects_.data(); }
    const RECT* end() const { return rects_.data() + count_; }

private:
    static int64_t Area(const RECT& r) { return int64_t{r.right - r.left} * (r.bottom - r.top); }
    void MergeClosest()
    {
        size_t a = 0, b = 1;
        int64_t best = INT64_MAX;
        for (size_t i = 0; i < count_; ++i) {
            for (size_t j = i + 1; j < count_; ++j) {
                const int64_t grown = Area(Union(rects_[i], rects_[j]));
                if (grown < best) {
                    best = grown;
                    a = i;
                    b = j;
                }
            }
        }
        rects_[a] = Union(rects_[a], rects_[b]);
        rects_[b] = rects_[--count_];
    }

    std::array<RECT, kCapacity> rects_{};
    size_t count_ = 0;
};

// Left/right and top/bottom put in order, as the shape calls take them.
inline RECT Normalized(int left, int top, int right, int bottom)
{
    return {std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
}

}  // namespace host::gdi
