#include "tests/buttons/ButtonTest.h"

#include <cstring>
#include <filesystem>

#include "tests/support/TestFiles.h"

void ButtonTest::SetUp()
{
    host::testing::ResetHost();
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = TEXT("ButtonTestPanel");
    RegisterClassW(&windowClass);
    panel_ = CreateWindowExW(0, TEXT("ButtonTestPanel"), TEXT(""), WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(panel_, nullptr);
}

void ButtonTest::TearDown()
{
    DestroyWindow(panel_);
}

bool ButtonTest::Feed(SectionHandler& handler, const std::string& line, bool showErrors)
{
    const std::u16string text = testfiles::Utf16(line);
    return handler.ParseKey(text.c_str(), static_cast<UINT>(text.size()), showErrors);
}

std::string ButtonTest::MakeProgram(const std::string& name)
{
    const std::string path = testfiles::WriteBytes(name, "#!/bin/sh\n");
    std::filesystem::permissions(path, std::filesystem::perms::owner_exec, std::filesystem::perm_options::add);
    return path;
}

std::vector<MSG> ButtonTest::TakePostedMessages()
{
    std::vector<MSG> messages;
    MSG message;
    while (PeekMessageW(&message, panel_, 0, 0, PM_REMOVE))
        messages.push_back(message);
    return messages;
}

void ButtonTest::MakeMarkedSurface(DibSurface& surface, int width, int height)
{
    ASSERT_TRUE(surface.Create(width, height));
    memset(surface.Pixels(), 0xCC, static_cast<size_t>(width) * height * 4);
    SetBkMode(surface.Dc(), TRANSPARENT);
}

COLORREF ButtonTest::PixelAt(const DibSurface& surface, int x, int y)
{
    const BYTE* pixel = surface.CursorAt(x, y).rowStart;
    return RGB(pixel[2], pixel[1], pixel[0]);
}

bool ButtonTest::AnyPixelDrawn(const DibSurface& surface, int left, int top, int right, int bottom)
{
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            if (PixelAt(surface, x, y) != kMarker)
                return true;
        }
    }
    return false;
}
