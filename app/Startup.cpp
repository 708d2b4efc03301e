// The program entry: registers the panel window class, opens the panels of
// the panel list, runs the message loop until a panel quits, and destroys
// whatever panel windows remain.
//
// The loop waits for messages and for changes to the panel files together
// (MsgWaitForMultipleObjects), so that saved panels are reloaded while the
// program runs. A WM_SETTINGCHANGE posted to the thread asks for everything
// to be read again.
#include "app/PanelFileWatcher.h"
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

    PanelFileWatcher watcher(instance, commandLine);
    MSG message = {};
    for (;;) {
        if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT)
                break;
            if (!message.hwnd && message.message == WM_SETTINGCHANGE)
                watcher.RequestFullReload();
            TranslateMessage(&message);
            DispatchMessageW(&message);
            continue;
        }
        watcher.Update();
        const std::vector<HANDLE>& handles = watcher.Handles();
        const DWORD count = static_cast<DWORD>(handles.size());
        const DWORD woken =
            MsgWaitForMultipleObjects(count, handles.empty() ? nullptr : handles.data(), FALSE, watcher.Timeout(),
                                      QS_ALLINPUT);
        if (woken == WAIT_TIMEOUT)
            watcher.ReloadDue();
        else if (woken - WAIT_OBJECT_0 < count)
            watcher.Signalled(woken - WAIT_OBJECT_0);
    }

    for (size_t i = 0; i < windows.size(); ++i) {
        if (IsWindow(windows[i]))
            DestroyWindow(windows[i]);
    }
    PanelWindowList::Clear();
    return static_cast<int>(message.wParam);
}
