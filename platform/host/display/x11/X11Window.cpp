#include "platform/host/display/x11/X11Window.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cstring>

#include "platform/host/display/ScreenArea.h"

namespace host {
namespace {

// The protocol carries positions as 16-bit numbers; a window that far out
// is off the screen either way.
constexpr int kFarthest = 30000;

int Coordinate(LONG value)
{
    return std::clamp<LONG>(value, -kFarthest, kFarthest);
}

// X windows are at least 1 × 1; an empty window is kept unmapped instead.
unsigned Side(LONG from, LONG to)
{
    return static_cast<unsigned>(std::clamp<LONG>(to - from, 1, kFarthest));
}

bool IsEmpty(const RECT& rect)
{
    return rect.right <= rect.left || rect.bottom <= rect.top;
}

}  // namespace

X11Window::X11Window(X11Connection& connection, const RECT& rect, long events, const char* name, int scale)
    : connection_(connection), image_(connection), rect_(rect), scale_(scale)
{
    ::Display* display = connection_.Server();
    XSetWindowAttributes attributes{};
    attributes.background_pixmap = None;
    attributes.border_pixel = 0;
    attributes.override_redirect = True;
    // The surface keeps its top-left pixels when it is resized; so does the window.
    attributes.bit_gravity = NorthWestGravity;
    attributes.event_mask = events;
    window_ = XCreateWindow(display, connection_.Root(), Coordinate(rect.left), Coordinate(rect.top),
                            Side(rect.left, rect.right), Side(rect.top, rect.bottom), 0, connection_.Depth(),
                            InputOutput, connection_.TheVisual(),
                            CWBackPixmap | CWBorderPixel | CWOverrideRedirect | CWBitGravity | CWEventMask,
                            &attributes);
    gc_ = XCreateGC(display, window_, 0, nullptr);

    XClassHint hint{const_cast<char*>("ostrevia"), const_cast<char*>("Ostrevia")};
    XSetClassHint(display, window_, &hint);
    XStoreName(display, window_, name);
    XChangeProperty(display, window_, XInternAtom(display, "_NET_WM_NAME", False),
                    XInternAtom(display, "UTF8_STRING", False), 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(name), static_cast<int>(strlen(name)));
}

X11Window::~X11Window()
{
    XFreeGC(connection_.Server(), gc_);
    XDestroyWindow(connection_.Server(), window_);
}

void X11Window::Place(const RECT& rect)
{
    const bool moved = rect.left != rect_.left || rect.top != rect_.top;
    const bool sized = rect.right - rect.left != rect_.right - rect_.left || rect.bottom - rect.top != rect_.bottom - rect_.top;
    rect_ = rect;
    if (sized && !IsEmpty(rect))
        XMoveResizeWindow(connection_.Server(), window_, Coordinate(rect.left), Coordinate(rect.top),
                          Side(rect.left, rect.right), Side(rect.top, rect.bottom));
    else if (moved)
        XMoveWindow(connection_.Server(), window_, Coordinate(rect.left), Coordinate(rect.top));
    UpdateMapping();
}

void X11Window::Show(bool visible)
{
    visible_ = visible;
    UpdateMapping();
}

void X11Window::UpdateMapping()
{
    const bool map = visible_ && !IsEmpty(rect_);
    if (map == mapped_)
        return;
    mapped_ = map;
    if (map)
        XMapWindow(connection_.Server(), window_);
    else
        XUnmapWindow(connection_.Server(), window_);
}

void X11Window::Present(const Surface& surface, const RECT& rect)
{
    // An unmapped window has nothing on the screen; it is exposed whole
    // when it is mapped again.
    if (!mapped_)
        return;
    // A window larger than the screen (a large panel at a large scale) is
    // put only where it can be seen, which also bounds the image.
    const RECT onScreen{-rect_.left, -rect_.top, connection_.Width() - rect_.left, connection_.Height() - rect_.top};
    RECT visible = CoveringRect(onScreen, scale_);
    if (IntersectRect(&visible, &visible, &rect))
        image_.Put(window_, gc_, surface, visible, scale_);
}

}  // namespace host
