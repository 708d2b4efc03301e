// What the X server says about the monitors and the desired scale.
#pragma once

#include <X11/Xlib.h>

#include <vector>

#include "platform/host/display/Monitor.h"

namespace host {

// The heads of the default screen: Xinerama's list (which RandR servers
// fill with the primary monitor first), named after the RandR monitor at
// the same place; RandR's monitor list where Xinerama is absent; the whole
// screen with neither.
std::vector<Monitor> QueryMonitors(::Display* display);

// The scale that the desktop's Xft.dpi resource asks for: dpi / 96 rounded
// to the nearest whole number; 1 when the resource is missing, not a
// number, or asks for less than 1 or more than 4.
int DesktopScale(::Display* display);
int ScaleFromDpi(const char* dpi);

}  // namespace host
