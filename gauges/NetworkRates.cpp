#include "gauges/NetworkRates.h"

#include <algorithm>
#include <cstddef>
#include <optional>

#include "config/TextParsing.h"

namespace {

// The rows of the interface table, or nothing when the system has none. The
// table may grow between asking for its size and reading it, so that is
// tried a few times; rows beyond the bytes filled are not believed.
std::optional<std::vector<MIB_IFROW>> ReadInterfaces()
{
    std::unique_ptr<BYTE[]> buffer;
    ULONG size = 0;
    for (int attempt = 0; attempt < 3; ++attempt) {
        const DWORD result = GetIfTable(reinterpret_cast<PMIB_IFTABLE>(buffer.get()), &size, FALSE);
        if (result == NO_ERROR && buffer) {
            const auto* table = reinterpret_cast<const MIB_IFTABLE*>(buffer.get());
            const size_t room = (size - offsetof(MIB_IFTABLE, table)) / sizeof(MIB_IFROW);
            const MIB_IFROW* first = table->table;
            return std::vector<MIB_IFROW>(first, first + std::min<size_t>(table->dwNumEntries, room));
        }
        if (result != ERROR_INSUFFICIENT_BUFFER || size < offsetof(MIB_IFTABLE, table))
            return std::nullopt;
        buffer = std::make_unique<BYTE[]>(size);
    }
    return std::nullopt;
}

// The row's description as text: the interface's name on Linux and under
// Wine, the adapter's on Windows. Bytes are taken as Latin-1.
void DescriptionOf(const MIB_IFROW& row, WCHAR (&text)[MAXLEN_IFDESCR])
{
    const DWORD length = std::min<DWORD>(row.dwDescrLen, MAXLEN_IFDESCR - 1);
    DWORD i = 0;
    for (; i < length && row.bDescr[i] != 0; ++i)
        text[i] = row.bDescr[i];
    text[i] = 0;
}

// "Interface" names a row by its description or by its system name.
bool Matches(const MIB_IFROW& row, const WCHAR* name)
{
    WCHAR description[MAXLEN_IFDESCR];
    DescriptionOf(row, description);
    const UINT length = TextLength(name);
    const bool namesSystemName = length < MAX_INTERFACE_NAME_LEN && CompareChars(row.wszName, name, length + 1) == 0;
    return CompareChars(description, name, length + 1) == 0 || namesSystemName;
}

// What the gauge may choose by itself: an interface that is up, and no loopback.
bool IsChoosable(const MIB_IFROW& row)
{
    return row.dwOperStatus >= MIB_IF_OPER_STATUS_CONNECTED && row.dwType != MIB_IF_TYPE_LOOPBACK;
}

ULONGLONG Traffic(const MIB_IFROW& row)
{
    return static_cast<ULONGLONG>(row.dwInOctets) + row.dwOutOctets;
}

}  // namespace

const MIB_IFROW* NetworkRates::FindInterface(const std::vector<MIB_IFROW>& rows) const
{
    if (interface_) {
        const auto named = std::find_if(rows.begin(), rows.end(),
                                        [this](const MIB_IFROW& row) { return Matches(row, interface_.get()); });
        return named != rows.end() ? &*named : nullptr;
    }
    const MIB_IFROW* busiest = nullptr;
    for (const MIB_IFROW& row : rows) {
        if (!IsChoosable(row))
            continue;
        if (tracking_ && row.dwIndex == trackedIndex_)
            return &row;
        if (!busiest || Traffic(row) > Traffic(*busiest))
            busiest = &row;
    }
    return busiest;
}

void NetworkRates::Track(const MIB_IFROW& row)
{
    if (tracking_ && row.dwIndex == trackedIndex_)
        return;
    tracking_ = true;
    trackedIndex_ = row.dwIndex;
    received_.Restart();
    sent_.Restart();
    receivedRate_ = sentRate_ = 0;
    WCHAR name[MAXLEN_IFDESCR];
    DescriptionOf(row, name);
    if (name[0] == 0)
        CopyText(row.wszName, name, MAXLEN_IFDESCR);
    const UINT start = CopyText(TEXT("Network "), label_, 9);
    CopyText(interface_ ? interface_.get() : name, label_ + start, MAXLEN_IFDESCR);
}

bool NetworkRates::Update()
{
    const std::optional<std::vector<MIB_IFROW>> rows = ReadInterfaces();
    const MIB_IFROW* row = rows ? FindInterface(*rows) : nullptr;
    if (!row) {
        tracking_ = false;
        measured_ = false;
        return false;
    }
    Track(*row);
    const DWORD now = GetTickCount();
    const auto received = received_.Next(now, row->dwInOctets);
    const auto sent = sent_.Next(now, row->dwOutOctets);
    if (received)
        receivedRate_ = BytesPerSecond(*received);
    if (sent)
        sentRate_ = BytesPerSecond(*sent);
    measured_ = received.has_value();
    return true;
}
