#include "platform/host/display/wayland/MessageDialogWayland.h"

#include <xkbcommon/xkbcommon-keysyms.h>

#include <cmath>

namespace host {

MessageDialogWayland::MessageDialogWayland(WaylandConnection& connection, wl_output* output, const ScreenArea& area,
                                           int bufferScale, std::u16string_view text, std::u16string_view caption,
                                           UINT style)
    : picture_(area.ProgramSize(), text, caption, style),
      surface_(connection, output, LayerSurface::Layer::Overlay, true),
      scale_(area.scale)
{
    const SIZE size = picture_.Size();
    surface_.SetScale(area.scale, bufferScale);
    surface_.Place({0, 0, size.cx * area.scale, size.cy * area.scale}, area.size, true);
}

bool MessageDialogWayland::Commit()
{
    if (surface_.Closed()) {
        closed_ = true;
        return false;
    }
    surface_.Commit(picture_.Pixels());
    return true;
}

bool MessageDialogWayland::Pointer(SeatHandler::Button button, double x, double y)
{
    if (closed_)
        return false;
    using Stylus = MessageBoxPicture::Stylus;
    const Stylus stylus = button == SeatHandler::Button::Down ? Stylus::Down
                          : button == SeatHandler::Button::Up ? Stylus::Up
                                                              : Stylus::Move;
    const POINT point{static_cast<LONG>(std::floor(x / scale_)), static_cast<LONG>(std::floor(y / scale_))};
    RECT repainted;
    closed_ = picture_.Follow(stylus, point, repainted);
    surface_.Changed(repainted);
    return closed_;
}

bool MessageDialogWayland::KeyPressed(uint32_t keysym)
{
    if (!closed_)
        closed_ = keysym == XKB_KEY_Return || keysym == XKB_KEY_KP_Enter || keysym == XKB_KEY_Escape ||
                  keysym == XKB_KEY_space;
    return closed_;
}

}  // namespace host
