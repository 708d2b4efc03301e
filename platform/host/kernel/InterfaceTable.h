// The interface table of the IP helper on the host (GetIfTable, GetIfEntry):
// the counters of /proc/net/dev with each interface's index, kind and state
// from /sys/class/net.
//
// A reading costs one pread of the counter file (kept open) and one pass
// over its lines, whatever the number of interfaces: the attributes (index,
// type, flags, mtu, speed, state) are read when an interface first appears
// and again only when the system reports that its link changed (a netlink
// link notification). Without such reports (a test's tree, or no netlink)
// they are read again at every reading.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/host/kernel/ProcFile.h"
#include "platform/win32.h"

namespace host {

class InterfaceTable {
public:
    // The counter file at `counters` (laid out like /proc/net/dev) and the
    // interfaces' folders under `attributes` (like /sys/class/net); with
    // `followLinks` the system's link notifications tell when to read an
    // interface's attributes again.
    InterfaceTable(std::string counters, std::string attributes, bool followLinks);
    ~InterfaceTable();
    InterfaceTable(const InterfaceTable&) = delete;
    InterfaceTable& operator=(const InterfaceTable&) = delete;

    // Reads the counters of every interface, in file order; false when the
    // counter file cannot be read. Malformed lines are left out.
    bool Read();
    // The interfaces of the last Read.
    size_t Count() const { return entries_.size(); }
    // Row `i` of the last Read. The 64-bit counters are cut to the row's 32
    // bits, so they wrap as the table's counters do.
    const MIB_IFROW& Row(size_t i) const { return entries_[i].row; }

    // Reads only the row of the interface with index `index` (as the last
    // reading knew it): its counter line and, where needed, its attributes.
    // Null when there is no such interface or the counter file cannot be read.
    const MIB_IFROW* ReadOne(DWORD index);

private:
    struct Entry {
        std::string name;
        MIB_IFROW row;  // the attributes; the counters of the last reading
        bool stale = true;
    };
    struct Line {
        std::string_view name;  // in the counter file's text
        unsigned long long values[16];
    };
    class LinkWatch;

    void MatchEntries();
    void Describe(Entry& entry, DWORD position) const;
    void NoteLinkChanges();

    ProcFile counters_;
    std::string attributes_;
    std::unique_ptr<LinkWatch> links_;
    bool rereadAlways_;  // links are to be followed, but cannot be
    std::vector<Line> lines_;
    std::vector<Entry> entries_;
};

}  // namespace host
