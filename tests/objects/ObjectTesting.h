// Helpers for the object tests: key lines fed as the loader feeds them, a
// measurement on a screen DC, and pixel access to a surface.
#pragma once

#include <vector>

#include "gauges/DibSurface.h"
#include "objects/DesktopObject.h"

namespace objecttesting {

// Feeds each line with its length and show errors on; returns whether all
// were taken.
bool Parse(SectionHandler& handler, const std::vector<const WCHAR*>& lines);

// Measure on a screen DC, as the panel does after loading.
void MeasureOnScreen(DesktopObject& object);

// The extent of `text` on a screen DC in `font` (null: the stock font).
SIZE ExtentOnScreen(const WCHAR* text, HFONT font = nullptr);

// Creates the surface and fills it with `color`.
void CreateFilled(DibSurface& surface, int width, int height, COLORREF color);

// Pixel (x, y), y from the top, as a colour value 0x00BBGGRR.
COLORREF PixelAt(const DibSurface& surface, int x, int y);

// The smallest rectangle holding every pixel that is not `background`;
// empty when there is none.
RECT InkBounds(const DibSurface& surface, COLORREF background);

}  // namespace objecttesting
