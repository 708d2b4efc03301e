// A connection of its own to the X server the X11 display tests run on:
// reads what the screen shows and sends input as another client would.
#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <string>

namespace testing_x11 {

class XServerProbe {
public:
    XServerProbe();
    ~XServerProbe();
    XServerProbe(const XServerProbe&) = delete;
    XServerProbe& operator=(const XServerProbe&) = delete;

    bool Connected() const { return display_ != nullptr; }
    // The screen pixel as 0xRRGGBB.
    uint32_t Pixel(int x, int y);
    // The topmost mapped top-level window that holds the screen point, or
    // None (the desktop).
    ::Window WindowAt(int x, int y);
    // A mapped top-level window with this name, or None.
    ::Window WindowNamed(const std::string& name);
    // The window's place on the screen: x, y, width, height.
    void Geometry(::Window window, int& x, int& y, int& width, int& height);

    // Button 1 pressed or released at a screen point, sent to the window there.
    void Button(int x, int y, bool down);
    void Click(int x, int y);
    // Maps a plain window of another client (not override-redirect, as a
    // newly opened program's window) filled with `rgb`; it stays until the
    // probe goes.
    ::Window MapPlainWindow(int x, int y, int width, int height, uint32_t rgb);

    // A key (an X keysym such as XK_Return) pressed on `window`.
    void Key(::Window window, unsigned long keysym);

private:
    ::Display* display_;
};

}  // namespace testing_x11
