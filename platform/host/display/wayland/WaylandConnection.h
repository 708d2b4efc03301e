// The connection to the Wayland compositor and the globals the program
// binds, each at the version its code is written for: the compositor, shared
// memory, the layer shell, the outputs (with xdg-output) and the first seat;
// fractional scale and the viewporter where the compositor offers them.
//
// Reading follows libwayland's rule for a single waiter: prepare_read, wait
// for the socket together with the wake sources, read_events, then dispatch
// what was read. A compositor that goes away ends the program with a message
// and exit code 1, as a lost X server does.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/host/display/wayland/WaylandOutputs.h"
#include "platform/host/display/wayland/WaylandSeat.h"

struct wl_compositor;
struct wl_display;
struct wl_registry;
struct wl_shm;
struct wp_fractional_scale_manager_v1;
struct wp_viewporter;
struct zwlr_layer_shell_v1;

namespace host {

enum class WaylandFailure {
    NoCompositor,  // none to connect to
    NoLayerShell,  // one that cannot show panels (GNOME Shell)
    Other,         // one that can, but not as asked (no such monitor)
};

class WaylandConnection {
public:
    // Null with `error` and `failure` saying why. `outputsChanged` is called
    // whenever an output's state is complete or an output goes away.
    static std::unique_ptr<WaylandConnection> Open(std::string& error, WaylandFailure& failure,
                                                   SeatHandler& seatHandler, std::function<void()> outputsChanged);
    ~WaylandConnection();
    WaylandConnection(const WaylandConnection&) = delete;
    WaylandConnection& operator=(const WaylandConnection&) = delete;

    wl_compositor* Compositor() const { return compositor_; }
    wl_shm* Shm() const { return shm_; }
    zwlr_layer_shell_v1* LayerShell() const { return layerShell_; }
    // Both, or null: a fractional scale is shown through a viewport.
    wp_fractional_scale_manager_v1* FractionalScale() const { return viewporter_ ? fractionalScale_ : nullptr; }
    wp_viewporter* Viewporter() const { return fractionalScale_ ? viewporter_ : nullptr; }
    const WaylandOutputs& Outputs() const { return *outputs_; }

    // Handles what the compositor sent, waiting up to `timeout` ms (-1:
    // without limit, 0: not at all) for it or for a wake source, after
    // sending what was asked. True when a wake source had input (which is
    // taken only by a wait).
    bool Pump(int timeout);
    // Handles what was read already (by a round trip) without reading the
    // socket.
    void DispatchQueued();
    // Sends what was asked, waiting while the socket is full.
    void Flush();
    // Sends what was asked and handles everything the compositor answers.
    void Roundtrip();

private:
    struct Listeners;
    WaylandConnection(wl_display* display, std::function<void()> outputsChanged);
    // Ends the program when `result` says the connection failed.
    void Check(int result);

    wl_display* display_;
    wl_registry* registry_ = nullptr;
    wl_compositor* compositor_ = nullptr;
    wl_shm* shm_ = nullptr;
    zwlr_layer_shell_v1* layerShell_ = nullptr;
    wp_fractional_scale_manager_v1* fractionalScale_ = nullptr;
    wp_viewporter* viewporter_ = nullptr;
    std::unique_ptr<WaylandOutputs> outputs_;
    uint32_t seatName_ = 0;  // 0: none announced
    std::unique_ptr<WaylandSeat> seat_;
};

}  // namespace host
