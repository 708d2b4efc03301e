// The gauge of a TEMPERATURE section: one temperature sensor as a block with
// an optional label ("Temperature" and the sensor's name), value text
// ("47 °C") and bar (the temperature against "Max"). At or above "WarnAt"
// the bar is painted in "ColorCritical". A sensor that cannot be read, or
// reads an absurd value, shows an error text in the text colour instead
// until it reads again.
#pragma once

#include "gauges/GaugeObject.h"
#include "gauges/TemperatureSensor.h"

class TemperatureInfo : public GaugeObject {
public:
    // Option bits, set by the keys of the same names.
    enum Option : UINT {
        TempString = BlockLabel,
        TempBar = BlockBar,
        TempValue = BlockValue,
        TempPercent = BlockPercent,
        CenterValue = BlockCentered,
        CoolTempBar = BlockCool,  // "CoolTempBar" also sets or clears TempBar
    };

    // Label, value text and cool bar with percentage; a two-second interval;
    // the processor's sensor; full at 100 °C, critical from 80 °C.
    TemperatureInfo();

    // The colour keys, "Sensor" (the rest of the line), the option keys,
    // "Max" (degrees, above 0), "WarnAt" (degrees), "ColorCritical" and
    // "Interval"; other lines go to DesktopObject.
    bool ParseKey(const WCHAR* line, UINT length, bool showErrors) override;
    ~TemperatureInfo() override = default;
protected:
    // Reads the sensor afresh.
    void Read() override;
    // Below 0 °C the bar is empty.
    void Show(Output& output, int x, int y) override;

private:
    std::optional<LONG> millidegrees_;
    TemperatureSensor sensor_;
    int max_ = 100;
    int warnAt_ = 80;
    COLORREF colorCritical_ = RGB(0xD0, 0, 0);
    WCHAR label_[64] = {};
};
