// Files over POSIX: CreateFileW, ReadFile, WriteFile, SetFilePointer,
// GetFileSize, DeleteFileW. Names may use "\" or "/" as separators. Only
// regular files open: a pipe, a device or a folder fails as Windows fails it.
// The program's own named pipes ("\\.\pipe\NAME") are kernel/pipe.cpp's.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/host/kernel/file.h"

#include "platform/host/kernel/KernelObject.h"
#include "platform/host/kernel/error.h"
#include "platform/host/kernel/pipe.h"
#include "platform/host/kernel/unicode.h"

namespace host {
namespace {

class File final : public KernelObject {
public:
    explicit File(int descriptor) : descriptor_(descriptor) {}
    ~File() override { close(descriptor_); }
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    int Descriptor() const { return descriptor_; }
    int StandardDescriptor() const override { return descriptor_; }

private:
    int descriptor_;
};

int OpenFlags(DWORD access, DWORD creation)
{
    int flags = O_CLOEXEC;
    if ((access & GENERIC_READ) && (access & GENERIC_WRITE))
        flags |= O_RDWR;
    else if (access & GENERIC_WRITE)
        flags |= O_WRONLY;
    else
        flags |= O_RDONLY;
    switch (creation) {
    case CREATE_NEW:
        return flags | O_CREAT | O_EXCL;
    case CREATE_ALWAYS:
        return flags | O_CREAT | O_TRUNC;
    case OPEN_EXISTING:
        return flags;
    case OPEN_ALWAYS:
        return flags | O_CREAT;
    case TRUNCATE_EXISTING:
        return flags | O_TRUNC;
    default:
        return -1;
    }
}

// Reads or writes until all is moved, the file ends, or an error.
template <typename Transfer>
BOOL MoveAll(HANDLE file, DWORD count, LPDWORD moved, Transfer transfer)
{
    if (moved)
        *moved = 0;
    const File* target = FindHandle<File>(file);
    if (!target) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    DWORD done = 0;
    while (done < count) {
        const ssize_t step = transfer(target->Descriptor(), done, count - done);
        if (step < 0 && errno == EINTR)
            continue;
        if (step < 0) {
            SetErrorFromErrno(errno);
            if (moved)
                *moved = done;
            return FALSE;
        }
        if (step == 0)
            break;
        done += static_cast<DWORD>(step);
    }
    if (moved)
        *moved = done;
    return TRUE;
}

bool IsFolder(const std::string& path)
{
    struct stat status {};
    return stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

// Like Windows, tells a missing folder from a missing file.
void SetOpenError(const std::string& path, int error)
{
    const size_t slash = path.rfind('/');
    if (error == ENOENT && slash != std::string::npos && slash > 0 && !IsFolder(path.substr(0, slash)))
        SetLastError(ERROR_PATH_NOT_FOUND);
    else
        SetErrorFromErrno(error);
}

}  // namespace

int OpenRegularFile(const std::string& path, int flags)
{
    // Without O_NONBLOCK a named pipe would hold the open until the other
    // end comes, which may be never.
    const int descriptor = ::open(path.c_str(), flags | O_NONBLOCK | O_CLOEXEC, 0666);
    if (descriptor < 0)
        return -1;
    struct stat status {};
    if (fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        close(descriptor);
        errno = EINVAL;
        return -1;
    }
    fcntl(descriptor, F_SETFL, fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
    return descriptor;
}

bool ReadRegularFile(const std::string& path, std::string& content)
{
    const int descriptor = OpenRegularFile(path, O_RDONLY);
    if (descriptor < 0)
        return false;
    content.clear();
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(descriptor, buffer, sizeof(buffer));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            const int error = errno;
            close(descriptor);
            errno = error;
            return got == 0;
        }
        content.append(buffer, static_cast<size_t>(got));
    }
}

bool IsRegularOrNewFile(const std::string& path)
{
    struct stat status {};
    if (stat(path.c_str(), &status) == 0)
        return S_ISREG(status.st_mode);
    return errno == ENOENT;
}

}  // namespace host

using host::File;
using host::FindHandle;

