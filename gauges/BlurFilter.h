// Blurs a rectangle of a surface with 3 x 3 kernels, in a number of passes:
// first the tint passes, which also pull every pixel towards the tint colour
// (1 2 1 / 2 16 2 / 1 2 1 plus 4 x tint, divided by 32), then the plain
// passes (1 2 1 / 2 4 2 / 1 2 1, divided by 16). Each pass reads a copy of
// the rectangle taken at its start in the filter's scratch surface, so all
// pixels of a pass see the same input; the rectangle's outermost rows and
// columns are read but never written.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "gauges/DibSurface.h"
#include "gauges/FilterObserver.h"
#include "gauges/ImageFilter.h"

class BlurFilter : public ImageFilter {
public:
    // Tinting filter.
    BlurFilter(COLORREF tint, BYTE tintPasses, BYTE plainPasses, FilterObserver* observer);
    // Plain filter (no tint passes).
    BlurFilter(BYTE plainPasses, FilterObserver* observer);

    // Only the part of `rect` inside the surface is filtered; the scratch
    // surface is made at that part's size and grows when a later one is
    // larger. A surface without
    // pixels, or a scratch surface that cannot be made, leaves everything
    // untouched. A null observer given at construction is replaced by a
    // default one that the filter owns.
    void Apply(DibSurface& surface, const RECT& rect) override;
    ~BlurFilter() override = default;

private:
    bool ScratchHolds(int width, int height);
    void RunPass(DibSurface& surface, const RECT& area, bool tinted);

    COLORREF tint_;
    BYTE tintPasses_;
    BYTE plainPasses_;
    FilterObserver* observer_;
    std::unique_ptr<FilterObserver> ownedObserver_;
    DibSurface scratch_;
    PixelCursor scratchCursor_ = {};
    std::vector<uint32_t> columnSums_;  // one row's column sums, blue and red then green
};
