// Reads UTF-16LE text files line by line from an open file handle.
#pragma once

#include "platform/win32.h"

// Reads the next line into `buffer` (capacity in characters, terminator
// included) and returns its length. A line ends at CR LF, LF or CR; a longer
// line arrives in pieces of capacity - 1 characters. The file position is
// left at the start of the next line. A failed read and the end of the file
// give an empty line: callers compare the position with the file size.
// The byte-order mark is the caller's business. `lineEnded`, when given, is
// set when a line break was consumed: the next call reads the next line
// rather than the rest of a long one.
UINT ReadLine(HANDLE file, WCHAR* buffer, UINT capacity, bool* lineEnded = nullptr);

// True while the file position is below the file size, that is while
// ReadLine has more to deliver.
bool HasMoreLines(HANDLE file);
