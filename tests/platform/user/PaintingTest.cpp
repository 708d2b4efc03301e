#include <gtest/gtest.h>

#include "platform/host/display/headless/DisplayHeadless.h"
#include "platform/host/testing.h"
#include "platform/host/user/Window.h"
#include "tests/platform/user/TestWindow.h"

namespace {

using testwindow::Log;
using testwindow::Make;
using testwindow::Messages;
using testwindow::SetHandler;

// What the window's WM_PAINT saw in its PAINTSTRUCT.
struct Painted {
    RECT rcPaint;
    BOOL fErase;
};

class Painting : public ::testing::Test {
protected:
    void SetUp() override
    {
        host::testing::ResetHost();
        Log().clear();
        SetHandler([this](HWND window, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
            if (message == WM_ERASEBKGND)
                return eraseAnswer;
            if (message != WM_PAINT)
                return std::nullopt;
            PAINTSTRUCT paint;
            BeginPaint(window, &paint);
            painted.push_back({paint.rcPaint, paint.fErase});
            EndPaint(window, &paint);
            return 0;
        });
        window = Make({20, 20, 120, 80});
        ShowWindow(window, SW_SHOW);
        host::testing::RunPending();
        Log().clear();
        painted.clear();
    }

    HWND window = nullptr;
    LRESULT eraseAnswer = 0;
    std::vector<Painted> painted;
};

TEST_F(Painting, ShowingPaintsTheWholeWindowWithErase)
{
    HWND other = Make({0, 0, 30, 10});
    ShowWindow(other, SW_SHOW);
    host::testing::RunPending();
    EXPECT_EQ((std::vector<UINT>{WM_CREATE, WM_SHOWWINDOW, WM_PAINT, WM_ERASEBKGND}), Messages());
    ASSERT_EQ(1u, painted.size());
    const RECT whole{0, 0, 30, 10};
    EXPECT_TRUE(EqualRect(&whole, &painted[0].rcPaint));
    EXPECT_TRUE(painted[0].fErase);  // WM_ERASEBKGND answered 0: nothing was erased
}

// Windows to paint wait in a queue of their own: each gets one WM_PAINT,
// in the order they came to need it, and one hidden or destroyed while it
// waits gets none.
TEST_F(Painting, EachWaitingWindowIsPaintedOnceInTheOrderItCameToNeedIt)
{
    HWND windows[5];
    for (HWND& made : windows) {
        made = Make({0, 0, 10, 10});
        ShowWindow(made, SW_SHOW);
    }
    InvalidateRect(windows[0], nullptr, FALSE);  // already waiting: keeps its place
    ShowWindow(windows[1], SW_HIDE);
    DestroyWindow(windows[3]);
    host::testing::RunPending();
    std::vector<HWND> paintedWindows;
    for (const auto& logged : Log()) {
        if (logged.message == WM_PAINT)
            paintedWindows.push_back(logged.window);
    }
    EXPECT_EQ((std::vector<HWND>{windows[0], windows[2], windows[4]}), paintedWindows);
}

TEST_F(Painting, InvalidationsMergeIntoOnePaintOfTheirBounds)
{
    const RECT first{10, 10, 20, 20};
    const RECT second{30, 5, 40, 15};
    const RECT outside{90, 50, 200, 200};  // cut to the window
    InvalidateRect(window, &first, FALSE);
    InvalidateRect(window, &second, FALSE);
    InvalidateRect(window, &outside, FALSE);
    host::testing::RunPending();
    EXPECT_EQ((std::vector<UINT>{WM_PAINT}), Messages());
    ASSERT_EQ(1u, painted.size());
    const RECT bounds{10, 5, 100, 60};
    EXPECT_TRUE(EqualRect(&bounds, &painted[0].rcPaint));
    EXPECT_FALSE(painted[0].fErase);
}

TEST_F(Painting, EraseAccumulatesUntilThePaint)
{
    struct Case {
        BOOL firstErase, secondErase;
        LRESULT eraseAnswer;
        bool erased;   // WM_ERASEBKGND was sent
        BOOL fErase;   // the window must still erase
    };
    const Case cases[] = {
        {FALSE, FALSE, 0, false, FALSE},
        {TRUE, FALSE, 0, true, TRUE},   // a later invalidation does not take the erase back
        {FALSE, TRUE, 1, true, FALSE},  // the window erased in WM_ERASEBKGND
    };
    for (const Case& c : cases) {
        Log().clear();
        painted.clear();
        eraseAnswer = c.eraseAnswer;
        InvalidateRect(window, nullptr, c.firstErase);
        InvalidateRect(window, nullptr, c.secondErase);
        host::testing::RunPending();
        const std::vector<UINT> messages = Messages();
        EXPECT_EQ(c.erased, std::count(messages.begin(), messages.end(), WM_ERASEBKGND) == 1);
        ASSERT_EQ(1u, painted.size());
        EXPECT_EQ(c.fErase, painted[0].fErase);
    }
}

TEST_F(Painting, ValidatedAreasAreNotPainted)
{
    const RECT left{0, 0, 50, 60};
    const RECT right{50, 0, 100, 60};
    InvalidateRect(window, nullptr, TRUE);
    ValidateRect(window, &left);
    host::testing::RunPending();
    ASSERT_EQ(1u, painted.size());
    EXPECT_TRUE(EqualRect(&right, &painted[0].rcPaint));

    InvalidateRect(window, nullptr, TRUE);
    ValidateRect(window, nullptr);
    Log().clear();
    host::testing::RunPending();
    EXPECT_TRUE(Messages().empty());
}

TEST_F(Painting, UpdateWindowPaintsAtOnceOnlyWhenSomethingIsInvalid)
{
    UpdateWindow(window);
    EXPECT_TRUE(Log().empty());
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
    EXPECT_EQ((std::vector<UINT>{WM_PAINT}), Messages());
    host::testing::RunPending();
    EXPECT_EQ(1u, painted.size());
}

TEST_F(Painting, HiddenWindowsWaitForTheirShow)
{
    ShowWindow(window, SW_HIDE);
    InvalidateRect(window, nullptr, FALSE);
    host::testing::RunPending();
    EXPECT_TRUE(painted.empty());
    ShowWindow(window, SW_SHOW);
    host::testing::RunPending();
    ASSERT_EQ(1u, painted.size());
    EXPECT_TRUE(painted[0].fErase);
}

TEST_F(Painting, ResizingARedrawClassRepaintsTheWholeWindow)
{
    HWND redraw = Make({0, 0, 40, 40}, CS_HREDRAW | CS_VREDRAW);
    ShowWindow(redraw, SW_SHOW);
    host::testing::RunPending();
    struct Case {
        HWND window;
        int cx, cy;
        RECT rcPaint;
    };
    const Case cases[] = {
        {redraw, 60, 40, {0, 0, 60, 40}},  // wider: all of it
        {redraw, 60, 20, {0, 0, 60, 20}},  // lower: all of it
        {window, 120, 60, {100, 0, 120, 60}},  // no redraw styles: only what was uncovered
        {window, 100, 60, {0, 0, 0, 0}},       // smaller: nothing
    };
    for (const Case& c : cases) {
        painted.clear();
        SetWindowPos(c.window, nullptr, 0, 0, c.cx, c.cy, SWP_NOMOVE | SWP_NOZORDER);
        host::testing::RunPending();
        if (IsRectEmpty(&c.rcPaint)) {
            EXPECT_TRUE(painted.empty());
            continue;
        }
        ASSERT_EQ(1u, painted.size());
        EXPECT_TRUE(EqualRect(&c.rcPaint, &painted[0].rcPaint));
        EXPECT_TRUE(painted[0].fErase);
    }
    // A move alone repaints nothing: the window keeps its pixels.
    painted.clear();
    SetWindowPos(redraw, nullptr, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    host::testing::RunPending();
    EXPECT_TRUE(painted.empty());
}

TEST_F(Painting, DCsAreGivenBackOnce)
{
    HDC screen = GetDC(nullptr);
    ASSERT_TRUE(screen);
    EXPECT_EQ(1, ReleaseDC(nullptr, screen));
    HDC windowDC = GetWindowDC(window);
    ASSERT_TRUE(windowDC);
    EXPECT_EQ(1, ReleaseDC(window, windowDC));
    EXPECT_EQ(0, ReleaseDC(window, windowDC));
    EXPECT_EQ(nullptr, GetDC(reinterpret_cast<HWND>(0x1234)));  // no such window
}

TEST_F(Painting, WhatThePaintDrawsReachesTheScreenAndEveryDCIsFreed)
{
    const int objectsBefore = host::testing::LiveGdiObjects();
    SetHandler([](HWND window, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message != WM_PAINT)
            return std::nullopt;
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        FillRect(dc, &paint.rcPaint, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        EndPaint(window, &paint);
        return 0;
    });
    InvalidateRect(window, nullptr, TRUE);
    host::testing::RunPending();
    EXPECT_EQ(RGB(0, 0, 0), host::testing::ScreenPixel(20, 20));
    EXPECT_EQ(RGB(0, 0, 0), host::testing::ScreenPixel(119, 79));
    EXPECT_EQ(RGB(0x3A, 0x6E, 0xA5), host::testing::ScreenPixel(120, 80));

    // Drawn outside a paint, through the window DC.
    HDC dc = GetWindowDC(window);
    const RECT corner{0, 0, 5, 5};
    FillRect(dc, &corner, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    ReleaseDC(window, dc);
    EXPECT_EQ(RGB(0xFF, 0xFF, 0xFF), host::testing::ScreenPixel(24, 24));
    EXPECT_EQ(RGB(0, 0, 0), host::testing::ScreenPixel(25, 25));

    HDC screen = GetDC(nullptr);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(objectsBefore, host::testing::LiveGdiObjects());
}

TEST_F(Painting, ThePaintDrawsOnlyWithinItsUpdateRectangle)
{
    HDC dc = GetWindowDC(window);
    const RECT whole{0, 0, 100, 60};
    FillRect(dc, &whole, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    ReleaseDC(window, dc);
    SetHandler([&whole](HWND window, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message != WM_PAINT)
            return std::nullopt;
        PAINTSTRUCT paint;
        HDC paintDC = BeginPaint(window, &paint);
        FillRect(paintDC, &whole, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        EndPaint(window, &paint);
        return 0;
    });
    const RECT part{10, 10, 20, 20};
    InvalidateRect(window, &part, FALSE);
    host::testing::RunPending();

    dc = GetWindowDC(window);
    EXPECT_EQ(RGB(0, 0, 0), GetPixel(dc, 10, 10));
    EXPECT_EQ(RGB(0, 0, 0), GetPixel(dc, 19, 19));
    EXPECT_EQ(RGB(0xFF, 0xFF, 0xFF), GetPixel(dc, 20, 20));
    EXPECT_EQ(RGB(0xFF, 0xFF, 0xFF), GetPixel(dc, 9, 15));
    ReleaseDC(window, dc);
}

TEST_F(Painting, DestroyingAWindowFreesTheDCsItLent)
{
    const int objectsBefore = host::testing::LiveGdiObjects();
    HWND other = Make({0, 0, 10, 10});
    HDC dc = GetDC(other);
    ASSERT_TRUE(dc);
    DestroyWindow(other);
    EXPECT_EQ(objectsBefore, host::testing::LiveGdiObjects());
    EXPECT_EQ(0, ReleaseDC(other, dc));
}

TEST_F(Painting, TheClassBrushErasesByDefault)
{
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = TEXT("Erased");
    ASSERT_TRUE(RegisterClassW(&windowClass));
    HWND erased = CreateWindowExW(0, TEXT("Erased"), TEXT(""), WS_POPUP | WS_VISIBLE, 150, 150, 20, 20, nullptr,
                                  nullptr, nullptr, nullptr);
    ASSERT_TRUE(erased);
    host::Surface* surface = host::user::WindowSurface(erased);
    surface->Row(10)[10] = 0x123456;
    host::testing::RunPending();
    EXPECT_EQ(RGB(0, 0, 0), host::testing::ScreenPixel(160, 160));
}

TEST_F(Painting, ALostPartOfTheScreenIsPaintedAgainWithErase)
{
    auto& display = dynamic_cast<host::DisplayHeadless&>(host::TheDisplay());
    display.Queue({host::DisplayEvent::Kind::Exposed, {}, window, {10, 5, 30, 15}});
    display.Queue({host::DisplayEvent::Kind::Exposed, {}, window, {90, 50, 200, 200}});  // cut to the window
    host::testing::RunPending();
    EXPECT_EQ((std::vector<UINT>{WM_PAINT, WM_ERASEBKGND}), Messages());
    ASSERT_EQ(1u, painted.size());
    const RECT bounds{10, 5, 100, 60};
    EXPECT_TRUE(EqualRect(&bounds, &painted[0].rcPaint));
}

}  // namespace
