// The two bar styles of a gauge block. Fractions are in 1/1024 units.
//
// The plain bar is a filled rectangle in a frame, in the row's low colour up
// to 25 % and its high colour above. The cool bar is painted into the pixels:
// the background under it is blurred and tinted, a light glow runs inside the
// frame, and the fill carries a three-colour gradient, a diagonal hatch, a
// highlight on its upper part and the percentage at half strength.
#pragma once

#include "gauges/CoolBarStyle.h"
#include "gauges/DibSurface.h"
#include "gauges/GaugeRow.h"

class Look;

// The bar of `row` with its top `offset` pixels below row.y, in row.dc. The
// fill is not limited to the frame: a fraction above 1024 fills past it.
void DrawPlainBar(const GaugeRow& row, int offset, UINT fraction);

// The same in the cool style, on `surface` (whose DC is row.dc). A bar that
// does not lie wholly inside the surface, or is smaller than 2 x 2 pixels,
// is not drawn at all. With row.barMemo, a bar painted as before over the
// same pixels is copied from it.
void DrawCoolBar(DibSurface& surface, const GaugeRow& row, int offset, UINT fraction);

// Writes into `look` what the bar of `row` (in either style) shows of
// `fraction`: the columns filled and the percentage, which the fraction's
// smaller steps leave alone.
void DescribeBar(const GaugeRow& row, UINT fraction, Look& look);

// The cool bar's frosted glass in the `bar` rectangle (frame included) of
// `surface`: the background blurred and tinted with `blurColor`, and a glow
// of `lightColor` inside the frame. Nothing unless the bar lies inside the
// surface and is at least 2 x 2.
void FrostBar(DibSurface& surface, const RECT& bar, COLORREF blurColor, COLORREF lightColor);

// The cool bar's one-pixel frame around `bar` in `border`.
void DrawBarFrame(HDC dc, const RECT& bar, COLORREF border);

// Frame, fill end line, gradient fill, percentage, hatch and highlight of
// one cool bar; nothing when the bar does not lie inside the surface or is
// smaller than 2 x 2. The text is drawn in the DC's current colour, centred;
// text larger than the bar is centred on its interior and clipped to it.
void PaintCoolBar(DibSurface& surface, const CoolBarStyle& style);
