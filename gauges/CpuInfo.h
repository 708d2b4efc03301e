// The gauge of a CPU section: the load of all processors together over the
// last interval, as a block with an optional label ("Processor"), value text
// ("37.5% of 8": the load and the number of processors) and bar. The first
// draw measures from the gauge's construction. When the idle time cannot be
// read, an error text stands in for the gauge until it can be again.
#pragma once

#include "gauges/CounterReading.h"
#include "gauges/GaugeObject.h"

class CpuInfo : public GaugeObject {
public:
    // Option bits, set by the keys of the same names.
    enum Option : UINT {
        CpuString = BlockLabel,
        CpuBar = BlockBar,
        CpuValue = BlockValue,
        CpuPercent = BlockPercent,
        CenterValue = BlockCentered,
        CoolCpuBar = BlockCool,  // "CoolCpuBar" also sets or clears CpuBar
    };

    // Label, value text and cool bar with percentage; a one-second interval.
    // Takes the first reading of the idle time; the second comes with the
    // panel's early refresh.
    CpuInfo();

    // The colour keys, the option keys and "Interval"; other lines go to
    // DesktopObject.
    bool ParseKey(const WCHAR* line, UINT length, bool showErrors) override;
    ~CpuInfo() override = default;
    // Also due while the load waits for its first step.
    bool IsDue() override;
    DWORD FirstValueDelay() const override { return kSecondReadingDelay; }

protected:
    // Reads the idle time.
    void Read() override;
    // The bar fills load x 1024 / 100 of its width.
    void Show(Output& output, int x, int y) override;

private:
    bool failed_ = false;  // the idle time could not be read
    CounterReading idle_;
    UINT load_ = 0;  // tenths of a percent, from the latest step
    DWORD processors_;
};
