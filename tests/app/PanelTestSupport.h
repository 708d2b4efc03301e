// Helpers for the application shell tests: panel files, panel windows and a
// probe object that records what the panel does with it.
#pragma once

#include <string>

#include "objects/DesktopObject.h"
#include "platform/win32.h"

class Panel;

namespace paneltest {

// Writes a UTF-16 panel file (given as UTF-8) into the test's folder and
// returns its full path.
std::string WritePanel(const std::string& name, const std::string& content);

// Registers the panel class and makes a panel window for `path`, shown.
// Null when the panel cannot be loaded.
HWND OpenPanel(const std::string& path);

// The Panel in the window's slot 0.
Panel* PanelOf(HWND window);

// Adds `object` to the live panel (which owns it from then on).
void AddObject(HWND window, DesktopObject* object);

// An object that counts the panel's calls and paints itself in `colour`.
class ProbeObject : public DesktopObject {
public:
    ProbeObject(int x, int y, int width, int height, COLORREF colour = RGB(0, 0, 255));

    void Draw(DibSurface& surface, int x, int y) override;
    bool OnPress(int x, int y) override;
    bool OnRelease(int x, int y) override;

    int draws = 0;
    int presses = 0;
    int releases = 0;
    POINT lastPress = {};
    POINT lastRelease = {};
    bool redrawOnTap = false;  // what OnPress and OnRelease answer
    COLORREF colour;
    COLORREF pressedColour = RGB(255, 255, 0);
    bool pressed = false;
};

}  // namespace paneltest
