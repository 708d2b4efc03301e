#include "gauges/GaugeRows.h"

#include <initializer_list>
#include <iterator>

#include "gauges/BarPainter.h"
#include "objects/Look.h"

namespace {

constexpr int kRowGap = 2;

const WCHAR* const kUnits[] = {TEXT("Bytes"), TEXT("KB"), TEXT("MB"), TEXT("GB"), TEXT("TB"), TEXT("?")};
constexpr int kLastUnit = 5;

// Label and value text: left-aligned on one line, or centred (where "&"
// marks a prefix).
void DrawRowText(const GaugeRow& row, const WCHAR* text, int top)
{
    RECT rect = {row.x, top, row.x + row.width, top + row.rowHeight};
    const COLORREF previousColor = SetTextColor(row.dc, row.textColor);
    DrawTextW(row.dc, text, -1, &rect, (row.flags & CenteredText) ? DT_CENTER : DT_SINGLELINE | DT_NOPREFIX);
    SetTextColor(row.dc, previousColor);
}

}  // namespace

ByteCount FormatByteCount(ULONGLONG count)
{
    int unit = 0;
    while (count > 0x100000 && unit < kLastUnit) {
        count >>= 10;
        ++unit;
    }
    if (count < 1024 || unit == kLastUnit)
        return ByteCount{static_cast<float>(count), kUnits[unit]};
    return ByteCount{static_cast<float>(count) * (1.0f / 1024.0f), kUnits[unit + 1]};
}

UINT FillFraction(ULONGLONG value, ULONGLONG total)
{
    while ((value >> 32) != 0 || (total >> 32) != 0 || value > 0x3FFFFF || total > 0x3FFFFF) {
        value >>= 10;
        total >>= 10;
    }
    if (total == 0)
        return 0;
    return static_cast<UINT>(value * 1024) / static_cast<UINT>(total);
}

int FormatRate(ULONGLONG bytesPerSecond, WCHAR (&text)[16])
{
    static const WCHAR* const kUnits[] = {TEXT("KB/s"), TEXT("MB/s"), TEXT("GB/s"), TEXT("TB/s")};
    int written;
    if (bytesPerSecond < 1000) {
        written = _snwprintf(text, 16, TEXT("%u B/s"), static_cast<UINT>(bytesPerSecond));
    } else {
        double value = static_cast<double>(bytesPerSecond) / 1024;
        size_t unit = 0;
        for (; value >= 999.5 && unit + 1 < std::size(kUnits); ++unit)
            value /= 1024;
        const WCHAR* format = value >= 99.95 ? TEXT("%.0f %s") : value >= 9.995 ? TEXT("%.1f %s") : TEXT("%.2f %s");
        written = _snwprintf(text, 16, format, value, kUnits[unit]);
    }
    text[15] = 0;
    return written;
}

int FormatValueText(ULONGLONG value, ULONGLONG total, WCHAR (&text)[32])
{
    const ByteCount shown = FormatByteCount(value);
    const ByteCount whole = FormatByteCount(total);
    const int written = _snwprintf(text, 32, TEXT("%.02f%s / %.02f%s"), static_cast<double>(shown.number), shown.unit,
                                   static_cast<double>(whole.number), whole.unit);
    text[31] = 0;
    return written;
}

int GaugeRowsHeight(UINT flags, int rowHeight)
{
    int height = 0;
    if (flags & LabelRow)
        height += rowHeight + kRowGap;
    if (flags & ValueRow)
        height += rowHeight + kRowGap;
    if (flags & BarRow)
        height += rowHeight;
    return height;
}

void DescribeGaugeRows(const GaugeRow& row, Look& look)
{
    for (int number : {row.x, row.y, row.width, row.rowHeight})
        look.Add(number);
    look.Add(row.flags);
    for (COLORREF color : {row.textColor, row.borderColor, row.lowColor, row.highColor, row.centerColor,
                           row.lightColor, row.blurColor})
        look.Add(color);
    if (row.flags & LabelRow)
        look.AddText(row.label);
    if (row.flags & ValueRow) {
        WCHAR text[32];
        if (!row.valueText)
            FormatValueText(row.value, row.total, text);
        look.AddText(row.valueText ? row.valueText : text);
    }
    if (row.flags & BarRow)
        DescribeBar(row, FillFraction(row.value, row.total), look);
}

void DrawGaugeRows(DibSurface& surface, const GaugeRow& row)
{
    int offset = 0;
    if (row.flags & LabelRow) {
        if (row.label)
            DrawRowText(row, row.label, row.y);
        offset = row.rowHeight + kRowGap;
    }
    if (row.flags & ValueRow) {
        WCHAR text[32];
        if (!row.valueText)
            FormatValueText(row.value, row.total, text);
        DrawRowText(row, row.valueText ? row.valueText : text, row.y + offset);
        offset += row.rowHeight + kRowGap;
    }
    if (row.flags & BarRow) {
        const UINT fraction = FillFraction(row.value, row.total);
        if (row.flags & CoolStyle)
            DrawCoolBar(surface, row, offset, fraction);
        else
            DrawPlainBar(row, offset, fraction);
    }
}
