// Window classes: RegisterClassW, LoadCursorW.
#include <memory>
#include <vector>

#include "platform/host/user/Window.h"

namespace host::user {
namespace {

// Class atoms live in the range that Win32 gives registered classes.
constexpr ATOM kFirstAtom = 0xC000;
// More than any window needs; keeps a broken class from asking for gigabytes.
constexpr int kMostExtraBytes = 1024;

std::vector<std::unique_ptr<WindowClass>>& Classes()
{
    static std::vector<std::unique_ptr<WindowClass>> classes;
    return classes;
}

char16_t Folded(char16_t ch)
{
    return ch >= u'a' && ch <= u'z' ? static_cast<char16_t>(ch - u'a' + u'A') : ch;
}

bool SameName(const std::u16string& known, LPCWSTR name)
{
    size_t i = 0;
    for (; name[i]; ++i) {
        if (i == known.size() || Folded(known[i]) != Folded(name[i]))
            return false;
    }
    return i == known.size();
}

bool IsAtom(LPCWSTR name)
{
    return reinterpret_cast<uintptr_t>(name) <= 0xFFFF;
}

}  // namespace

const WindowClass* FindClass(LPCWSTR name)
{
    if (!name)
        return nullptr;
    for (const auto& windowClass : Classes()) {
        if (IsAtom(name) ? windowClass->atom == reinterpret_cast<uintptr_t>(name) : SameName(windowClass->name, name))
            return windowClass.get();
    }
    return nullptr;
}

void ForgetClasses()
{
    Classes().clear();
}

}  // namespace host::user

using namespace host::user;

ATOM RegisterClassW(const WNDCLASSW* windowClass)
{
    if (!windowClass || !windowClass->lpfnWndProc || !windowClass->lpszClassName ||
        IsAtom(windowClass->lpszClassName) || windowClass->cbWndExtra < 0 || windowClass->cbWndExtra > kMostExtraBytes ||
        FindClass(windowClass->lpszClassName))
        return 0;
    auto made = std::make_unique<WindowClass>();
    made->name = windowClass->lpszClassName;
    made->atom = static_cast<ATOM>(kFirstAtom + Classes().size());
    made->style = windowClass->style;
    made->procedure = windowClass->lpfnWndProc;
    made->windowExtraBytes = windowClass->cbWndExtra;
    made->instance = windowClass->hInstance;
    made->background = windowClass->hbrBackground;
    const ATOM atom = made->atom;
    Classes().push_back(std::move(made));
    return atom;
}

HCURSOR LoadCursorW(HINSTANCE instance, LPCWSTR cursorName)
{
    // Only the system's arrow exists; the stylus shows no cursor anyway.
    if (instance || cursorName != IDC_ARROW)
        return nullptr;
    static int arrow;
    return reinterpret_cast<HCURSOR>(&arrow);
}
