// The window procedure of every panel window.
#pragma once

#include "platform/win32.h"

// Makes the window's Panel from the panel file named by the creation
// parameter (a window whose file cannot be loaded is not created), paints
// from the back buffer, refreshes due objects on the refresh timer, steps the
// animations, routes stylus taps to the objects, closes on WM_CLOSE or a
// double tap, hands over to another panel on WM_OPENPANEL, and reloads its
// file on WM_RELOADPANEL.
LRESULT CALLBACK PanelWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

class Panel;

// The panel that `window` shows, or null (no panel window, or not yet made).
const Panel* PanelOfWindow(HWND window);
