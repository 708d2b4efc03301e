// The display: where windows appear, where stylus input and time come from,
// and where message boxes are shown. The window manager (user/) owns windows
// and their surfaces and tells the display about every change; the display
// never calls back into the window manager.
//
// One display is installed at a time. DisplayHeadless keeps a virtual screen
// and, by default, a virtual clock; the X11 and Wayland displays show real
// windows.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/host/display/LayeredStyle.h"
#include "platform/host/gdi/surface.h"
#include "platform/win32.h"

namespace host {

// Something the user or the run did: stylus input at `point` (screen
// pixels), the end of the run, `rect` (window coordinates) of `window`
// whose pixels the screen lost and which must be painted again, with erase,
// or a change of the screen's size (monitors plugged, unplugged, resized).
struct DisplayEvent {
    enum class Kind { StylusDown, StylusUp, Quit, Exposed, ScreenChanged };
    Kind kind = Kind::Quit;
    POINT point{};
    HWND window = nullptr;
    RECT rect{};
};

// One window as the display stacks it: topmost first.
struct StackedWindow {
    HWND window = nullptr;
    bool topmost = false;
};

class Display {
public:
    virtual ~Display() = default;

    virtual SIZE ScreenSize() const = 0;

    // Window notifications. `surface` holds the window's pixels; it stays
    // valid until the next WindowMoved or WindowDestroyed of that window.
    virtual void WindowCreated(HWND window, const RECT& rect, const Surface* surface) = 0;
    virtual void WindowDestroyed(HWND window) = 0;
    virtual void WindowMoved(HWND window, const RECT& rect, const Surface* surface) = 0;
    virtual void WindowShown(HWND window, bool visible) = 0;
    virtual void WindowsStacked(const std::vector<StackedWindow>& stack) = 0;
    // The window became layered, or its layered style changed; a window
    // that is not layered again gets the default style.
    virtual void WindowLayered(HWND window, const LayeredStyle& style) = 0;
    // `rect` (window coordinates) of the window's surface was drawn on.
    virtual void Present(HWND window, const RECT& rect) = 0;

    // Monotonic milliseconds on the display's clock, for deadlines.
    virtual uint64_t Now() = 0;
    // What GetTickCount reports: milliseconds, wrapping at 2^32.
    virtual DWORD TickCount() = 0;
    virtual void Sleep(DWORD milliseconds) = 0;

    // Blocks until an event can be taken or the clock reaches `deadline`
    // (absent: no deadline). Called only when nothing else is pending, so
    // the display may do what must wait for a quiet moment (snapshots).
    virtual void Wait(std::optional<uint64_t> deadline) = 0;
    // The oldest queued event; false when none is queued.
    virtual bool TakeEvent(DisplayEvent& event);

    virtual int MessageBox(HWND owner, std::u16string_view text, std::u16string_view caption, UINT style) = 0;

    // Ends the run that long after now, as PostQuitMessage(0) would.
    virtual void EndRunAfter(DWORD milliseconds) = 0;
    // The screen as the user sees it, as a PNG file.
    virtual bool WriteSnapshot(const char* pngPath) const = 0;
    // The snapshot written when the run ends.
    void SnapshotAtEnd(std::string path) { endSnapshot_ = std::move(path); }

    // The program retrieved WM_QUIT (or ended without a message loop):
    // nothing is pending and the windows still stand. Writes the end
    // snapshot, once.
    void RunEnding();

protected:
    std::deque<DisplayEvent> events_;  // oldest first

private:
    std::string endSnapshot_;
    bool ended_ = false;
};

// The installed display; a headless one on the virtual clock when none was
// installed.
Display& TheDisplay();
void InstallDisplay(std::unique_ptr<Display> display);

}  // namespace host
