// The connection to the X server and what every X11 window of the program
// shares: the screen, its visual and pixel layout, and whether images can
// go through shared memory (MIT-SHM).
//
// Only 24- and 32-bit TrueColor screens with 8 bits per colour are taken:
// surface pixels then become screen pixels by moving whole bytes. Losing the
// server ends the program with a message rather than a crash.
#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <memory>
#include <string>

namespace host {

class X11Connection {
public:
    // Null with `error` saying why, naming the way out (--headless).
    static std::unique_ptr<X11Connection> Open(std::string& error);
    ~X11Connection();
    X11Connection(const X11Connection&) = delete;
    X11Connection& operator=(const X11Connection&) = delete;

    ::Display* Server() const { return display_; }
    int ScreenNumber() const { return screen_; }
    ::Window Root() const { return root_; }
    Visual* TheVisual() const { return visual_; }
    int Depth() const { return depth_; }
    // The root window's size. Xlib's own idea of the screen size follows
    // RandR's screen events, which a server with several heads may report
    // for one head only; the root window's own size is what windows lie on.
    int Width() const { return width_; }
    int Height() const { return height_; }
    // From a ConfigureNotify of the root window.
    void RootResized(int width, int height);

    // Whether images may still try shared memory; once attaching fails
    // (a server on another machine) plain images are used from then on.
    bool SharedMemory() const { return sharedMemory_; }
    void GiveUpSharedMemory() { sharedMemory_ = false; }
    // The event type of a finished shared-memory put.
    int ShmCompletionType() const { return shmCompletion_; }

    // A 32-bit TrueColor visual with an alpha byte above 8-bit red, green
    // and blue, and a colormap for it; null when the server has none.
    Visual* ArgbVisual() const { return argbVisual_; }
    Colormap ArgbColormap();
    // Whether a compositing manager owns _NET_WM_CM_S<screen>: only then
    // does a window's alpha show what lies below it.
    bool Composited() const;
    // Whether the server has the Shape extension (asked once).
    bool HasShape();
    // Writes `line` on stderr, the first time it is given only.
    static void SayOnce(const char* line);

    // `count` surface pixels (0x00RRGGBB) as the screen stores them, and
    // one screen pixel back.
    void ToScreen(const uint32_t* from, uint32_t* to, size_t count) const;
    uint32_t FromScreen(uint32_t pixel) const;

    // Runs `request` and waits for the server's answer; false when it
    // failed with a protocol error (which is then not reported).
    template <typename Request>
    bool Try(Request request)
    {
        BeginTrap();
        request();
        return EndTrap();
    }

private:
    explicit X11Connection(::Display* display);
    bool CheckScreen(std::string& error);
    void BeginTrap();
    bool EndTrap();

    ::Display* display_;
    int screen_;
    ::Window root_;
    Visual* visual_;
    int depth_;
    int width_;
    int height_;
    int redShift_ = 16, greenShift_ = 8, blueShift_ = 0;
    uint32_t unusedBits_ = 0;  // set in every pixel: opaque on 32-bit screens
    bool sharedMemory_ = false;
    int shmCompletion_ = -1;
    Visual* argbVisual_ = nullptr;
    Colormap argbColormap_ = None;
    int hasShape_ = -1;  // -1: not asked yet
};

}  // namespace host
