#include "gauges/BlurFilter.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "gauges/ChannelBlend.h"

BlurFilter::BlurFilter(COLORREF tint, BYTE tintPasses, BYTE plainPasses, FilterObserver* observer)
    : tint_(tint), tintPasses_(tintPasses), plainPasses_(plainPasses), observer_(observer)
{
    if (!observer_) {
        ownedObserver_ = std::make_unique<FilterObserver>();
        observer_ = ownedObserver_.get();
    }
}

BlurFilter::BlurFilter(BYTE plainPasses, FilterObserver* observer) : BlurFilter(0, 0, plainPasses, observer) {}

bool BlurFilter::ScratchHolds(int width, int height)
{
    if (scratch_.Pixels() && width <= scratch_.Width() && height <= scratch_.Height())
        return true;
    // Made at the size of the first rectangle (a filter per bar is cheap that
    // way) and only grown: a larger rectangle is filtered whole, not cut.
    if (!scratch_.Create(std::max({width, scratch_.Width(), 1}), std::max({height, scratch_.Height(), 1})))
        return false;
    scratchCursor_ = scratch_.CursorAt(0, 0);
    return true;
}

void BlurFilter::Apply(DibSurface& surface, const RECT& rect)
{
    if (!surface.Pixels())
        return;
    const RECT area = {std::max<LONG>(rect.left, 0), std::max<LONG>(rect.top, 0),
                       std::min<LONG>(rect.right, surface.Width()), std::min<LONG>(rect.bottom, surface.Height())};
    const int width = std::max<LONG>(area.right - area.left, 0);
    const int height = std::max<LONG>(area.bottom - area.top, 0);
    if (!ScratchHolds(width, height))
        return;

    observer_->FilterStarted(surface, rect);
    const WORD passes = static_cast<WORD>(tintPasses_ + plainPasses_);
    for (WORD pass = 0; pass < passes; ++pass) {
        observer_->PassStarting(surface, rect, pass);
        BitBlt(scratch_.Dc(), 0, 0, width, height, surface.Dc(), area.left, area.top, SRCCOPY);
        RunPass(surface, area, pass < tintPasses_);
    }
    observer_->FilterFinished(surface, rect);
}

// Blue and red, and green and the fourth byte, are summed side by side in
// the two 16-bit halves of a 32-bit word: the largest sum (32 x 255) fits a
// half, so the halves never carry into each other. Both kernels are the
// separable 1 2 1 / 2 4 2 / 1 2 1 plus a multiple of the centre, so a row is
// summed down its columns first and then along; both loops are ones the
// compiler vectorises.
namespace {

constexpr uint32_t kEvenBytes = 0x00FF00FF;

inline uint32_t LoadPixel(const BYTE* at)
{
    uint32_t pixel;
    std::memcpy(&pixel, at, sizeof pixel);
    return pixel;
}

inline uint32_t EvenHalves(uint32_t pixel) { return pixel & kEvenBytes; }
inline uint32_t OddHalves(uint32_t pixel) { return (pixel >> 8) & kEvenBytes; }

}  // namespace

void BlurFilter::RunPass(DibSurface& surface, const RECT& area, bool tinted)
{
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width < 3 || height < 3)
        return;
    // Beyond the separable kernel's centre weight of 4.
    const uint32_t extraCentre = tinted ? 12 : 0;
    const int shift = tinted ? 5 : 4;
    const PixelChannels tint = ChannelsOf(tinted ? tint_ : 0);
    // 4 x tint of blue and red, and of green (the fourth byte's half is thrown away).
    const uint32_t tintEven = 4 * static_cast<uint32_t>(tint.value[0]) + (4 * static_cast<uint32_t>(tint.value[2]) << 16);
    const uint32_t tintOdd = 4 * static_cast<uint32_t>(tint.value[1]);
    const ptrdiff_t scratchRow = 4 * static_cast<ptrdiff_t>(scratchCursor_.stride);
    columnSums_.resize(2 * static_cast<size_t>(width));
    uint32_t* __restrict evenSums = columnSums_.data();
    uint32_t* __restrict oddSums = evenSums + width;

    for (int row = 1; row < height - 1; ++row) {
        // Bottom-up: the row above lies higher in memory.
        const BYTE* __restrict middle = scratchCursor_.rowStart - row * scratchRow;
        const BYTE* __restrict above = middle + scratchRow;
        const BYTE* __restrict below = middle - scratchRow;
        for (int column = 0; column < width; ++column) {
            const uint32_t a = LoadPixel(above + 4 * column), m = LoadPixel(middle + 4 * column),
                           b = LoadPixel(below + 4 * column);
            evenSums[column] = EvenHalves(a) + 2 * EvenHalves(m) + EvenHalves(b);
            oddSums[column] = OddHalves(a) + 2 * OddHalves(m) + OddHalves(b);
        }
        BYTE* __restrict out = surface.CursorAt(area.left, area.top + row).rowStart;
        for (int column = 1; column < width - 1; ++column) {
            const uint32_t m = LoadPixel(middle + 4 * column);
            const uint32_t evenSum = evenSums[column - 1] + 2 * evenSums[column] + evenSums[column + 1] +
                                     extraCentre * EvenHalves(m) + tintEven;
            const uint32_t oddSum = oddSums[column - 1] + 2 * oddSums[column] + oddSums[column + 1] +
                                    extraCentre * OddHalves(m) + tintOdd;
            const uint32_t pixel = ((evenSum >> shift) & kEvenBytes) | (((oddSum >> shift) & 0xFF) << 8) |
                                   (LoadPixel(out + 4 * column) & 0xFF000000u);
            std::memcpy(out + 4 * column, &pixel, sizeof pixel);
        }
    }
}
