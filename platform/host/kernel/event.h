// The host side of events (kernel/event.cpp). Host-internal.
#pragma once

#include "platform/win32.h"

namespace host {

// SetEvent (true) or ResetEvent (false); false with ERROR_INVALID_HANDLE
// when `event` is no event.
bool SetEventState(HANDLE event, bool signalled);

}  // namespace host
