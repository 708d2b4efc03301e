#include "app/PanelWindows.h"

#include "app/PanelWindowList.h"
#include "app/PanelWindowProc.h"

namespace {

constexpr WCHAR kClassName[] = TEXT("Ostrevia.Class");

}  // namespace

void RegisterPanelClass(HINSTANCE instance)
{
    WNDCLASSW windowClass = {};
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    windowClass.lpfnWndProc = PanelWindowProc;
    windowClass.cbClsExtra = 0;
    // Slot 0 holds the Panel pointer: it must be pointer-sized on 64-bit.
    windowClass.cbWndExtra = sizeof(LONG_PTR);
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kClassName;
    // A second registration fails harmlessly: the class is already there.
    RegisterClassW(&windowClass);
}

HWND CreatePanelWindow(const WCHAR* path, HINSTANCE instance)
{
    // Hidden and 10 x 10 at first: the window procedure places and sizes it.
    HWND window = CreateWindowExW(WS_EX_NOANIMATION | WS_EX_TOOLWINDOW, kClassName, TEXT(""), WS_POPUP, 10, 10, 10,
                                  10, nullptr, nullptr, instance, const_cast<WCHAR*>(path));
    if (window)
        PanelWindowList::Append(window);
    return window;
}

void RemovePanelWindow(HWND window)
{
    PanelWindowList::Remove(window);
    DestroyWindow(window);
}

void ShowPanelWindow(HWND window)
{
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
}
