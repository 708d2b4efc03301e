// The read end of a pipe that a child process writes to, read without ever
// blocking the panel: a named pipe (anonymous pipes cannot be read
// overlapped) whose overlapped reads signal an event that the program's
// message loop waits for. What is read goes into a CommandOutput.
#pragma once

#include "objects/CommandOutput.h"
#include "platform/win32.h"

class PipeReader {
public:
    // Keeps at most `mostBytes` of what is read.
    explicit PipeReader(UINT mostBytes);
    ~PipeReader();
    PipeReader(const PipeReader&) = delete;
    PipeReader& operator=(const PipeReader&) = delete;

    // Makes the pipe and opens its write end, inheritable, for the child;
    // the caller closes that handle once the child is started. False (with
    // the last error) when the pipe cannot be made.
    bool Create(HANDLE& writeEnd);
    // Starts reading: from now on the event is signalled whenever a read
    // completes.
    void Start();

    // The event to wait for while a read is under way, else null.
    HANDLE PendingEvent() const { return reading_ ? event_ : nullptr; }
    // The event was signalled: keeps what was read and reads on.
    void Signalled();
    // Every write end is closed (or reading failed): nothing more comes.
    bool Ended() const { return ended_; }

    const CommandOutput& Output() const { return output_; }

private:
    // Starts the next read: Ended() when the pipe has ended.
    void ReadOn();

    HANDLE pipe_ = INVALID_HANDLE_VALUE;
    HANDLE event_ = nullptr;
    OVERLAPPED overlapped_ = {};
    bool reading_ = false;
    bool ended_ = false;
    CommandOutput output_;
    BYTE buffer_[16 * 1024];
};
