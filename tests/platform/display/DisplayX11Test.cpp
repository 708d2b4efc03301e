// The X11 display on a real X server. These run only where the X11 test
// script (tests/x11/run-x11-tests) has started a private Xvfb and set
// OSTREVIA_TEST_X11; elsewhere they are skipped, so they never put windows
// on a developer's own screen. What the screen shows and the input sent are
// seen through a connection of the test's own (XServerProbe).
#include <X11/keysym.h>
#include <gtest/gtest.h>
#include <time.h>

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <functional>
#include <map>
#include <vector>

#include "platform/host/display/x11/DisplayX11.h"
#include "platform/host/testing.h"
#include "platform/win32.h"
#include "tests/platform/display/XServerProbe.h"

namespace {

using testing_x11::XServerProbe;

uint32_t Rgb(COLORREF color)
{
    return (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
}

constexpr COLORREF kRed = RGB(0xC0, 0x30, 0x20);
constexpr COLORREF kGreen = RGB(0x20, 0xA0, 0x40);
constexpr COLORREF kBlue = RGB(0x20, 0x40, 0xC0);

struct Logged {
    HWND window;
    UINT message;
    LPARAM lParam;
};
std::vector<Logged> logged;
std::map<HWND, COLORREF> colors;
std::function<void(int)> onTick;
int ticks = 0;

LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND: {
        logged.push_back({window, message, lParam});
        RECT whole;
        GetClientRect(window, &whole);
        const HBRUSH brush = CreateSolidBrush(colors[window]);
        FillRect(reinterpret_cast<HDC>(wParam), &whole, brush);
        DeleteObject(brush);
        return 1;
    }
    case WM_PAINT:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
        logged.push_back({window, message, lParam});
        return DefWindowProcW(window, message, wParam, lParam);
    case WM_TIMER:
        if (onTick)
            onTick(++ticks);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

class DisplayX11Test : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!getenv("OSTREVIA_TEST_X11"))
            GTEST_SKIP() << "needs the private X server of tests/x11/run-x11-tests";
        host::testing::ResetHost();
        std::string error;
        auto display = host::DisplayX11::Open(error);
        ASSERT_TRUE(display) << error;
        display_ = display.get();
        host::InstallDisplay(std::move(display));
        ASSERT_TRUE(probe_.Connected());
        RegisterTestClass();
        logged.clear();
        colors.clear();
        onTick = nullptr;
        ticks = 0;
    }

    static void RegisterTestClass()
    {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = TestWindowProc;
        windowClass.lpszClassName = u"X11Test";
        RegisterClassW(&windowClass);
    }

    void TearDown() override
    {
        if (display_)
            host::testing::ResetHost();
    }

    HWND Show(COLORREF color, int x, int y, int width, int height, DWORD exStyle = 0)
    {
        const HWND window = CreateWindowExW(exStyle, u"X11Test", u"", WS_POPUP, x, y, width, height, nullptr,
                                            nullptr, nullptr, nullptr);
        colors[window] = color;
        ShowWindow(window, SW_SHOW);
        SetForegroundWindow(window);
        return window;
    }

    // The screen shows `color` in `rect`: its corners inside, and one past
    // each edge outside.
    void ExpectFilled(const RECT& rect, COLORREF color)
    {
        EXPECT_EQ(probe_.Pixel(rect.left, rect.top), Rgb(color));
        EXPECT_EQ(probe_.Pixel(rect.right - 1, rect.bottom - 1), Rgb(color));
        EXPECT_NE(probe_.Pixel(rect.right, rect.bottom - 1), Rgb(color));
        EXPECT_NE(probe_.Pixel(rect.right - 1, rect.bottom), Rgb(color));
        EXPECT_NE(probe_.Pixel(rect.left - 1, rect.top), Rgb(color));
    }

    // Lets the program and the server catch up.
    void Settle() { host::testing::RunFor(150); }

    int Count(HWND window, UINT message)
    {
        int count = 0;
        for (const Logged& entry : logged)
            count += entry.window == window && entry.message == message;
        return count;
    }

    void SaveScreen(const char* name)
    {
        if (const char* folder = getenv("OSTREVIA_X11_SCREENSHOTS"))
            display_->WriteSnapshot((std::string(folder) + "/" + name).c_str());
    }

    host::DisplayX11* display_ = nullptr;
    XServerProbe probe_;
};

