// The calling thread's last error (GetLastError) from a system failure.
#pragma once

namespace host {

// Sets the Win32 error that best matches the errno value `error`.
void SetErrorFromErrno(int error);

}  // namespace host
