// Positions and sizes from panel files can be anything a 32-bit number
// holds. Panels are far smaller than this range, so the gauges draw nothing
// placed beyond it and limit sizes to it; their coordinate sums then never
// overflow.
#pragma once

constexpr int kMaxCoordinate = 1 << 20;

inline bool InDrawingRange(int x, int y)
{
    return -kMaxCoordinate <= x && x <= kMaxCoordinate && -kMaxCoordinate <= y && y <= kMaxCoordinate;
}

// A size limited to 0 ... kMaxCoordinate.
inline int ClampExtent(int size)
{
    return size < 0 ? 0 : (size > kMaxCoordinate ? kMaxCoordinate : size);
}