TEST_F(DisplayX11Test, ShownWindowAppearsAtItsPlaceInItsColour)
{
    Show(kRed, 20, 30, 50, 40);
    Settle();
    ExpectFilled({20, 30, 70, 70}, kRed);
}

TEST_F(DisplayX11Test, MovedWindowLeavesItsOldPlace)
{
    const HWND window = Show(kRed, 20, 30, 50, 40);
    Settle();
    SetWindowPos(window, nullptr, 200, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Settle();
    EXPECT_EQ(probe_.Pixel(205, 55), Rgb(kRed));
    EXPECT_NE(probe_.Pixel(25, 35), Rgb(kRed));
}

TEST_F(DisplayX11Test, TopmostWindowStaysAboveALaterNormalWindow)
{
    Show(kRed, 0, 0, 60, 60, WS_EX_TOPMOST);
    Show(kGreen, 30, 30, 60, 60);
    Settle();
    EXPECT_EQ(probe_.Pixel(40, 40), Rgb(kRed));
    EXPECT_EQ(probe_.Pixel(80, 80), Rgb(kGreen));
}

TEST_F(DisplayX11Test, TopmostWindowComesBackOverAWindowMappedAboveIt)
{
    Show(kRed, 20, 30, 50, 40, WS_EX_TOPMOST);
    Show(kBlue, 120, 30, 50, 40);
    Settle();
    probe_.MapPlainWindow(10, 20, 200, 60, Rgb(kGreen));
    host::testing::RunFor(100);
    EXPECT_EQ(probe_.Pixel(40, 50), Rgb(kRed));
    // A window that is not topmost stays where the other program put it.
    EXPECT_EQ(probe_.Pixel(140, 50), Rgb(kGreen));
}

TEST_F(DisplayX11Test, AtScaleTwoEachPixelIsABlockAndInputIsDivided)
{
    host::testing::ResetHost();
    std::string error;
    auto display = host::DisplayX11::Open(error, "", 2);
    ASSERT_TRUE(display) << error;
    display_ = display.get();
    host::InstallDisplay(std::move(display));
    RegisterTestClass();
    EXPECT_EQ(320, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(240, GetSystemMetrics(SM_CYSCREEN));
    const HWND window = Show(kRed, 10, 20, 30, 25);
    Settle();
    HDC dc = GetDC(window);
    SetPixel(dc, 3, 4, RGB(0, 0, 0xFF));
    ReleaseDC(window, dc);
    Settle();
    ExpectFilled({20, 40, 80, 90}, kRed);
    for (const POINT block : {POINT{26, 48}, POINT{27, 48}, POINT{26, 49}, POINT{27, 49}})
        EXPECT_EQ(probe_.Pixel(block.x, block.y), 0x0000FFu) << block.x << "," << block.y;
    EXPECT_EQ(probe_.Pixel(28, 48), Rgb(kRed));
    logged.clear();
    probe_.Click(27, 49);
    Settle();
    ASSERT_EQ(Count(window, WM_LBUTTONDOWN), 1);
    for (const Logged& entry : logged) {
        if (entry.message == WM_LBUTTONDOWN) {
            EXPECT_EQ(entry.lParam, MAKELPARAM(3, 4));
        }
    }
}

TEST_F(DisplayX11Test, UncoveredPartIsPaintedAgainWithErase)
{
    const HWND below = Show(kBlue, 100, 100, 60, 60);
    const HWND above = Show(kGreen, 130, 130, 60, 60, WS_EX_TOPMOST);
    Settle();
    ASSERT_EQ(probe_.Pixel(140, 140), Rgb(kGreen));
    logged.clear();
    ShowWindow(above, SW_HIDE);
    Settle();
    EXPECT_GE(Count(below, WM_ERASEBKGND), 1);
    EXPECT_EQ(probe_.Pixel(140, 140), Rgb(kBlue));
}

TEST_F(DisplayX11Test, ButtonOneBecomesStylusDownAndUpInWindowCoordinates)
{
    const HWND window = Show(kRed, 20, 30, 50, 40);
    Settle();
    logged.clear();
    probe_.Click(25, 37);
    Settle();
    ASSERT_EQ(Count(window, WM_LBUTTONDOWN), 1);
    ASSERT_EQ(Count(window, WM_LBUTTONUP), 1);
    for (const Logged& entry : logged) {
        if (entry.message == WM_LBUTTONDOWN) {
            EXPECT_EQ(entry.lParam, MAKELPARAM(5, 7));
        }
    }
}

TEST_F(DisplayX11Test, WaitingForATimerUsesNoProcessorTime)
{
    Show(kRed, 20, 30, 50, 40);
    Settle();
    auto cpu = [] {
        timespec now{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
        return now.tv_sec * 1000.0 + now.tv_nsec / 1e6;
    };
    const double cpuBefore = cpu();
    const uint64_t start = display_->Now();
    display_->Wait(start + 300);
    EXPECT_GE(display_->Now(), start + 300);
    EXPECT_LT(cpu() - cpuBefore, 30.0);
}

TEST_F(DisplayX11Test, MessageBoxKeepsServingTimersAndClosesOnEnter)
{
    const HWND window = Show(kRed, 20, 30, 50, 40);
    SetTimer(window, 1, 20, nullptr);
    onTick = [&](int tick) {
        if (tick != 10)
            return;
        const ::Window dialog = probe_.WindowNamed("Ein Titel");
        ASSERT_NE(dialog, 0u);
        SaveScreen("dialog.png");
        probe_.Key(dialog, XK_Return);
    };
    EXPECT_EQ(MessageBoxW(window, u"Erste Zeile\nzweite Zeile", u"Ein Titel", 0x10040), IDOK);
    EXPECT_GE(ticks, 10);
    Settle();
    EXPECT_EQ(probe_.WindowNamed("Ein Titel"), 0u);
}

TEST_F(DisplayX11Test, MessageBoxClosesOnAClickOnOk)
{
    const HWND window = Show(kRed, 20, 30, 50, 40);
    SetTimer(window, 1, 20, nullptr);
    onTick = [&](int tick) {
        if (tick != 5)
            return;
        int x, y, width, height;
        probe_.Geometry(probe_.WindowNamed("Fehler"), x, y, width, height);
        // OK stands centred at the bottom, 12 pixels above the edge.
        probe_.Click(x + width / 2, y + height - 12 - 10);
    };
    EXPECT_EQ(MessageBoxW(nullptr, u"Nur OK schliesst das.", u"Fehler", 0x10010), IDOK);
    EXPECT_GE(ticks, 5);
}

TEST_F(DisplayX11Test, OwnerOfAnOpenMessageBoxTakesNoPresses)
{
    const HWND owner = Show(kRed, 20, 30, 50, 40);
    SetTimer(owner, 1, 20, nullptr);
    onTick = [&](int tick) {
        if (tick == 3)
            probe_.Click(25, 35);
        if (tick == 6)
            probe_.Key(probe_.WindowNamed("Info"), XK_Escape);
    };
    MessageBoxW(owner, u"Text", u"Info", 0x40);
    EXPECT_EQ(Count(owner, WM_LBUTTONDOWN), 0);
}

TEST_F(DisplayX11Test, LaunchedProgramsSeeTheDisplayButNotItsConnection)
{
    const std::string report = ::testing::TempDir() + "launched-" + std::to_string(getpid()) + ".txt";
    // Written aside and moved into place, so the file is complete once it exists.
    const std::string part = report + ".part";
    const std::string command =
        "-c \"echo $DISPLAY > " + part + "; ls -l /proc/self/fd >> " + part + "; mv " + part + " " + report + "\"";
    const std::u16string parameters(command.begin(), command.end());  // ASCII
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.lpVerb = u"Open";
    info.lpFile = u"/bin/sh";
    info.lpParameters = parameters.c_str();
    info.nShow = SW_SHOW;
    ASSERT_TRUE(ShellExecuteExW(&info));
    std::ifstream file;
    for (int tries = 0; tries < 100 && !file.is_open(); ++tries) {
        host::testing::RunFor(20);
        file.open(report);
    }
    ASSERT_TRUE(file.is_open());
    std::string display;
    std::getline(file, display);
    EXPECT_EQ(display, getenv("DISPLAY"));
    std::stringstream descriptors;
    descriptors << file.rdbuf();
    EXPECT_EQ(descriptors.str().find("socket:"), std::string::npos) << descriptors.str();
    remove(report.c_str());
}

}  // namespace
