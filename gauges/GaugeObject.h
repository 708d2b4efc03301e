// The common base of the gauges drawn as gauge rows (memory, disk,
// processor, network): their seven colours with the keys that set them, the
// rule that turns a gauge's settings into the GaugeRow of one block, and the
// options, measuring and error text of the gauges that show a single block.
#pragma once

#include <cstddef>
#include <memory>

#include "config/KeyTable.h"
#include "gauges/CoolBarMemo.h"
#include "gauges/GaugeRow.h"
#include "objects/DesktopObject.h"

class Look;

class GaugeObject : public DesktopObject {
public:
    // Default colours and the gauge's own default options; the interval is
    // ten minutes.
    explicit GaugeObject(UINT options);
    ~GaugeObject() override = default;
    // Nothing without options or beyond the drawing range; otherwise Show
    // of the reading that DescribeLook took, or of a new one.
    void Draw(DibSurface& surface, int x, int y) final;
    // Takes a reading and writes Show's rows or error text into `look`.
    bool DescribeLook(Look& look) final;
    // A single block: the row height from the DC's font, and Height the
    // height of the rows that the BlockOption bits select.
    void Measure(HDC dc) override;

protected:
    // The option bits of a gauge with a single block.
    enum BlockOption : UINT {
        BlockLabel = 0x01,
        BlockBar = 0x02,
        BlockValue = 0x04,
        BlockPercent = 0x08,
        BlockCentered = 0x10,
        BlockCool = 0x20,
    };
    static constexpr UINT kFullBlock = BlockLabel | BlockBar | BlockValue | BlockPercent | BlockCool;

    // Where Show puts what a reading shows: onto a surface when drawing, or
    // into a look when the panel asks whether anything changed.
    class Output {
    public:
        explicit Output(DibSurface& surface) : surface_(&surface) {}
        explicit Output(Look& look) : look_(&look) {}
        // The surface's DC; null for a look.
        HDC Dc() const;
        // DrawGaugeRows of `row`.
        void Rows(const GaugeRow& row);
        // DrawErrorText in `color`, or in the DC's text colour when null.
        void ErrorText(const GaugeObject& gauge, int x, int y, const WCHAR* name, const COLORREF* color = nullptr);

    private:
        DibSurface* surface_ = nullptr;
        Look* look_ = nullptr;
    };

    // Takes a new reading into the gauge.
    virtual void Read() = 0;
    // Puts what the last reading shows at (x, y), in the drawing range.
    virtual void Show(Output& output, int x, int y) = 0;

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

    // The key rule of "Interval": the DesktopObject interval in milliseconds.
    template <class Gauge>
    static bool ApplyInterval(Gauge& gauge, const WCHAR* value)
    {
        gauge.SetInterval(static_cast<DWORD>(ParseInt(value)));
        return true;
    }

    UINT Options() const { return options_; }

    // A gauge's ParseKey: the gauge's own `keys`, then the colour keys (so
    // that a key of its own such as "ColorCritical" is not taken for
    // "Color"); a rejected line is reported under `caption`, an unknown one
    // handed to DesktopObject.
    template <class Gauge, size_t N>
    bool ParseGaugeKey(const KeyRule<Gauge> (&keys)[N], const WCHAR* line, UINT length, bool showErrors,
                       const WCHAR* caption)
    {
        KeyResult result = ApplyKeyTable(static_cast<Gauge&>(*this), keys, line, length);
        if (result == KeyResult::Unknown)
            result = ApplyColorKey(line, length);
        return FinishParseKey(result, line, length, showErrors, caption);
    }

    // A cleared row with `flags`, `dc`, (x, y), the object's
    // width, the colours, the gauge's bar memo and the row height: the
    // measured one, or else the object's Height shared among the selected
    // rows.
    void BuildBlock(GaugeRow& row, HDC dc, UINT flags, int x, int y);

    // The height of "I" in the DC's current font, kept as the row height.
    void MeasureRowHeight(HDC dc);
    int RowHeight() const { return rowHeight_; }
    COLORREF TextColor() const { return textColor_; }

    // A single block's GaugeRow flags from the BlockOption bits.
    UINT BlockFlags() const;

    // What a gauge shows when its reading failed: 'Fehler: "<name>"',
    // word-wrapped in the object's rectangle at (x, y), in the DC's text
    // colour and font.
    void DrawErrorText(HDC dc, int x, int y, const WCHAR* name) const;

private:
    // "Color", "TextColor", "BorderColor", "BackgroundColorLow",
    // "BackgroundColorHigh", "BackgroundColorCenter", "LightColor",
    // "BlurColor"; Unknown for any other line.
    KeyResult ApplyColorKey(const WCHAR* line, UINT length);
    bool FinishParseKey(KeyResult result, const WCHAR* line, UINT length, bool showErrors, const WCHAR* caption);

    UINT options_;
    COLORREF textColor_ = RGB(0, 0, 0);
    COLORREF borderColor_ = RGB(0, 0, 0);
    COLORREF lowColor_ = RGB(0xFF, 0, 0);
    COLORREF highColor_ = RGB(0, 0xFF, 0);
    COLORREF centerColor_ = RGB(0x60, 0xC0, 0);
    COLORREF lightColor_ = RGB(0xFF, 0xFF, 0xFF);
    COLORREF blurColor_ = RGB(0x40, 0xFF, 0xFF);
    int rowHeight_ = 0;
    CoolBarMemo barMemo_;
};
