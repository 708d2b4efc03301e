#include "gauges/NetworkRates.h"

#include <algorithm>
#include <cstddef>
#include <optional>

#include "config/TextParsing.h"

namespace {

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

std::optional<std::span<const MIB_IFROW>> NetworkRates::ReadTable()
{
    for (int attempt = 0; attempt < 3; ++attempt) {
        ULONG size = static_cast<ULONG>(table_.size());
        auto* table = reinterpret_cast<PMIB_IFTABLE>(table_.data());
        const DWORD result = GetIfTable(table_.empty() ? nullptr : table, &size, FALSE);
        if (result == NO_ERROR && !table_.empty()) {
            const size_t room = (table_.size() - offsetof(MIB_IFTABLE, table)) / sizeof(MIB_IFROW);
            return std::span<const MIB_IFROW>(table->table, std::min<size_t>(table->dwNumEntries, room));
        }
        if (result != ERROR_INSUFFICIENT_BUFFER || size < offsetof(MIB_IFTABLE, table))
            return std::nullopt;
        table_.resize(size);
    }
    return std::nullopt;
}

const MIB_IFROW* NetworkRates::ReadRow()
{
    if (interface_ && tracking_) {
        row_.dwIndex = trackedIndex_;
        if (GetIfEntry(&row_) == NO_ERROR && Matches(row_, interface_.get()))
            return &row_;
    }
    const std::optional<std::span<const MIB_IFROW>> rows = ReadTable();
    return rows ? FindInterface(*rows) : nullptr;
}

const MIB_IFROW* NetworkRates::FindInterface(std::span<const MIB_IFROW> rows) const
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
    const MIB_IFROW* row = ReadRow();
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
