// Opening the UTF-16 text files that configure the program: the panel list
// and the panel files. Both must begin with the little-endian byte-order
// mark FF FE; their lines are then read with ReadLine.
#pragma once

#include "platform/win32.h"

enum class UnicodeFileProblem {
    None,
    CannotOpen,  // missing, unreadable, or a folder
    NotUnicode,  // empty, or without the byte-order mark
};

// Opens `path` for reading and consumes the byte-order mark, reporting
// nothing. INVALID_HANDLE_VALUE with `problem` telling why; otherwise the
// caller closes the handle.
HANDLE OpenUnicodeFileQuietly(const WCHAR* path, DWORD attributes, UnicodeFileProblem& problem);

// Writes to the diagnostics channel, at `path`, why a file that was saved
// is not used: `problem`, then `consequence`.
void ReportUnusableSave(const WCHAR* path, UnicodeFileProblem problem, const WCHAR* consequence);

// As OpenUnicodeFileQuietly, with the problem reported: a file that cannot
// be opened with the path as text and `missingCaption`; a file without the
// mark (an empty one included) with "Die Datei ist leer oder nicht im
// Unicode Format:" and the path, at the file's first line.
HANDLE OpenUnicodeFile(const WCHAR* path, const WCHAR* missingCaption, DWORD attributes);
