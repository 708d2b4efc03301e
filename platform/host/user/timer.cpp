// Timers: SetTimer, KillTimer, and the WM_TIMER of the timer due first,
// found in time independent of how many timers run.
#include <algorithm>
#include <map>
#include <set>
#include <tuple>

#include "platform/host/display/Display.h"
#include "platform/host/user/MessageQueue.h"
#include "platform/host/user/Window.h"

namespace host::user {
namespace {

// As on Windows, shorter periods are raised to this.
constexpr UINT kShortestPeriod = 10;

using TimerKey = std::pair<HWND, UINT_PTR>;  // window (null: the thread's), id

struct Timer {
    UINT period;
    TIMERPROC procedure;
    uint64_t due;    // display clock
    uint64_t order;  // when it was first set: the earlier goes first among equals
};

// Every timer by its key, and the same timers ordered by when they fall due,
// so that the next one is found without looking at the others.
struct Timers {
    std::map<TimerKey, Timer> byKey;
    std::set<std::tuple<uint64_t, uint64_t, TimerKey>> byDue;  // due, order, key
    uint64_t lastOrder = 0;
    UINT_PTR lastThreadTimerId = 0;
};

Timers& All()
{
    static Timers timers;
    return timers;
}

auto DueEntry(const TimerKey& key, const Timer& timer)
{
    return std::make_tuple(timer.due, timer.order, key);
}

void Reschedule(std::map<TimerKey, Timer>::iterator found, uint64_t due)
{
    All().byDue.erase(DueEntry(found->first, found->second));
    found->second.due = due;
    All().byDue.insert(DueEntry(found->first, found->second));
}

void Remove(std::map<TimerKey, Timer>::iterator found)
{
    All().byDue.erase(DueEntry(found->first, found->second));
    All().byKey.erase(found);
}

// The timers of one window, as a range of byKey.
auto WindowTimers(HWND window)
{
    auto& byKey = All().byKey;
    return std::make_pair(byKey.lower_bound({window, 0}), byKey.upper_bound({window, ~UINT_PTR{0}}));
}

// The timer that falls due first (the earliest set among equals).
std::optional<std::map<TimerKey, Timer>::iterator> Earliest(const MessageFilter& filter)
{
    auto& byKey = All().byKey;
    if (!filter.window) {
        const auto& byDue = All().byDue;
        if (byDue.empty() || !filter.Accepts(nullptr, WM_TIMER))
            return std::nullopt;
        return byKey.find(std::get<2>(*byDue.begin()));
    }
    if (!filter.Accepts(filter.window, WM_TIMER))
        return std::nullopt;
    // One window has few timers: they are compared directly.
    std::optional<std::map<TimerKey, Timer>::iterator> earliest;
    auto [first, last] = WindowTimers(filter.window);
    for (auto it = first; it != last; ++it) {
        if (!earliest || DueEntry(it->first, it->second) < DueEntry((*earliest)->first, (*earliest)->second))
            earliest = it;
    }
    return earliest;
}

}  // namespace

bool TakeTimer(const MessageFilter& filter, bool remove, uint64_t now, MSG& msg)
{
    const auto timer = Earliest(filter);
    if (!timer || (*timer)->second.due > now)
        return false;
    const auto& [key, value] = **timer;
    msg = {key.first, WM_TIMER, key.second, reinterpret_cast<LPARAM>(value.procedure), 0, {}};
    // However late it is taken, a timer fires once and starts a new period.
    if (remove)
        Reschedule(*timer, now + value.period);
    return true;
}

std::optional<uint64_t> NextTimerDue(const MessageFilter& filter)
{
    const auto timer = Earliest(filter);
    return timer ? std::optional((*timer)->second.due) : std::nullopt;
}

void ForgetWindowTimers(HWND window)
{
    auto [first, last] = WindowTimers(window);
    while (first != last)
        Remove(first++);
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
    auto& byKey = All().byKey;
    if (!window && (id == 0 || !byKey.contains({nullptr, id})))
        id = ++All().lastThreadTimerId;
    const TimerKey key{window, id};
    if (const auto found = byKey.find(key); found != byKey.end()) {
        found->second.period = period;
        found->second.procedure = timerProc;
        Reschedule(found, due);
    } else {
        const Timer& timer = byKey[key] = Timer{period, timerProc, due, ++All().lastOrder};
        All().byDue.insert(DueEntry(key, timer));
    }
    return window && id == 0 ? 1 : id;
}

BOOL KillTimer(HWND window, UINT_PTR id)
{
    const auto found = All().byKey.find({window, id});
    if (found == All().byKey.end())
        return FALSE;
    Remove(found);
    return TRUE;
}
