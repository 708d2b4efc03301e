// The cool bars of one gauge as last painted, so that a bar painted again
// with the same settings over the same pixels is copied instead of frosted
// and painted anew. A gauge's value text changes with nearly every reading
// while its bar seldom moves by a whole column; the copy then spares the six
// blur passes, the gradient, the hatch and the highlight.
//
// A bar is copied only when the pixels under it are exactly those it was
// painted over and its key (what the painting depends on besides them) is
// equal, so the copy is what painting would give: the painting reads and
// writes nothing outside the bar's rectangle.
#pragma once

#include <cstdint>
#include <vector>

#include "gauges/DibSurface.h"
#include "objects/Look.h"

class CoolBarMemo {
public:
    // Whether bars are remembered (they are unless a test compares against
    // painting every bar).
    static void Enable(bool enabled);

    // Copies the bar remembered at `bar` onto `surface` and returns true when
    // the surface holds there what it was painted over and `key` is equal.
    // Otherwise takes the surface's pixels at `bar` and `key` for Painted,
    // and returns false: the caller paints the bar.
    bool Recall(const DibSurface& surface, const RECT& bar, const Look& key);
    // The bar that the last Recall refused is painted: keeps its pixels.
    void Painted(const DibSurface& surface, const RECT& bar);

private:
    struct Entry {
        RECT bar{};
        Look key;
        std::vector<uint32_t> before;  // the pixels the bar was painted over
        std::vector<uint32_t> after;   // the bar as painted
        bool painted = false;          // `after` belongs to `before` and `key`
    };

    Entry* Find(const RECT& bar);

    std::vector<Entry> entries_;
};
