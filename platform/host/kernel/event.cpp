// CreateEventW, SetEvent, ResetEvent: unnamed events that a wait sees.
#include "platform/host/kernel/KernelObject.h"
#include "platform/host/kernel/event.h"

namespace host {
namespace {

class Event final : public Waitable {
public:
    Event(bool manualReset, bool signalled) : manualReset_(manualReset), signalled_(signalled) {}

    bool Signalled() override { return signalled_; }
    void Satisfied() override
    {
        if (!manualReset_)
            signalled_ = false;
    }
    void Set(bool signalled) { signalled_ = signalled; }

private:
    bool manualReset_;
    bool signalled_;
};

}  // namespace

bool SetEventState(HANDLE event, bool signalled)
{
    Event* target = FindHandle<Event>(event);
    if (!target) {
        SetLastError(ERROR_INVALID_HANDLE);
        return false;
    }
    target->Set(signalled);
    return true;
}

}  // namespace host

HANDLE CreateEventW(LPSECURITY_ATTRIBUTES, BOOL manualReset, BOOL initialState, LPCWSTR name)
{
    // Named events are shared between processes; the host has none.
    if (name) {
        SetLastError(ERROR_NOT_SUPPORTED);
        return nullptr;
    }
    return host::AddHandle(std::make_unique<host::Event>(manualReset != FALSE, initialState != FALSE));
}

BOOL SetEvent(HANDLE event)
{
    return host::SetEventState(event, true);
}

BOOL ResetEvent(HANDLE event)
{
    return host::SetEventState(event, false);
}
