// CreateNamedPipeW and GetOverlappedResult; ReadFile on a pipe's read end and
// CreateFileW of its name (the write end) come here from kernel/file.cpp.
//
// A pipe is an inbound byte pipe of the system, made when the read end is:
// the write end waits in the pipe until CreateFileW takes it (one instance,
// one writer). The read end never blocks the program: an overlapped read
// that finds nothing stays pending with the read end as a wake source of
// the display, and completes, signalling its event, when data or the end
// comes. Every descriptor is close-on-exec; a child gets the write end only
// as a standard handle (kernel/process.cpp).
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <utility>
#include <vector>

#include "platform/host/display/WakeSources.h"
#include "platform/host/kernel/KernelObject.h"
#include "platform/host/kernel/error.h"
#include "platform/host/kernel/event.h"
#include "platform/host/kernel/pipe.h"

namespace host {
namespace {

// The NTSTATUS values an OVERLAPPED holds in Internal.
constexpr ULONG_PTR kStatusSuccess = 0;
constexpr ULONG_PTR kStatusPending = 0x103;
constexpr ULONG_PTR kStatusPipeBroken = 0xC000014B;
constexpr ULONG_PTR kStatusCancelled = 0xC0000120;

class PipeReadEnd;

std::vector<PipeReadEnd*>& Pipes()
{
    static std::vector<PipeReadEnd*> pipes;
    return pipes;
}

void TakePipeInput();

class PipeReadEnd final : public KernelObject {
public:
    PipeReadEnd(std::u16string name, int readEnd, int writeEnd, bool overlapped)
        : name_(std::move(name)), readEnd_(readEnd), waitingWriteEnd_(writeEnd), overlapped_(overlapped)
    {
        Pipes().push_back(this);
    }

    ~PipeReadEnd() override
    {
        // A pending read is cancelled: its buffer is not touched again.
        RemoveWakeSource(readEnd_);
        close(readEnd_);
        if (waitingWriteEnd_ >= 0)
            close(waitingWriteEnd_);
        std::erase(Pipes(), this);
    }

    const std::u16string& Name() const { return name_; }
    bool Overlapped() const { return overlapped_; }
    int Descriptor() const { return readEnd_; }
    bool Pending() const { return pending_ != nullptr; }

    // The write end for CreateFileW; -1 when it was taken already.
    int TakeWriteEnd() { return std::exchange(waitingWriteEnd_, -1); }

    // One read() into the buffer: 1 for data, 0 at the end (every write end
    // closed), -1 when nothing is there yet.
    int ReadOnce(void* buffer, DWORD size, DWORD& count)
    {
        for (;;) {
            const ssize_t got = read(readEnd_, buffer, size);
            if (got >= 0) {
                count = static_cast<DWORD>(got);
                return got > 0 || size == 0 ? 1 : 0;
            }
            if (errno != EINTR)
                return -1;
        }
    }

    void StartPending(void* buffer, DWORD size, OVERLAPPED* overlapped)
    {
        pendingBuffer_ = buffer;
        pendingSize_ = size;
        pending_ = overlapped;
        AddWakeSource({readEnd_, &TakePipeInput, true});
    }

    // Completes the pending read (of `overlapped` when given) as cancelled;
    // false when there is no such read.
    bool Cancel(const OVERLAPPED* overlapped)
    {
        if (!pending_ || (overlapped && overlapped != pending_))
            return false;
        OVERLAPPED* cancelled = std::exchange(pending_, nullptr);
        RemoveWakeSource(readEnd_);
        Complete(*cancelled, kStatusCancelled, 0);
        return true;
    }

    // Completes the pending read when data or the end is there.
    void TryPending()
    {
        if (!pending_)
            return;
        DWORD count = 0;
        const int got = ReadOnce(pendingBuffer_, pendingSize_, count);
        if (got < 0)
            return;
        OVERLAPPED* overlapped = std::exchange(pending_, nullptr);
        RemoveWakeSource(readEnd_);
        Complete(*overlapped, got > 0 ? kStatusSuccess : kStatusPipeBroken, count);
    }

