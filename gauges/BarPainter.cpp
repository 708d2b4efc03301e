#include "gauges/BarPainter.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "config/TextParsing.h"
#include "gauges/BlurFilter.h"
#include "gauges/ChannelBlend.h"
#include "gauges/CoolBarMemo.h"
#include "gauges/SelectedPen.h"
#include "objects/Look.h"

namespace {

constexpr UINT kFull = 1024;

// The plain bar's percentage, which also picks its colour.
BYTE PlainPercent(UINT fraction)
{
    return static_cast<BYTE>((static_cast<ULONGLONG>(fraction) * 100) / kFull);
}

// How far the plain bar's fill reaches right of its left edge.
LONGLONG PlainFillWidth(int width, UINT fraction)
{
    return (static_cast<LONGLONG>(width) * fraction) / kFull;
}

// The columns of the cool bar's fill inside its frame; a fraction above 1024
// fills the frame.
int CoolFill(int width, UINT fraction)
{
    return static_cast<int>((static_cast<ULONGLONG>(width - 2) * std::min(fraction, kFull)) / kFull);
}

// The percentage of the cool bar's fill as painted: a fraction above 1024
// shows as 100 % (its own percentage would not fit the text).
UINT CoolPercent(UINT fraction)
{
    return std::min(fraction, kFull) * 100 / kFull;
}

bool BarLiesInside(const DibSurface& surface, LONGLONG left, LONGLONG top, LONGLONG width, LONGLONG height)
{
    return surface.Pixels() && left >= 0 && top >= 0 && width >= 2 && height >= 2 &&
           left + width <= surface.Width() && top + height <= surface.Height();
}

void FormatPercent(UINT percent, WCHAR (&text)[8])
{
    wsprintfW(text, TEXT("%u%%"), percent);
}

// A frame in the pen colour with nothing filled inside.
void OutlineRectangle(HDC dc, const RECT& rect, COLORREF color)
{
    HGDIOBJ previousBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    {
        SelectedPen pen(dc, color, 1);
        Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
    }
    SelectObject(dc, previousBrush);
}

// The pixels of one cool bar, addressed relative to its top-left corner
// (row 0 and column 0 are the frame).
struct BarPixels {
    DibSurface& surface;
    int left;
    int top;
    int width;
    int height;

