#include "tests/fuzz/FuzzRun.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "app/PanelWindowList.h"
#include "app/PanelWindows.h"
#include "platform/host/testing.h"

namespace fuzz {
namespace {

const std::string& Folder()
{
    static const std::string folder = [] {
        const std::string& made = testfiles::TempFolder();
        std::filesystem::copy(OSTREVIA_EXAMPLES, made, std::filesystem::copy_options::recursive);
        return made;
    }();
    return folder;
}

// The runs are on the virtual clock: these cost no waiting.
constexpr DWORD kSettleTime = 1500;
constexpr DWORD kAfterTap = 100;
constexpr DWORD kClosingTime = 3000;

}  // namespace

testfiles::WString WriteInput(const char* name, const uint8_t* data, size_t size)
{
    Folder();
    return testfiles::Utf16(testfiles::WriteBytes(name, std::string(reinterpret_cast<const char*>(data), size)));
}

FuzzRun::FuzzRun()
{
    host::testing::ResetHost();
    PanelWindowList::Clear();
    host::testing::RecordLaunches(true);
    host::testing::SetModuleFileName(Folder() + "ostrevia");
    RegisterPanelClass(GetModuleHandleW(nullptr));
    gdiObjectsBefore_ = host::testing::LiveGdiObjects();
}

FuzzRun::~FuzzRun()
{
    host::testing::ResetHost();
    PanelWindowList::Clear();
    const int leaked = host::testing::LiveGdiObjects() - gdiObjectsBefore_;
    if (leaked != 0) {
        fprintf(stderr, "fuzz: the run left %d GDI objects alive\n", leaked);
        abort();
    }
}

void FuzzRun::ShowAndTapPanels()
{
    for (HWND window : PanelWindowList::Windows()) {
        ShowPanelWindow(window);
        UpdateWindow(window);
    }
    if (PanelWindowList::IsEmpty() || host::testing::RunFor(kSettleTime))
        return;
    const HWND first = PanelWindowList::Windows().front();
    if (!IsWindow(first))
        return;
    // The middle of the window, where the screen holds it.
    const RECT rect = host::testing::WindowRect(first);
    const int x = std::clamp<int>((rect.left / 2) + (rect.right / 2), 0, 239);
    const int y = std::clamp<int>((rect.top / 2) + (rect.bottom / 2), 0, 319);
    host::testing::Tap(x, y);
    if (host::testing::RunFor(kAfterTap))
        return;
    host::testing::DoubleTap(x, y);
    host::testing::RunFor(kClosingTime);
}

}  // namespace fuzz
