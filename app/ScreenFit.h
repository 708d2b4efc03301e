// Whether a panel fits the screen where it comes to rest.
#pragma once

#include "platform/win32.h"

class GlobalSettings;

// Reports to the diagnostics channel, at the current place, a panel of
// width x height that is larger than the screen or lies wholly off it.
void ReportScreenFit(const GlobalSettings& settings, int width, int height);
