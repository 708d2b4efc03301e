// The seat: its pointer (button 1 is the stylus; the default arrow is shown
// over our surfaces) and its keyboard (keys as xkbcommon keysyms, for the
// message boxes). What happens goes to a SeatHandler with the surface it
// happened on, in that surface's logical coordinates.
#pragma once

#include <cstdint>

struct wl_compositor;
struct wl_keyboard;
struct wl_pointer;
struct wl_registry;
struct wl_seat;
struct wl_shm;
struct wl_surface;
struct wl_cursor_theme;
struct xkb_context;
struct xkb_keymap;
struct xkb_state;

namespace host {

class SeatHandler {
public:
    enum class Button { Down, Move, Up };
    // Button 1 went down or up, or the pointer moved, over `surface` (or,
    // while the button is down, from it).
    virtual void PointerEvent(wl_surface* surface, Button button, double x, double y) = 0;
    // A key was pressed while `surface` has the keyboard focus.
    virtual void KeyPressed(wl_surface* surface, uint32_t keysym) = 0;

protected:
    ~SeatHandler() = default;
};

class WaylandSeat {
public:
    static constexpr uint32_t kVersion = 5;  // pointer frames (5)

    WaylandSeat(wl_registry* registry, uint32_t name, wl_compositor* compositor, wl_shm* shm, SeatHandler& handler);
    ~WaylandSeat();
    WaylandSeat(const WaylandSeat&) = delete;
    WaylandSeat& operator=(const WaylandSeat&) = delete;


private:
    struct Listeners;
    void Capabilities(uint32_t capabilities);
    void ShowArrow(uint32_t serial);
    void DropKeyboard();

    wl_seat* seat_;
    wl_shm* shm_;
    SeatHandler& handler_;
    wl_pointer* pointer_ = nullptr;
    wl_keyboard* keyboard_ = nullptr;
    wl_cursor_theme* cursors_ = nullptr;
    wl_surface* arrow_ = nullptr;
    wl_surface* pointerOver_ = nullptr;
    wl_surface* keyboardOn_ = nullptr;
    double x_ = 0, y_ = 0;
    bool pressed_ = false;
    xkb_context* xkb_ = nullptr;
    xkb_keymap* keymap_ = nullptr;
    xkb_state* keys_ = nullptr;
};

}  // namespace host
