// The test hooks of testing.h that belong to the window manager and the
// headless display, and ResetHost. Message boxes and the module path keep
// their hooks in kernel/; GDI objects and simulated readings in their own
// areas.
#include "platform/host/testing.h"

#include <cassert>

#include "platform/host/Reset.h"
#include "platform/host/display/headless/DisplayHeadless.h"
#include "platform/host/kernel/fakes.h"
#include "platform/host/user/MessageQueue.h"
#include "platform/host/user/Window.h"

namespace host::testing {
namespace {

DisplayHeadless& Headless()
{
    auto* headless = dynamic_cast<DisplayHeadless*>(&TheDisplay());
    assert(headless && "the test hooks need the headless display");
    return *headless;
}

}  // namespace

void ResetHost(int screenWidth, int screenHeight)
{
    // Windows go first, while the display that knows them is still there.
    user::DestroyAllWindows();
    user::ResetPainting();
    user::ResetTimers();
    user::ResetInput();
    user::ResetMessages();
    user::ForgetClasses();
    ResetKernelFakes();
    RunResetHooks();
    KeepRecords(true);
    InstallDisplay(std::make_unique<DisplayHeadless>(screenWidth, screenHeight));
}

void SetTickCount(DWORD now)
{
    Headless().SetTickCount(now);
}

void AdvanceClock(DWORD milliseconds)
{
    Headless().AdvanceClock(milliseconds);
}

bool RunFor(DWORD milliseconds, int* exitCode)
{
    return user::RunUntil(TheDisplay().Now() + milliseconds, exitCode);
}

bool RunPending(int* exitCode)
{
    return user::RunUntil(TheDisplay().Now(), exitCode);
}

void Press(int x, int y)
{
    Headless().QueueStylus(DisplayEvent::Kind::StylusDown, {x, y});
}

void Release(int x, int y)
{
    Headless().QueueStylus(DisplayEvent::Kind::StylusUp, {x, y});
}

void Tap(int x, int y)
{
    Press(x, y);
    Release(x, y);
}

void DoubleTap(int x, int y)
{
    Tap(x, y);
    Tap(x, y);
}

std::vector<HWND> WindowsInZOrder()
{
    std::vector<HWND> windows;
    for (const StackedWindow& entry : user::ZOrder())
        windows.push_back(entry.window);
    return windows;
}

RECT WindowRect(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

bool IsTopmost(HWND window)
{
    const user::Window* found = user::FindWindow(window);
    return found && found->topmost;
}

COLORREF ScreenPixel(int x, int y)
{
    user::TellStackIfChanged();
    return Headless().ScreenPixel(x, y);
}

bool WriteSnapshot(const char* pngPath)
{
    user::TellStackIfChanged();
    return Headless().WriteSnapshot(pngPath);
}

}  // namespace host::testing
