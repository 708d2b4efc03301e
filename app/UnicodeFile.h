// Opening the UTF-16 text files that configure the program: the panel list
// and the panel files. Both must begin with the little-endian byte-order
// mark FF FE; their lines are then read with ReadLine.
#pragma once

#include "platform/win32.h"

// Opens `path` for reading and consumes the byte-order mark. A file that
// cannot be opened is reported with the path as text and `missingCaption`;
// a file without the mark (an empty one included) with "Die Datei ist leer
// oder nicht im Unicode Format:" and the path. Both return
// INVALID_HANDLE_VALUE; otherwise the caller closes the handle.
HANDLE OpenUnicodeFile(const WCHAR* path, const WCHAR* missingCaption, DWORD attributes);

// True while the file position is below the file size: ReadLine returns an
// empty line both for an empty line and at the end.
bool HasMoreLines(HANDLE file);

// The length of the folder part of `path`: up to and including its last
// "\" or "/", 0 when it has none.
UINT FolderLength(const WCHAR* path);
