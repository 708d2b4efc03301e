// Files over POSIX: CreateFileW, ReadFile, WriteFile, SetFilePointer,
// GetFileSize, DeleteFileW. Names may use "\" or "/" as separators. Only
// regular files open: a pipe, a device or a folder fails as Windows fails it.
// A small file opened for reading alone is read whole when it opens, and its
// reads and seeks are served from memory: the configuration is read line by
// line, a read and a seek back per line, which would otherwise cost several
// system calls a line at every start.
// The program's own named pipes ("\\.\pipe\NAME") are kernel/pipe.cpp's.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
#include <string>

#include "platform/host/kernel/file.h"

#include "platform/host/kernel/KernelObject.h"
#include "platform/host/kernel/error.h"
#include "platform/host/kernel/pipe.h"
#include "platform/host/kernel/unicode.h"

namespace host {
namespace {

constexpr off_t kLargestHeldFile = 1 << 20;

class File final : public KernelObject {
public:
    explicit File(int descriptor) : descriptor_(descriptor) {}
    ~File() override { close(descriptor_); }
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    // Reads the whole file into memory when it is small; false (nothing
    // held) otherwise or when it cannot be read.
    bool Hold()
    {
        struct stat status {};
        if (fstat(descriptor_, &status) != 0 || status.st_size > kLargestHeldFile)
            return false;
        std::string content(static_cast<size_t>(status.st_size), '\0');
        size_t got = 0;
        while (got < content.size()) {
            const ssize_t step = pread(descriptor_, content.data() + got, content.size() - got, off_t(got));
            if (step < 0 && errno == EINTR)
                continue;
            if (step <= 0)
                break;
            got += size_t(step);
        }
        content.resize(got);
        held_ = std::move(content);
        return true;
    }
    std::optional<std::string>& Held() { return held_; }
    off_t& Position() { return position_; }

    int Descriptor() const { return descriptor_; }
    // A child reads on from where the program stands.
    int StandardDescriptor() const override
    {
        if (held_)
            lseek(descriptor_, position_, SEEK_SET);
        return descriptor_;
    }

private:
    int descriptor_;
    std::optional<std::string> held_;  // the bytes of a held file
    off_t position_ = 0;               // the position in them
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
    auto opened = std::make_unique<host::File>(descriptor);
    if (access == GENERIC_READ)
        opened->Hold();
    SetLastError(createsAlways && existed ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    return host::AddHandle(std::move(opened));
}

BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD toRead, LPDWORD read, LPOVERLAPPED overlapped)
{
    if (const std::optional<BOOL> fromPipe = host::ReadPipe(file, buffer, toRead, read, overlapped))
        return *fromPipe;
    if (!buffer && toRead) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (host::File* held = host::FindHandle<host::File>(file); held && held->Held()) {
        const std::string& content = *held->Held();
        off_t& position = held->Position();
        const size_t from = std::min(content.size(), static_cast<size_t>(position));
        const size_t count = std::min<size_t>(toRead, content.size() - from);
        if (count)
            memcpy(buffer, content.data() + from, count);
        position += off_t(count);
        if (read)
            *read = static_cast<DWORD>(count);
        return TRUE;
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
    File* target = FindHandle<File>(file);
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
    const std::optional<std::string>& held = target->Held();
    const off_t before = held ? target->Position() : lseek(target->Descriptor(), 0, SEEK_CUR);
    off_t after = -1;
    if (!held) {
        after = lseek(target->Descriptor(), offset, whence[method]);
    } else {
        const off_t base[] = {0, before, static_cast<off_t>(held->size())};
        after = base[method] + offset;
        errno = EINVAL;
    }
    if (after < 0) {
        SetLastError(errno == EINVAL ? ERROR_NEGATIVE_SEEK : ERROR_INVALID_PARAMETER);
        return INVALID_SET_FILE_POINTER;
    }
    // A position that the low part alone cannot report is refused.
    if (!distanceHigh && static_cast<uint64_t>(after) >= INVALID_SET_FILE_POINTER) {
        if (!held)
            lseek(target->Descriptor(), before, SEEK_SET);
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_SET_FILE_POINTER;
    }
    if (held)
        target->Position() = after;
    if (distanceHigh)
        *distanceHigh = static_cast<LONG>(static_cast<uint64_t>(after) >> 32);
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(after);
}

DWORD GetFileSize(HANDLE file, LPDWORD sizeHigh)
{
    File* target = FindHandle<File>(file);
    struct stat status {};
    if (!target || (!target->Held() && fstat(target->Descriptor(), &status) != 0)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return INVALID_FILE_SIZE;
    }
    const uint64_t size = target->Held() ? target->Held()->size() : static_cast<uint64_t>(status.st_size);
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
