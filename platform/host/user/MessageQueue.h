// How the window manager areas feed GetMessageW and PeekMessageW: each
// offers the next message of its kind, in the order that message.cpp asks.
// Host-internal.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/win32.h"

namespace host::user {

// The window and message range a retrieval asks for (0, 0: any message).
struct MessageFilter {
    HWND window = nullptr;
    UINT first = 0;
    UINT last = 0;

    bool Accepts(HWND target, UINT message) const
    {
        if (window && window != target)
            return false;
        return (first == 0 && last == 0) || (message >= first && message <= last);
    }
};

// input.cpp: the next stylus message; removing it commits double-click and
// position state. Also turns a display's quit into a pending WM_QUIT.
bool TakeInput(const MessageFilter& filter, bool remove, MSG& msg);
// painting.cpp: WM_PAINT for a visible window with an update area.
bool TakePaint(const MessageFilter& filter, MSG& msg);
// timer.cpp: WM_TIMER for the timer due first; removing it restarts its
// period. NextTimerDue is the display clock time of the earliest timer.
bool TakeTimer(const MessageFilter& filter, bool remove, uint64_t now, MSG& msg);
std::optional<uint64_t> NextTimerDue(const MessageFilter& filter);

// message.cpp: the next message, waiting on the display up to `until`
// (display clock; absent: as long as it takes).
enum class Retrieval { Message, Quit, TimedOut };
Retrieval Retrieve(MSG& msg, const MessageFilter& filter, bool remove, std::optional<uint64_t> until);
// Gets and dispatches messages until `until` has come with nothing pending
// (false) or WM_QUIT was retrieved (true, `exitCode` gets its wParam).
bool RunUntil(uint64_t until, int* exitCode);
// Asks for WM_QUIT as PostQuitMessage does, unless the program already did.
void RequestQuit(int exitCode);

// Where the stylus was last seen, in screen pixels (MSG.pt).
POINT LastStylusPoint();

void ResetMessages();
void ResetTimers();
void ResetInput();
void ResetPainting();

}  // namespace host::user
