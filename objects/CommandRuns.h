// The programs that COMMAND objects run, for the program's message loop: it
// waits for their handles beside its messages and hands each wake-up here.
// At most kMostAtOnce programs run at a time (a wait can take only so many
// handles); objects that ask for a run meanwhile wait their turn in order.
// Process-wide, like the panel window list; GUI thread only.
#pragma once

#include <vector>

#include "platform/win32.h"

class CommandText;

class CommandRuns {
public:
    // Three handles a run: 16 runs stay within the 63 handles that
    // MsgWaitForMultipleObjects takes, beside the file watcher's.
    static constexpr size_t kMostAtOnce = 16;

    // `text` asks for a run: started at once when there is room, else when
    // a run before it ends.
    static void Request(CommandText& text);
    // `text` goes away: forgotten, whether it runs or waits.
    static void Forget(CommandText& text);

    // The handles to wait for.
    static void AppendHandles(std::vector<HANDLE>& handles);
    // The milliseconds until the next run is out of time; INFINITE when
    // nothing runs.
    static DWORD Timeout();
    // After a wait: hands `signalled` (one of AppendHandles', or null) to the
    // runs, ends those that finished or are out of time, and starts those
    // that waited.
    static void Update(HANDLE signalled);

private:
    static void StartWaiting();
};
