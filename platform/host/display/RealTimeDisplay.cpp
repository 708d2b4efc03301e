#include "platform/host/display/RealTimeDisplay.h"

#include <time.h>

#include <algorithm>
#include <climits>

#include "platform/host/gdi/font.h"

namespace host {

uint64_t RealTimeDisplay::Now()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<uint64_t>(now.tv_sec) * 1000 + static_cast<uint64_t>(now.tv_nsec) / 1000000;
}

DWORD RealTimeDisplay::TickCount()
{
    return static_cast<DWORD>(Now());
}

void RealTimeDisplay::EndRunAfter(DWORD milliseconds)
{
    runEnd_ = Now() + milliseconds;
}

void RealTimeDisplay::Wait(std::optional<uint64_t> deadline)
{
    for (;;) {
        if (TakeArrived())
            return;
        const uint64_t now = Now();
        if (runEnd_ && now >= *runEnd_) {
            runEnd_.reset();
            events_.push_back({DisplayEvent::Kind::Quit, {}});
            return;
        }
        std::optional<uint64_t> until = deadline;
        if (runEnd_ && (!until || *runEnd_ < *until))
            until = runEnd_;
        if (until && now >= *until)
            return;
        const int timeout = until ? static_cast<int>(std::min<uint64_t>(*until - now, INT_MAX)) : -1;
        if (!waitedBefore_) {
            waitedBefore_ = true;
            gdi::ReleaseFontConfiguration();
        }
        if (WaitForArrival(timeout))
            return;
    }
}

}  // namespace host
