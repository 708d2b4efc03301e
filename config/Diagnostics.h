// The diagnostics channel: everything the program says about its
// configuration files also goes out through OutputDebugStringW (which a
// debugger shows, and the Linux host writes to stderr), one line each:
//
//   FILE(LINE): CAPTION TEXT      a message box, with the box's own texts
//   FILE(LINE): warning: TEXT     a pitfall that a run passes over silently
//   FILE(LINE): TEXT              a fault that shows no message box
//
// FILE(LINE) is the place being read when the message arises: "FILE: " when
// no line of the file has been read yet and no outer place exists, nothing
// at all outside reading. Line breaks inside a text become blanks, so every
// message is one line.
#pragma once

#include <initializer_list>

#include "platform/win32.h"

// Where the configuration being read stands. Places nest: a panel file is
// read for a line of the panel list. A place that has not reached its first
// line yet (a file that could not be opened) leaves messages to the place
// around it.
class DiagnosticPlace {
public:
    // `file` (not copied) becomes the current place, before its first line.
    explicit DiagnosticPlace(const WCHAR* file);
    // The place around this one is current again.
    ~DiagnosticPlace();
    DiagnosticPlace(const DiagnosticPlace&) = delete;
    DiagnosticPlace& operator=(const DiagnosticPlace&) = delete;

    // Lines count from 1; setting one forgets the keys noted for the last.
    void SetLine(UINT line);
    UINT Line() const { return line_; }

    // A known key that the current line matches only when case is ignored;
    // the longest one noted is kept. Null when none was noted.
    void NoteKeyIgnoringCase(const WCHAR* key);
    const WCHAR* KeyIgnoringCase() const { return keyIgnoringCase_; }
    // A known key that the line's first word misses by `distance` (1 or 2)
    // characters; the nearest noted first is kept. Null when none was noted.
    void NoteCloseKey(const WCHAR* key, UINT distance);
    const WCHAR* CloseKey() const { return closeKey_; }

    const WCHAR* File() const { return file_; }
    // The place around this one, or null.
    const DiagnosticPlace* Outer() const { return outer_; }

    // The innermost place, or null outside reading.
    static DiagnosticPlace* Current();

private:
    const WCHAR* file_;
    UINT line_ = 0;
    const WCHAR* keyIgnoringCase_ = nullptr;
    const WCHAR* closeKey_ = nullptr;
    UINT closeKeyDistance_ = 0;
    DiagnosticPlace* outer_;
};

// The line of the current place, 0 outside reading.
UINT CurrentDiagnosticLine();

// Sends "CAPTION TEXT" to the channel at the current place, then shows the
// message box, unless a reload holds it back (LoadFindings); returns what
// MessageBoxW returns (IDOK for a box held back).
int ConfigMessageBox(HWND owner, const WCHAR* text, const WCHAR* caption, UINT style);

// Sends "warning: " and the parts, joined, to the channel: at the current
// place, or at `line` of it when `line` is not 0.
void ReportWarning(std::initializer_list<const WCHAR*> parts);
void ReportWarningAtLine(UINT line, std::initializer_list<const WCHAR*> parts);

// Sends the parts, joined, to the channel at `line` of the current place: a
// fault for which the program shows no message box.
void ReportErrorAtLine(UINT line, std::initializer_list<const WCHAR*> parts);
