#include "gauges/DiskInfo.h"

#include "gauges/DibSurface.h"
#include "gauges/DrawingRange.h"
#include "gauges/GaugeRows.h"

DiskInfo::DiskInfo() : GaugeObject(ShowPath | Bar | Value | Percent | CoolBar) {}

bool DiskInfo::ParseKey(const WCHAR* line, UINT length, bool showErrors)
{
    static constexpr KeyRule<DiskInfo> kKeys[] = {
        {TEXT("Folder"), 1,
         [](DiskInfo& o, const WCHAR* v) {
             const UINT capacity = TextLength(v) + 1;
             o.folder_ = std::make_unique<WCHAR[]>(capacity);
             CopyText(v, o.folder_.get(), capacity);
             return true;
         }},
        {TEXT("ShowPath"), 1, &ApplyOption<DiskInfo, ShowPath>},
        {TEXT("Bar"), 1, &ApplyOption<DiskInfo, Bar>},
        {TEXT("Percent"), 1, &ApplyOption<DiskInfo, Percent>},
        {TEXT("Value"), 1, &ApplyOption<DiskInfo, Value>},
        {TEXT("CenterValue"), 1, &ApplyOption<DiskInfo, CenterValue>},
        {TEXT("CoolBar"), 1, &ApplyOption<DiskInfo, CoolBar | Bar>},
        {TEXT("Interval"), 1,
         [](DiskInfo& o, const WCHAR* v) { return o.SetInterval(static_cast<DWORD>(ParseInt(v))), true; }},
    };
    KeyResult result = ApplyColorKey(line, length);
    if (result == KeyResult::Unknown)
        result = ApplyKeyTable(*this, kKeys, line, length);
    return FinishParseKey(result, line, length, showErrors, TEXT("DiskInfo - Ignoriere Fehler:"));
}

UINT DiskInfo::Flags() const
{
    static constexpr OptionFlag kMap[] = {
        {ShowPath, LabelRow},  {Bar, BarRow},           {Value, ValueRow},
        {Percent, PercentText}, {CenterValue, CenteredText}, {CoolBar, CoolStyle},
    };
    return FlagsFromOptions(kMap);
}

void DiskInfo::Draw(DibSurface& surface, int x, int y)
{
    if (Options() == 0 || !InDrawingRange(x, y))
        return;
    ULARGE_INTEGER freeToCaller = {};
    ULARGE_INTEGER total = {};
    if (!folder_ || !GetDiskFreeSpaceExW(folder_.get(), &freeToCaller, &total, nullptr)) {
        DrawError(surface.Dc(), x, y);
        return;
    }
    GaugeRow row;
    BuildBlock(row, surface, Flags(), x, y);
    row.label = folder_.get();
    row.value = freeToCaller.QuadPart;
    row.total = total.QuadPart;
    DrawGaugeRows(surface, row);
}

void DiskInfo::DrawError(HDC dc, int x, int y) const
{
    const WCHAR* path = folder_ ? folder_.get() : TEXT("");
    // Sized to the path: 'Fehler: "', the path, '"' and the terminator.
    const UINT capacity = TextLength(path) + 11;
    const auto text = std::make_unique<WCHAR[]>(capacity);
    const int length = _snwprintf(text.get(), capacity, TEXT("Fehler: \"%s\""), path);
    RECT rect = {x, y, x + ClampExtent(Width()), y + ClampExtent(Height())};
    DrawTextW(dc, text.get(), length, &rect, DT_WORDBREAK);
}

void DiskInfo::Measure(HDC dc)
{
    MeasureRowHeight(dc);
    SetHeight(GaugeRowsHeight(Flags(), RowHeight()));
}
