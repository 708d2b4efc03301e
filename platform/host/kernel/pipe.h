// The host side of named pipes (kernel/pipe.cpp). Host-internal.
#pragma once

#include <optional>

#include "platform/win32.h"

namespace host {

// Whether `name` is a pipe's name, "\\.\pipe\..." (either separator).
bool IsPipeName(LPCWSTR name);
// CreateFileW of a pipe's name: the write end of that pipe.
HANDLE OpenPipeWriteEnd(LPCWSTR name);
// ReadFile on a pipe's read end; nothing when `handle` is no pipe.
std::optional<BOOL> ReadPipe(HANDLE handle, LPVOID buffer, DWORD toRead, LPDWORD read, LPOVERLAPPED overlapped);

}  // namespace host
