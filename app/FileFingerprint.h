// A fingerprint of a file's bytes, to tell whether a watched file changed.
#pragma once

#include "platform/win32.h"

// A 64-bit hash of the whole file (FNV-1a over its bytes, never 0), or 0
// when the file cannot be opened or read.
ULONGLONG FileFingerprint(const WCHAR* path);

// The same of a file already open for reading, so that a loader fingerprints
// what it reads without opening the file again. The file position is left
// where it was.
ULONGLONG FileFingerprint(HANDLE file);
