// A display on an X server: every window is a borderless override-redirect
// X window placed, stacked and shown as the window manager says, and put on
// the screen from its surface where the surface changed. Button 1 is the
// stylus; parts of windows that the server lost come back as areas to
// repaint. Waiting blocks on the connection and the next deadline together,
// so an idle program uses no processor time between its timers.
//
// The program's screen is one monitor (ScreenArea), shown at a whole-number
// scale. When the monitors change, the screen follows the chosen one, or the
// first when it is gone, and the program hears of it. Topmost windows that
// another window covers are raised again at once.
//
// Message boxes are real dialogs with a modal loop that keeps dispatching
// the program's messages (paints, timers, other windows' input) while the
// box is open, as on Windows; the owner window takes no presses meanwhile.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/host/display/RealTimeDisplay.h"
#include "platform/host/display/ScreenArea.h"
#include "platform/host/display/x11/MessageDialogX11.h"
#include "platform/host/display/x11/X11Connection.h"
#include "platform/host/display/x11/X11Window.h"

namespace host {

class DisplayX11 final : public RealTimeDisplay {
public:
    // Connects to the server that DISPLAY names and lives on the monitor
    // that `monitor` names (ChooseMonitor), shown at `scale` (absent: as
    // the desktop's Xft.dpi asks); null with `error` telling why (no server,
    // a screen of an unsupported depth, no such monitor, the last setting
    // `*noSuchMonitor`).
    static std::unique_ptr<DisplayX11> Open(std::string& error, const std::string& monitor = "",
                                            std::optional<int> scale = {}, bool* noSuchMonitor = nullptr);
    ~DisplayX11() override;

    SIZE ScreenSize() const override;
    void WindowCreated(HWND window, const RECT& rect, const Surface* surface) override;
    void WindowDestroyed(HWND window) override;
    void WindowMoved(HWND window, const RECT& rect, const Surface* surface) override;
    void WindowShown(HWND window, bool visible) override;
    void WindowsStacked(const std::vector<StackedWindow>& stack) override;
    void WindowLayered(HWND window, const LayeredStyle& style) override;
    void Present(HWND window, const RECT& rect) override;
    void Sleep(DWORD milliseconds) override;
    int MessageBox(HWND owner, std::u16string_view text, std::u16string_view caption, UINT style) override;

    // The whole screen, as the server shows it.
    bool WriteSnapshot(const char* pngPath) const override;

protected:
    bool TakeArrived() override;
    bool WaitForArrival(int timeout) override;

private:
    struct View {
        std::unique_ptr<X11Window> window;
        const Surface* surface = nullptr;
        RECT rect{};  // program screen pixels
    };

    DisplayX11(std::unique_ptr<X11Connection> connection, std::string monitor, int scale);
    // The area of the chosen monitor, or of the first one when it is gone.
    ScreenArea ChosenArea() const;
    // After a change of the monitors: follows the chosen one. True when the
    // program's screen changed.
    bool MonitorsChanged();
    // Puts our windows on top of the screen in the window manager's order
    // (only the topmost ones), with open dialogs above them.
    void Restack(bool topmostOnly);
    // Whether a window of another program that is not an overlay itself
    // (override-redirect: menus, tooltips, other panels) lies over `id`.
    bool CoveredByNormalWindow(::Window id) const;
    // Handles what the server has sent, without blocking. True when there
    // is something a waiting caller must look at.
    bool Pump();
    bool Handle(const XEvent& event);
    bool HandleStylus(const XEvent& event);
    HWND WindowOf(::Window id) const;
    MessageDialogX11* DialogOf(::Window id) const;

    std::unique_ptr<X11Connection> connection_;  // first made, last gone
    std::string monitor_;
    int scale_;
    ScreenArea area_;
    int randrEvents_ = -1;  // the first RandR event type; -1 without RandR
    std::map<HWND, View> views_;
    std::unordered_map<::Window, HWND> byId_;
    std::vector<StackedWindow> stack_;  // topmost first
    std::vector<MessageDialogX11*> dialogs_;  // open, innermost last
    std::vector<HWND> ownersOfDialogs_;
};

}  // namespace host
