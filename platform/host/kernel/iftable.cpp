// GetIfTable over /proc/net/dev and /sys/class/net, or the fake interfaces.
//
// /proc/net/dev: two header lines, then one line per interface:
//   "  eth0: RX bytes packets errs drop fifo frame compressed multicast
//            TX bytes packets errs drop fifo colls carrier compressed"
// An interface's name holds no ":" (the kernel refuses such names).
#include "platform/host/kernel/iftable.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <sstream>

#include "platform/host/kernel/fakes.h"
#include "platform/host/kernel/ProcFile.h"
#include "platform/host/kernel/unicode.h"

namespace {

constexpr int kCounterFields = 16;
constexpr unsigned long kUp = 0x1;        // IFF_UP
constexpr unsigned long kLoopback = 0x8;  // IFF_LOOPBACK
constexpr long kArpEther = 1;             // ARPHRD_ETHER
constexpr long kArpPpp = 512;             // ARPHRD_PPP
constexpr long kArpLoopback = 772;        // ARPHRD_LOOPBACK

// One interface's folder under /sys/class/net: one value a file.
class InterfaceFolder {
public:
    explicit InterfaceFolder(std::string folder) : m_folder(std::move(folder)) {}

    std::string Text(const char* attribute) const
    {
        host::ProcFile file(m_folder + "/" + attribute);
        const std::string_view text = file.Read();
        return std::string(text.substr(0, text.find('\n')));
    }

    // Decimal, or hexadecimal with "0x"; nothing for an absent or bad value.
    std::optional<long> Number(const char* attribute) const
    {
        const std::string text = Text(attribute);
        char* end = nullptr;
        errno = 0;
        const long value = std::strtol(text.c_str(), &end, 0);
        if (text.empty() || *end != 0 || errno != 0)
            return std::nullopt;
        return value;
    }

    bool Has(const char* entry) const { return access((m_folder + "/" + entry).c_str(), F_OK) == 0; }

private:
    std::string m_folder;
};

void SetName(MIB_IFROW& row, const std::string& name)
{
    const std::u16string wide = host::ToUtf16(name);
    const size_t characters = std::min<size_t>(wide.size(), MAX_INTERFACE_NAME_LEN - 1);
    std::copy_n(wide.begin(), characters, row.wszName);
    const size_t bytes = std::min<size_t>(name.size(), MAXLEN_IFDESCR - 1);
    std::memcpy(row.bDescr, name.data(), bytes);
    row.dwDescrLen = static_cast<DWORD>(bytes + 1);
}

DWORD InterfaceType(const InterfaceFolder& folder, unsigned long flags)
{
    const long type = folder.Number("type").value_or(0);
    if ((flags & kLoopback) || type == kArpLoopback)
        return MIB_IF_TYPE_LOOPBACK;
    if (type == kArpEther)
        return folder.Has("wireless") ? IF_TYPE_IEEE80211 : MIB_IF_TYPE_ETHERNET;
    return type == kArpPpp ? MIB_IF_TYPE_PPP : MIB_IF_TYPE_OTHER;
}

void SetAttributes(MIB_IFROW& row, const InterfaceFolder& folder, DWORD position)
{
    row.dwIndex = static_cast<DWORD>(folder.Number("ifindex").value_or(position));
    const unsigned long flags = static_cast<unsigned long>(folder.Number("flags").value_or(0));
    row.dwType = InterfaceType(folder, flags);
    row.dwMtu = static_cast<DWORD>(std::max(0L, folder.Number("mtu").value_or(0)));
    // Megabits per second; virtual links report -1.
    row.dwSpeed = static_cast<DWORD>(std::clamp(folder.Number("speed").value_or(0), 0L, 4294L) * 1000000);
    row.dwAdminStatus = (flags & kUp) ? MIB_IF_ADMIN_STATUS_UP : MIB_IF_ADMIN_STATUS_DOWN;
    // Links without carrier detection (loopback, tunnels) report "unknown".
    const std::string state = folder.Text("operstate");
    const bool working = (flags & kUp) && (state == "up" || state == "unknown");
    row.dwOperStatus = working ? MIB_IF_OPER_STATUS_OPERATIONAL : MIB_IF_OPER_STATUS_NON_OPERATIONAL;
}

void SetCounters(MIB_IFROW& row, const unsigned long long (&counters)[kCounterFields])
{
    // Cut to 32 bits on purpose: the table's counters wrap there.
    row.dwInOctets = static_cast<DWORD>(counters[0]);
    row.dwInUcastPkts = static_cast<DWORD>(counters[1] - std::min(counters[1], counters[7]));
    row.dwInNUcastPkts = static_cast<DWORD>(counters[7]);
    row.dwInErrors = static_cast<DWORD>(counters[2]);
    row.dwInDiscards = static_cast<DWORD>(counters[3]);
    row.dwOutOctets = static_cast<DWORD>(counters[8]);
    row.dwOutUcastPkts = static_cast<DWORD>(counters[9]);
    row.dwOutErrors = static_cast<DWORD>(counters[10]);
    row.dwOutDiscards = static_cast<DWORD>(counters[11]);
}

MIB_IFROW FakeRow(DWORD index, const char* name, DWORD type, DWORD received, DWORD sent)
{
    MIB_IFROW row{};
    SetName(row, name);
    row.dwIndex = index;
    row.dwType = type;
    row.dwMtu = 1500;
    row.dwAdminStatus = MIB_IF_ADMIN_STATUS_UP;
    row.dwOperStatus = MIB_IF_OPER_STATUS_OPERATIONAL;
    row.dwInOctets = received;
    row.dwOutOctets = sent;
    return row;
}

std::optional<std::vector<MIB_IFROW>> Interfaces()
{
    host::KernelFakes& fakes = host::Fakes();
    if (fakes.noNetwork)
        return std::nullopt;
    if (auto& network = fakes.network) {
        const DWORD now = GetTickCount();
        return std::vector<MIB_IFROW>{
            FakeRow(1, "lo", MIB_IF_TYPE_LOOPBACK, 0, 0),
            FakeRow(2, "eth0", MIB_IF_TYPE_ETHERNET, network->received.Read(now), network->sent.Read(now)),
        };
    }
    return host::ReadInterfaces("/proc/net/dev", "/sys/class/net");
}

}  // namespace

