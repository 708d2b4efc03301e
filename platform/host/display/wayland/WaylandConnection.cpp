#include "platform/host/display/wayland/WaylandConnection.h"

#include <poll.h>
#include <unistd.h>
#include <wayland-client.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "platform/host/display/WakeSources.h"
#include "platform/host/display/wayland/LayerShellProtocol.h"
#include "fractional-scale-v1-client-protocol.h"
#include "viewporter-client-protocol.h"
#include "xdg-output-unstable-v1-client-protocol.h"

namespace host {
namespace {

constexpr uint32_t kCompositorVersion = 4;  // damage_buffer (4)
constexpr uint32_t kShmVersion = 1;
constexpr uint32_t kLayerShellVersion = 1;
constexpr uint32_t kFractionalScaleVersion = 1;
constexpr uint32_t kViewporterVersion = 1;

}  // namespace

struct WaylandConnection::Listeners {
    static constexpr wl_registry_listener kRegistry{
        .global = [](void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t version) {
            auto& connection = *static_cast<WaylandConnection*>(data);
            const std::string_view offered = interface;
            auto bind = [&](const wl_interface* what, uint32_t wanted) {
                return version >= wanted ? wl_registry_bind(registry, name, what, wanted) : nullptr;
            };
            if (offered == wl_compositor_interface.name && !connection.compositor_)
                connection.compositor_ =
                    static_cast<wl_compositor*>(bind(&wl_compositor_interface, kCompositorVersion));
            else if (offered == wl_shm_interface.name && !connection.shm_)
                connection.shm_ = static_cast<wl_shm*>(bind(&wl_shm_interface, kShmVersion));
            else if (offered == zwlr_layer_shell_v1_interface.name && !connection.layerShell_)
                connection.layerShell_ =
                    static_cast<zwlr_layer_shell_v1*>(bind(&zwlr_layer_shell_v1_interface, kLayerShellVersion));
            else if (offered == wp_fractional_scale_manager_v1_interface.name && !connection.fractionalScale_)
                connection.fractionalScale_ = static_cast<wp_fractional_scale_manager_v1*>(
                    bind(&wp_fractional_scale_manager_v1_interface, kFractionalScaleVersion));
            else if (offered == wp_viewporter_interface.name && !connection.viewporter_)
                connection.viewporter_ = static_cast<wp_viewporter*>(bind(&wp_viewporter_interface, kViewporterVersion));
            else if (offered == wl_output_interface.name)
                connection.outputs_->Add(registry, name, version);
            else if (offered == zxdg_output_manager_v1_interface.name && version >= 2) {
                // Version 2 is enough; 3 where it is offered.
                const uint32_t bound = std::min(version, WaylandOutputs::kXdgOutputVersion);
                connection.outputs_->SetManager(static_cast<zxdg_output_manager_v1*>(
                    wl_registry_bind(registry, name, &zxdg_output_manager_v1_interface, bound)));
            } else if (offered == wl_seat_interface.name && version >= WaylandSeat::kVersion && !connection.seatName_)
                connection.seatName_ = name;
        },
        .global_remove = [](void* data, wl_registry*, uint32_t name) {
            static_cast<WaylandConnection*>(data)->outputs_->Remove(name);
        },
    };
};

std::unique_ptr<WaylandConnection> WaylandConnection::Open(std::string& error, WaylandFailure& failure,
                                                           SeatHandler& seatHandler,
                                                           std::function<void()> outputsChanged)
{
    wl_display* display = wl_display_connect(nullptr);
    if (!display) {
        const char* name = getenv("WAYLAND_DISPLAY");
        error = name && *name ? "cannot connect to the Wayland compositor at " + std::string(name) + " (" +
                                    strerror(errno) + ")"
                              : std::string("cannot connect to a Wayland compositor (WAYLAND_DISPLAY is not set)");
        error += "; run with --backend x11 or --headless";
        failure = WaylandFailure::NoCompositor;
        return nullptr;
    }
    std::unique_ptr<WaylandConnection> connection(
        new WaylandConnection(display, std::move(outputsChanged)));
    connection->Roundtrip();  // the globals
    if (!connection->layerShell_ || !connection->compositor_ || !connection->shm_) {
        error = "the Wayland compositor offers no layer shell (zwlr_layer_shell_v1), which the panels need; "
                "run with --backend x11 to show them through Xwayland";
        failure = WaylandFailure::NoLayerShell;
        return nullptr;
    }
    if (connection->seatName_)
        connection->seat_ = std::make_unique<WaylandSeat>(connection->registry_, connection->seatName_,
                                                          connection->compositor_, connection->shm_, seatHandler);
    connection->Roundtrip();  // the outputs' state and the seat's abilities
    connection->Roundtrip();  // the keymap, which the abilities asked for
    return connection;
}

WaylandConnection::WaylandConnection(wl_display* display, std::function<void()> outputsChanged)
    : display_(display), outputs_(std::make_unique<WaylandOutputs>(std::move(outputsChanged)))
{
    registry_ = wl_display_get_registry(display_);
    wl_registry_add_listener(registry_, &Listeners::kRegistry, this);
}

WaylandConnection::~WaylandConnection()
{
    seat_.reset();
    outputs_.reset();
    if (viewporter_)
        wp_viewporter_destroy(viewporter_);
    if (fractionalScale_)
        wp_fractional_scale_manager_v1_destroy(fractionalScale_);
    if (layerShell_)
        zwlr_layer_shell_v1_destroy(layerShell_);
    if (shm_)
        wl_shm_destroy(shm_);
    if (compositor_)
        wl_compositor_destroy(compositor_);
    wl_registry_destroy(registry_);
    wl_display_flush(display_);
    wl_display_disconnect(display_);
}

void WaylandConnection::Check(int result)
{
    if (result >= 0)
        return;
    const wl_interface* interface = nullptr;
    uint32_t id = 0;
    const uint32_t code = wl_display_get_protocol_error(display_, &interface, &id);
    if (interface)
        fprintf(stderr, "ostrevia: the Wayland compositor ended the connection over error %u of %s %u; ending\n", code,
                interface->name, id);
    else
        fputs("ostrevia: the connection to the Wayland compositor was lost; ending\n", stderr);
    _exit(1);
}

void WaylandConnection::Flush()
{
    while (wl_display_flush(display_) < 0) {
        if (errno != EAGAIN)
            Check(-1);
        pollfd socket{wl_display_get_fd(display_), POLLOUT, 0};
        poll(&socket, 1, -1);
    }
}

void WaylandConnection::Roundtrip()
{
    Check(wl_display_roundtrip(display_));
}

void WaylandConnection::DispatchQueued()
{
    Check(wl_display_dispatch_pending(display_));
}

bool WaylandConnection::Pump(int timeout)
{
    while (wl_display_prepare_read(display_) != 0)
        Check(wl_display_dispatch_pending(display_));
    Flush();
    // A look without waiting leaves the wake sources to the message loop.
    WaitResult waited;
    if (timeout == 0) {
        pollfd socket{wl_display_get_fd(display_), POLLIN, 0};
        waited.descriptorReady = poll(&socket, 1, 0) > 0;
    } else {
        waited = WaitForInput(wl_display_get_fd(display_), timeout);
    }
    if (waited.descriptorReady)
        Check(wl_display_read_events(display_));
    else
        wl_display_cancel_read(display_);
    Check(wl_display_dispatch_pending(display_));
    return waited.woken;
}

}  // namespace host
