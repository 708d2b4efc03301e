// The window manager's own records: classes, windows with their surfaces
// and update areas, and the z-order. Host-internal; the program sees only
// the Win32 calls.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/host/display/Display.h"
#include "platform/host/gdi/surface.h"
#include "platform/win32.h"

namespace host::user {

struct WindowClass {
    std::u16string name;
    ATOM atom = 0;
    UINT style = 0;
    WNDPROC procedure = nullptr;
    int windowExtraBytes = 0;
    HINSTANCE instance = nullptr;
    HBRUSH background = nullptr;
};

// By name (compared as Win32 does, ignoring ASCII case) or by atom.
const WindowClass* FindClass(LPCWSTR name);
void ForgetClasses();

struct Window {
    HWND handle = nullptr;
    const WindowClass* windowClass = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    RECT rect{};  // on the screen; the client area is the whole window
    bool visible = false;
    bool topmost = false;
    bool destroying = false;
    std::vector<uint8_t> extraBytes;
    // The window's pixels, as large as the window.
    std::vector<uint32_t> pixels;
    Surface surface;
    // The bounds of what must be painted (empty: nothing) and whether the
    // background must be erased first.
    RECT update{};
    bool erase = false;
    // The window's place in the queue of windows to paint (0: not queued).
    uint64_t paintTicket = 0;
    // SetLayeredWindowAttributes, as given; used while WS_EX_LAYERED is set.
    COLORREF layeredKey = 0;
    BYTE layeredAlpha = 255;
    DWORD layeredFlags = 0;
};

// Null for a handle that is not (or no longer) a window.
Window* FindWindow(HWND handle);
// Tells the display the z-order if it changed since it was last told; done
// before messages are retrieved and before the screen is read.
void TellStackIfChanged();
// Every window, topmost first.
const std::vector<StackedWindow>& ZOrder();
// The topmost visible window under a screen point, or null.
HWND WindowAt(POINT point);
void DestroyAllWindows();

// The window surface, for tests that draw without GDI; null for no window.
Surface* WindowSurface(HWND handle);

// Hooks of the other window manager areas for a window that goes away.
void ForgetWindowTimers(HWND window);    // timer.cpp
void ForgetWindowInput(HWND window);     // input.cpp
void ForgetWindowDCs(HWND window);       // painting.cpp
void ForgetWindowMessages(HWND window);  // message.cpp

// The whole window area, in window coordinates.
RECT WholeWindow(const Window& window);
// Adds `rect` (window coordinates, null: all) to the update area.
void Invalidate(Window& window, const RECT* rect, bool erase);
// Queues or unqueues the window for WM_PAINT after its visibility or update
// area changed: visible windows with something to paint wait in the order in
// which they came to need it.
void NotePaintState(Window& window);

}  // namespace host::user
