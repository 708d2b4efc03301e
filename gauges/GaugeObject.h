// The common base of the memory and disk gauges: their seven colours with
// the keys that set them, and the rule that turns a gauge's settings into
// the GaugeRow of one block.
#pragma once

#include <cstddef>

#include "config/KeyTable.h"
#include "gauges/GaugeRow.h"
#include "objects/DesktopObject.h"

class GaugeObject : public DesktopObject {
public:
    // Default colours and the gauge's own default options; the interval is
    // ten minutes.
    explicit GaugeObject(UINT options);
    ~GaugeObject() override = default;
    void Draw(DibSurface& surface, int x, int y) override = 0;

protected:
    // Which GaugeRow flag an option bit of a gauge turns on.
    struct OptionFlag {
        UINT option;
        UINT flag;
    };

    template <size_t N>
    UINT FlagsFromOptions(const OptionFlag (&map)[N]) const
    {
        UINT flags = 0;
        for (const OptionFlag& entry : map) {
            if (options_ & entry.option)
                flags |= entry.flag;
        }
        return flags;
    }

    // The key rule of an option key: sets or clears `Bits` by the flag in
    // the value.
    template <class Gauge, UINT Bits>
    static bool ApplyOption(Gauge& gauge, const WCHAR* value)
    {
        GaugeObject& base = gauge;
        base.options_ = ParseFlag(value) ? (base.options_ | Bits) : (base.options_ & ~Bits);
        return true;
    }

    UINT Options() const { return options_; }

    // "Color", "TextColor", "BorderColor", "BackgroundColorLow",
    // "BackgroundColorHigh", "BackgroundColorCenter", "LightColor",
    // "BlurColor"; Unknown for any other line.
    KeyResult ApplyColorKey(const WCHAR* line, UINT length);

    // The end of a gauge's ParseKey: a taken line is accepted, a rejected
    // one reported under `caption`, an unknown one handed to DesktopObject.
    bool FinishParseKey(KeyResult result, const WCHAR* line, UINT length, bool showErrors, const WCHAR* caption);

    // A cleared row with `flags`, the surface's DC, (x, y), the object's
    // width, the colours and the row height: the measured one, or else the
    // object's Height shared among the selected rows.
    void BuildBlock(GaugeRow& row, const DibSurface& surface, UINT flags, int x, int y) const;

    // The height of "I" in the DC's current font, kept as the row height.
    void MeasureRowHeight(HDC dc);
    int RowHeight() const { return rowHeight_; }

private:
    UINT options_;
    COLORREF textColor_ = RGB(0, 0, 0);
    COLORREF borderColor_ = RGB(0, 0, 0);
    COLORREF lowColor_ = RGB(0xFF, 0, 0);
    COLORREF highColor_ = RGB(0, 0xFF, 0);
    COLORREF centerColor_ = RGB(0x60, 0xC0, 0);
    COLORREF lightColor_ = RGB(0xFF, 0xFF, 0xFF);
    COLORREF blurColor_ = RGB(0x40, 0xFF, 0xFF);
    int rowHeight_ = 0;
};
