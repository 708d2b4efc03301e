// Text at the host boundary: the program's UTF-16 and the system's UTF-8.
#pragma once

#include <string>
#include <string_view>

#include "platform/win32.h"

namespace host {

// Unpaired surrogates become U+FFFD.
std::string ToUtf8(std::u16string_view text);
// Invalid sequences become U+FFFD.
std::u16string ToUtf16(std::string_view text);

// A program path as the system wants it: UTF-8, with "\" turned into "/".
std::string HostPath(const WCHAR* path);

}  // namespace host
