// Files for tests: UTF-16LE panel and list files written into a fresh
// temporary folder, and UTF-8/UTF-16 conversion.
#pragma once

#include <string>

#include "platform/win32.h"

namespace testfiles {

// Text in the platform's WCHAR: std::u16string on the host, std::wstring on Windows.
using WString = std::basic_string<WCHAR>;

WString Utf16(const std::string& utf8);
std::string Utf8(const WString& utf16);

// A temporary folder of its own for each test process, with a trailing "/".
const std::string& TempFolder();

// Writes `content` as UTF-16LE, with the byte-order mark when `mark` is set,
// to `name` inside TempFolder() (sub-folders are made); returns the full path.
std::string WriteUtf16(const std::string& name, const WString& content, bool mark = true);
// Writes raw bytes; returns the full path.
std::string WriteBytes(const std::string& name, const std::string& bytes);

// Writes raw bytes at a full path (sub-folders are made) and reads them back
// (empty when the file cannot be read).
void WriteFileAt(const std::string& path, const std::string& bytes);
std::string ReadFileAt(const std::string& path);

}  // namespace testfiles
