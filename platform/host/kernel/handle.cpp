// The kernel handle table and CloseHandle.
#include <unordered_map>

#include "platform/host/Reset.h"
#include "platform/host/kernel/KernelObject.h"

namespace host {
namespace {

struct Table {
    std::unordered_map<HANDLE, std::unique_ptr<KernelObject>> objects;
    uintptr_t lastHandle = 0x100;
};

Table& TheTable()
{
    static Table table;
    return table;
}

void CloseAll()
{
    TheTable().objects.clear();
}

}  // namespace

HANDLE AddHandle(std::unique_ptr<KernelObject> object)
{
    AddResetHook(&CloseAll);
    Table& table = TheTable();
    const HANDLE handle = reinterpret_cast<HANDLE>(table.lastHandle += 4);
    table.objects.emplace(handle, std::move(object));
    return handle;
}

KernelObject* FindKernelObject(HANDLE handle)
{
    const auto found = TheTable().objects.find(handle);
    return found == TheTable().objects.end() ? nullptr : found->second.get();
}

}  // namespace host

BOOL CloseHandle(HANDLE handle)
{
    if (host::TheTable().objects.erase(handle) == 0) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}
