// Simulated system readings and launch recording: the state behind the
// Fake... and RecordLaunches hooks of platform/host/testing.h, read by the
// status, power, module and shell services. ResetKernelFakes() returns to the
// real readings and real launches; it is a reset hook, so ResetHost runs it.
#pragma once

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

struct BatteryReading {
    int percent;
    bool charging;
    bool onAC;
};

struct KernelFakes {
    std::optional<MemoryReading> memory;
    std::optional<DiskReading> disk;
    bool diskFails = false;
    std::optional<BatteryReading> battery;
    bool noPowerEntryPoint = false;
    bool recordLaunches = false;
    std::vector<testing::Launch> launches;
};

KernelFakes& Fakes();
void ResetKernelFakes();

}  // namespace host
