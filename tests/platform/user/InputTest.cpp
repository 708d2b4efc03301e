#include <gtest/gtest.h>

#include "platform/host/testing.h"
#include "tests/platform/user/TestWindow.h"

namespace {

using testwindow::Log;
using testwindow::Make;
using testwindow::Messages;
using testwindow::SetHandler;

class Input : public ::testing::Test {
protected:
    void SetUp() override
    {
        host::testing::ResetHost();
        Log().clear();
        SetHandler(nullptr);
    }

    // The stylus messages only.
    static std::vector<testwindow::Logged> Stylus()
    {
        std::vector<testwindow::Logged> stylus;
        for (const auto& logged : Log()) {
            if (logged.message >= WM_LBUTTONDOWN && logged.message <= WM_LBUTTONDBLCLK)
                stylus.push_back(logged);
        }
        return stylus;
    }
};

TEST_F(Input, SecondPressBecomesADoubleClickOnlyWhenSoonAndClose)
{
    struct Case {
        UINT classStyle;
        DWORD delay;
        int dx, dy;
        UINT second;
    };
    const Case cases[] = {
        {CS_DBLCLKS, 0, 0, 0, WM_LBUTTONDBLCLK},
        {CS_DBLCLKS, 500, 0, 0, WM_LBUTTONDBLCLK},  // the last moment that counts
        {CS_DBLCLKS, 501, 0, 0, WM_LBUTTONDOWN},
        {CS_DBLCLKS, 100, 4, -4, WM_LBUTTONDBLCLK},
        {CS_DBLCLKS, 100, 5, 0, WM_LBUTTONDOWN},
        {CS_DBLCLKS, 100, 0, 5, WM_LBUTTONDOWN},
        {0, 0, 0, 0, WM_LBUTTONDOWN},  // the class does not want double clicks
    };
    for (const Case& c : cases) {
        host::testing::ResetHost();
        Log().clear();
        ShowWindow(Make({10, 10, 110, 110}, c.classStyle), SW_SHOW);
        host::testing::Tap(50, 50);
        host::testing::RunPending();
        host::testing::AdvanceClock(c.delay);
        host::testing::Tap(50 + c.dx, 50 + c.dy);
        host::testing::RunPending();
        const auto stylus = Stylus();
        ASSERT_EQ(4u, stylus.size());
        EXPECT_EQ(c.second, stylus[2].message) << "delay " << c.delay << " dx " << c.dx << " dy " << c.dy;
        EXPECT_EQ(static_cast<UINT>(WM_LBUTTONUP), stylus[3].message);
    }
}

TEST_F(Input, AThirdPressStartsAfresh)
{
    ShowWindow(Make({0, 0, 50, 50}, CS_DBLCLKS), SW_SHOW);
    host::testing::DoubleTap(5, 5);
    host::testing::Tap(5, 5);
    host::testing::RunPending();
    std::vector<UINT> presses;
    for (const auto& logged : Stylus()) {
        if (logged.message != WM_LBUTTONUP)
            presses.push_back(logged.message);
    }
    EXPECT_EQ((std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_LBUTTONDOWN}), presses);
}

TEST_F(Input, PressesGoToTheTopmostVisibleWindowUnderTheStylus)
{
    HWND bottom = Make({0, 0, 100, 100});
    HWND top = Make({50, 50, 150, 150});
    HWND hidden = Make({0, 0, 200, 200});
    ShowWindow(bottom, SW_SHOW);
    ShowWindow(top, SW_SHOW);
    SetWindowPos(hidden, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
    host::testing::Press(60, 70);
    host::testing::Press(49, 70);
    host::testing::Press(220, 220);  // the desktop: nobody
    host::testing::RunPending();
    const auto stylus = Stylus();
    ASSERT_EQ(2u, stylus.size());
    EXPECT_EQ(top, stylus[0].window);
    EXPECT_EQ(MAKELPARAM(10, 20), stylus[0].lParam);
    EXPECT_EQ(static_cast<WPARAM>(MK_LBUTTON), stylus[0].wParam);
    EXPECT_EQ(bottom, stylus[1].window);
    EXPECT_EQ(MAKELPARAM(49, 70), stylus[1].lParam);
}

TEST_F(Input, TheCapturingWindowGetsTheReleaseWherever)
{
    HWND left = Make({0, 0, 100, 100});
    HWND right = Make({100, 0, 200, 100});
    ShowWindow(left, SW_SHOW);
    ShowWindow(right, SW_SHOW);
    SetHandler([](HWND window, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_LBUTTONDOWN)
            SetCapture(window);
        if (message == WM_LBUTTONUP)
            ReleaseCapture();
        return std::nullopt;
    });
    host::testing::Press(50, 50);
    host::testing::Release(150, 20);  // over the other window
    host::testing::Press(150, 20);
    host::testing::Release(150, 20);
    host::testing::RunPending();
    const auto stylus = Stylus();
    ASSERT_EQ(4u, stylus.size());
    EXPECT_EQ(left, stylus[1].window);
    // Window coordinates of a point outside the window, packed as 16 bits.
    EXPECT_EQ(150, static_cast<SHORT>(LOWORD(stylus[1].lParam)));
    EXPECT_EQ(20, static_cast<SHORT>(HIWORD(stylus[1].lParam)));
    EXPECT_EQ(right, stylus[2].window);
    EXPECT_EQ(right, stylus[3].window);
    EXPECT_EQ(nullptr, GetCapture());

    // Off the left edge the packed coordinate is negative.
    Log().clear();
    SetHandler([](HWND window, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_LBUTTONDOWN)
            SetCapture(window);
        return std::nullopt;
    });
    host::testing::Press(120, 10);
    host::testing::Release(90, 10);
    host::testing::RunPending();
    ASSERT_EQ(2u, Stylus().size());
    EXPECT_EQ(right, Stylus()[1].window);
    EXPECT_EQ(-10, static_cast<SHORT>(LOWORD(Stylus()[1].lParam)));
    EXPECT_EQ(right, GetCapture());
    // A destroyed window lets go.
    DestroyWindow(right);
    EXPECT_EQ(nullptr, GetCapture());
}

TEST_F(Input, LosingTheCaptureIsAnnounced)
{
    HWND first = Make({0, 0, 10, 10});
    HWND second = Make({0, 0, 10, 10});
    EXPECT_EQ(nullptr, SetCapture(first));
    EXPECT_EQ(first, SetCapture(second));
    ReleaseCapture();
    std::vector<HWND> told;
    for (const auto& logged : Log()) {
        if (logged.message == WM_CAPTURECHANGED)
            told.push_back(logged.window);
    }
    EXPECT_EQ((std::vector<HWND>{first, second}), told);
}

}  // namespace
