#include "platform/host/display/wayland/LayerSurface.h"

#include <wayland-client.h>

#include <algorithm>
#include <limits>

#include "fractional-scale-v1-client-protocol.h"
#include "platform/host/display/wayland/LayerShellProtocol.h"
#include "platform/host/display/wayland/WaylandConnection.h"
#include "viewporter-client-protocol.h"

namespace host {
namespace {

constexpr RECT kEverything{0, 0, std::numeric_limits<LONG>::max(), std::numeric_limits<LONG>::max()};

constexpr uint32_t LayerOf(LayerSurface::Layer layer)
{
    switch (layer) {
    case LayerSurface::Layer::Bottom:
        return ZWLR_LAYER_SHELL_V1_LAYER_BOTTOM;
    case LayerSurface::Layer::Top:
        return ZWLR_LAYER_SHELL_V1_LAYER_TOP;
    case LayerSurface::Layer::Overlay:
        break;
    }
    return ZWLR_LAYER_SHELL_V1_LAYER_OVERLAY;
}

}  // namespace

struct LayerSurface::Listeners {
    static constexpr zwlr_layer_surface_v1_listener kLayer{
        // The size is ours: the compositor's suggestion is not taken.
        .configure = [](void* data, zwlr_layer_surface_v1* layer, uint32_t serial, uint32_t, uint32_t) {
            auto& surface = *static_cast<LayerSurface*>(data);
            zwlr_layer_surface_v1_ack_configure(layer, serial);
            if (!surface.configured_) {
                surface.configured_ = true;
                surface.changed_.Add(kEverything);
            }
        },
        .closed = [](void* data, zwlr_layer_surface_v1*) { static_cast<LayerSurface*>(data)->closed_ = true; },
    };
    static constexpr wp_fractional_scale_v1_listener kFractionalScale{
        .preferred_scale = [](void* data, wp_fractional_scale_v1*, uint32_t scale) {
            auto& surface = *static_cast<LayerSurface*>(data);
            const int before = surface.BufferScale();
            surface.preferredScale_ = scale;
            if (surface.BufferScale() != before) {
                surface.scaled_ = true;
                surface.changed_.Add(kEverything);
            }
        },
    };
};

LayerSurface::LayerSurface(WaylandConnection& connection, wl_output* output, Layer layer, bool keyboard)
    : compositor_(connection.Compositor()),
      surface_(wl_compositor_create_surface(compositor_)),
      layer_(zwlr_layer_shell_v1_get_layer_surface(connection.LayerShell(), surface_, output, LayerOf(layer),
                                                   "ostrevia")),
      buffers_(connection.Shm())
{
    zwlr_layer_surface_v1_add_listener(layer_, &Listeners::kLayer, this);
    if (connection.FractionalScale()) {
        fractionalScale_ = wp_fractional_scale_manager_v1_get_fractional_scale(connection.FractionalScale(), surface_);
        wp_fractional_scale_v1_add_listener(fractionalScale_, &Listeners::kFractionalScale, this);
        viewport_ = wp_viewporter_get_viewport(connection.Viewporter(), surface_);
    }
    // Panels reserve no room on the output and take no keys.
    zwlr_layer_surface_v1_set_exclusive_zone(layer_, 0);
    zwlr_layer_surface_v1_set_keyboard_interactivity(
        layer_, keyboard ? ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_EXCLUSIVE
                         : ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_NONE);
}

LayerSurface::~LayerSurface()
{
    if (viewport_) {
        wp_viewport_destroy(viewport_);
        wp_fractional_scale_v1_destroy(fractionalScale_);
    }
    zwlr_layer_surface_v1_destroy(layer_);
    wl_surface_destroy(surface_);
}

EdgePlacement PlaceAtEdges(const RECT& rect, SIZE output)
{
    EdgePlacement placement;
    placement.right = rect.left + rect.right > output.cx;
    placement.horizontal = placement.right ? output.cx - rect.right : rect.left;
    placement.bottom = rect.top + rect.bottom > output.cy;
    placement.vertical = placement.bottom ? output.cy - rect.bottom : rect.top;
    return placement;
}

void LayerSurface::Place(const RECT& rect, SIZE output, bool centred)
{
    // No anchor at all centres the surface.
    uint32_t anchor = 0;
    int32_t top = 0, right = 0, bottom = 0, left = 0;
    if (!centred) {
        const EdgePlacement edges = PlaceAtEdges(rect, output);
        anchor = (edges.right ? ZWLR_LAYER_SURFACE_V1_ANCHOR_RIGHT : ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT) |
                 (edges.bottom ? ZWLR_LAYER_SURFACE_V1_ANCHOR_BOTTOM : ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP);
        (edges.right ? right : left) = edges.horizontal;
        (edges.bottom ? bottom : top) = edges.vertical;
    }
    zwlr_layer_surface_v1_set_anchor(layer_, anchor);
    zwlr_layer_surface_v1_set_margin(layer_, top, right, bottom, left);
    zwlr_layer_surface_v1_set_size(layer_, static_cast<uint32_t>(rect.right - rect.left),
                                   static_cast<uint32_t>(rect.bottom - rect.top));
    placed_ = true;
    // The first commit, without a buffer, asks the compositor to configure
    // the surface.
    if (!configured_ && !committedOnce_) {
        committedOnce_ = true;
        wl_surface_commit(surface_);
    }
}

void LayerSurface::SetScale(int programScale, int outputScale)
{
    if (programScale == programScale_ && outputScale == outputScale_)
        return;
    programScale_ = programScale;
    outputScale_ = outputScale;
    scaled_ = true;
    changed_.Add(kEverything);
}

int LayerSurface::BufferScale() const
{
    if (preferredScale_ == 0)
        return outputScale_;
    // A scale of 0 or of 100 from the compositor stays within reason.
    constexpr uint32_t kWhole = 120;
    const uint32_t above = preferredScale_ / kWhole + (preferredScale_ % kWhole != 0 ? 1 : 0);
    return static_cast<int>(std::clamp<uint32_t>(above, 1, WaylandOutputs::kLargestScale));
}

void LayerSurface::SetLayered(const LayeredStyle& style)
{
    buffers_.SetStyle(style);
    changed_.Add(kEverything);
    if (style.clickThrough) {
        wl_region* nowhere = wl_compositor_create_region(compositor_);
        wl_surface_set_input_region(surface_, nowhere);
        wl_region_destroy(nowhere);
    } else {
        wl_surface_set_input_region(surface_, nullptr);
    }
}

void LayerSurface::Changed(const RECT& rect)
{
    changed_.Add(rect);
}

bool LayerSurface::Commit(const Surface& surface)
{
    if (closed_ || !configured_)
        return false;
    if (!placed_ && !scaled_ && changed_.IsEmpty())
        return true;
    const int bufferScale = BufferScale();
    const int block = programScale_ * bufferScale;
    const SIZE size{surface.width * block, surface.height * block};
    if (size.cx != bufferSize_.cx || size.cy != bufferSize_.cy) {
        // A buffer of another size shows anew everywhere.
        bufferSize_ = size;
        changed_.Add(kEverything);
    }
    const RECT whole{0, 0, surface.width, surface.height};
    gdi::RectList damage;
    for (const RECT& rect : changed_)
        damage.Add(gdi::Intersect(rect, whole));
    const RECT changed = damage.Bounds();
    if (damage.IsEmpty()) {
        // A move keeps the buffer shown.
        wl_surface_commit(surface_);
        placed_ = false;
        return true;
    }
    if (!buffers_.Fit(size.cx, size.cy))
        return true;
    wl_buffer* buffer = buffers_.Take(surface, changed, block);
    if (!buffer)
        return false;
    wl_surface_attach(surface_, buffer, 0, 0);
    if (viewport_)
        wp_viewport_set_destination(viewport_, surface.width * programScale_, surface.height * programScale_);
    else if (scaled_)
        wl_surface_set_buffer_scale(surface_, bufferScale);
    for (const RECT& rect : damage)
        wl_surface_damage_buffer(surface_, rect.left * block, rect.top * block, (rect.right - rect.left) * block,
                                 (rect.bottom - rect.top) * block);
    wl_surface_commit(surface_);
    placed_ = scaled_ = false;
    changed_.Clear();
    return true;
}

}  // namespace host
