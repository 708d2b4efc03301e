#include "platform/host/display/x11/X11Window.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/shape.h>

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
    : connection_(connection), image_(connection), rect_(rect), events_(events), name_(name), scale_(scale)
{
    Create(false);
}

X11Window::~X11Window()
{
    XFreeGC(connection_.Server(), gc_);
    XDestroyWindow(connection_.Server(), window_);
}

void X11Window::Create(bool argb)
{
    ::Display* display = connection_.Server();
    XSetWindowAttributes attributes{};
    attributes.background_pixmap = None;
    attributes.border_pixel = 0;
    attributes.override_redirect = True;
    // The surface keeps its top-left pixels when it is resized; so does the window.
    attributes.bit_gravity = NorthWestGravity;
    attributes.event_mask = events_;
    unsigned long mask = CWBackPixmap | CWBorderPixel | CWOverrideRedirect | CWBitGravity | CWEventMask;
    if (argb) {
        attributes.colormap = connection_.ArgbColormap();
        mask |= CWColormap;
    }
    argb_ = argb;
    window_ = XCreateWindow(display, connection_.Root(), Coordinate(rect_.left), Coordinate(rect_.top),
                            Side(rect_.left, rect_.right), Side(rect_.top, rect_.bottom), 0,
                            argb ? 32 : connection_.Depth(), InputOutput,
                            argb ? connection_.ArgbVisual() : connection_.TheVisual(), mask, &attributes);
    gc_ = XCreateGC(display, window_, 0, nullptr);

    XClassHint hint{const_cast<char*>("ostrevia"), const_cast<char*>("Ostrevia")};
    XSetClassHint(display, window_, &hint);
    XStoreName(display, window_, name_.c_str());
    XChangeProperty(display, window_, XInternAtom(display, "_NET_WM_NAME", False),
                    XInternAtom(display, "UTF8_STRING", False), 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(name_.data()), static_cast<int>(name_.size()));
}

void X11Window::SetLayered(const LayeredStyle& style)
{
    ::Display* display = connection_.Server();
    layered_ = style;
    bool argb = false;
    if (style.SeeThrough()) {
        if (!connection_.Composited()) {
            if (style.alpha < 255)
                X11Connection::SayOnce("no compositing manager runs on this X display, so Opacity is shown opaque; "
                                       "start one (xcompmgr, picom) to see the desktop through the panel");
        } else if (!connection_.ArgbVisual()) {
            X11Connection::SayOnce("this X display has no 32-bit visual, so see-through panels are shown opaque "
                                   "except for their TransparentColor");
        } else {
            argb = true;
        }
    }
    const bool shape = connection_.HasShape();
    if ((style.clickThrough || (style.keyed && !argb)) && !shape)
        X11Connection::SayOnce("this X display has no Shape extension, so TransparentColor is shown and "
                               "ClickThrough panels take taps");
    if (argb != argb_) {
        // The visual of a window is fixed: the window is made anew.
        XFreeGC(display, gc_);
        XDestroyWindow(display, window_);
        Create(argb);
        if (mapped_)
            XMapWindow(display, window_);
        keyShape_.clear();
        shapedByKey_ = false;
    }
    image_.SetArgb(argb ? &layered_ : nullptr);
    if (!shape)
        return;
    const bool cut = style.keyed && !argb;
    if (cut != shapedByKey_) {
        // Cut: nothing shows until the first picture gives the region.
        if (cut)
            XShapeCombineRectangles(display, window_, ShapeBounding, 0, 0, nullptr, 0, ShapeSet, Unsorted);
        else
            XShapeCombineMask(display, window_, ShapeBounding, 0, 0, None, ShapeSet);
        keyShape_.clear();
    }
    shapedByKey_ = cut;
    // An empty input region lets every tap through; None gives the whole window back.
    if (style.clickThrough)
        XShapeCombineRectangles(display, window_, ShapeInput, 0, 0, nullptr, 0, ShapeSet, Unsorted);
    else
        XShapeCombineMask(display, window_, ShapeInput, 0, 0, None, ShapeSet);
}

void X11Window::CutOutKeyColour(const Surface& surface)
{
    // Runs of pixels other than the key colour, row by row, each a
    // scale x scale block.
    std::vector<XRectangle> runs;
    for (int y = 0; y < surface.height; ++y) {
        const uint32_t* row = surface.Row(y);
        for (int x = 0; x < surface.width;) {
            if ((row[x] & 0xFFFFFF) == layered_.key) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < surface.width && (row[x] & 0xFFFFFF) != layered_.key)
                ++x;
            runs.push_back({static_cast<short>(std::min(start * scale_, kFarthest)),
                            static_cast<short>(std::min(y * scale_, kFarthest)),
                            static_cast<unsigned short>(std::min((x - start) * scale_, kFarthest)),
                            static_cast<unsigned short>(scale_)});
        }
    }
    if (runs.size() == keyShape_.size() &&
        std::equal(runs.begin(), runs.end(), keyShape_.begin(), [](const XRectangle& a, const XRectangle& b) {
            return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
        }))
        return;
    keyShape_ = std::move(runs);
    XShapeCombineRectangles(connection_.Server(), window_, ShapeBounding, 0, 0, keyShape_.data(),
                            static_cast<int>(keyShape_.size()), ShapeSet, YXBanded);
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
    if (shapedByKey_)
        CutOutKeyColour(surface);
    // A window larger than the screen (a large panel at a large scale) is
    // put only where it can be seen, which also bounds the image.
    const RECT onScreen{-rect_.left, -rect_.top, connection_.Width() - rect_.left, connection_.Height() - rect_.top};
    RECT visible = CoveringRect(onScreen, scale_);
    if (IntersectRect(&visible, &visible, &rect))
        image_.Put(window_, gc_, surface, visible, scale_);
}

}  // namespace host
