// Where a panel comes to rest on the screen, and whether it fits there.
#pragma once

#include "platform/win32.h"

class GlobalSettings;

// The window's top-left corner once the panel stands still: where the
// opening animation ends (X and Y as stored), or, without one, the place
// that ScreenPosition gives.
POINT PanelRestPosition(const GlobalSettings& settings, int width, int height);

// Reports to the diagnostics channel, at the current place, a panel of
// width x height that is larger than the screen or lies wholly off it.
void ReportScreenFit(const GlobalSettings& settings, int width, int height);
