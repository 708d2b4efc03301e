#include "gauges/NetworkInfo.h"

#include <algorithm>
#include <cstddef>

#include "gauges/DibSurface.h"
#include "gauges/DrawingRange.h"
#include "gauges/GaugeRows.h"

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

// "↓ 1.50 KB/s ↑ 200 B/s"
void FormatRates(ULONGLONG received, ULONGLONG sent, WCHAR (&text)[48])
{
    WCHAR down[16], up[16];
    FormatRate(received, down);
    FormatRate(sent, up);
    _snwprintf(text, 48, TEXT("\u2193 %s \u2191 %s"), down, up);
    text[47] = 0;
}

}  // namespace

NetworkInfo::NetworkInfo() : GaugeObject(kFullBlock)
{
    SetInterval(1000);
}

bool NetworkInfo::IsDue()
{
    // Due until the rates have their first step, so that the panel's early
    // refresh takes the second reading.
    return DesktopObject::IsDue() || !received_.HasStepped();
}

bool NetworkInfo::ParseKey(const WCHAR* line, UINT length, bool showErrors)
{
    static constexpr KeyRule<NetworkInfo> kKeys[] = {
        {TEXT("Interface"), 1, [](NetworkInfo& o, const WCHAR* v) { return o.interface_ = CopyValue(v), true; }},
        {TEXT("NetString"), 1, &ApplyOption<NetworkInfo, NetString>},
        {TEXT("NetValue"), 1, &ApplyOption<NetworkInfo, NetValue>},
        {TEXT("NetBar"), 1, &ApplyOption<NetworkInfo, NetBar>},
        {TEXT("CoolNetBar"), 1, &ApplyOption<NetworkInfo, CoolNetBar | NetBar>},
        {TEXT("NetPercent"), 1, &ApplyOption<NetworkInfo, NetPercent>},
        {TEXT("MaxRate"), 1,
         [](NetworkInfo& o, const WCHAR* v) {
             const int rate = ParseInt(v);
             o.maxRate_ = rate > 0 ? static_cast<ULONGLONG>(rate) : 0;
             return rate >= 0;
         }},
        {TEXT("CenterValue"), 1, &ApplyOption<NetworkInfo, CenterValue>},
        {TEXT("Interval"), 1, &ApplyInterval<NetworkInfo>},
    };
    return ParseGaugeKey(kKeys, line, length, showErrors, TEXT("NetworkInfo - Ignoriere Fehler:"));
}

std::optional<std::span<const MIB_IFROW>> NetworkInfo::ReadTable()
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

const MIB_IFROW* NetworkInfo::ReadRow()
{
    if (interface_ && tracking_) {
        row_.dwIndex = trackedIndex_;
        if (GetIfEntry(&row_) == NO_ERROR && Matches(row_, interface_.get()))
            return &row_;
    }
    const std::optional<std::span<const MIB_IFROW>> rows = ReadTable();
    return rows ? FindInterface(*rows) : nullptr;
}

const MIB_IFROW* NetworkInfo::FindInterface(std::span<const MIB_IFROW> rows) const
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

void NetworkInfo::Track(const MIB_IFROW& row)
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

void NetworkInfo::Draw(DibSurface& surface, int x, int y)
{
    if (Options() == 0 || !InDrawingRange(x, y))
        return;
    const MIB_IFROW* row = ReadRow();
    if (!row) {
        tracking_ = false;
        DrawErrorText(surface.Dc(), x, y, interface_ ? interface_.get() : TEXT(""));
        return;
    }
    Track(*row);
    const DWORD now = GetTickCount();
    if (const auto step = received_.Next(now, row->dwInOctets))
        receivedRate_ = BytesPerSecond(*step);
    if (const auto step = sent_.Next(now, row->dwOutOctets))
        sentRate_ = BytesPerSecond(*step);
    highestRate_ = std::max(highestRate_, receivedRate_);
    const ULONGLONG fullRate = maxRate_ ? maxRate_ : highestRate_;

    WCHAR text[48];
    FormatRates(receivedRate_, sentRate_, text);
    GaugeRow block;
    BuildBlock(block, surface, BlockFlags(), x, y);
    block.label = label_;
    block.valueText = text;
    block.value = std::min(receivedRate_, fullRate);
    block.total = fullRate;
    DrawGaugeRows(surface, block);
}
