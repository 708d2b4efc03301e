#include "gauges/MemoryInfo.h"

#include "gauges/GaugeRows.h"

namespace {

constexpr int kBlockGap = 2;

}  // namespace

MemoryInfo::MemoryInfo() : GaugeObject(PhysMemString | PhysMemBar | PhysMemValue | PhysMemPercent | CoolMemBar) {}

bool MemoryInfo::ParseKey(const WCHAR* line, UINT length, bool showErrors)
{
    static constexpr KeyRule<MemoryInfo> kKeys[] = {
        {TEXT("PhysMemString"), 1, &ApplyOption<MemoryInfo, PhysMemString>},
        {TEXT("PhysMemBar"), 1, &ApplyOption<MemoryInfo, PhysMemBar>},
        {TEXT("CoolPhysMemBar"), 1, &ApplyOption<MemoryInfo, PhysMemBar | CoolMemBar>},
        {TEXT("PhysMemValue"), 1, &ApplyOption<MemoryInfo, PhysMemValue>},
        {TEXT("PhysMemPercent"), 1, &ApplyOption<MemoryInfo, PhysMemPercent>},
        {TEXT("VirtMemString"), 1, &ApplyOption<MemoryInfo, VirtMemString>},
        {TEXT("VirtMemBar"), 1, &ApplyOption<MemoryInfo, VirtMemBar>},
        {TEXT("CoolVirtMemBar"), 1, &ApplyOption<MemoryInfo, VirtMemBar | CoolMemBar>},
        {TEXT("VirtMemValue"), 1, &ApplyOption<MemoryInfo, VirtMemValue>},
        {TEXT("VirtMemPercent"), 1, &ApplyOption<MemoryInfo, VirtMemPercent>},
        {TEXT("CenterValue"), 1, [](MemoryInfo& o, const WCHAR* v) { return o.centerValue_ = ParseFlag(v), true; }},
        {TEXT("Interval"), 1, &ApplyInterval<MemoryInfo>},
    };
    return ParseGaugeKey(kKeys, line, length, showErrors, TEXT("MemoryInfo - Ignoriere Fehler:"));
}

UINT MemoryInfo::BlockFlags(Block block) const
{
    static constexpr OptionFlag kPhysical[] = {
        {PhysMemString, LabelRow},     {PhysMemValue, ValueRow}, {PhysMemBar, BarRow},
        {PhysMemPercent, PercentText}, {CoolMemBar, CoolStyle},
    };
    static constexpr OptionFlag kVirtual[] = {
        {VirtMemString, LabelRow},     {VirtMemValue, ValueRow}, {VirtMemBar, BarRow},
        {VirtMemPercent, PercentText}, {CoolMemBar, CoolStyle},
    };
    const UINT flags = block == Block::Physical ? FlagsFromOptions(kPhysical) : FlagsFromOptions(kVirtual);
    return centerValue_ ? flags | CenteredText : flags;
}

void MemoryInfo::Read()
{
    status_ = {};
    status_.dwLength = sizeof(status_);
    GlobalMemoryStatus(&status_);
}

void MemoryInfo::Show(Output& output, int x, int y)
{
    GaugeRow row;
    BuildBlock(row, output.Dc(), BlockFlags(Block::Physical), x, y);
    row.label = TEXT("Physical Memory");
    row.value = status_.dwAvailPhys;
    row.total = status_.dwTotalPhys;
    output.Rows(row);

    BuildBlock(row, output.Dc(), BlockFlags(Block::Virtual), x, y + physicalBlockHeight_ + kBlockGap);
    row.label = TEXT("Virtual Memory");
    row.value = status_.dwAvailVirtual;
    row.total = status_.dwTotalVirtual;
    output.Rows(row);
}

void MemoryInfo::Measure(HDC dc)
{
    MeasureRowHeight(dc);
    if (Options() == 0) {
        SetHeight(0);
        return;
    }
    physicalBlockHeight_ = GaugeRowsHeight(BlockFlags(Block::Physical), RowHeight());
    SetHeight(physicalBlockHeight_ + GaugeRowsHeight(BlockFlags(Block::Virtual), RowHeight()) + kBlockGap);
}
