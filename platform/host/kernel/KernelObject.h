// What a kernel HANDLE stands for (a file, a pipe, a process). The handle table owns
// the objects; CloseHandle destroys one. Handles are never reused, so a
// stale handle finds nothing.
#pragma once

#include <memory>

#include "platform/win32.h"

namespace host {

class KernelObject {
public:
    virtual ~KernelObject() = default;
    // The descriptor that a child process gets when the handle is one of its
    // standard handles; -1 when it cannot be one.
    virtual int StandardDescriptor() const { return -1; }
};

// An object that MsgWaitForMultipleObjects can wait for: a change
// notification, an event, a process.
class Waitable : public KernelObject {
public:
    // Whether the object is signalled now. A wait that is satisfied by an
    // auto-reset object calls Satisfied() for it.
    virtual bool Signalled() = 0;
    virtual void Satisfied() {}
};

HANDLE AddHandle(std::unique_ptr<KernelObject> object);
// Null when the handle is unknown or closed.
KernelObject* FindKernelObject(HANDLE handle);

// The object of `handle` when it is a `Kind`, else null.
template <typename Kind>
Kind* FindHandle(HANDLE handle)
{
    return dynamic_cast<Kind*>(FindKernelObject(handle));
}

}  // namespace host
