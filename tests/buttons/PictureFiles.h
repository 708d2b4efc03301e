// Icon and bitmap files for the button tests, written into the test's
// temporary folder with exactly the entries and pixels a test needs.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/win32.h"

namespace picturefiles {

// A pixel as 0xAARRGGBB, for column x and row y counted from the top.
using PixelFunction = std::function<DWORD(int x, int y)>;

PixelFunction Solid(DWORD argb);

struct IconEntry {
    int width;  // the directory's width and height bytes; 0 stands for 256
    int height;
    int bitCount = 32;
    PixelFunction pixel = Solid(0xFF000000);
};

// An .ico file of the entries in the given order; returns its full path.
std::string WriteIcon(const std::string& name, const std::vector<IconEntry>& entries);

// A 24-bit .bmp file of width x height; `pixel`'s alpha is ignored.
std::string WriteBitmap(const std::string& name, int width, int height, const PixelFunction& pixel);

}  // namespace picturefiles
