// A display on a Wayland compositor with the layer shell: every window is a
// layer surface on the program's output, in the top layer when it is
// topmost and in the bottom layer (above the wallpaper, below the windows)
// otherwise, placed by anchors and margins where the window manager says.
// Button 1 of the seat's pointer is the stylus. Waiting blocks on the
// connection, the wake sources and the next deadline together; what the
// program changed is committed, one commit per surface, before it waits.
//
// The program's screen is one output in logical pixels (the chosen one, or
// the first when it is gone), each program pixel shown `scale` logical
// pixels large and drawn at the output's own integer scale. When the
// outputs change, the panels follow and the program hears of it.
//
// Message boxes are overlay surfaces with a modal loop, as on X11.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/host/display/RealTimeDisplay.h"
#include "platform/host/display/ScreenArea.h"
#include "platform/host/display/wayland/WaylandConnection.h"

struct wl_output;
struct wl_surface;

namespace host {

class LayerSurface;
class MessageDialogWayland;

class DisplayWayland final : public RealTimeDisplay, private SeatHandler {
public:
    // Connects to the compositor that WAYLAND_DISPLAY (or WAYLAND_SOCKET)
    // names and lives on the output that `monitor` names (ChooseMonitor),
    // at `scale` (absent: 1); null with `error` and `failure` telling why.
    static std::unique_ptr<DisplayWayland> Open(std::string& error, WaylandFailure& failure,
                                                const std::string& monitor = "", std::optional<int> scale = {});
    ~DisplayWayland() override;

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
    // Compositors keep the screen to themselves: false, after saying so.
    bool WriteSnapshot(const char* pngPath) const override;

protected:
    bool TakeArrived() override;
    bool WaitForArrival(int timeout) override;

private:
    struct View {
        std::unique_ptr<LayerSurface> layer;  // while it can be seen
        const Surface* surface = nullptr;
        RECT rect{};  // program screen pixels
        bool shown = false;
        bool topmost = false;
        LayeredStyle layered;
    };

    DisplayWayland(std::string monitor, int scale);
    // Follows the chosen output after a change of the outputs.
    void OutputsChanged();
    // Makes or drops the view's layer surface as the view can be seen.
    void Update(View& view);
    void Place(View& view);
    // Commits what changed on every surface.
    void CommitAll();
    void PointerEvent(wl_surface* surface, Button button, double x, double y) override;
    void KeyPressed(wl_surface* surface, uint32_t keysym) override;
    void DialogClosed();

    std::unique_ptr<WaylandConnection> connection_;  // first made, last gone
    std::string monitor_;
    int scale_;
    uint32_t outputName_ = 0;  // the registry's name of the program's output; 0: none yet
    wl_output* output_ = nullptr;
    int outputScale_ = 1;
    ScreenArea area_;
    std::map<HWND, View> views_;
    std::vector<MessageDialogWayland*> dialogs_;  // open, innermost last
    std::vector<HWND> ownersOfDialogs_;
    bool messagePosted_ = false;  // while handling the compositor's events
};

}  // namespace host
