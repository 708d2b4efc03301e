#include "tests/app/PanelTestSupport.h"

#include "app/GlobalSettings.h"
#include "app/Panel.h"
#include "app/PanelWindows.h"
#include "gauges/DibSurface.h"
#include "tests/support/TestFiles.h"

namespace paneltest {

std::string WritePanel(const std::string& name, const std::string& content)
{
    return testfiles::WriteUtf16(name, testfiles::Utf16(content));
}

HWND OpenPanel(const std::string& path)
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    RegisterPanelClass(instance);
    HWND window = CreatePanelWindow(testfiles::Utf16(path).c_str(), instance);
    if (window)
        ShowPanelWindow(window);
    return window;
}

Panel* PanelOf(HWND window)
{
    return reinterpret_cast<Panel*>(GetWindowLongPtrW(window, 0));
}

void AddObject(HWND window, DesktopObject* object)
{
    PanelOf(window)->Settings().AddObject(std::unique_ptr<DesktopObject>(object));
}

ProbeObject::ProbeObject(int x, int y, int width, int height, COLORREF colour) : colour(colour)
{
    SetX(x);
    SetY(y);
    SetWidth(width);
    SetHeight(height);
}

void ProbeObject::Draw(DibSurface& surface, int x, int y)
{
    ++draws;
    const RECT rect = {x, y, x + Width(), y + Height()};
    HBRUSH brush = CreateSolidBrush(pressed ? pressedColour : colour);
    FillRect(surface.Dc(), &rect, brush);
    DeleteObject(brush);
}

bool ProbeObject::OnPress(int x, int y)
{
    ++presses;
    lastPress = {x, y};
    pressed = true;
    return redrawOnTap;
}

bool ProbeObject::OnRelease(int x, int y)
{
    ++releases;
    lastRelease = {x, y};
    pressed = false;
    return redrawOnTap;
}

}  // namespace paneltest
