#include "gauges/BlurFilter.h"

#include <algorithm>

#include "gauges/ChannelBlend.h"

BlurFilter::BlurFilter(COLORREF tint, BYTE tintPasses, BYTE plainPasses, FilterObserver* observer)
    : BlurFilter(tint, tintPasses, plainPasses, observer, 320, 240)
{
}

BlurFilter::BlurFilter(BYTE plainPasses, FilterObserver* observer) : BlurFilter(0, 0, plainPasses, observer, 320, 48) {}

BlurFilter::BlurFilter(COLORREF tint, BYTE tintPasses, BYTE plainPasses, FilterObserver* observer, int scratchWidth,
                       int scratchHeight)
    : tint_(tint), tintPasses_(tintPasses), plainPasses_(plainPasses), observer_(observer)
{
    if (!observer_) {
        ownedObserver_ = std::make_unique<FilterObserver>();
        observer_ = ownedObserver_.get();
    }
    scratch_.Create(scratchWidth, scratchHeight);
    scratchCursor_ = scratch_.CursorAt(0, 0);
}

bool BlurFilter::ScratchHolds(int width, int height)
{
    if (scratch_.Pixels() && width <= scratch_.Width() && height <= scratch_.Height())
        return true;
    // The scratch surface only grows: a rectangle larger than it is filtered
    // whole rather than cut.
    if (!scratch_.Create(std::max(width, scratch_.Width()), std::max(height, scratch_.Height())))
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

void BlurFilter::RunPass(DibSurface& surface, const RECT& area, bool tinted) const
{
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    const int centreWeight = tinted ? 16 : 4;
    const int shift = tinted ? 5 : 4;
    const PixelChannels tint = ChannelsOf(tinted ? tint_ : 0);
    const ptrdiff_t scratchRow = 4 * static_cast<ptrdiff_t>(scratchCursor_.stride);

    for (int row = 1; row < height - 1; ++row) {
        // Bottom-up: the row above lies higher in memory.
        const BYTE* middle = scratchCursor_.rowStart - row * scratchRow;
        const BYTE* above = middle + scratchRow;
        const BYTE* below = middle - scratchRow;
        BYTE* out = surface.CursorAt(area.left, area.top + row).rowStart;
        for (int column = 1; column < width - 1; ++column) {
            const int at = 4 * column;
            for (int channel = 0; channel < 3; ++channel) {
                const int c = at + channel;
                const int sum = above[c - 4] + 2 * above[c] + above[c + 4] +
                                2 * middle[c - 4] + centreWeight * middle[c] + 2 * middle[c + 4] +
                                below[c - 4] + 2 * below[c] + below[c + 4] + 4 * tint.value[channel];
                out[c] = static_cast<BYTE>(sum >> shift);
            }
        }
    }
}
