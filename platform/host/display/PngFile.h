// Writing a screen picture as a PNG file (8-bit RGB).
#pragma once

#include "platform/host/gdi/surface.h"

namespace host {

// Writes `surface` (BGRX) to `path`; false when the file cannot be written
// or is no regular file (kernel/file.h).
bool WritePng(const char* path, const Surface& surface);

}  // namespace host
