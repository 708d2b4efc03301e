// Simulated system readings and launch recording: the state behind the
// Fake... and RecordLaunches hooks of platform/host/testing.h, read by the
// status, power, module and shell services. ResetKernelFakes() returns to the
// real readings and real launches; it is a reset hook, so ResetHost runs it.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/host/testing.h"

namespace host {

struct MemoryReading {
    ULONGLONG availPhys;
    ULONGLONG totalPhys;
    ULONGLONG availVirtual;
    ULONGLONG totalVirtual;
};

struct DiskReading {
    ULONGLONG freeBytes;
    ULONGLONG totalBytes;
};

// A 32-bit counter that grows by `amount` every `period` milliseconds of the
// tick count, from 0 at its first reading, wrapping as the system's counters
// do. Fractions are carried, so readings a whole number of periods apart
// differ by exactly that many amounts.
class FakeCounter {
public:
    // `start`: the value of its first reading.
    FakeCounter(ULONGLONG amount, DWORD period, DWORD start = 0) : m_amount(amount), m_period(period), m_value(start) {}
    DWORD Read(DWORD now);

private:
    ULONGLONG m_amount;
    DWORD m_period;
    bool m_started = false;
    DWORD m_last = 0;
    DWORD m_value = 0;
    ULONGLONG m_carried = 0;
};

struct NetworkCounters {
    FakeCounter received;
    FakeCounter sent;
};

struct BatteryReading {
    int percent;
    bool charging;
    bool onAC;
};

struct KernelFakes {
    std::optional<MemoryReading> memory;
    std::optional<DiskReading> disk;
    bool diskFails = false;
    std::optional<FakeCounter> idle;
    bool noIdleTime = false;
    std::optional<NetworkCounters> network;
    bool noNetwork = false;
    std::optional<BatteryReading> battery;
    bool noPowerEntryPoint = false;
    std::optional<LONG> temperature;  // millidegrees Celsius
    // The local time's seconds since the epoch at the tick count `tick`.
    struct WallClock {
        int64_t seconds;
        DWORD tick;
    };
    std::optional<WallClock> wallClock;
    bool recordLaunches = false;
    std::vector<testing::Launch> launches;
};

KernelFakes& Fakes();
void ResetKernelFakes();

}  // namespace host
