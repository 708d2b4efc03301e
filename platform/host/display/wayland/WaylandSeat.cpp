#include "platform/host/display/wayland/WaylandSeat.h"

#include <linux/input-event-codes.h>
#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>
#include <wayland-cursor.h>
#include <xkbcommon/xkbcommon.h>

namespace host {

// The listeners, with every event of the versions bound.
struct WaylandSeat::Listeners {
    static WaylandSeat& Of(void* data) { return *static_cast<WaylandSeat*>(data); }

    static constexpr wl_seat_listener kSeat{
        .capabilities = [](void* data, wl_seat*, uint32_t capabilities) { Of(data).Capabilities(capabilities); },
        .name = [](void*, wl_seat*, const char*) {},
    };

    static constexpr wl_pointer_listener kPointer{
        .enter = [](void* data, wl_pointer*, uint32_t serial, wl_surface* surface, wl_fixed_t x, wl_fixed_t y) {
            WaylandSeat& seat = Of(data);
            seat.pointerOver_ = surface;
            seat.x_ = wl_fixed_to_double(x);
            seat.y_ = wl_fixed_to_double(y);
            seat.ShowArrow(serial);
        },
        .leave = [](void* data, wl_pointer*, uint32_t, wl_surface*) {
            WaylandSeat& seat = Of(data);
            // A press that the compositor takes away ends where it was.
            if (seat.pressed_ && seat.pointerOver_)
                seat.handler_.PointerEvent(seat.pointerOver_, SeatHandler::Button::Up, seat.x_, seat.y_);
            seat.pressed_ = false;
            seat.pointerOver_ = nullptr;
        },
        .motion = [](void* data, wl_pointer*, uint32_t, wl_fixed_t x, wl_fixed_t y) {
            WaylandSeat& seat = Of(data);
            seat.x_ = wl_fixed_to_double(x);
            seat.y_ = wl_fixed_to_double(y);
            if (seat.pressed_ && seat.pointerOver_)
                seat.handler_.PointerEvent(seat.pointerOver_, SeatHandler::Button::Move, seat.x_, seat.y_);
        },
        .button = [](void* data, wl_pointer*, uint32_t, uint32_t, uint32_t button, uint32_t state) {
            WaylandSeat& seat = Of(data);
            if (button != BTN_LEFT || !seat.pointerOver_)
                return;
            seat.pressed_ = state == WL_POINTER_BUTTON_STATE_PRESSED;
            seat.handler_.PointerEvent(seat.pointerOver_,
                                       seat.pressed_ ? SeatHandler::Button::Down : SeatHandler::Button::Up, seat.x_,
                                       seat.y_);
        },
        .axis = [](void*, wl_pointer*, uint32_t, uint32_t, wl_fixed_t) {},
        .frame = [](void*, wl_pointer*) {},
        .axis_source = [](void*, wl_pointer*, uint32_t) {},
        .axis_stop = [](void*, wl_pointer*, uint32_t, uint32_t) {},
        .axis_discrete = [](void*, wl_pointer*, uint32_t, int32_t) {},
        .axis_value120 = [](void*, wl_pointer*, uint32_t, int32_t) {},  // version 8's, not bound
    };

