#include <gtest/gtest.h>

#include <algorithm>

#include "platform/host/testing.h"
#include "platform/host/user/Window.h"
#include "tests/platform/user/TestWindow.h"

namespace {

using testwindow::Log;
using testwindow::Make;
using testwindow::Messages;
using testwindow::SetHandler;

class WindowManager : public ::testing::Test {
protected:
    void SetUp() override
    {
        host::testing::ResetHost();
        Log().clear();
        SetHandler(nullptr);
    }
};

TEST_F(WindowManager, ALifeSendsItsMessagesInOrder)
{
    int secondTimerTicks = 0;
    SetHandler([&](HWND window, UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_TIMER && wParam == 2 && ++secondTimerTicks == 2)
            PostQuitMessage(7);
        if (message == WM_ERASEBKGND)
            return 1;
        (void)window;
        return std::nullopt;
    });
    host::testing::SetTickCount(1000);
    HWND window = Make({10, 10, 60, 40});
    ASSERT_TRUE(window);
    ShowWindow(window, SW_SHOW);
    const RECT part{1, 1, 5, 5};
    InvalidateRect(window, &part, FALSE);
    InvalidateRect(window, nullptr, FALSE);
    PostMessageW(window, WM_USER, 1, 2);
    SetTimer(window, 1, 30, nullptr);
    SetTimer(window, 2, 50, nullptr);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    EXPECT_EQ(7u, msg.wParam);
    DestroyWindow(window);

