#include "gauges/GaugeObject.h"

#include <initializer_list>

#include "gauges/DibSurface.h"
#include "gauges/DrawingRange.h"
#include "gauges/GaugeRows.h"
#include "objects/ErrorText.h"
#include "objects/Look.h"

GaugeObject::GaugeObject(UINT options) : options_(options)
{
    SetInterval(600000);
}

KeyResult GaugeObject::ApplyColorKey(const WCHAR* line, UINT length)
{
    static constexpr KeyRule<GaugeObject> kKeys[] = {
        {TEXT("Color"), 6,
         [](GaugeObject& o, const WCHAR* v) {
             o.textColor_ = o.borderColor_ = ParseColor(v);
             return true;
         }},
        {TEXT("TextColor"), 6, [](GaugeObject& o, const WCHAR* v) { return o.textColor_ = ParseColor(v), true; }},
        {TEXT("BorderColor"), 6, [](GaugeObject& o, const WCHAR* v) { return o.borderColor_ = ParseColor(v), true; }},
        {TEXT("BackgroundColorLow"), 6, [](GaugeObject& o, const WCHAR* v) { return o.lowColor_ = ParseColor(v), true; }},
        {TEXT("BackgroundColorHigh"), 6,
         [](GaugeObject& o, const WCHAR* v) { return o.highColor_ = ParseColor(v), true; }},
        {TEXT("BackgroundColorCenter"), 6,
         [](GaugeObject& o, const WCHAR* v) { return o.centerColor_ = ParseColor(v), true; }},
        {TEXT("LightColor"), 6, [](GaugeObject& o, const WCHAR* v) { return o.lightColor_ = ParseColor(v), true; }},
        {TEXT("BlurColor"), 6, [](GaugeObject& o, const WCHAR* v) { return o.blurColor_ = ParseColor(v), true; }},
    };
    return ApplyKeyTable(*this, kKeys, line, length);
}

bool GaugeObject::FinishParseKey(KeyResult result, const WCHAR* line, UINT length, bool showErrors,
                                 const WCHAR* caption)
{
    switch (result) {
    case KeyResult::Taken:
        return true;
    case KeyResult::Rejected:
        return ReportIgnoredLine(line, caption, showErrors);
    case KeyResult::Unknown:
        break;
    }
    return DesktopObject::ParseKey(line, length, showErrors);
}

void GaugeObject::Draw(DibSurface& surface, int x, int y)
{
    if (Options() == 0 || !InDrawingRange(x, y))
        return;
    if (!TakeHeldReading())
        Read();
    Output output(surface);
    Show(output, x, y);
}

bool GaugeObject::DescribeLook(Look& look)
{
    // Draw reads nothing here either.
    if (Options() == 0 || !InDrawingRange(X(), Y()))
        return true;
    Read();
    HoldReading();
    Output output(look);
    Show(output, X(), Y());
    return true;
}

HDC GaugeObject::Output::Dc() const
{
    return surface_ ? surface_->Dc() : nullptr;
}

void GaugeObject::Output::Rows(const GaugeRow& row)
{
    if (look_)
        DescribeGaugeRows(row, *look_);
    else
        DrawGaugeRows(*surface_, row);
}

void GaugeObject::Output::ErrorText(const GaugeObject& gauge, int x, int y, const WCHAR* name, const COLORREF* color)
{
    if (look_) {
        look_->Add(x);
        look_->Add(y);
        look_->AddText(name);
        return;
    }
    HDC dc = surface_->Dc();
    const COLORREF previous = color ? SetTextColor(dc, *color) : 0;
    gauge.DrawErrorText(dc, x, y, name);
    if (color)
        SetTextColor(dc, previous);
}

void GaugeObject::BuildBlock(GaugeRow& row, HDC dc, UINT flags, int x, int y)
{
    row = GaugeRow{};
    row.flags = flags;
    row.dc = dc;
    row.x = x;
    row.y = y;
    row.width = ClampExtent(Width());
    row.textColor = textColor_;
    row.borderColor = borderColor_;
    row.lowColor = lowColor_;
    row.highColor = highColor_;
    row.centerColor = centerColor_;
    row.lightColor = lightColor_;
    row.blurColor = blurColor_;
    row.barMemo = &barMemo_;
    if (rowHeight_ != 0) {
        row.rowHeight = ClampExtent(rowHeight_);
        return;
    }
    UINT rows = 0;
    for (UINT rowFlag : {LabelRow, ValueRow, BarRow}) {
        if (flags & rowFlag)
            ++rows;
    }
    // A negative Height shares nothing out, rather than a huge unsigned share.
    row.rowHeight = ClampExtent(Height()) / static_cast<int>(rows > 1 ? rows : 1);
}

void GaugeObject::MeasureRowHeight(HDC dc)
{
    SIZE extent = {};
    GetTextExtentExPointW(dc, TEXT("I"), 1, 0, nullptr, nullptr, &extent);
    rowHeight_ = extent.cy;
}

UINT GaugeObject::BlockFlags() const
{
    static constexpr OptionFlag kMap[] = {
        {BlockLabel, LabelRow},     {BlockBar, BarRow},           {BlockValue, ValueRow},
        {BlockPercent, PercentText}, {BlockCentered, CenteredText}, {BlockCool, CoolStyle},
    };
    return FlagsFromOptions(kMap);
}

void GaugeObject::Measure(HDC dc)
{
    MeasureRowHeight(dc);
    SetHeight(GaugeRowsHeight(BlockFlags(), RowHeight()));
}

void GaugeObject::DrawErrorText(HDC dc, int x, int y, const WCHAR* name) const
{
    const std::basic_string<WCHAR> text = ErrorText(name, TextLength(name));
    RECT rect = {x, y, x + ClampExtent(Width()), y + ClampExtent(Height())};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, DT_WORDBREAK);
}
