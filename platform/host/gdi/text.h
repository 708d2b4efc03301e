// One line of text in a device context's font: measuring it and drawing
// it. DrawTextW lays lines out with these.
#pragma once

#include <string_view>
#include <vector>

#include "platform/host/gdi/dc.h"
#include "platform/host/gdi/font.h"

namespace host::gdi {

// The advance of each UTF-16 unit of `text`; the second unit of a surrogate
// pair carries none, its character's advance lying on the first.
std::vector<int> Advances(RealizedFont& font, std::u16string_view text);

int TextWidth(RealizedFont& font, std::u16string_view text);

// Draws `text` with its cell's top-left corner at (x, y), inside `clip`
// only (a rectangle on the DC's surface). In OPAQUE mode the cell is first
// filled with the background colour. The units whose `underlined` flag is
// set are underlined (the flags may be empty), all of them when the font
// itself is underlined.
void DrawTextLine(DeviceContext& dc, const RECT& clip, int64_t x, int64_t y, std::u16string_view text,
                  const std::vector<bool>& underlined);

}  // namespace host::gdi