    struct Expected {
        UINT message;
        WPARAM wParam;
        DWORD tick;
    };
    const Expected expected[] = {
        {WM_CREATE, 0, 1000},
        {WM_SHOWWINDOW, TRUE, 1000},
        {WM_USER, 1, 1000},         // posted messages come before painting
        {WM_PAINT, 0, 1000},        // one paint for all the invalidations
        {WM_ERASEBKGND, 0, 1000},   // inside BeginPaint: the show asked for erasing
        {WM_TIMER, 1, 1030},
        {WM_TIMER, 2, 1050},
        {WM_TIMER, 1, 1060},
        {WM_TIMER, 1, 1090},
        {WM_TIMER, 2, 1100},        // posts the quit; WM_QUIT ends the loop
        {WM_DESTROY, 0, 1100},
    };
    ASSERT_EQ(std::size(expected), Log().size());
    for (size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(expected[i].message, Log()[i].message);
        if (expected[i].message != WM_ERASEBKGND) {
            EXPECT_EQ(expected[i].wParam, Log()[i].wParam);
        }
        EXPECT_EQ(expected[i].tick, Log()[i].tick);
    }
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(WindowManager, CreateAnsweredWithMinusOneLeavesNoWindow)
{
    int seen = 0;
    SetHandler([&](HWND, UINT message, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
        if (message != WM_CREATE)
            return std::nullopt;
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        seen = *static_cast<int*>(create->lpCreateParams) + create->x + create->y + create->cx + create->cy;
        return -1;
    });
    int param = 1000;
    EXPECT_EQ(nullptr, Make({10, 20, 40, 60}, 0, WS_POPUP | WS_VISIBLE, &param));
    EXPECT_EQ(1000 + 10 + 20 + 30 + 40, seen);
    EXPECT_EQ((std::vector<UINT>{WM_CREATE, WM_DESTROY}), Messages());
    EXPECT_TRUE(host::testing::WindowsInZOrder().empty());
    EXPECT_FALSE(host::testing::RunPending());
}

TEST_F(WindowManager, SlotZeroHoldsAWholePointer)
{
    HWND window = Make({0, 0, 10, 10});
    // A four-byte slot would lose the upper half of a 64-bit pointer.
    const LONG_PTR pointer = static_cast<LONG_PTR>(0x123456789ABCDEF0ull);
    EXPECT_EQ(0, SetWindowLongPtrW(window, 0, pointer));
    EXPECT_EQ(pointer, GetWindowLongPtrW(window, 0));
    EXPECT_EQ(pointer, SetWindowLongPtrW(window, 0, 0));
    // Outside the window's extra bytes nothing is read or written.
    EXPECT_EQ(0, SetWindowLongPtrW(window, 8, 5));
    EXPECT_EQ(0, GetWindowLongW(window, 8));
    EXPECT_EQ(0, GetWindowLongW(window, -4));
    EXPECT_EQ(0, GetWindowLongPtrW(nullptr, 0));
}

TEST_F(WindowManager, TopmostWindowsStayAboveTheOthers)
{
    HWND a = Make({0, 0, 10, 10});
    HWND b = Make({0, 0, 10, 10});
    SetWindowPos(b, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
    HWND c = Make({0, 0, 10, 10});
    using Order = std::vector<HWND>;
    EXPECT_EQ((Order{b, c, a}), host::testing::WindowsInZOrder());
    EXPECT_TRUE(host::testing::IsTopmost(b));

    struct Step {
        HWND window;
        HWND insertAfter;
        UINT flags;
        Order order;
    };
    const Step steps[] = {
        {a, HWND_TOP, SWP_NOSIZE | SWP_NOMOVE, {b, a, c}},          // top of the ordinary band only
        {c, HWND_TOP, SWP_NOZORDER | SWP_NOSIZE, {b, a, c}},        // SWP_NOZORDER keeps the place
        {c, HWND_TOPMOST, SWP_NOSIZE | SWP_NOMOVE, {c, b, a}},      // joins the topmost band on top
        {c, HWND_NOTOPMOST, SWP_NOSIZE | SWP_NOMOVE, {b, c, a}},    // leaves it for the top of the rest
        {c, HWND_BOTTOM, SWP_NOSIZE | SWP_NOMOVE, {b, a, c}},
        {c, a, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOOWNERZORDER, {b, a, c}},  // right below a
        {a, c, SWP_NOSIZE | SWP_NOMOVE, {b, c, a}},
    };
    for (const Step& step : steps) {
        SetWindowPos(step.window, step.insertAfter, 5, 5, 1, 1, step.flags);
        EXPECT_EQ(step.order, host::testing::WindowsInZOrder());
    }
    SetForegroundWindow(a);
    EXPECT_EQ((Order{b, a, c}), host::testing::WindowsInZOrder());
    EXPECT_FALSE(host::testing::IsTopmost(c));
}

TEST_F(WindowManager, SetWindowPosMovesAndSizesAsTheFlagsSay)
{
    HWND window = Make({10, 10, 30, 40});
    struct Case {
        int x, y, cx, cy;
        UINT flags;
        RECT rect;
    };
    const Case cases[] = {
        {50, 60, 5, 5, SWP_NOSIZE | SWP_NOZORDER, {50, 60, 70, 90}},   // moved, size kept
        {0, 0, 8, 9, SWP_NOMOVE | SWP_NOZORDER, {50, 60, 58, 69}},     // sized, place kept
        {-300, 500, 100, 10, SWP_NOZORDER, {-300, 500, -200, 510}},    // wholly off the screen
        {1, 2, -5, 3, SWP_NOZORDER, {1, 2, 1, 5}},                     // a negative size is empty
    };
    for (const Case& c : cases) {
        SetWindowPos(window, nullptr, c.x, c.y, c.cx, c.cy, c.flags);
        const RECT rect = host::testing::WindowRect(window);
        EXPECT_TRUE(EqualRect(&c.rect, &rect)) << rect.left << "," << rect.top << "," << rect.right << ","
                                               << rect.bottom;
        RECT client;
        GetClientRect(window, &client);
        EXPECT_EQ(c.rect.right - c.rect.left, client.right);
        EXPECT_EQ(c.rect.bottom - c.rect.top, client.bottom);
    }
}

TEST_F(WindowManager, DestroyingAWindowStopsItsTimersAndDropsItsPostedMessages)
{
    HWND window = Make({0, 0, 10, 10});
    HWND other = Make({0, 0, 10, 10});
    SetTimer(window, 1, 10, nullptr);
    SetTimer(other, 1, 100, nullptr);
    PostMessageW(window, WM_USER, 0, 0);
    DestroyWindow(window);
    Log().clear();
    host::testing::RunFor(100);
    ASSERT_EQ(1u, Log().size());
    EXPECT_EQ(other, Log()[0].window);
    EXPECT_EQ(static_cast<UINT>(WM_TIMER), Log()[0].message);
    EXPECT_FALSE(DestroyWindow(window));
    EXPECT_FALSE(PostMessageW(window, WM_USER, 0, 0));
    EXPECT_EQ(0, SendMessageW(window, WM_USER, 0, 0));
}

TEST_F(WindowManager, ShownWindowsAreCompositedInZOrder)
{
    HWND below = Make({10, 10, 50, 50});
    HWND above = Make({30, 30, 70, 70});
    auto fill = [](HWND window, uint32_t pixel) {
        host::Surface* surface = host::user::WindowSurface(window);
        for (int y = 0; y < surface->height; ++y)
            std::fill(surface->Row(y), surface->Row(y) + surface->width, pixel);
    };
    fill(below, 0x112233);
    fill(above, 0x445566);
    using host::testing::ScreenPixel;
    const COLORREF desktop = RGB(0x3A, 0x6E, 0xA5);
    EXPECT_EQ(desktop, ScreenPixel(40, 40));  // hidden windows are not seen
    ShowWindow(below, SW_SHOW);
    ShowWindow(above, SW_SHOW);
    EXPECT_EQ(RGB(0x44, 0x55, 0x66), ScreenPixel(40, 40));
    EXPECT_EQ(RGB(0x11, 0x22, 0x33), ScreenPixel(29, 40));
    SetWindowPos(below, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
    EXPECT_EQ(RGB(0x11, 0x22, 0x33), ScreenPixel(40, 40));
    EXPECT_EQ(RGB(0x11, 0x22, 0x33), ScreenPixel(49, 49));
    EXPECT_EQ(RGB(0x44, 0x55, 0x66), ScreenPixel(50, 50));
    EXPECT_EQ(desktop, ScreenPixel(70, 70));
    // Partly off the screen: what remains on it is still drawn.
    SetWindowPos(above, nullptr, -20, -20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_EQ(RGB(0x44, 0x55, 0x66), ScreenPixel(0, 0));
    EXPECT_EQ(RGB(0x11, 0x22, 0x33), ScreenPixel(20, 20));
    EXPECT_EQ(desktop, ScreenPixel(60, 60));
    EXPECT_EQ(CLR_INVALID, ScreenPixel(-1, 0));
}

}  // namespace
