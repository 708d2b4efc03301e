// A gauge block's rows (label, value text, bar) and the numbers behind them.
#pragma once

#include "gauges/DibSurface.h"
#include "gauges/GaugeRow.h"

class Look;

// A byte count as shown: a number and one of "Bytes", "KB", "MB", "GB",
// "TB", "?" (units of 2^50 bytes).
struct ByteCount {
    float number;
    const WCHAR* unit;
};

// Steps of 1024 until the number is at most 1024 (the number is then always
// exact): 1,048,576 bytes is 1024.00 KB, 1,048,577 bytes is 1.00 MB.
ByteCount FormatByteCount(ULONGLONG count);

// value / total in 1/1024 units; 0 for a total of 0. Both are scaled down
// first so that the product fits 32 bits.
UINT FillFraction(ULONGLONG value, ULONGLONG total);

// A rate in bytes per second with three significant digits, in steps of
// 1024 from 1000 B/s on: "0 B/s", "999 B/s", "0.98 KB/s", "12.3 KB/s",
// "4.56 MB/s". Returns the characters written.
int FormatRate(ULONGLONG bytesPerSecond, WCHAR (&text)[16]);

// "12.34MB / 64.00MB": the value and the total with their units. Returns the
// characters written (the longest text is 27).
int FormatValueText(ULONGLONG value, ULONGLONG total, WCHAR (&text)[32]);

// Height of the rows that `flags` selects: row height + 2 for a label and a
// value text row, row height for a bar.
int GaugeRowsHeight(UINT flags, int rowHeight);

// Writes into `look` everything of `row` that DrawGaugeRows's pixels depend
// on (its DC aside): place, sizes, colours, the texts shown and the bar as
// painted.
void DescribeGaugeRows(const GaugeRow& row, Look& look);

// Draws the selected rows of `row` top to bottom on `surface`, whose DC is
// row.dc, leaving 2 pixels below the label and the value text. The value
// text is row.valueText when there is one, else FormatValueText's.
void DrawGaugeRows(DibSurface& surface, const GaugeRow& row);
