// Stylus input: display events become WM_LBUTTONDOWN, WM_LBUTTONUP and
// WM_LBUTTONDBLCLK for the window under the stylus or the capturing one.
// A part of a window that the screen lost becomes an update area to erase;
// a new screen size becomes WM_DISPLAYCHANGE for every window.
#include <cstdlib>
#include <deque>

#include "platform/host/display/Display.h"
#include "platform/host/user/MessageQueue.h"
#include "platform/host/user/Window.h"

namespace host::user {
namespace {

// A second press this soon and this close to the first on a CS_DBLCLKS
// window is a double click.
constexpr uint64_t kDoubleClickTime = 500;
constexpr int kDoubleClickDistance = 4;

struct Stylus {
    DisplayEvent event;
    uint64_t time;  // display clock, when the display delivered it
};

struct Press {
    HWND window = nullptr;
    POINT point{};
    uint64_t time = 0;
};

struct Input {
    std::deque<Stylus> waiting;
    HWND capture = nullptr;
    Press lastPress;  // no window: the next press cannot complete a double click
    POINT lastPoint{};
};

Input& TheInput()
{
    static Input input;
    return input;
}

void TakeDisplayEvents()
{
    Display& display = TheDisplay();
    DisplayEvent event;
    while (display.TakeEvent(event)) {
        if (event.kind == DisplayEvent::Kind::Quit) {
            RequestQuit(0);
        } else if (event.kind == DisplayEvent::Kind::Exposed) {
            if (Window* window = FindWindow(event.window))
                Invalidate(*window, &event.rect, true);
        } else if (event.kind == DisplayEvent::Kind::ScreenChanged) {
            // As on Windows, every window hears of the new screen size.
            const SIZE screen = display.ScreenSize();
            for (const StackedWindow& stacked : ZOrder())
                PostMessageW(stacked.window, WM_DISPLAYCHANGE, 32, MAKELPARAM(screen.cx, screen.cy));
        } else {
            TheInput().waiting.push_back({event, display.Now()});
        }
    }
}

bool CompletesDoubleClick(const Window& window, const Stylus& stylus)
{
    const Press& last = TheInput().lastPress;
    return (window.windowClass->style & CS_DBLCLKS) && last.window == window.handle &&
           stylus.time - last.time <= kDoubleClickTime &&
           std::abs(stylus.event.point.x - last.point.x) <= kDoubleClickDistance &&
           std::abs(stylus.event.point.y - last.point.y) <= kDoubleClickDistance;
}

}  // namespace

bool TakeInput(const MessageFilter& filter, bool remove, MSG& msg)
{
    TakeDisplayEvents();
    Input& input = TheInput();
    while (!input.waiting.empty()) {
        const Stylus stylus = input.waiting.front();
        const POINT point = stylus.event.point;
        const bool down = stylus.event.kind == DisplayEvent::Kind::StylusDown;
        const HWND target = input.capture ? input.capture : WindowAt(point);
        if (!target) {
            // On the desktop: nobody hears it, and it breaks a double click.
            input.waiting.pop_front();
            input.lastPoint = point;
            if (down)
                input.lastPress = {};
            continue;
        }
        const Window& window = *FindWindow(target);
        const bool doubleClick = down && CompletesDoubleClick(window, stylus);
        const UINT message = doubleClick ? WM_LBUTTONDBLCLK : down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
        if (!filter.Accepts(target, message))
            return false;
        const LPARAM where = MAKELPARAM(point.x - window.rect.left, point.y - window.rect.top);
        msg = {target, message, static_cast<WPARAM>(down ? MK_LBUTTON : 0), where, 0, point};
        if (remove) {
            input.waiting.pop_front();
            input.lastPoint = point;
            // A third press starts a new double click rather than ending one.
            if (down)
                input.lastPress = doubleClick ? Press{} : Press{target, point, stylus.time};
        }
        return true;
    }
    return false;
}

POINT LastStylusPoint()
{
    return TheInput().lastPoint;
}

void ForgetWindowInput(HWND window)
{
    Input& input = TheInput();
    if (input.capture == window)
        input.capture = nullptr;
    if (input.lastPress.window == window)
        input.lastPress = {};
}

void ResetInput()
{
    TheInput() = {};
}

}  // namespace host::user

using namespace host::user;

HWND SetCapture(HWND window)
{
    Input& input = TheInput();
    const HWND previous = input.capture;
    if (!IsWindow(window) || window == previous)
        return previous;
    input.capture = window;
    if (previous)
        SendMessageW(previous, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(window));
    return previous;
}

BOOL ReleaseCapture()
{
    Input& input = TheInput();
    const HWND previous = input.capture;
    input.capture = nullptr;
    if (previous)
        SendMessageW(previous, WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

HWND GetCapture()
{
    return TheInput().capture;
}
