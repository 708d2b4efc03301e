// Painting a panel. The back buffer always holds the panel's complete
// picture; the screen is served from it: whole areas in WM_PAINT, single
// objects after a tap or a timed refresh. Nothing is drawn straight onto
// the screen.
#pragma once

#include "platform/win32.h"

class DesktopObject;
class GlobalSettings;
class Panel;

// Makes the panel's background: a solid brush of BackgroundColor, or, with
// a BackgroundBitmap, a picture of the window's size filled with that colour
// and covered by the bitmap from its offset. A bitmap that cannot be loaded
// is reported and the brush is used.
void BuildBackground(HWND window, Panel& panel);

// Paints the whole back buffer: background, then every object in list order.
void ComposeBackBuffer(Panel& panel);

// Copies `rect` of the background picture to the same place of `dc`, or
// fills it with the background brush (white when there is none).
void PaintBackground(HDC dc, const RECT& rect, const Panel& panel);

// Repaints the object's rectangle through the settings' current redraw
// target: background, the object's Draw, then the copy to the screen; the
// memo learns of it.
void RedrawObject(GlobalSettings& settings, DesktopObject& object);

// Redraws every object whose IsDue answers true, in list order, except
// those whose look the settings' memo finds unchanged.
void RefreshDueObjects(GlobalSettings& settings);

// The refresh timer's period: the smallest non-zero object Interval,
// shortened to Refresh when that is set and smaller; 0 when no object
// refreshes (then there is no timer, whatever Refresh says).
DWORD RefreshPeriod(const GlobalSettings& settings);

// The smallest non-zero FirstValueDelay of the objects; 0 when every object
// shows its value at its first draw.
DWORD FirstRefreshDelay(const GlobalSettings& settings);
