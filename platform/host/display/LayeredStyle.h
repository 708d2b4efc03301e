// How a layered window (WS_EX_LAYERED) is put over what lies below it: its
// alpha and key colour from SetLayeredWindowAttributes, and whether taps
// pass through it (WS_EX_TRANSPARENT). The displays composite with these
// pixel rules, so that every display shows the same picture.
#pragma once

#include <cstdint>

namespace host {

struct LayeredStyle {
    uint8_t alpha = 255;
    bool keyed = false;
    uint32_t key = 0;  // a surface pixel, 0x00RRGGBB
    bool clickThrough = false;

    // Whether anything below shows through: without it the window is
    // shown as an opaque one is, at no extra cost.
    bool SeeThrough() const { return alpha < 255 || keyed; }
    bool operator==(const LayeredStyle&) const = default;
};

// `pixel` of the window over `below`, as a compositor blends them: a key
// pixel shows `below`, any other (pixel × a + below × (255 − a) + 127) / 255
// per channel.
uint32_t BlendOver(uint32_t pixel, uint32_t below, const LayeredStyle& style);

// `pixel` as a premultiplied ARGB pixel: alpha in the top byte, each channel
// (channel × a + 127) / 255; a key pixel is all 0.
uint32_t Premultiplied(uint32_t pixel, const LayeredStyle& style);

}  // namespace host
