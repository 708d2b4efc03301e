#include <gtest/gtest.h>

#include "platform/host/testing.h"
#include "tests/platform/user/TestWindow.h"

namespace {

using testwindow::Log;
using testwindow::Make;
using testwindow::Messages;
using testwindow::SetHandler;

class MessageLoop : public ::testing::Test {
protected:
    void SetUp() override
    {
        host::testing::ResetHost();
        Log().clear();
        SetHandler(nullptr);
        window = Make({0, 0, 10, 10});
        Log().clear();
    }

    HWND window = nullptr;
};

TEST_F(MessageLoop, GetMessageWaitsExactlyUntilTheTimerIsDue)
{
    host::testing::SetTickCount(1000);
    SetTimer(window, 5, 250, nullptr);
    MSG msg;
    ASSERT_TRUE(GetMessageW(&msg, nullptr, 0, 0));
    EXPECT_EQ(static_cast<UINT>(WM_TIMER), msg.message);
    EXPECT_EQ(5u, msg.wParam);
    EXPECT_EQ(1250u, msg.time);
    EXPECT_EQ(1250u, GetTickCount());
}

TEST_F(MessageLoop, ALateTimerFiresOnceAndRestartsItsPeriod)
{
    host::testing::SetTickCount(0);
    SetTimer(window, 1, 100, nullptr);
    host::testing::AdvanceClock(1000);
    host::testing::RunFor(150);
    // One at 1000 however many periods passed, the next 100 later.
    ASSERT_EQ(2u, Log().size());
    EXPECT_EQ(1000u, Log()[0].tick);
    EXPECT_EQ(1100u, Log()[1].tick);
}

TEST_F(MessageLoop, TimersRunAcrossTheTickCountWrap)
{
    host::testing::SetTickCount(0xFFFFFF00u);
    SetTimer(window, 1, 0x200, nullptr);
    host::testing::RunFor(0x400);
    ASSERT_EQ(2u, Log().size());
    EXPECT_EQ(0x100u, Log()[0].tick);
    EXPECT_EQ(0x300u, Log()[1].tick);
    EXPECT_EQ(0x300u, GetTickCount());
}

TEST_F(MessageLoop, TimersDueTogetherFireInTheOrderTheyWereFirstSet)
{
    const HWND second = testwindow::Make({0, 0, 10, 10});
    const HWND third = testwindow::Make({0, 0, 10, 10});
    SetTimer(third, 7, 100, nullptr);
    SetTimer(window, 7, 50, nullptr);
    SetTimer(second, 7, 100, nullptr);
    SetTimer(window, 7, 100, nullptr);  // set again: keeps its place among equals
    host::testing::RunFor(100);
    std::vector<HWND> fired;
    for (const auto& logged : Log()) {
        if (logged.message == WM_TIMER)
            fired.push_back(logged.window);
    }
    EXPECT_EQ((std::vector<HWND>{third, window, second}), fired);

    // A retrieval for one window takes that window's timer only.
    host::testing::AdvanceClock(100);
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, second, 0, 0, PM_REMOVE));
    EXPECT_EQ(second, msg.hwnd);
    EXPECT_EQ(static_cast<UINT>(WM_TIMER), msg.message);
}

TEST_F(MessageLoop, SetTimerAgainReplacesAndKillTimerStops)
{
    SetTimer(window, 1, 100, nullptr);
    SetTimer(window, 1, 30, nullptr);
    SetTimer(window, 2, 45, nullptr);
    host::testing::RunFor(50);
    EXPECT_EQ(2u, Log().size());
    EXPECT_TRUE(KillTimer(window, 1));
    EXPECT_FALSE(KillTimer(window, 1));
    Log().clear();
    host::testing::RunFor(100);
    ASSERT_EQ(2u, Log().size());
    EXPECT_EQ(2u, Log()[0].wParam);
}

TEST_F(MessageLoop, TimerProceduresAreCalledByDispatch)
{
    static std::vector<std::pair<UINT_PTR, DWORD>> calls;
    calls.clear();
    host::testing::SetTickCount(500);
    const UINT_PTR id = SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR timer, DWORD tick) {
        calls.push_back({timer, tick});
    });
    ASSERT_NE(0u, id);
    host::testing::RunFor(45);
    EXPECT_EQ((std::vector<std::pair<UINT_PTR, DWORD>>{{id, 520}, {id, 540}}), calls);
    EXPECT_TRUE(Log().empty());
}

TEST_F(MessageLoop, QuitComesAfterEverythingPendingAndCarriesTheExitCode)
{
    ShowWindow(window, SW_SHOW);
    PostQuitMessage(3);
    PostMessageW(window, WM_USER, 0, 0);
    int exitCode = -1;
    EXPECT_TRUE(host::testing::RunFor(1000, &exitCode));
    EXPECT_EQ(3, exitCode);
    EXPECT_EQ((std::vector<UINT>{WM_SHOWWINDOW, WM_USER, WM_PAINT, WM_ERASEBKGND}), Messages());
    EXPECT_EQ(0u, GetTickCount());  // nothing made it wait
    // Quitting is reported once.
    EXPECT_FALSE(host::testing::RunFor(10));
}

TEST_F(MessageLoop, SendMessageCallsTheProcedureAtOnce)
{
    SetHandler([](HWND, UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_USER)
            return static_cast<LRESULT>(wParam * 2);
        return std::nullopt;
    });
    EXPECT_EQ(42, SendMessageW(window, WM_USER, 21, 0));
    EXPECT_EQ(static_cast<UINT>(WM_USER), Log().back().message);
}

TEST_F(MessageLoop, PeekMessageNeverWaits)
{
    SetTimer(window, 1, 100, nullptr);
    MSG msg;
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(0u, GetTickCount());
    PostMessageW(window, WM_USER, 9, 0);
    EXPECT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(9u, msg.wParam);
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(MessageLoop, PostedMessagesKeepTheirOrderAndFilterApplies)
{
    HWND other = Make({0, 0, 10, 10});
    PostMessageW(window, WM_USER + 1, 0, 0);
    PostMessageW(other, WM_USER + 2, 0, 0);
    PostMessageW(window, WM_USER + 3, 0, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, other, 0, 0, PM_REMOVE));
    EXPECT_EQ(static_cast<UINT>(WM_USER + 2), msg.message);
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_USER + 3, WM_USER + 3, PM_REMOVE));
    EXPECT_EQ(static_cast<UINT>(WM_USER + 3), msg.message);
    ASSERT_TRUE(GetMessageW(&msg, nullptr, 0, 0));
    EXPECT_EQ(static_cast<UINT>(WM_USER + 1), msg.message);
}

TEST_F(MessageLoop, SleepPassesVirtualTimeWithoutHandlingMessages)
{
    SetTimer(window, 1, 10, nullptr);
    Sleep(300);
    EXPECT_EQ(300u, GetTickCount());
    EXPECT_TRUE(Log().empty());
}

}  // namespace
