// The receive and send rates of one network interface between two readings
// of the interface table: the named one, or else the busiest (up, no
// loopback, the most octets carried), kept while it stays up. The network
// gauge and the network graphs read through it.
#pragma once

#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "gauges/CounterReading.h"
#include "platform/win32.h"

class NetworkRates {
public:
    // The interface's name, such as "eth0" (on Windows also the adapter's
    // description); null: the busiest.
    void SetInterface(std::unique_ptr<WCHAR[]> name) { interface_ = std::move(name); }
    const WCHAR* Interface() const { return interface_.get(); }

    // Reads the interface table afresh and steps the rates; false when the
    // interface (or the table) is missing. A new interface starts its rates
    // anew: they are 0 until its second reading.
    bool Update();
    // Whether the last Update measured a step (not the first reading).
    bool Measured() const { return measured_; }
    // True once an Update measured a step.
    bool HasStepped() const { return received_.HasStepped(); }
    ULONGLONG ReceivedRate() const { return receivedRate_; }
    ULONGLONG SentRate() const { return sentRate_; }
    // "Network " and the interface's name.
    const WCHAR* Label() const { return label_; }

private:
    // The rows of the interface table, or nothing when the system has none.
    // The buffer is kept, so a table that keeps its size is read with one
    // call; the table may grow between asking for its size and reading it,
    // so that is tried a few times. Rows beyond the bytes filled are not
    // believed.
    std::optional<std::span<const MIB_IFROW>> ReadTable();
    // The row to measure now: a named interface once tracked is read alone
    // (GetIfEntry), anything else found in the table; null when there is none.
    const MIB_IFROW* ReadRow();
    // The configured interface, else the tracked one while up, else the
    // busiest that is up; null when there is none.
    const MIB_IFROW* FindInterface(std::span<const MIB_IFROW> rows) const;
    // Starts the rates and the label afresh for an interface not tracked yet.
    void Track(const MIB_IFROW& row);

    std::unique_ptr<WCHAR[]> interface_;
    bool tracking_ = false;
    bool measured_ = false;
    DWORD trackedIndex_ = 0;
    CounterReading received_;
    CounterReading sent_;
    ULONGLONG receivedRate_ = 0;
    ULONGLONG sentRate_ = 0;
    WCHAR label_[8 + MAXLEN_IFDESCR] = {};
    std::vector<BYTE> table_;  // the last interface table read
    MIB_IFROW row_ = {};       // the last row read alone
};
