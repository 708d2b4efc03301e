#include "tests/objects/ObjectTesting.h"

#include <algorithm>

#include "config/TextParsing.h"

namespace objecttesting {

bool Parse(SectionHandler& handler, const std::vector<const WCHAR*>& lines)
{
    bool all = true;
    for (const WCHAR* line : lines)
        all = handler.ParseKey(line, TextLength(line), true) && all;
    return all;
}

void MeasureOnScreen(DesktopObject& object)
{
    HDC screen = GetDC(nullptr);
    object.Measure(screen);
    ReleaseDC(nullptr, screen);
}

SIZE ExtentOnScreen(const WCHAR* text, HFONT font)
{
    HDC screen = GetDC(nullptr);
    HGDIOBJ previous = font ? SelectObject(screen, font) : nullptr;
    SIZE extent = {};
    GetTextExtentExPointW(screen, text, static_cast<int>(TextLength(text)), 0, nullptr, nullptr, &extent);
    if (font)
        SelectObject(screen, previous);
    ReleaseDC(nullptr, screen);
    return extent;
}

void CreateFilled(DibSurface& surface, int width, int height, COLORREF color)
{
    surface.Create(width, height);
    for (int y = 0; y < height; ++y) {
        BYTE* pixel = surface.CursorAt(0, y).current;
        for (int x = 0; x < width; ++x, pixel += 4) {
            pixel[0] = GetBValue(color);
            pixel[1] = GetGValue(color);
            pixel[2] = GetRValue(color);
        }
    }
}

COLORREF PixelAt(const DibSurface& surface, int x, int y)
{
    const BYTE* pixel = surface.CursorAt(x, y).current;
    return RGB(pixel[2], pixel[1], pixel[0]);
}

RECT InkBounds(const DibSurface& surface, COLORREF background)
{
    RECT bounds = {surface.Width(), surface.Height(), 0, 0};
    for (int y = 0; y < surface.Height(); ++y) {
        for (int x = 0; x < surface.Width(); ++x) {
            if (PixelAt(surface, x, y) == background)
                continue;
            bounds.left = std::min<LONG>(bounds.left, x);
            bounds.top = std::min<LONG>(bounds.top, y);
            bounds.right = std::max<LONG>(bounds.right, x + 1);
            bounds.bottom = std::max<LONG>(bounds.bottom, y + 1);
        }
    }
    if (bounds.left >= bounds.right)
        return RECT{};
    return bounds;
}

}  // namespace objecttesting
