// Pixel helpers for drawing tests on a DibSurface.
#pragma once

#include <cstring>
#include <vector>

#include "gauges/DibSurface.h"

namespace surfacetest {

// What a test surface is filled with before drawing.
constexpr BYTE kMarker = 0xCC;
constexpr COLORREF kMarkerColor = RGB(kMarker, kMarker, kMarker);

inline void Fill(DibSurface& surface, BYTE value)
{
    std::memset(surface.Pixels(), value, 4 * static_cast<size_t>(surface.Width()) * surface.Height());
}

inline COLORREF PixelAt(const DibSurface& surface, int x, int y)
{
    const BYTE* pixel = surface.CursorAt(x, y).rowStart;
    return RGB(pixel[2], pixel[1], pixel[0]);
}

inline void SetPixelAt(DibSurface& surface, int x, int y, COLORREF color)
{
    BYTE* pixel = surface.CursorAt(x, y).rowStart;
    pixel[0] = GetBValue(color);
    pixel[1] = GetGValue(color);
    pixel[2] = GetRValue(color);
}

inline std::vector<BYTE> Bytes(const DibSurface& surface)
{
    const BYTE* first = surface.Pixels();
    return std::vector<BYTE>(first, first + 4 * static_cast<size_t>(surface.Width()) * surface.Height());
}

// True when no pixel outside `rect` differs from `before`.
inline bool UnchangedOutside(const DibSurface& surface, const std::vector<BYTE>& before, const RECT& rect)
{
    for (int y = 0; y < surface.Height(); ++y) {
        for (int x = 0; x < surface.Width(); ++x) {
            if (x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom)
                continue;
            const size_t at = surface.CursorAt(x, y).rowStart - surface.Pixels();
            if (std::memcmp(&before[at], surface.Pixels() + at, 4) != 0)
                return false;
        }
    }
    return true;
}

// Pixels of `rect` that hold exactly `color`.
inline int CountColor(const DibSurface& surface, const RECT& rect, COLORREF color)
{
    int count = 0;
    for (int y = rect.top; y < rect.bottom; ++y) {
        for (int x = rect.left; x < rect.right; ++x)
            count += PixelAt(surface, x, y) == color;
    }
    return count;
}

}  // namespace surfacetest
