// The gauge of a NETWORK section: the receive and send rates of one network
// interface over the last interval, as a block with an optional label
// ("Network" and the interface's name), value text (both rates) and bar (the
// receive rate against "MaxRate", or against the highest receive rate seen).
// An interface that is missing, or no interface list at all, shows an error
// text instead until the interface is there again; its rates then start anew.
#pragma once

#include "gauges/GaugeObject.h"
#include "gauges/NetworkRates.h"

class NetworkInfo : public GaugeObject {
public:
    // Option bits, set by the keys of the same names.
    enum Option : UINT {
        NetString = BlockLabel,
        NetBar = BlockBar,
        NetValue = BlockValue,
        NetPercent = BlockPercent,
        CenterValue = BlockCentered,
        CoolNetBar = BlockCool,  // "CoolNetBar" also sets or clears NetBar
    };

    // Label, value text and cool bar with percentage; a one-second interval;
    // the busiest interface; the bar against the highest rate seen.
    NetworkInfo();

    // The colour keys, "Interface" (the rest of the line), the option keys,
    // "MaxRate" (bytes per second, not negative) and "Interval"; other lines
    // go to DesktopObject.
    bool ParseKey(const WCHAR* line, UINT length, bool showErrors) override;
    ~NetworkInfo() override = default;
    // Also due while the rates wait for their first step.
    bool IsDue() override;
    DWORD FirstValueDelay() const override { return kSecondReadingDelay; }

protected:
    // Reads the interface table afresh. Without "Interface" the gauge keeps
    // to the interface that it chose first (up, no loopback, the most octets
    // carried) while that one stays up. With "Interface" it reads only that
    // interface's row once it has found it in the table.
    void Read() override;
    void Show(Output& output, int x, int y) override;

private:
    bool read_ = false;
    NetworkRates rates_;
    ULONGLONG maxRate_ = 0;  // 0: the highest receive rate seen
    ULONGLONG highestRate_ = 0;
};
