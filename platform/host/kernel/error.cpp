// GetLastError and SetLastError, and errno turned into Win32 errors.
#include "platform/host/kernel/error.h"

#include <cerrno>

#include "platform/win32.h"

namespace {

thread_local DWORD lastError = ERROR_SUCCESS;

}  // namespace

DWORD GetLastError()
{
    return lastError;
}

void SetLastError(DWORD error)
{
    lastError = error;
}

namespace host {

void SetErrorFromErrno(int error)
{
    switch (error) {
    case ENOENT:
        SetLastError(ERROR_FILE_NOT_FOUND);
        break;
    case ENOTDIR:
        SetLastError(ERROR_PATH_NOT_FOUND);
        break;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
    case EBADF:
        SetLastError(ERROR_ACCESS_DENIED);
        break;
    case EEXIST:
        SetLastError(ERROR_FILE_EXISTS);
        break;
    case ENOSPC:
        SetLastError(ERROR_DISK_FULL);
        break;
    case EMFILE:
    case ENFILE:
        SetLastError(ERROR_TOO_MANY_OPEN_FILES);
        break;
    case ENAMETOOLONG:
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
        break;
    case EINVAL:
        SetLastError(ERROR_INVALID_PARAMETER);
        break;
    default:
        SetLastError(ERROR_GEN_FAILURE);
        break;
    }
}

}  // namespace host
