// The program entry: registers the panel window class, opens the panels of
// the panel list, runs the message loop until a panel quits, and destroys
// whatever panel windows remain.
//
// The loop waits for messages, for changes to the panel files and for the
// programs that COMMAND objects run, all together (MsgWaitForMultipleObjects):
// saved panels are reloaded while the program runs, and a program's output
// is taken as it comes, without a thread and without blocking a panel. A
// WM_SETTINGCHANGE posted to the thread asks for everything to be read again.
#include <algorithm>

#include "app/PanelFileWatcher.h"
#include "app/PanelList.h"
#include "app/PanelWindowList.h"
#include "app/PanelWindows.h"
#include "objects/CommandRuns.h"

namespace {

// What MsgWaitForMultipleObjects takes: MAXIMUM_WAIT_OBJECTS less the slot
// of the message queue.
constexpr size_t kMostWaitHandles = 63;

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR commandLine, int)
{
    RegisterPanelClass(instance);
    const ULONGLONG listFingerprint = ReadPanelList(instance, commandLine);
    // By index: a message box's nested loop may open panels meanwhile.
    const std::vector<HWND>& windows = PanelWindowList::Windows();
    for (size_t i = 0; i < windows.size(); ++i) {
        ShowPanelWindow(windows[i]);
        UpdateWindow(windows[i]);
    }
    if (PanelWindowList::IsEmpty())
        return 1;

    PanelFileWatcher watcher(instance, commandLine, listFingerprint);
    std::vector<HANDLE> handles;
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
        handles = watcher.Handles();
        const DWORD watched = static_cast<DWORD>(handles.size());
        CommandRuns::AppendHandles(handles);
        // A wait takes so many handles; runs left out end at their Timeout.
        if (handles.size() > kMostWaitHandles)
            handles.resize(kMostWaitHandles);
        const DWORD count = static_cast<DWORD>(handles.size());
        const DWORD woken =
            MsgWaitForMultipleObjects(count, handles.empty() ? nullptr : handles.data(), FALSE,
                                      std::min(watcher.Timeout(), CommandRuns::Timeout()), QS_ALLINPUT);
        const DWORD index = woken - WAIT_OBJECT_0;
        if (index < watched)
            watcher.Signalled(index);
        CommandRuns::Update(index >= watched && index < count ? handles[index] : nullptr);
        if (watcher.Timeout() == 0)
            watcher.ReloadDue();
    }

    for (size_t i = 0; i < windows.size(); ++i) {
        if (IsWindow(windows[i]))
            DestroyWindow(windows[i]);
    }
    PanelWindowList::Clear();
    return static_cast<int>(message.wParam);
}
