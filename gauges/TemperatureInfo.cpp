#include "gauges/TemperatureInfo.h"

#include <algorithm>

#include "gauges/GaugeRows.h"

namespace {

const WCHAR kLabel[] = TEXT("Temperature");

}  // namespace

TemperatureInfo::TemperatureInfo() : GaugeObject(kFullBlock)
{
    SetInterval(2000);
    CopyText(kLabel, label_, 64);
}

bool TemperatureInfo::ParseKey(const WCHAR* line, UINT length, bool showErrors)
{
    static constexpr KeyRule<TemperatureInfo> kKeys[] = {
        {TEXT("Sensor"), 1,
         [](TemperatureInfo& o, const WCHAR* v) {
             o.sensor_.SetName(CopyValue(v));
             const UINT start = CopyText(TEXT("Temperature "), o.label_, 64);
             CopyText(v, o.label_ + start, 64 - start);
             return true;
         }},
        {TEXT("TempString"), 1, &ApplyOption<TemperatureInfo, TempString>},
        {TEXT("TempValue"), 1, &ApplyOption<TemperatureInfo, TempValue>},
        {TEXT("TempBar"), 1, &ApplyOption<TemperatureInfo, TempBar>},
        {TEXT("CoolTempBar"), 1, &ApplyOption<TemperatureInfo, CoolTempBar | TempBar>},
        {TEXT("TempPercent"), 1, &ApplyOption<TemperatureInfo, TempPercent>},
        {TEXT("CenterValue"), 1, &ApplyOption<TemperatureInfo, CenterValue>},
        {TEXT("Max"), 1,
         [](TemperatureInfo& o, const WCHAR* v) {
             const int max = ParseInt(v);
             if (max <= 0)
                 return false;
             o.max_ = max;
             return true;
         }},
        {TEXT("WarnAt"), 1, [](TemperatureInfo& o, const WCHAR* v) { return o.warnAt_ = ParseInt(v), true; }},
        {TEXT("ColorCritical"), 6,
         [](TemperatureInfo& o, const WCHAR* v) { return o.colorCritical_ = ParseColor(v), true; }},
        {TEXT("Interval"), 1, &ApplyInterval<TemperatureInfo>},
    };
    return ParseGaugeKey(kKeys, line, length, showErrors, TEXT("TemperatureInfo - Ignoriere Fehler:"));
}

void TemperatureInfo::Read()
{
    millidegrees_ = sensor_.Read();
}

void TemperatureInfo::Show(Output& output, int x, int y)
{
    const auto& millidegrees = millidegrees_;
    if (!millidegrees) {
        // In the gauge's text colour: many machines (and the Windows build)
        // have no sensor, and the error must read on the panel's backdrop.
        const COLORREF color = TextColor();
        output.ErrorText(*this, x, y, sensor_.Name()[0] ? sensor_.Name() : kLabel, &color);
        return;
    }
    WCHAR text[16];
    FormatCelsius(*millidegrees, text);
    GaugeRow row;
    BuildBlock(row, output.Dc(), BlockFlags(), x, y);
    row.label = label_;
    row.valueText = text;
    const LONGLONG full = static_cast<LONGLONG>(max_) * 1000;
    row.value = static_cast<ULONGLONG>(std::clamp<LONGLONG>(*millidegrees, 0, full));
    row.total = static_cast<ULONGLONG>(full);
    if (static_cast<LONGLONG>(*millidegrees) >= static_cast<LONGLONG>(warnAt_) * 1000)
        row.lowColor = row.centerColor = row.highColor = colorCritical_;
    output.Rows(row);
}
