// The host side of the file change notifications (kernel/change.cpp).
// Host-internal.
#pragma once

#include "platform/win32.h"

namespace host {

// From now on change notifications are made but never signalled: the
// program runs without file watching (--no-reload, --check).
void DisableFileWatching();

}  // namespace host
