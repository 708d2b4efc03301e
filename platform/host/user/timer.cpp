// Timers: SetTimer, KillTimer, and the WM_TIMER of the timer due first.
#include <algorithm>
#include <vector>

#include "platform/host/display/Display.h"
#include "platform/host/user/MessageQueue.h"
#include "platform/host/user/Window.h"

namespace host::user {
namespace {

// As on Windows, shorter periods are raised to this.
constexpr UINT kShortestPeriod = 10;

struct Timer {
    HWND window;
    UINT_PTR id;
    UINT period;
    TIMERPROC procedure;
    uint64_t due;  // display clock
};

struct Timers {
    std::vector<Timer> running;  // in the order they were set
    UINT_PTR lastThreadTimerId = 0;
};

Timers& All()
{
    static Timers timers;
    return timers;
}

Timer* Find(HWND window, UINT_PTR id)
{
    auto& running = All().running;
    const auto found =
        std::find_if(running.begin(), running.end(), [&](const Timer& t) { return t.window == window && t.id == id; });
    return found == running.end() ? nullptr : &*found;
}

// The timer that falls due first (the earliest set among equals).
Timer* Earliest(const MessageFilter& filter)
{
    Timer* earliest = nullptr;
    for (Timer& timer : All().running) {
        if (filter.Accepts(timer.window, WM_TIMER) && (!earliest || timer.due < earliest->due))
            earliest = &timer;
    }
    return earliest;
}

}  // namespace

bool TakeTimer(const MessageFilter& filter, bool remove, uint64_t now, MSG& msg)
{
    Timer* timer = Earliest(filter);
    if (!timer || timer->due > now)
        return false;
    msg = {timer->window, WM_TIMER, timer->id, reinterpret_cast<LPARAM>(timer->procedure), 0, {}};
    // However late it is taken, a timer fires once and starts a new period.
    if (remove)
        timer->due = now + timer->period;
    return true;
}

std::optional<uint64_t> NextTimerDue(const MessageFilter& filter)
{
    const Timer* timer = Earliest(filter);
    return timer ? std::optional(timer->due) : std::nullopt;
}

void ForgetWindowTimers(HWND window)
{
    std::erase_if(All().running, [window](const Timer& timer) { return timer.window == window; });
}

void ResetTimers()
{
    All() = {};
}

}  // namespace host::user

using namespace host::user;

UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT elapse, TIMERPROC timerProc)
{
    if (window && !IsWindow(window))
        return 0;
    const UINT period = std::max(elapse, kShortestPeriod);
    const uint64_t due = host::TheDisplay().Now() + period;
    // A window's timer is known by its id; a timer without a window gets an
    // id of its own unless an existing one of those is named.
    if (!window && (id == 0 || !Find(nullptr, id)))
        id = ++All().lastThreadTimerId;
    if (Timer* timer = Find(window, id)) {
        *timer = {window, id, period, timerProc, due};
    } else {
        All().running.push_back({window, id, period, timerProc, due});
    }
    return window && id == 0 ? 1 : id;
}

BOOL KillTimer(HWND window, UINT_PTR id)
{
    const size_t removed =
        std::erase_if(All().running, [&](const Timer& timer) { return timer.window == window && timer.id == id; });
    return removed != 0;
}
