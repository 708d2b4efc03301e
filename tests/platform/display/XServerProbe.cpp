#include "tests/platform/display/XServerProbe.h"

#include <X11/Xutil.h>

namespace testing_x11 {

XServerProbe::XServerProbe() : display_(XOpenDisplay(nullptr)) {}

XServerProbe::~XServerProbe()
{
    if (display_)
        XCloseDisplay(display_);
}

uint32_t XServerProbe::Pixel(int x, int y)
{
    XImage* image = XGetImage(display_, DefaultRootWindow(display_), x, y, 1, 1, AllPlanes, ZPixmap);
    if (!image)
        return 0xFFFFFFFF;
    const uint32_t pixel = static_cast<uint32_t>(XGetPixel(image, 0, 0)) & 0xFFFFFF;
    XDestroyImage(image);
    return pixel;
}

::Window XServerProbe::WindowAt(int x, int y)
{
    ::Window root, parent, *children = nullptr;
    unsigned count = 0;
    XQueryTree(display_, DefaultRootWindow(display_), &root, &parent, &children, &count);
    ::Window found = None;
    // Children come bottom first.
    for (unsigned i = count; i-- > 0 && found == None;) {
        XWindowAttributes attributes;
        XGetWindowAttributes(display_, children[i], &attributes);
        if (attributes.map_state == IsViewable && x >= attributes.x && y >= attributes.y &&
            x < attributes.x + attributes.width && y < attributes.y + attributes.height)
            found = children[i];
    }
    if (children)
        XFree(children);
    return found;
}

::Window XServerProbe::WindowNamed(const std::string& name)
{
    ::Window root, parent, *children = nullptr;
    unsigned count = 0;
    XQueryTree(display_, DefaultRootWindow(display_), &root, &parent, &children, &count);
    ::Window found = None;
    for (unsigned i = 0; i < count && found == None; ++i) {
        XWindowAttributes attributes;
        XGetWindowAttributes(display_, children[i], &attributes);
        char* windowName = nullptr;
        if (attributes.map_state == IsViewable && XFetchName(display_, children[i], &windowName) && windowName) {
            if (name == windowName)
                found = children[i];
            XFree(windowName);
        }
    }
    if (children)
        XFree(children);
    return found;
}

void XServerProbe::Geometry(::Window window, int& x, int& y, int& width, int& height)
{
    XWindowAttributes attributes;
    XGetWindowAttributes(display_, window, &attributes);
    x = attributes.x;
    y = attributes.y;
    width = attributes.width;
    height = attributes.height;
}

void XServerProbe::Button(int x, int y, bool down)
{
    const ::Window target = WindowAt(x, y);
    if (target == None)
        return;
    int left, top, width, height;
    Geometry(target, left, top, width, height);
    XEvent event{};
    XButtonEvent& button = event.xbutton;
    button.type = down ? ButtonPress : ButtonRelease;
    button.display = display_;
    button.window = target;
    button.root = DefaultRootWindow(display_);
    button.x = x - left;
    button.y = y - top;
    button.x_root = x;
    button.y_root = y;
    button.button = Button1;
    button.same_screen = True;
    XSendEvent(display_, target, False, down ? ButtonPressMask : ButtonReleaseMask, &event);
    XSync(display_, False);
}

void XServerProbe::Click(int x, int y)
{
    Button(x, y, true);
    Button(x, y, false);
}

::Window XServerProbe::MapPlainWindow(int x, int y, int width, int height, uint32_t rgb)
{
    const ::Window window = XCreateSimpleWindow(display_, DefaultRootWindow(display_), x, y, width, height, 0, 0,
                                                rgb);
    XMapRaised(display_, window);
    XSync(display_, False);
    return window;
}

void XServerProbe::Key(::Window window, unsigned long keysym)
{
    XEvent event{};
    XKeyEvent& key = event.xkey;
    key.type = KeyPress;
    key.display = display_;
    key.window = window;
    key.root = DefaultRootWindow(display_);
    key.keycode = XKeysymToKeycode(display_, keysym);
    key.same_screen = True;
    XSendEvent(display_, window, False, KeyPressMask, &event);
    XSync(display_, False);
}

}  // namespace testing_x11
