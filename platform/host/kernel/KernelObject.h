// What a kernel HANDLE stands for (a file, a process). The handle table owns
// the objects; CloseHandle destroys one. Handles are never reused, so a
// stale handle finds nothing.
#pragma once

#include <memory>

#include "platform/win32.h"

namespace host {

class KernelObject {
public:
    virtual ~KernelObject() = default;
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
