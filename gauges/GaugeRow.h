// One gauge block: an optional label row, an optional value text row and an
// optional bar row, stacked from the top. The gauges fill it anew for every
// paint (cleared to zeros first); DrawGaugeRows and the bar painters draw it.
#pragma once

#include "platform/win32.h"

class CoolBarMemo;

enum GaugeRowFlag : UINT {
    LabelRow = 0x01,
    ValueRow = 0x02,
    BarRow = 0x04,
    PercentText = 0x08,     // the percentage is written into the bar
    CenteredText = 0x10,    // label and value text centred, not left-aligned
    CoolStyle = 0x20,       // the bar is painted by DrawCoolBar, not DrawPlainBar
};

struct GaugeRow {
    UINT flags;
    HDC dc;            // the panel back buffer's DC
    int x;             // top-left corner of the block on the surface
    int y;
    int width;         // width of every row
    const WCHAR* label;
    const WCHAR* valueText;  // the value text row; null: value and total as byte counts
    ULONGLONG value;   // the amount shown (free bytes)
    ULONGLONG total;   // the whole
    COLORREF textColor;    // label, value text, plain-bar percentage
    COLORREF borderColor;  // frame of both bars, hatch of the cool bar
    COLORREF lowColor;     // plain fill at 25 % and below; cool gradient start
    COLORREF highColor;    // plain fill above 25 %; cool gradient end
    COLORREF centerColor;  // cool gradient middle
    COLORREF lightColor;   // glow inside the cool bar's frame
    COLORREF blurColor;    // tint of the cool bar's frosted background
    int rowHeight;
    CoolBarMemo* barMemo;  // the gauge's painted cool bars; null paints every bar anew
};
