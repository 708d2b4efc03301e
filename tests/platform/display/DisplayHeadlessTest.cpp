#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "platform/host/display/headless/DisplayHeadless.h"
#include "platform/host/testing.h"
#include "platform/host/user/Window.h"
#include "tests/platform/user/TestWindow.h"
#include "tests/support/TestFiles.h"

namespace {

using testwindow::Log;
using testwindow::Make;
using testwindow::SetHandler;

const COLORREF kDesktop = RGB(0x3A, 0x6E, 0xA5);

void Fill(HWND window, uint32_t pixel)
{
    host::Surface* surface = host::user::WindowSurface(window);
    for (int y = 0; y < surface->height; ++y)
        std::fill(surface->Row(y), surface->Row(y) + surface->width, pixel);
}

std::string ReadBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

uint32_t BigEndian(const std::string& bytes, size_t at)
{
    uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i)
        value = (value << 8) | static_cast<uint8_t>(bytes[at + i]);
    return value;
}

// Installs a headless display with a script, as the program's main does.
host::DisplayHeadless& ScriptedDisplay(const std::vector<host::ScriptAction>& actions)
{
    host::testing::ResetHost();
    auto display = std::make_unique<host::DisplayHeadless>(100, 80);
    host::DisplayHeadless& headless = *display;
    headless.Schedule(actions);
    host::InstallDisplay(std::move(display));
    return headless;
}

class DisplayHeadless : public ::testing::Test {
protected:
    void SetUp() override
    {
        Log().clear();
        SetHandler(nullptr);
    }
};

TEST_F(DisplayHeadless, AnEmptyScreenShowsTheDesktopAndItsSize)
{
    host::testing::ResetHost(320, 240);
    EXPECT_EQ(320, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(240, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(kDesktop, host::testing::ScreenPixel(0, 0));
    EXPECT_EQ(kDesktop, host::testing::ScreenPixel(319, 239));
    EXPECT_EQ(CLR_INVALID, host::testing::ScreenPixel(320, 0));
}

TEST_F(DisplayHeadless, SnapshotIsAPngOfTheWholeScreen)
{
    host::testing::ResetHost(64, 48);
    HWND window = Make({-10, 40, 30, 60});
    Fill(window, 0xFF0000);
    ShowWindow(window, SW_SHOW);
    const std::string path = testfiles::TempFolder() + "screen.png";
    ASSERT_TRUE(host::testing::WriteSnapshot(path.c_str()));
    const std::string png = ReadBytes(path);
    ASSERT_GT(png.size(), 33u);
    EXPECT_EQ(std::string("\x89PNG\r\n\x1a\n", 8), png.substr(0, 8));
    EXPECT_EQ("IHDR", png.substr(12, 4));
    EXPECT_EQ(64u, BigEndian(png, 16));
    EXPECT_EQ(48u, BigEndian(png, 20));
    EXPECT_FALSE(host::testing::WriteSnapshot((testfiles::TempFolder() + "no/such/folder.png").c_str()));
}

TEST_F(DisplayHeadless, ScriptedSnapshotShowsWhatTheTapCaused)
{
    const std::string path = testfiles::TempFolder() + "after-tap.png";
    host::ScriptAction tap{100, host::ScriptAction::Kind::Tap, {50, 40}, {}};
    host::ScriptAction snapshot{100, host::ScriptAction::Kind::Snapshot, {}, path};
    host::DisplayHeadless& display = ScriptedDisplay({tap, snapshot});
    HWND window = Make({0, 0, 100, 80});
    ShowWindow(window, SW_SHOW);
    // The tap asks for a repaint; the snapshot must wait for it.
    SetHandler([](HWND window, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_LBUTTONUP)
            InvalidateRect(window, nullptr, FALSE);
        if (message == WM_PAINT && GetTickCount() == 100) {
            Fill(window, 0x00FF00);
            ValidateRect(window, nullptr);
            return 0;
        }
        return std::nullopt;
    });
    host::testing::RunFor(200);
    EXPECT_EQ(RGB(0, 0xFF, 0), display.ScreenPixel(50, 40));
    // The picture was written then, not at the end of the run.
    Fill(window, 0);
    const std::string png = ReadBytes(path);
    ASSERT_FALSE(png.empty());
    ASSERT_TRUE(host::testing::WriteSnapshot((path + ".black").c_str()));
    EXPECT_NE(png, ReadBytes(path + ".black"));
}

TEST_F(DisplayHeadless, ScriptedInputArrivesAtItsTime)
{
    ScriptedDisplay({{250, host::ScriptAction::Kind::Press, {5, 5}, {}},
                     {400, host::ScriptAction::Kind::Release, {6, 6}, {}}});
    host::testing::SetTickCount(1000);
    ShowWindow(Make({0, 0, 100, 80}), SW_SHOW);
    host::testing::RunFor(1000);
    std::vector<std::pair<UINT, DWORD>> stylus;
    for (const auto& logged : Log()) {
        if (logged.message == WM_LBUTTONDOWN || logged.message == WM_LBUTTONUP)
            stylus.push_back({logged.message, logged.tick});
    }
    EXPECT_EQ((std::vector<std::pair<UINT, DWORD>>{{WM_LBUTTONDOWN, 1250}, {WM_LBUTTONUP, 1400}}), stylus);
}

TEST_F(DisplayHeadless, TheEndOfTheRunQuitsLikePostQuitMessage)
{
    host::DisplayHeadless& display = ScriptedDisplay({});
    display.EndRunAfter(300);
    const std::string path = testfiles::TempFolder() + "end.png";
    display.SnapshotAtEnd(path);
    HWND window = Make({0, 0, 10, 10});
    SetTimer(window, 1, 100, nullptr);
    int exitCode = -1;
    EXPECT_TRUE(host::testing::RunFor(10000, &exitCode));
    EXPECT_EQ(0, exitCode);
    EXPECT_EQ(300u, GetTickCount());
    EXPECT_EQ(3u, Log().size() - 1);  // WM_CREATE and three ticks
    EXPECT_FALSE(ReadBytes(path).empty());
}

TEST_F(DisplayHeadless, TheProgramsOwnExitCodeWinsOverTheEndOfTheRun)
{
    host::DisplayHeadless& display = ScriptedDisplay({});
    display.EndRunAfter(0);
    display.Wait(std::nullopt);  // the end is due at once: it is waiting to be taken
    PostQuitMessage(4);
    int exitCode = -1;
    EXPECT_TRUE(host::testing::RunFor(10, &exitCode));
    EXPECT_EQ(4, exitCode);
}

}  // namespace

