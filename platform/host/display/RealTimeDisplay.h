// What the displays on a real screen (X11, Wayland) share: the monotonic
// clock, the end of a timed run, and the wait of the message loop, which
// blocks on the display's own input beside the wake sources until an event
// can be taken, the deadline comes or the run ends.
#pragma once

#include <optional>

#include "platform/host/display/Display.h"

namespace host {

class RealTimeDisplay : public Display {
public:
    uint64_t Now() override;
    DWORD TickCount() override;
    void EndRunAfter(DWORD milliseconds) override;
    void Wait(std::optional<uint64_t> deadline) final;

protected:
    // Takes what has arrived from the server or compositor; true when an
    // event can be taken now.
    virtual bool TakeArrived() = 0;
    // Blocks up to `timeout` ms (-1: without end) for the display's input or
    // a wake source; true when something arrived to be taken.
    virtual bool WaitForArrival(int timeout) = 0;

private:
    std::optional<uint64_t> runEnd_;
    bool waitedBefore_ = false;  // the panels stand once the program first waits
};

}  // namespace host
