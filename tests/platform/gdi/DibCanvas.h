// A drawing target for GDI tests: a 32-bit bottom-up DIB section selected
// into a memory DC, filled with a marker colour so that every pixel a call
// touches shows.
#pragma once

#include <ostream>
#include <string>

#include "platform/win32.h"

// Rectangles compared and printed in test expectations.
inline bool operator==(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline std::ostream& operator<<(std::ostream& out, const RECT& r)
{
    return out << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}

namespace gditest {

// The header of a 32-bit BI_RGB DIB section (bottom-up for a positive height).
BITMAPINFO DibInfo(LONG width, LONG height);

// The marker: every byte 0xCC.
constexpr COLORREF kMarker = RGB(0xCC, 0xCC, 0xCC);

class DibCanvas {
public:
    DibCanvas(int width, int height);
    ~DibCanvas();
    DibCanvas(const DibCanvas&) = delete;
    DibCanvas& operator=(const DibCanvas&) = delete;

    HDC dc() const { return dc_; }
    HBITMAP bitmap() const { return bitmap_; }
    int width() const { return width_; }
    int height() const { return height_; }

    // Straight from the DIB's memory (x, y from the top-left), as 0x00BBGGRR.
    COLORREF Pixel(int x, int y) const;
    void Fill(COLORREF color);

    // The smallest rectangle holding every pixel that is not `background`;
    // empty when there is none.
    RECT Bounds(COLORREF background = kMarker) const;
    // Pixels of exactly `color` inside `r`.
    int Count(COLORREF color, const RECT& r) const;
    int Count(COLORREF color) const { return Count(color, RECT{0, 0, width_, height_}); }

    // Writes the picture as a .bmp file, to look at by hand.
    bool Save(const std::string& path) const;

private:
    int width_, height_;
    unsigned char* bits_ = nullptr;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
};

}  // namespace gditest
