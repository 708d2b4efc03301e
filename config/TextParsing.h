// The text routines behind every configuration line: bounded UTF-16 copying,
// the fixed-length comparison that recognises keys and section names, the
// location of a key line's value and the number, colour and flag parsers.
//
// A key line is "Key = value": the key starts in the first column and is
// compared over its own length only, case-sensitively; the value starts at
// the first non-blank after the first "=" and runs to the end of the line.
// None of these routines allocates anything. While a configuration file is
// read, ParseInt and ParseColor report values that they cannot read as
// written to the diagnostics channel (config/Diagnostics.h).
#pragma once

#include <memory>

#include "platform/win32.h"

// Characters before the terminator.
UINT TextLength(const WCHAR* text);

// Copies at most capacity - 1 characters (capacity >= 1), stops at the
// source's terminator, always terminates; returns the characters copied.
UINT CopyText(const WCHAR* source, WCHAR* destination, UINT capacity);

// A copy of `value` exactly its length plus the terminator long, as the
// objects keep the strings of their keys.
std::unique_ptr<WCHAR[]> CopyValue(const WCHAR* value);

// 0 when the first `count` characters are equal, else +1 or -1 by the first
// differing character as unsigned 16-bit values. Stops at the first
// difference, so a terminator in one text ends the comparison there.
int CompareChars(const WCHAR* a, const WCHAR* b, UINT count);

// True when `line` begins with `key` (CompareChars over the key's length).
bool IsKey(const WCHAR* line, const WCHAR* key);

// IsKey with the letters A-Z and a-z taken as equal.
bool IsKeyIgnoringCase(const WCHAR* line, const WCHAR* key);

// How many characters must be changed, added, dropped or swapped with their
// neighbour to turn the first word of `line` (up to a blank or "=") into
// `key`, letter case aside; counted up to 3 (more is 3).
UINT KeyDistance(const WCHAR* line, const WCHAR* key);

// First occurrence of `ch` among the first `count` characters, or null.
const WCHAR* FindChar(const WCHAR* text, WCHAR ch, UINT count);

// First of the first `count` characters that is not a blank (space, tab,
// CR, LF); just past them when all are blanks.
const WCHAR* SkipBlanks(const WCHAR* text, UINT count);

// The value of a key line, or null when there is no "=" or fewer than
// `minimum` characters follow the blanks after it.
const WCHAR* FindValue(const WCHAR* line, UINT length, UINT minimum);

// Optional "-", then decimal digits up to the first non-digit; a digit is
// taken only while the value so far is at most 241591910. No digits: 0.
int ParseInt(const WCHAR* text);

// "1"-"9" and "A"-"F"; anything else, lower case included, is 0.
int HexDigitValue(WCHAR ch);

// Whether the text begins with six hexadecimal digits RRGGBB (capital
// letters) that no further letter or digit follows.
bool IsColor(const WCHAR* text);

// Six hexadecimal digits RRGGBB as 0x00BBGGRR; no "#" prefix.
COLORREF ParseColor(const WCHAR* text);

// True when the first character is "1", "j" or "y".
bool ParseFlag(const WCHAR* text);
