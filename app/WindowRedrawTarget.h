// Redraws straight onto the window, outside any paint cycle: a pressed or
// released object shows its new look at once.
#pragma once

#include "app/RedrawTarget.h"

class WindowRedrawTarget final : public RedrawTarget {
public:
    using RedrawTarget::RedrawTarget;

    void EndRedraw(const RECT& rect) override;
};
