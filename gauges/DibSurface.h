// A 32-bit bottom-up device-independent bitmap selected into its own memory
// DC: drawn on with GDI through Dc(), and addressed byte by byte through
// Pixels() and CursorAt(). Pixels are blue, green, red, unused; the last row
// in memory is the top row of the picture.
#pragma once

#include "platform/win32.h"

// A position in a surface's pixels. Moving one row down the picture is
// 4 * stride bytes lower in memory.
struct PixelCursor {
    BYTE* rowStart;
    BYTE* current;
    int stride;  // surface width in pixels
};

class DibSurface {
public:
    DibSurface() = default;
    DibSurface(const DibSurface&) = delete;
    DibSurface& operator=(const DibSurface&) = delete;
    ~DibSurface() { Destroy(); }

    // Makes the surface; on failure it stays empty (null DC and pixels, size
    // 0). Returns whether it was made.
    bool Create(int width, int height);
    // Releases the bitmap and the DC; an empty surface does nothing.
    void Destroy();

    // Pixel (x, y), y counted from the top. Not bounds-checked: callers
    // clip their rectangles to Width() and Height() first.
    PixelCursor CursorAt(int x, int y) const;

    HDC Dc() const { return dc_; }
    BYTE* Pixels() const { return pixels_; }
    int Width() const { return width_; }
    int Height() const { return height_; }

private:
    HGDIOBJ previousBitmap_ = nullptr;
    HDC dc_ = nullptr;
    BYTE* pixels_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};
