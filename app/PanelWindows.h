// The panel window class and the making, showing and removal of panel
// windows.
#pragma once

#include "platform/win32.h"

// Registers "Ostrevia.Class": PanelWindowProc, double taps as
// WM_LBUTTONDBLCLK, one pointer-sized window slot for the Panel.
void RegisterPanelClass(HINSTANCE instance);

// Makes a hidden panel window for the panel file at `path` (a full path)
// and appends it to PanelWindowList. Null when the panel could not be set
// up; the loader has then told the user why.
HWND CreatePanelWindow(const WCHAR* path, HINSTANCE instance);

// Takes `window` out of PanelWindowList (if it is there) and destroys it.
void RemovePanelWindow(HWND window);

// Shows a panel window and brings it to the foreground.
void ShowPanelWindow(HWND window);