namespace host {

std::optional<std::vector<MIB_IFROW>> ReadInterfaces(const std::string& counters, const std::string& attributes)
{
    ProcFile file(counters);
    const std::string_view text = file.Read();
    if (text.empty())
        return std::nullopt;
    std::vector<MIB_IFROW> rows;
    std::istringstream lines{std::string(text)};
    std::string line;
    while (std::getline(lines, line)) {
        const size_t colon = line.find(':');
        if (colon == std::string::npos)
            continue;
        const size_t start = line.find_first_not_of(' ');
        const std::string name = line.substr(start, colon - start);
        std::istringstream fields(line.substr(colon + 1));
        unsigned long long values[kCounterFields] = {};
        int read = 0;
        while (read < kCounterFields && fields >> values[read])
            ++read;
        if (name.empty() || name.find_first_of(" /") != std::string::npos || read < kCounterFields)
            continue;
        MIB_IFROW row{};
        SetName(row, name);
        SetAttributes(row, InterfaceFolder(attributes + "/" + name), static_cast<DWORD>(rows.size() + 1));
        SetCounters(row, values);
        rows.push_back(row);
    }
    return rows;
}

}  // namespace host

DWORD GetIfTable(PMIB_IFTABLE table, PULONG size, BOOL order)
{
    if (!size)
        return ERROR_INVALID_PARAMETER;
    std::optional<std::vector<MIB_IFROW>> rows = Interfaces();
    if (!rows)
        return ERROR_NOT_SUPPORTED;
    const size_t needed = offsetof(MIB_IFTABLE, table) + rows->size() * sizeof(MIB_IFROW);
    if (!table || *size < needed) {
        *size = static_cast<ULONG>(needed);
        return ERROR_INSUFFICIENT_BUFFER;
    }
    if (order)
        std::sort(rows->begin(), rows->end(),
                  [](const MIB_IFROW& a, const MIB_IFROW& b) { return a.dwIndex < b.dwIndex; });
    table->dwNumEntries = static_cast<DWORD>(rows->size());
    std::copy(rows->begin(), rows->end(), table->table);
    return NO_ERROR;
}
