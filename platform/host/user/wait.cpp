// MsgWaitForMultipleObjects: waitable handles (change notifications, events,
// processes) and messages together. With neither, it waits on the display
// (which also wakes for file changes, pipes, ended children and signals)
// until the next timer is due or the time is up: no polling.
#include "platform/host/display/Display.h"
#include "platform/host/display/WakeSources.h"
#include "platform/host/kernel/KernelObject.h"
#include "platform/host/user/MessageQueue.h"

namespace host::user {
namespace {

enum class Signal { None, Handle, Invalid };

Signal FirstSignalled(DWORD count, const HANDLE* handles, DWORD& index)
{
    for (index = 0; index < count; ++index) {
        Waitable* object = FindHandle<Waitable>(handles[index]);
        if (!object)
            return Signal::Invalid;
        if (object->Signalled()) {
            object->Satisfied();
            return Signal::Handle;
        }
    }
    return Signal::None;
}

}  // namespace
}  // namespace host::user

DWORD MsgWaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD milliseconds, DWORD wakeMask)
{
    using namespace host::user;
    // Windows takes at most 63 handles (MAXIMUM_WAIT_OBJECTS, less one slot
    // for the message queue).
    if ((count > 0 && !handles) || waitAll || count > 63) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return WAIT_FAILED;
    }
    host::Display& display = host::TheDisplay();
    // What came meanwhile (a pipe's data, a child's end, a file change) is
    // taken first, as the system would have taken it: even a wait of 0 ms
    // sees it.
    if (host::HasWakeSources())
        host::WaitForInput(-1, 0);
    std::optional<uint64_t> until;
    if (milliseconds != INFINITE)
        until = display.Now() + milliseconds;
    for (;;) {
        DWORD index = 0;
        switch (FirstSignalled(count, handles, index)) {
        case Signal::Handle:
            return WAIT_OBJECT_0 + index;
        case Signal::Invalid:
            SetLastError(ERROR_INVALID_HANDLE);
            return WAIT_FAILED;
        case Signal::None:
            break;
        }
        MSG msg;
        if (wakeMask != 0 && Retrieve(msg, {}, false, display.Now()) != Retrieval::TimedOut)
            return WAIT_OBJECT_0 + count;
        if (until && display.Now() >= *until)
            return WAIT_TIMEOUT;
        std::optional<uint64_t> deadline = NextTimerDue({});
        if (until && (!deadline || *until < *deadline))
            deadline = until;
        display.Wait(deadline);
    }
}
