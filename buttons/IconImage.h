// A 32-bit picture read from an icon file (.ico), its colour transforms, and
// its alpha blend onto a DibSurface. No platform icon object is involved:
// the pixels go from the file into the surface's memory directly.
#pragma once

#include <memory>

#include "platform/win32.h"

class DibSurface;

// Pixels are blue, green, red, alpha (straight, not premultiplied), rows
// bottom-up as in the icon file. Width or height 0 means empty.
class IconImage {
public:
    IconImage() = default;
    // Takes `pixels` of width * height * 4 bytes.
    IconImage(int width, int height, std::unique_ptr<BYTE[]> pixels);
    IconImage(IconImage&&) = default;
    IconImage& operator=(IconImage&&) = default;

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool IsEmpty() const { return width_ == 0 || height_ == 0; }
    BYTE* Pixels() const { return pixels_.get(); }

private:
    int width_ = 0;
    int height_ = 0;
    std::unique_ptr<BYTE[]> pixels_;
};

// The 32-bit picture of `path` that fits the wanted size best: of the
// entries no larger than wanted in both dimensions (compared unsigned), the
// first, unless a later one is larger in both. A file that cannot be opened
// or read gives an empty image silently; a malformed file, a file without
// icons or without a fitting picture is reported with the path.
IconImage LoadIconImage(const WCHAR* path, UINT wantedWidth, UINT wantedHeight);

// The colour transforms leave fully transparent pixels untouched.
// Multiplies each channel by its factor; products above 255 give 255, below
// 0 give 0.
void ScaleChannels(IconImage& image, float red, float green, float blue, float alpha);
// Adds each amount to its channel, clamped to 0...255.
void AddToChannels(IconImage& image, SHORT red, SHORT green, SHORT blue, SHORT alpha);
// Red, green and blue become their average; alpha stays.
void MakeGray(IconImage& image);

// Blends the picture onto `surface` with its top-left corner at (x, y),
// counted from the surface's top; what lies outside the surface is cut.
void BlendOnto(const IconImage& image, DibSurface& surface, int x, int y);
