// The program entry: registers the panel window class, opens the panels of
// the panel list, runs the message loop until a panel quits, and destroys
// whatever panel windows remain.
#include "app/PanelList.h"
#include "app/PanelWindowList.h"
#include "app/PanelWindows.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR commandLine, int)
{
    RegisterPanelClass(instance);
    ReadPanelList(instance, commandLine);
    // By index: a message box's nested loop may open panels meanwhile.
    const std::vector<HWND>& windows = PanelWindowList::Windows();
    for (size_t i = 0; i < windows.size(); ++i) {
        ShowPanelWindow(windows[i]);
        UpdateWindow(windows[i]);
    }
    if (PanelWindowList::IsEmpty())
        return 1;

    MSG message = {};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }

    for (size_t i = 0; i < windows.size(); ++i) {
        if (IsWindow(windows[i]))
            DestroyWindow(windows[i]);
    }
    PanelWindowList::Clear();
    return static_cast<int>(message.wParam);
}
