// A window for window manager tests: its procedure logs every message it
// gets and lets the test answer some of them.
#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "platform/win32.h"

namespace testwindow {

struct Logged {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD tick;  // GetTickCount when it arrived
};

// Everything the test windows received, oldest first.
std::vector<Logged>& Log();
// The logged messages of one kind of interest: the message numbers only,
// without WM_MOVE, WM_SIZE and WM_CAPTURECHANGED.
std::vector<UINT> Messages();

// Answers a message instead of DefWindowProcW when it returns a value.
using Handler = std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)>;
void SetHandler(Handler handler);

// Registers the test class with `classStyle` (once per style) and makes a
// window at `rect`; hidden unless `style` has WS_VISIBLE.
HWND Make(RECT rect, UINT classStyle = 0, DWORD style = WS_POPUP, LPVOID param = nullptr, DWORD exStyle = 0);

}  // namespace testwindow
