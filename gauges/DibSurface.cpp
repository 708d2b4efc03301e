#include "gauges/DibSurface.h"

bool DibSurface::Create(int width, int height)
{
    Destroy();
    // A negative height would make a top-down bitmap, which CursorAt would
    // address outside its memory; an empty one has nothing to draw on.
    if (width <= 0 || height <= 0)
        return false;
    HDC screen = GetDC(nullptr);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // positive: bottom-up
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap || !bits) {
        if (bitmap)
            DeleteObject(bitmap);
        ReleaseDC(nullptr, screen);
        return false;
    }
    dc_ = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    if (!dc_) {
        DeleteObject(bitmap);
        return false;
    }
    previousBitmap_ = SelectObject(dc_, bitmap);
    pixels_ = static_cast<BYTE*>(bits);
    width_ = width;
    height_ = height;
    return true;
}

void DibSurface::Destroy()
{
    if (!dc_)
        return;
    // The surface keeps no handle of its own bitmap: selecting the previous
    // one back returns it.
    DeleteObject(SelectObject(dc_, previousBitmap_));
    DeleteDC(dc_);
    dc_ = nullptr;
    pixels_ = nullptr;
    previousBitmap_ = nullptr;
    width_ = 0;
    height_ = 0;
}

PixelCursor DibSurface::CursorAt(int x, int y) const
{
    BYTE* start = pixels_ + 4 * (static_cast<ptrdiff_t>(x) + static_cast<ptrdiff_t>(height_ - y - 1) * width_);
    return PixelCursor{start, start, width_};
}
