// Redraws into the paint cycle that is running: WM_PAINT hands it the paint
// DC before refreshing the due objects and takes it back afterwards.
#pragma once

#include "app/RedrawTarget.h"

class PaintRedrawTarget final : public RedrawTarget {
public:
    using RedrawTarget::RedrawTarget;

    // The DC of the running paint cycle, or null outside one.
    void SetPaintDc(HDC dc) { paintDc_ = dc; }
    // Outside a paint cycle only the back buffer is updated.
    void EndRedraw(const RECT& rect) override;

private:
    HDC paintDc_ = nullptr;
};
