#include "platform/host/display/x11/X11Connection.h"

#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <X11/extensions/shape.h>
#include <unistd.h>

#include <bit>
#include <cstdio>
#include <cstdlib>
#include <set>

namespace host {
namespace {

// Xlib reports errors through process-wide handlers; requests run through
// Try() count their errors here instead of having them printed.
bool trapping = false;
int trappedErrors = 0;

int OnProtocolError(::Display* display, XErrorEvent* error)
{
    if (trapping) {
        ++trappedErrors;
        return 0;
    }
    // Xlib's own handler would end the program; a stray error (a window the
    // server already forgot) is worth a line, not the run.
    char text[256];
    XGetErrorText(display, error->error_code, text, sizeof text);
    fprintf(stderr, "ostrevia: X error: %s (request %d)\n", text, error->request_code);
    return 0;
}

[[noreturn]] int OnConnectionLost(::Display*)
{
    fputs("ostrevia: the connection to the X display was lost; ending\n", stderr);
    fflush(stderr);
    // Nothing may talk to the server any more, not even destructors.
    _exit(1);
}

// The shift that moves an 8-bit channel under `mask`, or -1 when the mask
// is not eight bits in a row.
int ChannelShift(unsigned long mask)
{
    if (mask == 0)
        return -1;
    const int shift = std::countr_zero(mask);
    return (mask >> shift) == 0xFF ? shift : -1;
}

bool HostIsLittleEndian()
{
    return std::endian::native == std::endian::little;
}

}  // namespace

std::unique_ptr<X11Connection> X11Connection::Open(std::string& error)
{
    const char* name = getenv("DISPLAY");
    ::Display* display = XOpenDisplay(nullptr);
    if (!display) {
        error = std::string("cannot open the X display \"") + (name ? name : "") +
                "\"; run with --headless to use the virtual screen";
        return nullptr;
    }
    XSetErrorHandler(OnProtocolError);
    XSetIOErrorHandler(OnConnectionLost);
    std::unique_ptr<X11Connection> connection(new X11Connection(display));
    if (!connection->CheckScreen(error))
        return nullptr;
    return connection;
}

X11Connection::X11Connection(::Display* display)
    : display_(display),
      screen_(DefaultScreen(display)),
      root_(RootWindow(display, screen_)),
      visual_(DefaultVisual(display, screen_)),
      depth_(DefaultDepth(display, screen_)),
      width_(DisplayWidth(display, screen_)),
      height_(DisplayHeight(display, screen_))
{
}

X11Connection::~X11Connection()
{
    if (argbColormap_ != None)
        XFreeColormap(display_, argbColormap_);
    XCloseDisplay(display_);
}

Colormap X11Connection::ArgbColormap()
{
    if (argbColormap_ == None && argbVisual_)
        argbColormap_ = XCreateColormap(display_, root_, argbVisual_, AllocNone);
    return argbColormap_;
}

bool X11Connection::Composited() const
{
    const std::string name = "_NET_WM_CM_S" + std::to_string(screen_);
    return XGetSelectionOwner(display_, XInternAtom(display_, name.c_str(), False)) != None;
}

bool X11Connection::HasShape()
{
    if (hasShape_ < 0) {
        int events = 0, errors = 0;
        hasShape_ = XShapeQueryExtension(display_, &events, &errors) ? 1 : 0;
    }
    return hasShape_ == 1;
}

void X11Connection::SayOnce(const char* line)
{
    static std::set<std::string> said;
    if (said.insert(line).second)
        fprintf(stderr, "ostrevia: %s\n", line);
}

bool X11Connection::CheckScreen(std::string& error)
{
    const std::string fallback = "; run with --headless to use the virtual screen instead";
    if (depth_ != 24 && depth_ != 32) {
        error = "the X display has a depth of " + std::to_string(depth_) + " bits; only 24 and 32 bits are supported" +
                fallback;
        return false;
    }
    redShift_ = ChannelShift(visual_->red_mask);
    greenShift_ = ChannelShift(visual_->green_mask);
    blueShift_ = ChannelShift(visual_->blue_mask);
    if (visual_->c_class != TrueColor || redShift_ < 0 || greenShift_ < 0 || blueShift_ < 0) {
        error = "the X display's visual is not 8-bit-per-channel TrueColor" + fallback;
        return false;
    }
    int formats = 0;
    XPixmapFormatValues* format = XListPixmapFormats(display_, &formats);
    int bitsPerPixel = 0;
    for (int i = 0; i < formats; ++i) {
        if (format[i].depth == depth_)
            bitsPerPixel = format[i].bits_per_pixel;
    }
    if (format)
        XFree(format);
    if (bitsPerPixel != 32) {
        error = "the X display stores " + std::to_string(bitsPerPixel) + " bits per pixel; only 32 are supported" +
                fallback;
        return false;
    }
    unusedBits_ = ~static_cast<uint32_t>(visual_->red_mask | visual_->green_mask | visual_->blue_mask);
    // See-through windows write premultiplied 0xAARRGGBB words as they are.
    XVisualInfo argb{};
    if (XMatchVisualInfo(display_, screen_, 32, TrueColor, &argb) && argb.red_mask == 0xFF0000 &&
        argb.green_mask == 0xFF00 && argb.blue_mask == 0xFF)
        argbVisual_ = argb.visual;

    // Shared images are read by the server as they lie in memory, so they
    // need its byte order; plain images are converted by Xlib.
    const bool sameOrder = (ImageByteOrder(display_) == LSBFirst) == HostIsLittleEndian();
    sharedMemory_ = sameOrder && XShmQueryExtension(display_);
    if (sharedMemory_)
        shmCompletion_ = XShmGetEventBase(display_) + ShmCompletion;
    return true;
}

void X11Connection::RootResized(int width, int height)
{
    width_ = width;
    height_ = height;
}

void X11Connection::ToScreen(const uint32_t* from, uint32_t* to, size_t count) const
{
    for (size_t i = 0; i < count; ++i)
        to[i] = (((from[i] >> 16) & 0xFF) << redShift_) | (((from[i] >> 8) & 0xFF) << greenShift_) |
                ((from[i] & 0xFF) << blueShift_) | unusedBits_;
}

uint32_t X11Connection::FromScreen(uint32_t pixel) const
{
    return (((pixel >> redShift_) & 0xFF) << 16) | (((pixel >> greenShift_) & 0xFF) << 8) |
           ((pixel >> blueShift_) & 0xFF);
}

void X11Connection::BeginTrap()
{
    XSync(display_, False);
    trapping = true;
    trappedErrors = 0;
}

bool X11Connection::EndTrap()
{
    XSync(display_, False);
    trapping = false;
    return trappedErrors == 0;
}

}  // namespace host
