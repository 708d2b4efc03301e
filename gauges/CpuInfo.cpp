#include "gauges/CpuInfo.h"

#include "gauges/GaugeRows.h"

namespace {

const WCHAR kLabel[] = TEXT("Processor");

}  // namespace

CpuInfo::CpuInfo() : GaugeObject(kFullBlock)
{
    SetInterval(1000);
    SYSTEM_INFO system = {};
    GetSystemInfo(&system);
    processors_ = system.dwNumberOfProcessors;
    const DWORD idle = GetIdleTime();
    if (idle != MAXDWORD)
        idle_.Next(GetTickCount(), idle);
}

bool CpuInfo::IsDue()
{
    // Due until the load has its first step, so that the panel's early
    // refresh takes the second reading.
    return DesktopObject::IsDue() || !idle_.HasStepped();
}

bool CpuInfo::ParseKey(const WCHAR* line, UINT length, bool showErrors)
{
    static constexpr KeyRule<CpuInfo> kKeys[] = {
        {TEXT("CpuString"), 1, &ApplyOption<CpuInfo, CpuString>},
        {TEXT("CpuValue"), 1, &ApplyOption<CpuInfo, CpuValue>},
        {TEXT("CpuBar"), 1, &ApplyOption<CpuInfo, CpuBar>},
        {TEXT("CoolCpuBar"), 1, &ApplyOption<CpuInfo, CoolCpuBar | CpuBar>},
        {TEXT("CpuPercent"), 1, &ApplyOption<CpuInfo, CpuPercent>},
        {TEXT("CenterValue"), 1, &ApplyOption<CpuInfo, CenterValue>},
        {TEXT("Interval"), 1, &ApplyInterval<CpuInfo>},
    };
    return ParseGaugeKey(kKeys, line, length, showErrors, TEXT("CpuInfo - Ignoriere Fehler:"));
}

void CpuInfo::Read()
{
    const DWORD idle = GetIdleTime();
    failed_ = idle == MAXDWORD;
    if (failed_)
        return;
    if (const auto step = idle_.Next(GetTickCount(), idle))
        load_ = LoadPerMille(*step);
}

void CpuInfo::Show(Output& output, int x, int y)
{
    if (failed_) {
        output.ErrorText(*this, x, y, kLabel);
        return;
    }

    WCHAR text[32];
    _snwprintf(text, 32, TEXT("%u.%u%% of %u"), load_ / 10, load_ % 10, static_cast<UINT>(processors_));
    text[31] = 0;
    GaugeRow row;
    BuildBlock(row, output.Dc(), BlockFlags(), x, y);
    row.label = kLabel;
    row.valueText = text;
    // load x 1024 / 100, rounded up so that the bar's percentage (truncated)
    // is the whole percent of the value text: 37.0 % fills 379, not 378,
    // which would read 36 %. 25, 50 and 100 % fill exactly 256, 512, 1024.
    row.value = (load_ * 1024 + 999) / 1000;
    row.total = 1024;
    output.Rows(row);
}
