#include "gauges/NetworkInfo.h"

#include <algorithm>

#include "gauges/GaugeRows.h"

namespace {

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
    return DesktopObject::IsDue() || !rates_.HasStepped();
}

bool NetworkInfo::ParseKey(const WCHAR* line, UINT length, bool showErrors)
{
    static constexpr KeyRule<NetworkInfo> kKeys[] = {
        {TEXT("Interface"), 1, [](NetworkInfo& o, const WCHAR* v) { return o.rates_.SetInterface(CopyValue(v)), true; }},
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

void NetworkInfo::Read()
{
    read_ = rates_.Update();
    if (read_)
        highestRate_ = std::max(highestRate_, rates_.ReceivedRate());
}

void NetworkInfo::Show(Output& output, int x, int y)
{
    if (!read_) {
        output.ErrorText(*this, x, y, rates_.Interface() ? rates_.Interface() : TEXT(""));
        return;
    }
    const ULONGLONG fullRate = maxRate_ ? maxRate_ : highestRate_;

    WCHAR text[48];
    FormatRates(rates_.ReceivedRate(), rates_.SentRate(), text);
    GaugeRow block;
    BuildBlock(block, output.Dc(), BlockFlags(), x, y);
    block.label = rates_.Label();
    block.valueText = text;
    block.value = std::min(rates_.ReceivedRate(), fullRate);
    block.total = fullRate;
    output.Rows(block);
}
