// FindFirstChangeNotificationW and its companions over inotify.
//
// One inotify descriptor serves the process; it is a wake source of the
// display, so a wait for messages also ends when a watched folder changes,
// without polling. Reading its events marks the handles of the folder
// signalled until FindNextChangeNotification rearms them. Two handles on one
// folder share the kernel's watch, which goes when the last handle closes.
// A folder that is deleted or moved away signals its handles once more; they
// then stay quiet.
#include <sys/inotify.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <vector>

#include "platform/host/Reset.h"
#include "platform/host/display/WakeSources.h"
#include "platform/host/kernel/KernelObject.h"
#include "platform/host/kernel/change.h"
#include "platform/host/kernel/error.h"
#include "platform/host/kernel/unicode.h"
#include "platform/host/testing.h"

namespace host {
namespace {

class ChangeNotification;

struct Watching {
    int descriptor = -1;
    bool disabled = false;
    int limit = -1;  // the tests' stand-in for the system's limit of watches; -1: none
    std::vector<ChangeNotification*> notifications;
};

Watching& State()
{
    static Watching watching;
    return watching;
}

class ChangeNotification final : public Waitable {
public:
    explicit ChangeNotification(int watch) : watch_(watch) { State().notifications.push_back(this); }

    ~ChangeNotification() override
    {
        Watching& state = State();
        std::erase(state.notifications, this);
        const bool shared = std::any_of(state.notifications.begin(), state.notifications.end(),
                                        [this](const ChangeNotification* other) { return other->watch_ == watch_; });
        if (watch_ >= 0 && !shared && state.descriptor >= 0)
            inotify_rm_watch(state.descriptor, watch_);
    }

    int Watch() const { return watch_; }
    void Forget() { watch_ = -1; }
    bool Signalled() override { return signalled; }

    bool signalled = false;

private:
    int watch_;  // -1: never signalled
};

void TakeChanges()
{
    Watching& state = State();
    alignas(inotify_event) char buffer[16 * (sizeof(inotify_event) + NAME_MAX + 1)];
    for (;;) {
        const ssize_t length = read(state.descriptor, buffer, sizeof(buffer));
        if (length <= 0)
            return;
        for (ssize_t offset = 0; offset < length;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + offset);
            offset += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            // When the kernel's queue overflowed, any folder may have changed.
            const bool overflow = (event->mask & IN_Q_OVERFLOW) != 0;
            for (ChangeNotification* notification : state.notifications) {
                if (notification->Watch() < 0 || (!overflow && notification->Watch() != event->wd))
                    continue;
                notification->signalled = true;
                // The kernel has dropped the watch of a folder that went away.
                if (event->mask & IN_IGNORED)
                    notification->Forget();
            }
        }
    }
}

void CloseDescriptor()
{
    Watching& state = State();
    if (state.descriptor >= 0) {
        RemoveWakeSource(state.descriptor);
        close(state.descriptor);
    }
    state = {};
}

bool OpenDescriptor()
{
    Watching& state = State();
    if (state.descriptor >= 0)
        return true;
    AddResetHook(&CloseDescriptor);
    state.descriptor = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (state.descriptor < 0) {
        SetErrorFromErrno(errno);
        return false;
    }
    AddWakeSource({state.descriptor, &TakeChanges});
    return true;
}

uint32_t EventsFor(DWORD filter)
{
    uint32_t events = IN_DELETE_SELF | IN_MOVE_SELF;
    if (filter & (FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME))
        events |= IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO;
    if (filter & (FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE))
        events |= IN_MODIFY | IN_CLOSE_WRITE;
    if (filter & FILE_NOTIFY_CHANGE_ATTRIBUTES)
        events |= IN_ATTRIB;
    return events;
}

}  // namespace

void DisableFileWatching()
{
    AddResetHook(&CloseDescriptor);
    State().disabled = true;
}

namespace testing {

void LimitFileWatches(int watches)
{
    AddResetHook(&CloseDescriptor);
    State().limit = watches;
}

}  // namespace testing
}  // namespace host

HANDLE FindFirstChangeNotificationW(LPCWSTR pathName, BOOL watchSubtree, DWORD notifyFilter)
{
    using namespace host;
    if (!pathName || watchSubtree || EventsFor(notifyFilter) == (IN_DELETE_SELF | IN_MOVE_SELF)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    Watching& state = State();
    if (state.disabled)
        return AddHandle(std::make_unique<ChangeNotification>(-1));
    if (!OpenDescriptor())
        return INVALID_HANDLE_VALUE;
    const std::string folder = HostPath(pathName);
    if (state.limit >= 0 && static_cast<int>(state.notifications.size()) >= state.limit) {
        SetErrorFromErrno(ENOSPC);
        return INVALID_HANDLE_VALUE;
    }
    const int watch = inotify_add_watch(state.descriptor, folder.c_str(), EventsFor(notifyFilter) | IN_ONLYDIR);
    if (watch < 0) {
        SetErrorFromErrno(errno);
        return INVALID_HANDLE_VALUE;
    }
    return AddHandle(std::make_unique<ChangeNotification>(watch));
}

BOOL FindNextChangeNotification(HANDLE changeHandle)
{
    auto* notification = host::FindHandle<host::ChangeNotification>(changeHandle);
    if (!notification) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    notification->signalled = false;
    return TRUE;
}

BOOL FindCloseChangeNotification(HANDLE changeHandle)
{
    if (!host::FindHandle<host::ChangeNotification>(changeHandle)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return CloseHandle(changeHandle);
}
