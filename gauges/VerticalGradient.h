// Blends a vertical gradient into a rectangle of a surface's pixels.
#pragma once

#include "gauges/DibSurface.h"

// `top` and `bottom` are pixel values 0xAARRGGBB; per row the colour and the
// alpha are interpolated from `bottom` at the rectangle's bottom row towards
// `top`, and each pixel's blue, green and red move by alpha/256 of the way
// to that colour (so alpha 255 falls one step short where the way is long).
// The fourth byte is not written. Only the part inside the surface is
// painted, with the gradient laid over the rows that are painted.
void VerticalGradient(DibSurface& surface, const RECT& rect, DWORD top, DWORD bottom);
