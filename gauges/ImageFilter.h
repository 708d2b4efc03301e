// A filter that works on a rectangle of a surface's pixels.
#pragma once

#include "platform/win32.h"

class DibSurface;

class ImageFilter {
public:
    ImageFilter() = default;
    ImageFilter(const ImageFilter&) = delete;
    ImageFilter& operator=(const ImageFilter&) = delete;

    // Filters `rect` (right and bottom exclusive) of `surface` in place.
    virtual void Apply(DibSurface& surface, const RECT& rect) = 0;
    virtual ~ImageFilter() = default;
};