    static void Complete(OVERLAPPED& overlapped, ULONG_PTR status, DWORD count)
    {
        overlapped.InternalHigh = count;
        overlapped.Internal = status;
        if (overlapped.hEvent)
            SetEventState(overlapped.hEvent, true);
    }

private:
    std::u16string name_;
    int readEnd_;
    int waitingWriteEnd_;
    bool overlapped_;
    OVERLAPPED* pending_ = nullptr;
    void* pendingBuffer_ = nullptr;
    DWORD pendingSize_ = 0;
};

class PipeWriteEnd final : public KernelObject {
public:
    explicit PipeWriteEnd(int descriptor) : descriptor_(descriptor) {}
    ~PipeWriteEnd() override { close(descriptor_); }
    int StandardDescriptor() const override { return descriptor_; }

private:
    int descriptor_;
};

void TakePipeInput()
{
    // Completing a read may lead nowhere else: the list stays as it is.
    for (PipeReadEnd* pipe : Pipes())
        pipe->TryPending();
}

// "\\.\pipe\NAME" with either separator; the name compared without case.
std::u16string PipeKey(LPCWSTR name)
{
    std::u16string key(name);
    for (char16_t& c : key) {
        if (c == u'/')
            c = u'\\';
        else if (c >= u'A' && c <= u'Z')
            c = static_cast<char16_t>(c - u'A' + u'a');
    }
    return key;
}

PipeReadEnd* FindPipe(const std::u16string& key)
{
    for (PipeReadEnd* pipe : Pipes()) {
        if (pipe->Name() == key)
            return pipe;
    }
    return nullptr;
}

BOOL ReadBlocking(PipeReadEnd& pipe, LPVOID buffer, DWORD toRead, LPDWORD read)
{
    DWORD count = 0;
    int got;
    while ((got = pipe.ReadOnce(buffer, toRead, count)) < 0) {
        pollfd wanted{pipe.Descriptor(), POLLIN, 0};
        poll(&wanted, 1, -1);
    }
    if (read)
        *read = count;
    if (got == 0) {
        SetLastError(ERROR_BROKEN_PIPE);
        return FALSE;
    }
    return TRUE;
}

BOOL ReadOverlapped(PipeReadEnd& pipe, LPVOID buffer, DWORD toRead, LPDWORD read, OVERLAPPED& overlapped)
{
    if (pipe.Pending()) {
        SetLastError(ERROR_INVALID_PARAMETER);  // one read at a time
        return FALSE;
    }
    if (overlapped.hEvent && !SetEventState(overlapped.hEvent, false))
        return FALSE;
    overlapped.Internal = kStatusPending;
    overlapped.InternalHigh = 0;
    DWORD count = 0;
    const int got = pipe.ReadOnce(buffer, toRead, count);
    if (got < 0) {
        pipe.StartPending(buffer, toRead, &overlapped);
        SetLastError(ERROR_IO_PENDING);
        return FALSE;
    }
    if (read)
        *read = count;
    if (got == 0) {
        overlapped.Internal = kStatusPipeBroken;
        SetLastError(ERROR_BROKEN_PIPE);
        return FALSE;
    }
    PipeReadEnd::Complete(overlapped, kStatusSuccess, count);
    return TRUE;
}

}  // namespace

bool IsPipeName(LPCWSTR name)
{
    return name && PipeKey(name).starts_with(u"\\\\.\\pipe\\");
}

HANDLE OpenPipeWriteEnd(LPCWSTR name)
{
    PipeReadEnd* pipe = FindPipe(PipeKey(name));
    if (!pipe) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    const int writeEnd = pipe->TakeWriteEnd();
    if (writeEnd < 0) {
        SetLastError(ERROR_PIPE_BUSY);
        return INVALID_HANDLE_VALUE;
    }
    return AddHandle(std::make_unique<PipeWriteEnd>(writeEnd));
}

std::optional<BOOL> ReadPipe(HANDLE handle, LPVOID buffer, DWORD toRead, LPDWORD read, LPOVERLAPPED overlapped)
{
    PipeReadEnd* pipe = FindHandle<PipeReadEnd>(handle);
    if (!pipe)
        return std::nullopt;
    if (read)
        *read = 0;
    if (!buffer && toRead) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    // A pipe opened for overlapped reads takes only those, as on Windows.
    if (pipe->Overlapped() != (overlapped != nullptr)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return overlapped ? ReadOverlapped(*pipe, buffer, toRead, read, *overlapped)
                      : ReadBlocking(*pipe, buffer, toRead, read);
}

}  // namespace host

HANDLE CreateNamedPipeW(LPCWSTR name, DWORD openMode, DWORD pipeMode, DWORD maxInstances, DWORD, DWORD, DWORD,
                        LPSECURITY_ATTRIBUTES)
{
    using namespace host;
    constexpr DWORD kKnownModes = PIPE_ACCESS_INBOUND | FILE_FLAG_OVERLAPPED | FILE_FLAG_FIRST_PIPE_INSTANCE;
    // Inbound byte pipes of one instance only: what the program needs.
    if (!IsPipeName(name) || (openMode & ~kKnownModes) != 0 || !(openMode & PIPE_ACCESS_INBOUND) ||
        (pipeMode & ~DWORD{PIPE_REJECT_REMOTE_CLIENTS}) != 0 || maxInstances != 1) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    std::u16string key = PipeKey(name);
    if (FindPipe(key)) {
        SetLastError(ERROR_ACCESS_DENIED);  // Windows' answer for a first instance that exists
        return INVALID_HANDLE_VALUE;
    }
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0) {
        SetErrorFromErrno(errno);
        return INVALID_HANDLE_VALUE;
    }
    // Only the read end is non-blocking: the writer is a child that expects
    // an ordinary stdout.
    fcntl(ends[0], F_SETFL, fcntl(ends[0], F_GETFL) | O_NONBLOCK);
    return AddHandle(std::make_unique<PipeReadEnd>(std::move(key), ends[0], ends[1],
                                                   (openMode & FILE_FLAG_OVERLAPPED) != 0));
}

BOOL GetOverlappedResult(HANDLE file, LPOVERLAPPED overlapped, LPDWORD transferred, BOOL wait)
{
    using namespace host;
    if (!overlapped || !transferred) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (overlapped->Internal == kStatusPending) {
        PipeReadEnd* pipe = FindHandle<PipeReadEnd>(file);
        if (!wait || !pipe || !pipe->Pending()) {
            SetLastError(ERROR_IO_INCOMPLETE);
            return FALSE;
        }
        while (pipe->Pending()) {
            pollfd wanted{pipe->Descriptor(), POLLIN, 0};
            poll(&wanted, 1, -1);
            pipe->TryPending();
        }
    }
    *transferred = static_cast<DWORD>(overlapped->InternalHigh);
    if (overlapped->Internal == kStatusSuccess)
        return TRUE;
    SetLastError(overlapped->Internal == kStatusCancelled ? ERROR_OPERATION_ABORTED : ERROR_BROKEN_PIPE);
    return FALSE;
}

BOOL CancelIoEx(HANDLE file, LPOVERLAPPED overlapped)
{
    host::PipeReadEnd* pipe = host::FindHandle<host::PipeReadEnd>(file);
    if (!pipe) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (!pipe->Cancel(overlapped)) {
        SetLastError(ERROR_NOT_FOUND);
        return FALSE;
    }
    return TRUE;
}
