#include "tests/platform/gdi/DibCanvas.h"

#include <fstream>

namespace gditest {

BITMAPINFO DibInfo(LONG width, LONG height)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

DibCanvas::DibCanvas(int width, int height) : width_(width), height_(height)
{
    BITMAPINFO info = DibInfo(width, height);
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<unsigned char*>(bits);
    dc_ = CreateCompatibleDC(nullptr);
    previous_ = SelectObject(dc_, bitmap_);
    Fill(kMarker);
}

DibCanvas::~DibCanvas()
{
    SelectObject(dc_, previous_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
}

COLORREF DibCanvas::Pixel(int x, int y) const
{
    const unsigned char* p = bits_ + 4 * (x + (height_ - 1 - y) * width_);
    return RGB(p[2], p[1], p[0]);
}

void DibCanvas::Fill(COLORREF color)
{
    for (int i = 0; i < width_ * height_; ++i) {
        bits_[4 * i] = GetBValue(color);
        bits_[4 * i + 1] = GetGValue(color);
        bits_[4 * i + 2] = GetRValue(color);
        bits_[4 * i + 3] = 0xCC;
    }
}

RECT DibCanvas::Bounds(COLORREF background) const
{
    RECT r{width_, height_, 0, 0};
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            if (Pixel(x, y) == background) continue;
            if (x < r.left) r.left = x;
            if (y < r.top) r.top = y;
            if (x + 1 > r.right) r.right = x + 1;
            if (y + 1 > r.bottom) r.bottom = y + 1;
        }
    }
    return r.right == 0 ? RECT{} : r;
}

int DibCanvas::Count(COLORREF color, const RECT& r) const
{
    int count = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) count += Pixel(x, y) == color;
    return count;
}

bool DibCanvas::Save(const std::string& path) const
{
    auto put = [](std::ofstream& out, unsigned value, int bytes) {
        for (int i = 0; i < bytes; ++i) out.put(static_cast<char>((value >> (8 * i)) & 0xFF));
    };
    const unsigned imageBytes = unsigned(width_) * height_ * 4;
    std::ofstream out(path, std::ios::binary);
    out.write("BM", 2);
    put(out, 54 + imageBytes, 4);
    put(out, 0, 4);
    put(out, 54, 4);
    put(out, 40, 4);
    put(out, width_, 4);
    put(out, height_, 4);
    put(out, 1, 2);
    put(out, 32, 2);
    put(out, 0, 4);
    put(out, imageBytes, 4);
    for (int i = 0; i < 4; ++i) put(out, 0, 4);
    out.write(reinterpret_cast<const char*>(bits_), imageBytes);
    return bool(out);
}

}  // namespace gditest
