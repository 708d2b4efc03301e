// A message box on Wayland: a MessageBoxPicture in a layer surface of the
// overlay layer, centred on the program's output, taking every key while it
// is shown. Enter, Escape, Space or a click on OK closes it.
//
// The dialog only draws and reacts to what happens on its own surface; the
// modal loop that runs while it is open belongs to DisplayWayland.
#pragma once

#include <string_view>

#include "platform/host/display/MessageBoxPicture.h"
#include "platform/host/display/ScreenArea.h"
#include "platform/host/display/wayland/LayerSurface.h"
#include "platform/host/display/wayland/WaylandSeat.h"

namespace host {

class MessageDialogWayland {
public:
    // On `output`, whose program screen is `area`, at `bufferScale` buffer
    // pixels per logical pixel.
    MessageDialogWayland(WaylandConnection& connection, wl_output* output, const ScreenArea& area, int bufferScale,
                         std::u16string_view text, std::u16string_view caption, UINT style);

    wl_surface* Id() const { return surface_.Id(); }
    bool Closed() const { return closed_; }
    // True when what happened closed the dialog. `x`, `y` are logical
    // pixels on its surface.
    bool Pointer(SeatHandler::Button button, double x, double y);
    bool KeyPressed(uint32_t keysym);
    // Shows what changed; false when the compositor took the surface away
    // (its output is gone), which closes the dialog as OK would.
    bool Commit();

private:
    MessageBoxPicture picture_;
    LayerSurface surface_;
    int scale_;
    bool closed_ = false;
};

}  // namespace host
