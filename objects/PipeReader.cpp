#include "objects/PipeReader.h"

#include <iterator>

PipeReader::PipeReader(UINT mostBytes) : output_(mostBytes) {}

PipeReader::~PipeReader()
{
    if (reading_) {
        // The system may still write into the buffer until the read is
        // known to be cancelled.
        DWORD count = 0;
        CancelIoEx(pipe_, &overlapped_);
        GetOverlappedResult(pipe_, &overlapped_, &count, TRUE);
    }
    if (pipe_ != INVALID_HANDLE_VALUE)
        CloseHandle(pipe_);
    if (event_)
        CloseHandle(event_);
}

bool PipeReader::Create(HANDLE& writeEnd)
{
    // Names are unique in the process and, with its id, on the machine.
    static DWORD pipesMade = 0;
    WCHAR name[64];
    wsprintfW(name, TEXT("\\\\.\\pipe\\ostrevia-%u-%u"), static_cast<UINT>(GetCurrentProcessId()),
              static_cast<UINT>(++pipesMade));
    pipe_ = CreateNamedPipeW(name, PIPE_ACCESS_INBOUND | FILE_FLAG_OVERLAPPED | FILE_FLAG_FIRST_PIPE_INSTANCE,
                             PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS, 1, 0,
                             sizeof(buffer_), 0, nullptr);
    if (pipe_ == INVALID_HANDLE_VALUE)
        return false;
    event_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!event_)
        return false;
    SECURITY_ATTRIBUTES inherited = {sizeof(inherited), nullptr, TRUE};
    writeEnd = CreateFileW(name, GENERIC_WRITE, 0, &inherited, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    return writeEnd != INVALID_HANDLE_VALUE;
}

void PipeReader::Start()
{
    ReadOn();
}

void PipeReader::ReadOn()
{
    overlapped_ = {};
    overlapped_.hEvent = event_;
    // A read that completes at once signals the event too: it is taken in
    // Signalled() like any other.
    if (ReadFile(pipe_, buffer_, sizeof(buffer_), nullptr, &overlapped_) || GetLastError() == ERROR_IO_PENDING)
        reading_ = true;
    else
        ended_ = true;
}

void PipeReader::Signalled()
{
    if (!reading_)
        return;
    DWORD count = 0;
    if (!GetOverlappedResult(pipe_, &overlapped_, &count, FALSE)) {
        if (GetLastError() == ERROR_IO_INCOMPLETE)
            return;
        reading_ = false;
        ended_ = true;
        return;
    }
    reading_ = false;
    output_.Append(buffer_, count);
    ReadOn();
}
