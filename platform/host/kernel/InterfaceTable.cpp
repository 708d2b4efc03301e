// /proc/net/dev: two header lines, then one line per interface:
//   "  eth0: RX bytes packets errs drop fifo frame compressed multicast
//            TX bytes packets errs drop fifo colls carrier compressed"
// An interface's name holds no ":" (the kernel refuses such names).
//
// /sys/class/net/NAME/: one value a file (ifindex, type, flags, mtu, speed,
// operstate), and a "wireless" folder for a wireless link.
#include "platform/host/kernel/InterfaceTable.h"

#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <unordered_map>

#include "platform/host/kernel/unicode.h"

namespace host {
namespace {

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
        ProcFile file(m_folder + "/" + attribute);
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

void SetName(MIB_IFROW& row, std::string_view name)
{
    const std::u16string wide = ToUtf16(std::string(name));
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

// "  eth0: 1 2 ..." as the interface's name and the text after the colon;
// false for a line that names no interface.
bool SplitLine(std::string_view line, std::string_view& name, std::string_view& counters)
{
    const size_t colon = line.find(':');
    if (colon == std::string_view::npos)
        return false;
    name = line.substr(0, colon);
    name.remove_prefix(std::min(name.size(), name.find_first_not_of(' ')));
    counters = line.substr(colon + 1);
    return !name.empty() && name.find_first_of(" /") == std::string_view::npos;
}

// The first kCounterFields numbers of `text`; false when there are fewer.
bool ParseCounters(std::string_view text, unsigned long long (&values)[16])
{
    const char* at = text.data();
    const char* const end = at + text.size();
    for (unsigned long long& value : values) {
        while (at < end && (*at == ' ' || *at == '\t'))
            ++at;
        const auto [next, failure] = std::from_chars(at, end, value);
        if (failure != std::errc())
            return false;
        at = next;
    }
    return true;
}

void SetCounters(MIB_IFROW& row, const unsigned long long (&counters)[16])
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

// Calls `take` with each line of `text`.
template <class Take>
void ForEachLine(std::string_view text, Take take)
{
    while (!text.empty()) {
        const size_t end = text.find('\n');
        take(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
}

}  // namespace

// The kernel's link notifications (netlink, RTMGRP_LINK): an interface that
// came, went, or changed its flags or state. Never waits.
class InterfaceTable::LinkWatch {
public:
    // Null when the system offers no such notifications.
    static std::unique_ptr<LinkWatch> Open()
    {
        const int socket = ::socket(AF_NETLINK, SOCK_RAW | SOCK_NONBLOCK | SOCK_CLOEXEC, NETLINK_ROUTE);
        if (socket < 0)
            return nullptr;
        sockaddr_nl address{};
        address.nl_family = AF_NETLINK;
        address.nl_groups = RTMGRP_LINK;
        if (bind(socket, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0) {
            close(socket);
            return nullptr;
        }
        return std::unique_ptr<LinkWatch>(new LinkWatch(socket));
    }
    ~LinkWatch() { close(socket_); }
    LinkWatch(const LinkWatch&) = delete;
    LinkWatch& operator=(const LinkWatch&) = delete;

    // Calls `changed` with the index of each link reported since the last
    // call, or with 0 when reports were lost (every link may have changed).
    template <class Changed>
    void Drain(Changed changed)
    {
        alignas(nlmsghdr) char buffer[8192];
        for (;;) {
            const ssize_t got = recv(socket_, buffer, sizeof(buffer), MSG_DONTWAIT);
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0 && errno == ENOBUFS) {
                changed(0);
                continue;
            }
            if (got <= 0)
                return;
            // The messages follow one another, each aligned; one whose
            // length does not fit what is left ends the walk.
            const size_t length = static_cast<size_t>(got);
            for (size_t offset = 0; offset + sizeof(nlmsghdr) <= length;) {
                auto* header = reinterpret_cast<nlmsghdr*>(buffer + offset);
                if (header->nlmsg_len < sizeof(nlmsghdr) || header->nlmsg_len > length - offset)
                    break;
                const bool aboutLink = header->nlmsg_type == RTM_NEWLINK || header->nlmsg_type == RTM_DELLINK;
                if (aboutLink && header->nlmsg_len >= NLMSG_LENGTH(sizeof(ifinfomsg)))
                    changed(static_cast<const ifinfomsg*>(NLMSG_DATA(header))->ifi_index);
                offset += NLMSG_ALIGN(header->nlmsg_len);
            }
        }
    }

private:
    explicit LinkWatch(int socket) : socket_(socket) {}
    int socket_;
};

InterfaceTable::InterfaceTable(std::string counters, std::string attributes, bool followLinks)
    : counters_(std::move(counters)),
      attributes_(std::move(attributes)),
      links_(followLinks ? LinkWatch::Open() : nullptr),
      rereadAlways_(followLinks && !links_)
{
}

InterfaceTable::~InterfaceTable() = default;

bool InterfaceTable::Read()
{
    const std::string_view text = counters_.Read();
    if (text.empty())
        return false;
    lines_.clear();
    ForEachLine(text, [this](std::string_view line) {
        Line parsed;
        std::string_view counters;
        if (SplitLine(line, parsed.name, counters) && ParseCounters(counters, parsed.values))
            lines_.push_back(parsed);
    });
    NoteLinkChanges();
    MatchEntries();
    for (size_t i = 0; i < entries_.size(); ++i) {
        Entry& entry = entries_[i];
        if (entry.stale)
            Describe(entry, static_cast<DWORD>(i + 1));
        SetCounters(entry.row, lines_[i].values);
    }
    return true;
}

const MIB_IFROW* InterfaceTable::ReadOne(DWORD index)
{
    const auto find = [this, index] {
        return std::find_if(entries_.begin(), entries_.end(),
                            [index](const Entry& entry) { return entry.row.dwIndex == index; });
    };
    if (entries_.empty() && !Read())
        return nullptr;
    NoteLinkChanges();
    auto entry = find();
    if (entry == entries_.end())
        return nullptr;
    unsigned long long values[16];
    bool found = false;
    ForEachLine(counters_.Read(), [&](std::string_view line) {
        std::string_view name, counters;
        if (!found && SplitLine(line, name, counters) && name == entry->name)
            found = ParseCounters(counters, values);
    });
    if (!found) {
        // The interfaces are not those of the last reading.
        if (!Read() || (entry = find()) == entries_.end())
            return nullptr;
        return &entry->row;
    }
    if (entry->stale)
        Describe(*entry, static_cast<DWORD>(entry - entries_.begin() + 1));
    SetCounters(entry->row, values);
    return &entry->row;
}

// Keeps the entries of the interfaces still there, in the lines' order.
void InterfaceTable::MatchEntries()
{
    const bool same = entries_.size() == lines_.size() &&
                      std::equal(lines_.begin(), lines_.end(), entries_.begin(),
                                 [](const Line& line, const Entry& entry) { return line.name == entry.name; });
    if (same)
        return;
    std::vector<Entry> before = std::move(entries_);
    std::unordered_map<std::string, size_t> byName;
    for (size_t i = 0; i < before.size(); ++i)
        byName.emplace(before[i].name, i);
    entries_.clear();
    entries_.reserve(lines_.size());
    for (const Line& line : lines_) {
        const auto known = byName.find(std::string(line.name));
        if (known != byName.end() && !before[known->second].name.empty()) {
            entries_.push_back(std::move(before[known->second]));
            before[known->second].name.clear();
        } else {
            entries_.push_back({std::string(line.name), MIB_IFROW{}, true});
        }
    }
}

void InterfaceTable::Describe(Entry& entry, DWORD position) const
{
    MIB_IFROW& row = entry.row;
    row = {};
    SetName(row, entry.name);
    const InterfaceFolder folder(attributes_ + "/" + entry.name);
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
    entry.stale = rereadAlways_;
}

void InterfaceTable::NoteLinkChanges()
{
    if (!links_)
        return;
    links_->Drain([this](int index) {
        for (Entry& entry : entries_) {
            if (index == 0 || entry.row.dwIndex == static_cast<DWORD>(index))
                entry.stale = true;
        }
    });
}

}  // namespace host