HANDLE CreateFileW(LPCWSTR fileName, DWORD access, DWORD, LPSECURITY_ATTRIBUTES, DWORD creation, DWORD, HANDLE)
{
    const int flags = host::OpenFlags(access, creation);
    if (!fileName || flags < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    if (host::IsPipeName(fileName)) {
        if (access != GENERIC_WRITE || creation != OPEN_EXISTING) {
            SetLastError(ERROR_ACCESS_DENIED);  // the pipes are inbound
            return INVALID_HANDLE_VALUE;
        }
        return host::OpenPipeWriteEnd(fileName);
    }
    const std::string path = host::HostPath(fileName);
    // Windows does not open folders as files.
    if (host::IsFolder(path)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return INVALID_HANDLE_VALUE;
    }
    const bool existed = ::access(path.c_str(), F_OK) == 0;
    const int descriptor = host::OpenRegularFile(path, flags);
    if (descriptor < 0) {
        if (errno == EINVAL)
            SetLastError(ERROR_ACCESS_DENIED);
        else
            host::SetOpenError(path, errno);
        return INVALID_HANDLE_VALUE;
    }
    const bool createsAlways = creation == CREATE_ALWAYS || creation == OPEN_ALWAYS;
    SetLastError(createsAlways && existed ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    return host::AddHandle(std::make_unique<File>(descriptor));
}

BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD toRead, LPDWORD read, LPOVERLAPPED overlapped)
{
    if (const std::optional<BOOL> fromPipe = host::ReadPipe(file, buffer, toRead, read, overlapped))
        return *fromPipe;
    if (!buffer && toRead) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return host::MoveAll(file, toRead, read, [buffer](int descriptor, DWORD offset, DWORD count) {
        return ::read(descriptor, static_cast<uint8_t*>(buffer) + offset, count);
    });
}

BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD toWrite, LPDWORD written, LPOVERLAPPED)
{
    if (!buffer && toWrite) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return host::MoveAll(file, toWrite, written, [buffer](int descriptor, DWORD offset, DWORD count) {
        return ::write(descriptor, static_cast<const uint8_t*>(buffer) + offset, count);
    });
}

DWORD SetFilePointer(HANDLE file, LONG distance, PLONG distanceHigh, DWORD method)
{
    const File* target = FindHandle<File>(file);
    if (!target) {
        SetLastError(ERROR_INVALID_HANDLE);
        return INVALID_SET_FILE_POINTER;
    }
    if (method > FILE_END) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_SET_FILE_POINTER;
    }
    // Without a high part the distance is a signed 32-bit value.
    const int64_t offset =
        distanceHigh ? static_cast<int64_t>((static_cast<uint64_t>(static_cast<uint32_t>(*distanceHigh)) << 32) |
                                            static_cast<uint32_t>(distance))
                     : distance;
    const int whence[] = {SEEK_SET, SEEK_CUR, SEEK_END};
    const off_t before = lseek(target->Descriptor(), 0, SEEK_CUR);
    const off_t after = lseek(target->Descriptor(), offset, whence[method]);
    if (after < 0) {
        SetLastError(errno == EINVAL ? ERROR_NEGATIVE_SEEK : ERROR_INVALID_PARAMETER);
        return INVALID_SET_FILE_POINTER;
    }
    // A position that the low part alone cannot report is refused.
    if (!distanceHigh && static_cast<uint64_t>(after) >= INVALID_SET_FILE_POINTER) {
        lseek(target->Descriptor(), before, SEEK_SET);
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_SET_FILE_POINTER;
    }
    if (distanceHigh)
        *distanceHigh = static_cast<LONG>(static_cast<uint64_t>(after) >> 32);
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(after);
}

DWORD GetFileSize(HANDLE file, LPDWORD sizeHigh)
{
    const File* target = FindHandle<File>(file);
    struct stat status {};
    if (!target || fstat(target->Descriptor(), &status) != 0) {
        SetLastError(ERROR_INVALID_HANDLE);
        return INVALID_FILE_SIZE;
    }
    const uint64_t size = static_cast<uint64_t>(status.st_size);
    if (sizeHigh)
        *sizeHigh = static_cast<DWORD>(size >> 32);
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(size);
}

BOOL DeleteFileW(LPCWSTR fileName)
{
    if (!fileName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const std::string path = host::HostPath(fileName);
    if (host::IsFolder(path)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (unlink(path.c_str()) != 0) {
        host::SetErrorFromErrno(errno);
        return FALSE;
    }
    return TRUE;
}
