#include "platform/host/display/x11/MessageDialogX11.h"

#include <X11/keysym.h>

#include "platform/host/kernel/unicode.h"

namespace host {

MessageDialogX11::MessageDialogX11(X11Connection& connection, const ScreenArea& area, std::u16string_view text,
                                   std::u16string_view caption, UINT style)
    : connection_(connection), picture_(area.ProgramSize(), text, caption, style)
{
    int revert = 0;
    XGetInputFocus(connection.Server(), &previousFocus_, &revert);
    const SIZE size = picture_.Size();
    const int width = size.cx * area.scale;
    const int height = size.cy * area.scale;
    const int left = area.origin.x + (area.size.cx - width) / 2;
    const int top = area.origin.y + (area.size.cy - height) / 2;
    const long events = ExposureMask | KeyPressMask | ButtonPressMask | ButtonReleaseMask | Button1MotionMask |
                        StructureNotifyMask;
    window_ = std::make_unique<X11Window>(connection, RECT{left, top, left + width, top + height}, events,
                                          ToUtf8(caption).c_str(), area.scale);
    window_->Show(true);
    Raise();
}

void MessageDialogX11::Raise()
{
    if (!closed_)
        XRaiseWindow(connection_.Server(), Id());
}

void MessageDialogX11::Close()
{
    closed_ = true;
    // Before the window goes: a window manager takes a keyboard that falls
    // back to the root window for windows of its own. The window that had
    // the keyboard may be gone or hidden by now.
    ::Window focus = None;
    int revert = 0;
    XGetInputFocus(connection_.Server(), &focus, &revert);
    if (focus == Id() && previousFocus_ != None && previousFocus_ != PointerRoot)
        connection_.Try([this] {
            XSetInputFocus(connection_.Server(), previousFocus_, RevertToPointerRoot, CurrentTime);
        });
    window_->Show(false);
}

bool MessageDialogX11::Handle(const XEvent& event)
{
    if (closed_)
        return false;
    switch (event.type) {
    case Expose: {
        const XExposeEvent& e = event.xexpose;
        window_->Present(picture_.Pixels(),
                         CoveringRect({e.x, e.y, e.x + e.width, e.y + e.height}, window_->Scale()));
        return false;
    }
    case MapNotify:
        // Keys come to the dialog once it can be seen.
        XSetInputFocus(connection_.Server(), Id(), RevertToPointerRoot, CurrentTime);
        return false;
    case KeyPress: {
        const KeySym key = XLookupKeysym(const_cast<XKeyEvent*>(&event.xkey), 0);
        if (key == XK_Return || key == XK_KP_Enter || key == XK_Escape || key == XK_space) {
            Close();
            return true;
        }
        return false;
    }
    case ButtonPress:
    case ButtonRelease:
    case MotionNotify: {
        if (event.type != MotionNotify && event.xbutton.button != Button1)
            return false;
        const int scale = window_->Scale();
        const POINT point = event.type == MotionNotify ? POINT{event.xmotion.x / scale, event.xmotion.y / scale}
                                                       : POINT{event.xbutton.x / scale, event.xbutton.y / scale};
        using Stylus = MessageBoxPicture::Stylus;
        const Stylus stylus = event.type == ButtonPress     ? Stylus::Down
                              : event.type == ButtonRelease ? Stylus::Up
                                                            : Stylus::Move;
        RECT repainted;
        const bool tapped = picture_.Follow(stylus, point, repainted);
        if (!IsRectEmpty(&repainted))
            window_->Present(picture_.Pixels(), repainted);
        if (tapped)
            Close();
        return tapped;
    }
    default:
        return false;
    }
}

}  // namespace host
