// Turns a panel file into a populated, measured and arranged GlobalSettings.
#pragma once

#include "platform/win32.h"

class GlobalSettings;

// Reads the panel file at `path` into `settings`: one object per object
// section, in file order, each getting its section's key lines; GLOBALSETTINGS
// lines go to the settings. Then every object is measured with a screen DC
// and the objects are arranged. Returns true on failure, which is only a file
// that cannot be opened or lacks the UTF-16 byte-order mark (both reported);
// rejected lines are reported by their parsers and do not fail the load.
// `fingerprint`, when given, gets the FileFingerprint of the bytes read (0
// when the file cannot be opened).
bool LoadPanelFile(GlobalSettings& settings, const WCHAR* path, ULONGLONG* fingerprint = nullptr);
