#include "platform/host/display/ModalLoop.h"

#include "platform/win32.h"

namespace host {

void RunModalLoop(const std::function<bool()>& closed)
{
    MSG msg;
    // A request to read everything again is a message to the thread, which
    // no window takes: it waits for the program's own loop.
    bool rereadAsked = false;
    while (!closed()) {
        if (!GetMessageW(&msg, nullptr, 0, 0)) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (!msg.hwnd && msg.message == WM_SETTINGCHANGE) {
            rereadAsked = true;
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (rereadAsked)
        PostMessageW(nullptr, WM_SETTINGCHANGE, 0, 0);
}

}  // namespace host
