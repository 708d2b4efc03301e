#include "tests/platform/user/TestWindow.h"

#include <string>

namespace testwindow {
namespace {

Handler& TheHandler()
{
    static Handler handler;
    return handler;
}

LRESULT CALLBACK LoggingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    Log().push_back({window, message, wParam, lParam, GetTickCount()});
    if (TheHandler()) {
        if (const std::optional<LRESULT> answer = TheHandler()(window, message, wParam, lParam))
            return *answer;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

std::vector<Logged>& Log()
{
    static std::vector<Logged> log;
    return log;
}

std::vector<UINT> Messages()
{
    std::vector<UINT> messages;
    for (const Logged& logged : Log()) {
        if (logged.message != WM_MOVE && logged.message != WM_SIZE && logged.message != WM_CAPTURECHANGED)
            messages.push_back(logged.message);
    }
    return messages;
}

void SetHandler(Handler handler)
{
    TheHandler() = std::move(handler);
}

HWND Make(RECT rect, UINT classStyle, DWORD style, LPVOID param, DWORD exStyle)
{
    const std::u16string name = u"TestWindow" + std::u16string(1, static_cast<char16_t>(u'A' + classStyle));
    WNDCLASSW windowClass{};
    windowClass.style = classStyle;
    windowClass.lpfnWndProc = LoggingProcedure;
    windowClass.cbWndExtra = 4;
    windowClass.lpszClassName = name.c_str();
    RegisterClassW(&windowClass);  // fails harmlessly when it exists
    return CreateWindowExW(exStyle, name.c_str(), TEXT(""), style, rect.left, rect.top, rect.right - rect.left,
                           rect.bottom - rect.top, nullptr, nullptr, GetModuleHandleW(nullptr), param);
}

}  // namespace testwindow
