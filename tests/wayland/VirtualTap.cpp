// Taps on a Wayland compositor through a virtual pointer, for the Wayland
// tests (headless compositors have no pointer of their own):
//
//   ostrevia_wayland_tap WIDTH HEIGHT X Y [double]
//
// moves the pointer to (X, Y) of the WIDTH × HEIGHT layout of outputs
// (logical pixels) and presses and releases the left button there, twice
// 100 ms apart with "double". Exit code 1 when the compositor offers no
// virtual pointer.
#include <linux/input-event-codes.h>
#include <time.h>
#include <unistd.h>
#include <wayland-client.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

namespace {

wl_seat* seat = nullptr;
zwlr_virtual_pointer_manager_v1* manager = nullptr;

const wl_registry_listener kRegistry{
    .global = [](void*, wl_registry* registry, uint32_t name, const char* interface, uint32_t) {
        const std::string_view offered = interface;
        if (offered == wl_seat_interface.name && !seat)
            seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
        else if (offered == zwlr_virtual_pointer_manager_v1_interface.name)
            manager = static_cast<zwlr_virtual_pointer_manager_v1*>(
                wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1));
    },
    .global_remove = [](void*, wl_registry*, uint32_t) {},
};

uint32_t Milliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<uint32_t>(now.tv_sec * 1000 + now.tv_nsec / 1000000);
}

void Button(wl_display* display, zwlr_virtual_pointer_v1* pointer, uint32_t state)
{
    zwlr_virtual_pointer_v1_button(pointer, Milliseconds(), BTN_LEFT, state);
    zwlr_virtual_pointer_v1_frame(pointer);
    wl_display_roundtrip(display);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 5 || (argc == 6 && std::strcmp(argv[5], "double") != 0) || argc > 6) {
        fputs("usage: ostrevia_wayland_tap WIDTH HEIGHT X Y [double]\n", stderr);
        return 2;
    }
    const auto number = [](const char* text) { return static_cast<uint32_t>(std::strtoul(text, nullptr, 10)); };
    wl_display* display = wl_display_connect(nullptr);
    if (!display) {
        fputs("ostrevia_wayland_tap: no Wayland compositor\n", stderr);
        return 1;
    }
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &kRegistry, nullptr);
    wl_display_roundtrip(display);
    if (!manager || !seat) {
        fputs("ostrevia_wayland_tap: the compositor offers no virtual pointer\n", stderr);
        return 1;
    }
    zwlr_virtual_pointer_v1* pointer = zwlr_virtual_pointer_manager_v1_create_virtual_pointer(manager, seat);
    wl_display_roundtrip(display);
    // Clients learn of the new pointer first; then it moves onto them.
    usleep(200000);
    zwlr_virtual_pointer_v1_motion_absolute(pointer, Milliseconds(), number(argv[3]), number(argv[4]), number(argv[1]),
                                            number(argv[2]));
    zwlr_virtual_pointer_v1_frame(pointer);
    wl_display_roundtrip(display);
    usleep(100000);
    const int taps = argc == 6 ? 2 : 1;
    for (int tap = 0; tap < taps; ++tap) {
        if (tap > 0)
            usleep(100000);
        Button(display, pointer, WL_POINTER_BUTTON_STATE_PRESSED);
        usleep(20000);
        Button(display, pointer, WL_POINTER_BUTTON_STATE_RELEASED);
    }
    // The clients see the taps before the pointer goes away.
    usleep(100000);
    zwlr_virtual_pointer_v1_destroy(pointer);
    zwlr_virtual_pointer_manager_v1_destroy(manager);
    wl_seat_destroy(seat);
    wl_registry_destroy(registry);
    wl_display_roundtrip(display);
    wl_display_disconnect(display);
    return 0;
}
