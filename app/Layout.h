// The geometry of a panel: where its objects lie inside the window, how big
// the window is, where it stands on the screen and which object is under a
// point. Object positions are relative to the window's top-left corner.
//
// Configured numbers have no range limits, so sums are taken in 64 bits and
// wrap to 32 like the integers they end up in.
#pragma once

#include "platform/win32.h"

class DesktopObject;
class GlobalSettings;

// Positions the measured objects by the panel's Arrange: stacked from Border
// down with Distance between them and Width - 2 * Border wide; side by side
// from Border rightwards; or at their own places, a negative X counted from
// column Width and a negative Y from row Height.
void ArrangeObjects(GlobalSettings& settings);

// Computes the panel height, stores it into the settings' Height and returns
// it: the stacked objects with their gaps, or the tallest object of a row,
// plus the border twice; the configured Height for own positions.
int PanelHeight(GlobalSettings& settings);

// Width + 2 * Border.
int PanelWidth(const GlobalSettings& settings);

// Whether a window of this size is one the screen could ever show: at most
// kLargestPanelScreens times the screen in each direction. Larger panels are
// refused, as their pixels would cost memory without ever being seen.
constexpr int kLargestPanelScreens = 4;
bool PanelFitsScreen(int width, int height);

// A panel coordinate on the screen without an opening animation: a negative
// position counts from the far screen edge, leaving -position pixels free.
int ScreenPosition(int position, int windowExtent, int screenExtent);

// Where a width x height panel window rests on the screen: its X and Y as
// ScreenPosition places them on the screen the system reports now.
POINT RestingPlace(const GlobalSettings& settings, int width, int height);

// The object's rectangle: left and top inside, right and bottom outside.
RECT ObjectRect(const DesktopObject& object);

// right - left and bottom - top.
int RectWidth(const RECT& rect);
int RectHeight(const RECT& rect);

// The first object in list order whose rectangle holds the point, or null.
DesktopObject* ObjectAt(const GlobalSettings& settings, int x, int y);
