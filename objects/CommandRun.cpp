#include "objects/CommandRun.h"

CommandRun::CommandRun() : output_(CommandOutput::kMostBytes), errors_(kMostErrorBytes) {}

CommandRun::~CommandRun()
{
    if (!process_.hProcess)
        return;
    if (!ended_)
        Stop();
    CloseHandle(process_.hProcess);
}

bool CommandRun::Start(WCHAR* commandLine)
{
    HANDLE outputEnd = INVALID_HANDLE_VALUE;
    HANDLE errorEnd = INVALID_HANDLE_VALUE;
    bool started = output_.Create(outputEnd) && errors_.Create(errorEnd);
    if (started) {
        STARTUPINFOW startup = {};
        startup.cb = sizeof(startup);
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = nullptr;  // nothing to read: the program must not wait for input
        startup.hStdOutput = outputEnd;
        startup.hStdError = errorEnd;
        started = CreateProcessW(nullptr, commandLine, nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr,
                                 &startup, &process_) != FALSE;
    }
    // Only the child may hold the write ends, or the pipes would never end.
    if (outputEnd != INVALID_HANDLE_VALUE)
        CloseHandle(outputEnd);
    if (errorEnd != INVALID_HANDLE_VALUE)
        CloseHandle(errorEnd);
    if (!started) {
        process_ = {};
        return false;
    }
    CloseHandle(process_.hThread);
    output_.Start();
    errors_.Start();
    return true;
}

void CommandRun::AppendHandles(std::vector<HANDLE>& handles) const
{
    if (!ended_)
        handles.push_back(process_.hProcess);
    for (const PipeReader* pipe : {&output_, &errors_}) {
        if (HANDLE event = pipe->PendingEvent())
            handles.push_back(event);
    }
}

void CommandRun::Take(HANDLE handle)
{
    if (handle == output_.PendingEvent())
        output_.Signalled();
    else if (handle == errors_.PendingEvent())
        errors_.Signalled();
    else if (handle == process_.hProcess && !ended_) {
        DWORD code = STILL_ACTIVE;
        if (GetExitCodeProcess(process_.hProcess, &code) && code != STILL_ACTIVE) {
            ended_ = true;
            exitCode_ = code;
        }
    }
}

void CommandRun::Stop()
{
    // Also when the program has ended: on Linux this ends what it started
    // and left holding the pipes.
    TerminateProcess(process_.hProcess, 1);
}
