// What besides the display can end a wait for messages: the descriptors of
// the file change notifications and of caught signals (kernel/). When one is
// readable, its `take` reads what came: it marks change handles signalled or
// posts a message. Both displays wait on these together with their own input.
#pragma once

namespace host {

struct WakeSource {
    int descriptor;
    void (*take)();
    // Input is expected soon from another program (a child's output, its
    // end): the headless display's virtual clock then keeps pace with the
    // real one, so that the child's time is not skipped.
    bool fromChild = false;
};

// Adding a descriptor that is there already changes nothing.
void AddWakeSource(const WakeSource& source);
void RemoveWakeSource(int descriptor);
bool HasWakeSources();
bool HasWakeSourcesFromChildren();

struct WaitResult {
    bool descriptorReady = false;  // `descriptor` has input
    bool woken = false;            // a wake source had input, and it was taken
};

// Waits up to `timeout` ms (-1: without limit, 0: not at all) until
// `descriptor` (-1: none) or a wake source has input, then takes what the
// wake sources have.
WaitResult WaitForInput(int descriptor, int timeout);

}  // namespace host
