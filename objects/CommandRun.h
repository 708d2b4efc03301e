// One run of a COMMAND object's program: started with its standard output
// and standard error on pipes and stdin on nothing, and followed without
// blocking: the program's message loop waits for the process handle and the
// pipes' events together with its messages, and hands what was signalled
// to Take. A run is finished when the program has ended and both pipes are
// closed (by it and by anything it started that kept them).
#pragma once

#include <vector>

#include "objects/PipeReader.h"
#include "platform/win32.h"

class CommandRun {
public:
    // The first this many bytes of standard error are kept; the rest of it
    // is read and thrown away like standard output's.
    static constexpr UINT kMostErrorBytes = 1024;

    CommandRun();
    // Ends the program if it still runs.
    ~CommandRun();
    CommandRun(const CommandRun&) = delete;
    CommandRun& operator=(const CommandRun&) = delete;

    // Starts `commandLine` (CreateProcessW's: the program, quoted, then its
    // parameters; it may be changed). False when it cannot start.
    bool Start(WCHAR* commandLine);
    // The handles to wait for now: the process until it has ended, and each
    // pipe's event while a read is under way.
    void AppendHandles(std::vector<HANDLE>& handles) const;
    // `handle`, one of AppendHandles' or any other, was signalled.
    void Take(HANDLE handle);
    bool Finished() const { return ended_ && output_.Ended() && errors_.Ended(); }
    // Ends the program and, where the platform can, what it started.
    void Stop();

    // The program's exit code once it has ended; STILL_ACTIVE before.
    DWORD ExitCode() const { return exitCode_; }
    const CommandOutput& Output() const { return output_.Output(); }
    const CommandOutput& Errors() const { return errors_.Output(); }

private:
    PROCESS_INFORMATION process_ = {};
    bool ended_ = false;
    DWORD exitCode_ = STILL_ACTIVE;
    PipeReader output_;
    PipeReader errors_;
};
