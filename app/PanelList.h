// The panel list file: which panel files the program opens at start-up.
#pragma once

#include "config/Paths.h"
#include "platform/win32.h"

// The full path of the panel list that `commandLine` names
// ("KalmiSettings.ini" when it is empty), relative to the program's folder.
void PanelListPath(const WCHAR* commandLine, WCHAR (&path)[kMaxPath]);

// Reads the panel list named by `commandLine` ("KalmiSettings.ini" when it is
// empty), relative to the program's folder, and makes one hidden panel window
// per listed panel file, in list order. The list is UTF-16LE with the
// byte-order mark; empty lines and lines beginning with "#", "/" or ";" are
// skipped, every other line names a panel file relative to the list's folder.
// Failures are reported in message boxes; panels that fail are left out. The
// list's lines are counted from 1 for the diagnostics channel: a panel file
// that cannot be opened is reported at the line that names it, a list that
// names no panel file at its line 1. Returns the list's FileFingerprint (0
// when it cannot be opened).
ULONGLONG ReadPanelList(HINSTANCE instance, const WCHAR* commandLine);
