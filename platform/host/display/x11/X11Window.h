// One borderless override-redirect X window that shows a surface: placed,
// mapped and raised as its owner says, and put on the screen from an
// X11Image where its surface changed, each surface pixel a scale x scale
// block. Only what lies on the screen is put there.
//
// The window has no background: what lies under a newly uncovered part
// stays until the part is painted (an Expose tells when), so moving the
// window every few milliseconds does not flash a fill colour.
//
// A see-through window (LayeredStyle) is a window of the 32-bit ARGB visual
// with premultiplied pixels while a compositing manager runs. Without one,
// its key colour is cut out with the Shape extension's bounding region and
// its alpha is shown opaque. Taps pass through a window whose input region
// is empty. What cannot be shown is said once on stderr.
#pragma once

#include <X11/Xlib.h>

#include <string>
#include <vector>

#include "platform/host/display/LayeredStyle.h"

#include "platform/host/display/x11/X11Connection.h"
#include "platform/host/display/x11/X11Image.h"

namespace host {

class X11Window {
public:
    // `rect` is in screen pixels; `events` is the X event mask the window
    // listens to; `name` shows in tools such as xwininfo.
    X11Window(X11Connection& connection, const RECT& rect, long events, const char* name, int scale);
    ~X11Window();
    X11Window(const X11Window&) = delete;
    X11Window& operator=(const X11Window&) = delete;

    ::Window Id() const { return window_; }
    // Mapped: shown and not empty (X windows cannot be 0 pixels wide).
    bool Mapped() const { return mapped_; }

    void Place(const RECT& rect);
    void Show(bool visible);
    int Scale() const { return scale_; }
    // Puts `rect` (surface coordinates) of `surface` on the screen.
    void Present(const Surface& surface, const RECT& rect);
    void PresentCompleted() { image_.Completed(); }
    // Shows the window with `style` from now on. The window may become
    // another X window (of another visual): Id() tells which; it is then
    // exposed whole.
    void SetLayered(const LayeredStyle& style);

private:
    void Create(bool argb);
    void UpdateMapping();
    // The bounding region: every pixel of `surface` but the key colour.
    void CutOutKeyColour(const Surface& surface);

    X11Connection& connection_;
    ::Window window_ = None;
    GC gc_ = nullptr;
    X11Image image_;
    RECT rect_;
    long events_;
    std::string name_;
    int scale_;
    bool visible_ = false;
    bool mapped_ = false;
    LayeredStyle layered_;
    bool argb_ = false;        // the window has the ARGB visual
    bool shapedByKey_ = false; // the key colour is cut out of the bounding region
    std::vector<XRectangle> keyShape_;  // the bounding region last set
};

}  // namespace host
