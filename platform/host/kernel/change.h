// The host side of the file change notifications (kernel/change.cpp).
// Host-internal.
#pragma once

#include "platform/win32.h"

namespace host {

// From now on change notifications are made but never signalled: the
// program runs without file watching (--no-reload, --check).
void DisableFileWatching();

// Whether the change notification `handle` is signalled; false with
// `valid` false when it is no change notification.
bool IsChangeSignalled(HANDLE handle, bool& valid);

}  // namespace host