namespace {

TEST_F(DisplayHeadless, AtScaleTwoEachPixelIsABlockAndScriptedInputIsDivided)
{
    host::testing::ResetHost();
    auto display = std::make_unique<host::DisplayHeadless>(101, 81, host::DisplayHeadless::Clock::Virtual, 2);
    display->Schedule({{10, host::ScriptAction::Kind::Tap, {23, 25}, {}}});
    host::InstallDisplay(std::move(display));
    // The program sees a screen half as large (the odd pixel left over).
    EXPECT_EQ(50, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(40, GetSystemMetrics(SM_CYSCREEN));
    HWND window = Make({10, 10, 14, 13});
    Fill(window, 0x00FF00);
    host::user::WindowSurface(window)->Row(1)[2] = 0xFF0000;
    ShowWindow(window, SW_SHOW);
    struct Case {
        int x, y;
        COLORREF expected;
    } cases[] = {
        {19, 19, kDesktop},           // one past the top-left corner
        {20, 20, RGB(0, 0xFF, 0)},    // the window's first block
        {24, 22, RGB(0xFF, 0, 0)},    // the red pixel's block, each corner
        {25, 22, RGB(0xFF, 0, 0)},
        {24, 23, RGB(0xFF, 0, 0)},
        {25, 23, RGB(0xFF, 0, 0)},
        {26, 23, RGB(0, 0xFF, 0)},    // its right neighbour
        {27, 25, RGB(0, 0xFF, 0)},    // the window's last block
        {28, 25, kDesktop},
        {27, 26, kDesktop},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        EXPECT_EQ(c.expected, host::testing::ScreenPixel(c.x, c.y));
    }
    host::testing::RunFor(20);
    bool pressed = false;
    for (const auto& logged : Log()) {
        if (logged.message == WM_LBUTTONDOWN) {
            pressed = true;
            EXPECT_EQ(MAKELPARAM(1, 2), logged.lParam);  // (11, 12) on the screen
        }
    }
    EXPECT_TRUE(pressed);
}

}  // namespace
