#include "gauges/VerticalGradient.h"

#include <algorithm>

#include "gauges/ChannelBlend.h"

void VerticalGradient(DibSurface& surface, const RECT& rect, DWORD top, DWORD bottom)
{
    if (!surface.Pixels())
        return;
    const LONG left = std::max<LONG>(rect.left, 0);
    const LONG firstRow = std::max<LONG>(rect.top, 0);
    if (left >= surface.Width() || firstRow >= surface.Height())
        return;
    const int columns = std::min<LONG>(surface.Width() - left, rect.right - left);
    const int rows = std::min<LONG>(surface.Height() - firstRow, rect.bottom - firstRow);
    if (columns <= 0 || rows <= 0)
        return;

    for (int k = 0; k < rows; ++k) {
        // Bytes 0-3 of a pixel value: blue, green, red, alpha.
        int value[4];
        for (int channel = 0; channel < 4; ++channel) {
            const int a = (top >> (8 * channel)) & 0xFF;
            const int b = (bottom >> (8 * channel)) & 0xFF;
            value[channel] = static_cast<int>((static_cast<LONGLONG>(b) * (rows - k) + static_cast<LONGLONG>(a) * k) / rows);
        }
        BYTE* pixel = surface.CursorAt(left, firstRow + rows - 1 - k).rowStart;
        for (int column = 0; column < columns; ++column, pixel += 4) {
            for (int channel = 0; channel < 3; ++channel)
                pixel[channel] = BlendChannel(pixel[channel], value[channel], value[3]);
        }
    }
}