    BYTE* At(int column, int row) const { return surface.CursorAt(left + column, top + row).rowStart; }
};

void DrawFrameAndFillEnd(HDC dc, const BarPixels& bar, COLORREF border, int fill)
{
    DrawBarFrame(dc, RECT{bar.left, bar.top, bar.left + bar.width, bar.top + bar.height}, border);
    SelectedPen pen(dc, border, 1);
    MoveToEx(dc, bar.left + fill + 1, bar.top, nullptr);
    LineTo(dc, bar.left + fill + 1, bar.top + bar.height);
}

// Row 1 carries a gradient laid out over the whole bar, start to middle over
// the first half and middle to end over the rest; only the first `fill`
// columns are painted. The other rows of the fill copy it.
void PaintGradient(const BarPixels& bar, const CoolBarStyle& style, int fill)
{
    BYTE* gradientRow = bar.At(1, 1);
    auto paintSpan = [&](int first, int count, COLORREF from, COLORREF to, int length) {
        const PixelChannels a = ChannelsOf(from);
        const PixelChannels b = ChannelsOf(to);
        for (int i = 0; i < count; ++i) {
            BYTE* pixel = gradientRow + 4 * (first + i);
            for (int channel = 0; channel < 3; ++channel)
                pixel[channel] = static_cast<BYTE>(((length - i) * a.value[channel] + i * b.value[channel]) / length);
        }
    };
    const int half = bar.width / 2;
    const int rest = (bar.width - 2) - half;
    paintSpan(0, std::min(fill, half), style.gradientStart, style.gradientMiddle, half);
    paintSpan(half, std::min(fill - half, rest), style.gradientMiddle, style.gradientEnd, rest);

    for (int row = 2; row <= bar.height - 2; ++row)
        std::memcpy(bar.At(1, row), gradientRow, 4 * static_cast<size_t>(fill));
}

// The text in a font of the bar's inner height, centred; over the fill it is
// then mixed half and half with the gradient so that it reads as shaded.
void DrawSoftenedText(const BarPixels& bar, const WCHAR* text, int fill)
{
    HDC dc = bar.surface.Dc();
    LOGFONTW description = {};
    description.lfHeight = bar.height - 2;
    HFONT font = CreateFontIndirectW(&description);
    HGDIOBJ previousFont = SelectObject(dc, font);
    SIZE extent = {};
    GetTextExtentExPointW(dc, text, static_cast<int>(TextLength(text)), 0, nullptr, nullptr, &extent);
    TEXTMETRICW metrics = {};
    GetTextMetricsW(dc, &metrics);

    const int textLeft = (bar.width - extent.cx) / 2;
    const int textTop = (bar.height - extent.cy) / 2;
    if (extent.cx <= bar.width && extent.cy <= bar.height) {
        RECT at = {bar.left + textLeft, bar.top + textTop, bar.left + textLeft, bar.top + textTop};
        DrawTextW(dc, text, -1, &at, DT_NOCLIP | DT_SINGLELINE);
    } else {
        // Larger than the bar: kept to its interior rather than painted over
        // whatever lies beside it.
        RECT interior = {bar.left + 1, bar.top + 1, bar.left + bar.width - 1, bar.top + bar.height - 1};
        DrawTextW(dc, text, -1, &interior, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    SelectObject(dc, previousFont);
    DeleteObject(font);

    const int firstRow = std::max<int>(textTop + metrics.tmInternalLeading, 1);
    const int lastRow = std::min<int>(textTop + metrics.tmAscent - 1, bar.height - 2);
    const int firstColumn = std::max(textLeft, 1);
    const int lastColumn = std::min<int>(fill, textLeft + extent.cx - 1);
    const BYTE* gradient = bar.At(0, 1);
    for (int row = firstRow; row <= lastRow; ++row) {
        BYTE* pixels = bar.At(0, row);
        for (int column = firstColumn; column <= lastColumn; ++column) {
            for (int channel = 0; channel < 3; ++channel) {
                const int at = 4 * column + channel;
                pixels[at] = BlendChannel(gradient[at], pixels[at], 128);
            }
        }
    }
}

// Diagonal lines rising to the right, one every `spacing` columns, 18.75 %
// of the way towards the border colour.
void PaintHatch(const BarPixels& bar, COLORREF border, UINT spacing, int fill)
{
    if (spacing == 0)
        return;
    const PixelChannels target = ChannelsOf(border);
    for (int row = 1; row <= bar.height - 2; ++row) {
        BYTE* pixels = bar.At(1, row);
        for (ULONGLONG column = static_cast<UINT>(bar.height - 2 - row) % spacing; column < static_cast<ULONGLONG>(fill);
             column += spacing) {
            for (int channel = 0; channel < 3; ++channel)
                pixels[4 * column + channel] = BlendChannel(pixels[4 * column + channel], target.value[channel], 48);
        }
    }
}

// The upper 11/25 of the bar is lightened, most at row 1 (by 110/256 in a
// 16-pixel bar) and least at the last row (by 53/256).
void PaintHighlight(const BarPixels& bar, int fill)
{
    const int rows = bar.height * 11 / 25;
    for (int row = 1; row <= rows; ++row) {
        const int weight = 53 + ((rows - row) * 67) / rows;
        BYTE* pixels = bar.At(1, row);
        for (int at = 0; at < 4 * fill; at += 4) {
            for (int channel = 0; channel < 3; ++channel)
                pixels[at + channel] = BlendChannel(pixels[at + channel], 255, weight);
        }
    }
}

}  // namespace

void DrawPlainBar(const GaugeRow& row, int offset, UINT fraction)
{
    const int top = row.y + offset;
    const BYTE percent = PlainPercent(fraction);
    const LONGLONG fillRight = row.x + PlainFillWidth(row.width, fraction);
    const RECT fill = {row.x, top, static_cast<LONG>(std::clamp<LONGLONG>(fillRight, INT_MIN, INT_MAX)), top + row.rowHeight};
    HBRUSH brush = CreateSolidBrush(percent > 25 ? row.highColor : row.lowColor);
    FillRect(row.dc, &fill, brush);
    DeleteObject(brush);

    RECT frame = {row.x, top, row.x + row.width, top + row.rowHeight};
    OutlineRectangle(row.dc, frame, row.borderColor);

    if (row.flags & PercentText) {
        WCHAR text[8];
        FormatPercent(percent, text);
        const COLORREF previousColor = SetTextColor(row.dc, row.textColor);
        DrawTextW(row.dc, text, -1, &frame, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        SetTextColor(row.dc, previousColor);
    }
}

void DrawCoolBar(DibSurface& surface, const GaugeRow& row, int offset, UINT fraction)
{
    const int top = row.y + offset;
    // The filters would otherwise frost a bar that PaintCoolBar then refuses.
    if (!BarLiesInside(surface, row.x, top, row.width, row.rowHeight))
        return;
    const RECT rect = {row.x, top, row.x + row.width, top + row.rowHeight};
    WCHAR text[8] = {};
    if (row.flags & PercentText)
        FormatPercent(CoolPercent(fraction), text);
    if (row.barMemo) {
        // Besides the pixels under it, the bar shows these, and the text
        // takes its colour and background from the DC.
        Look key;
        key.Add(CoolFill(row.width, fraction));
        key.AddText(text);
        for (COLORREF color : {row.lowColor, row.centerColor, row.highColor, row.borderColor, row.blurColor,
                               row.lightColor, GetTextColor(row.dc), GetBkColor(row.dc)})
            key.Add(color);
        key.Add(GetBkMode(row.dc));
        if (row.barMemo->Recall(surface, rect, key))
            return;
    }
    FrostBar(surface, rect, row.blurColor, row.lightColor);

    const CoolBarStyle style = {
        row.lowColor, row.centerColor, row.highColor, row.borderColor,
        static_cast<UINT>(row.x), static_cast<UINT>(top), static_cast<UINT>(row.width), static_cast<UINT>(row.rowHeight),
        10, fraction, text,
    };
    PaintCoolBar(surface, style);
    if (row.barMemo)
        row.barMemo->Painted(surface, rect);
}

void DescribeBar(const GaugeRow& row, UINT fraction, Look& look)
{
    if (row.flags & CoolStyle) {
        look.Add(CoolFill(row.width, fraction));
        look.Add(CoolPercent(fraction));
    } else {
        look.Add(PlainFillWidth(row.width, fraction));
        look.Add(PlainPercent(fraction));
    }
}

void FrostBar(DibSurface& surface, const RECT& bar, COLORREF blurColor, COLORREF lightColor)
{
    if (!BarLiesInside(surface, bar.left, bar.top, static_cast<LONGLONG>(bar.right) - bar.left,
                       static_cast<LONGLONG>(bar.bottom) - bar.top))
        return;
    RECT rect = {bar.left + 1, bar.top + 1, bar.right - 1, bar.bottom - 1};
    BlurFilter frost(blurColor, 1, 2, nullptr);
    frost.Apply(surface, rect);

    InflateRect(&rect, 1, 1);
    OutlineRectangle(surface.Dc(), rect, lightColor);
    // Blurs the light frame a few pixels inwards, and the background further.
    BlurFilter glow(3, nullptr);
    glow.Apply(surface, rect);
}

void DrawBarFrame(HDC dc, const RECT& bar, COLORREF border)
{
    SelectedPen pen(dc, border, 1);
    const int right = bar.right - 1;
    const int bottom = bar.bottom - 1;
    MoveToEx(dc, bar.left, bar.top, nullptr);
    LineTo(dc, right, bar.top);
    LineTo(dc, right, bottom);
    LineTo(dc, bar.left, bottom);
    LineTo(dc, bar.left, bar.top);
}

void PaintCoolBar(DibSurface& surface, const CoolBarStyle& style)
{
    if (!BarLiesInside(surface, style.left, style.top, style.width, style.height))
        return;
    const BarPixels bar = {surface, static_cast<int>(style.left), static_cast<int>(style.top),
                           static_cast<int>(style.width), static_cast<int>(style.height)};
    const int fill = CoolFill(bar.width, style.fraction);

    DrawFrameAndFillEnd(surface.Dc(), bar, style.border, fill);
    PaintGradient(bar, style, fill);
    if (style.text && style.text[0])
        DrawSoftenedText(bar, style.text, fill);
    PaintHatch(bar, style.border, style.hatchSpacing, fill);
    PaintHighlight(bar, fill);
}