    static constexpr wl_keyboard_listener kKeyboard{
        .keymap = [](void* data, wl_keyboard*, uint32_t format, int32_t descriptor, uint32_t size) {
            WaylandSeat& seat = Of(data);
            seat.DropKeyboard();
            void* text = format == WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1
                             ? mmap(nullptr, size, PROT_READ, MAP_PRIVATE, descriptor, 0)
                             : MAP_FAILED;
            close(descriptor);
            if (text == MAP_FAILED)
                return;
            seat.keymap_ = xkb_keymap_new_from_buffer(seat.xkb_, static_cast<const char*>(text), size - 1,
                                                      XKB_KEYMAP_FORMAT_TEXT_V1, XKB_KEYMAP_COMPILE_NO_FLAGS);
            munmap(text, size);
            if (seat.keymap_)
                seat.keys_ = xkb_state_new(seat.keymap_);
        },
        .enter = [](void* data, wl_keyboard*, uint32_t, wl_surface* surface, wl_array*) {
            Of(data).keyboardOn_ = surface;
        },
        .leave = [](void* data, wl_keyboard*, uint32_t, wl_surface*) { Of(data).keyboardOn_ = nullptr; },
        .key = [](void* data, wl_keyboard*, uint32_t, uint32_t, uint32_t key, uint32_t state) {
            WaylandSeat& seat = Of(data);
            if (state != WL_KEYBOARD_KEY_STATE_PRESSED || !seat.keys_ || !seat.keyboardOn_)
                return;
            // xkb numbers keys 8 above the kernel's codes.
            seat.handler_.KeyPressed(seat.keyboardOn_, xkb_state_key_get_one_sym(seat.keys_, key + 8));
        },
        .modifiers = [](void* data, wl_keyboard*, uint32_t, uint32_t depressed, uint32_t latched, uint32_t locked,
                        uint32_t group) {
            if (xkb_state* keys = Of(data).keys_)
                xkb_state_update_mask(keys, depressed, latched, locked, 0, 0, group);
        },
        .repeat_info = [](void*, wl_keyboard*, int32_t, int32_t) {},
    };
};

WaylandSeat::WaylandSeat(wl_registry* registry, uint32_t name, wl_compositor* compositor, wl_shm* shm,
                         SeatHandler& handler)
    : seat_(static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, kVersion))),
      shm_(shm),
      handler_(handler),
      arrow_(wl_compositor_create_surface(compositor)),
      xkb_(xkb_context_new(XKB_CONTEXT_NO_FLAGS))
{
    wl_seat_add_listener(seat_, &Listeners::kSeat, this);
}

WaylandSeat::~WaylandSeat()
{
    DropKeyboard();
    if (keyboard_)
        wl_keyboard_release(keyboard_);
    if (pointer_)
        wl_pointer_release(pointer_);
    if (cursors_)
        wl_cursor_theme_destroy(cursors_);
    wl_surface_destroy(arrow_);
    if (xkb_)
        xkb_context_unref(xkb_);
    wl_seat_release(seat_);
}

void WaylandSeat::Capabilities(uint32_t capabilities)
{
    const bool pointer = capabilities & WL_SEAT_CAPABILITY_POINTER;
    if (pointer && !pointer_) {
        pointer_ = wl_seat_get_pointer(seat_);
        wl_pointer_add_listener(pointer_, &Listeners::kPointer, this);
    } else if (!pointer && pointer_) {
        wl_pointer_release(pointer_);
        pointer_ = nullptr;
        pointerOver_ = nullptr;
        pressed_ = false;
    }
    const bool keyboard = (capabilities & WL_SEAT_CAPABILITY_KEYBOARD) && xkb_;
    if (keyboard && !keyboard_) {
        keyboard_ = wl_seat_get_keyboard(seat_);
        wl_keyboard_add_listener(keyboard_, &Listeners::kKeyboard, this);
    } else if (!keyboard && keyboard_) {
        DropKeyboard();
        wl_keyboard_release(keyboard_);
        keyboard_ = nullptr;
        keyboardOn_ = nullptr;
    }
}

void WaylandSeat::ShowArrow(uint32_t serial)
{
    // The theme is loaded when the pointer first comes: XCURSOR_THEME and
    // XCURSOR_SIZE choose it, libwayland-cursor has an arrow of its own.
    if (!cursors_)
        cursors_ = wl_cursor_theme_load(nullptr, 24, shm_);
    wl_cursor* cursor = cursors_ ? wl_cursor_theme_get_cursor(cursors_, "left_ptr") : nullptr;
    if (!cursor || cursor->image_count == 0)
        return;
    wl_cursor_image* image = cursor->images[0];
    wl_buffer* buffer = wl_cursor_image_get_buffer(image);
    if (!buffer)
        return;
    wl_surface_attach(arrow_, buffer, 0, 0);
    wl_surface_damage_buffer(arrow_, 0, 0, static_cast<int32_t>(image->width), static_cast<int32_t>(image->height));
    wl_surface_commit(arrow_);
    wl_pointer_set_cursor(pointer_, serial, arrow_, static_cast<int32_t>(image->hotspot_x),
                          static_cast<int32_t>(image->hotspot_y));
}

void WaylandSeat::DropKeyboard()
{
    if (keys_)
        xkb_state_unref(keys_);
    if (keymap_)
        xkb_keymap_unref(keymap_);
    keys_ = nullptr;
    keymap_ = nullptr;
}

}  // namespace host
