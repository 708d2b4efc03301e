// GetIfTable and GetIfEntry over the system's interface table
// (InterfaceTable), or over the fake interfaces.
#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>

#include "platform/host/Reset.h"
#include "platform/host/kernel/InterfaceTable.h"
#include "platform/host/kernel/fakes.h"
#include "platform/host/kernel/unicode.h"
#include "platform/host/testing.h"

namespace host {
namespace {

struct SystemInterfaces {
    std::string root;  // empty: the system's own
    std::unique_ptr<InterfaceTable> table;
};

SystemInterfaces& TheSystem()
{
    static SystemInterfaces system;
    return system;
}

void ForgetSystem()
{
    TheSystem() = {};
}

InterfaceTable& SystemTable()
{
    SystemInterfaces& system = TheSystem();
    if (!system.table) {
        AddResetHook(&ForgetSystem);
        system.table = std::make_unique<InterfaceTable>(system.root + "/proc/net/dev", system.root + "/sys/class/net",
                                                        system.root.empty());
    }
    return *system.table;
}

MIB_IFROW FakeRow(DWORD index, const char* name, DWORD type, DWORD received, DWORD sent)
{
    MIB_IFROW row{};
    const std::u16string wide = ToUtf16(name);
    std::copy(wide.begin(), wide.end(), row.wszName);
    std::memcpy(row.bDescr, name, std::strlen(name));
    row.dwDescrLen = static_cast<DWORD>(std::strlen(name) + 1);
    row.dwIndex = index;
    row.dwType = type;
    row.dwMtu = 1500;
    row.dwAdminStatus = MIB_IF_ADMIN_STATUS_UP;
    row.dwOperStatus = MIB_IF_OPER_STATUS_OPERATIONAL;
    row.dwInOctets = received;
    row.dwOutOctets = sent;
    return row;
}

// The fake interfaces ("lo" and "eth0"), when the network is faked.
std::vector<MIB_IFROW> FakeRows(NetworkCounters& network)
{
    const DWORD now = GetTickCount();
    return {FakeRow(1, "lo", MIB_IF_TYPE_LOOPBACK, 0, 0),
            FakeRow(2, "eth0", MIB_IF_TYPE_ETHERNET, network.received.Read(now), network.sent.Read(now))};
}

}  // namespace

namespace testing {

void ReadSystemFrom(const std::string& root)
{
    ForgetSystem();
    TheSystem().root = root;
    AddResetHook(&ForgetSystem);
}

}  // namespace testing
}  // namespace host

DWORD GetIfTable(PMIB_IFTABLE table, PULONG size, BOOL order)
{
    if (!size)
        return ERROR_INVALID_PARAMETER;
    host::KernelFakes& fakes = host::Fakes();
    if (fakes.noNetwork)
        return ERROR_NOT_SUPPORTED;
    std::vector<MIB_IFROW> fakeRows;
    host::InterfaceTable* system = nullptr;
    if (fakes.network) {
        fakeRows = host::FakeRows(*fakes.network);
    } else {
        system = &host::SystemTable();
        if (!system->Read())
            return ERROR_NOT_SUPPORTED;
    }
    const size_t count = system ? system->Count() : fakeRows.size();
    const size_t needed = offsetof(MIB_IFTABLE, table) + count * sizeof(MIB_IFROW);
    if (!table || *size < needed) {
        *size = static_cast<ULONG>(needed);
        return ERROR_INSUFFICIENT_BUFFER;
    }
    for (size_t i = 0; i < count; ++i)
        table->table[i] = system ? system->Row(i) : fakeRows[i];
    table->dwNumEntries = static_cast<DWORD>(count);
    if (order)
        std::sort(table->table, table->table + count,
                  [](const MIB_IFROW& a, const MIB_IFROW& b) { return a.dwIndex < b.dwIndex; });
    return NO_ERROR;
}

DWORD GetIfEntry(PMIB_IFROW row)
{
    if (!row)
        return ERROR_INVALID_PARAMETER;
    host::KernelFakes& fakes = host::Fakes();
    if (fakes.noNetwork)
        return ERROR_NOT_SUPPORTED;
    if (fakes.network) {
        for (const MIB_IFROW& fake : host::FakeRows(*fakes.network)) {
            if (fake.dwIndex == row->dwIndex) {
                *row = fake;
                return NO_ERROR;
            }
        }
        return ERROR_INVALID_DATA;
    }
    const MIB_IFROW* found = host::SystemTable().ReadOne(row->dwIndex);
    if (!found)
        return ERROR_INVALID_DATA;
    *row = *found;
    return NO_ERROR;
}
