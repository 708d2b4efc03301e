// SIGHUP, as daemons take it: read the configuration again. The signal
// arrives in the program as a WM_SETTINGCHANGE posted to the thread (its
// message loop takes that as the request), and it ends a wait for messages.
// Host-internal.
#pragma once

namespace host {

// Catches SIGHUP from now on; before, it ends the process as by default.
void CatchHangup();

}  // namespace host
