// One wl_surface in a layer of an output (zwlr_layer_surface_v1, namespace
// "ostrevia"), showing a Surface whose every pixel is a square of the
// program's scale in logical pixels, drawn at the output's integer scale.
// Where the compositor tells the surface a fractional scale of its own, the
// buffer is drawn at the next whole number above it and shown at the exact
// size through a viewport, so that text and bars stay crisp.
//
// Its place is given in logical pixels of the output: the surface keeps to
// the nearer edges of each axis, with the distances as margins, or is
// centred. Placing and presenting only ask; Commit sends what was asked in
// one commit, once the compositor has configured the surface and a buffer
// is free, so a step of an animation is one commit.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/host/display/wayland/ShmBuffers.h"
#include "platform/host/gdi/surface.h"
#include "platform/win32.h"

struct wl_compositor;
struct wl_output;
struct wl_surface;
struct wp_fractional_scale_v1;
struct wp_viewport;
struct zwlr_layer_surface_v1;

namespace host {

class WaylandConnection;

// Where a layer surface keeps to: the nearer edge of each axis (a panel at
// the right edge stays there when the output's width changes, until the
// program places it anew) and its distances from those edges, which are
// negative for a surface that lies partly off the output.
struct EdgePlacement {
    bool right = false;   // else the left edge
    bool bottom = false;  // else the top edge
    int32_t horizontal = 0, vertical = 0;  // margins from those edges
};
EdgePlacement PlaceAtEdges(const RECT& rect, SIZE output);

class LayerSurface {
public:
    enum class Layer { Bottom, Top, Overlay };  // below windows, above them, above everything

    // `keyboard`: the surface takes every key while it is shown.
    LayerSurface(WaylandConnection& connection, wl_output* output, Layer layer, bool keyboard);
    ~LayerSurface();
    LayerSurface(const LayerSurface&) = delete;
    LayerSurface& operator=(const LayerSurface&) = delete;

    wl_surface* Id() const { return surface_; }
    // The compositor will not show the surface again (its output is gone).
    bool Closed() const { return closed_; }

    // `rect` (logical pixels, on an output `output` large); `centred` puts
    // it in the middle instead.
    void Place(const RECT& rect, SIZE output, bool centred = false);
    // Each pixel of the surface `programScale` logical pixels wide, on an
    // output of integer scale `outputScale`.
    void SetScale(int programScale, int outputScale);
    // Shows the surface with `style` from the next commit on: its pixels
    // see-through, and no input region when taps pass through.
    void SetLayered(const LayeredStyle& style);
    // `rect` of `surface` changed.
    void Changed(const RECT& rect);
    // Sends what was asked, showing `surface`; false when something waits
    // (for the configure event or a free buffer).
    bool Commit(const Surface& surface);

private:
    struct Listeners;

    // Buffer pixels per logical pixel.
    int BufferScale() const;

    wl_compositor* compositor_;
    wl_surface* surface_;
    zwlr_layer_surface_v1* layer_;
    wp_fractional_scale_v1* fractionalScale_ = nullptr;  // with viewport_, or neither
    wp_viewport* viewport_ = nullptr;
    ShmBuffers buffers_;
    int programScale_ = 1;
    int outputScale_ = 1;
    uint32_t preferredScale_ = 0;  // the compositor's, in 120ths; 0: none told
    bool committedOnce_ = false;
    bool configured_ = false;
    bool closed_ = false;
    bool placed_ = false;  // a new place waits for a commit
    bool scaled_ = false;  // a new scale waits for a commit
    gdi::RectList changed_;  // surface pixels that wait for a commit
    SIZE bufferSize_{};    // of the buffers last committed
};

}  // namespace host
