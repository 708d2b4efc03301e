#include "platform/host/kernel/fakes.h"

#include "platform/host/Reset.h"

namespace host {

KernelFakes& Fakes()
{
    static KernelFakes fakes;
    AddResetHook(&ResetKernelFakes);
    return fakes;
}

void ResetKernelFakes()
{
    Fakes() = KernelFakes{};
}

}  // namespace host

namespace host::testing {

void FakeMemory(ULONGLONG availPhys, ULONGLONG totalPhys, ULONGLONG availVirtual, ULONGLONG totalVirtual)
{
    Fakes().memory = MemoryReading{availPhys, totalPhys, availVirtual, totalVirtual};
}

void FakeDisk(ULONGLONG freeBytes, ULONGLONG totalBytes)
{
    Fakes().disk = DiskReading{freeBytes, totalBytes};
    Fakes().diskFails = false;
}

void FakeDiskFailure()
{
    Fakes().disk.reset();
    Fakes().diskFails = true;
}

void FakeBattery(int percent, bool charging, bool onAC)
{
    Fakes().battery = BatteryReading{percent, charging, onAC};
    Fakes().noPowerEntryPoint = false;
}

void FakeNoBattery()
{
    Fakes().battery.reset();
    Fakes().noPowerEntryPoint = true;
}

void RecordLaunches(bool on)
{
    Fakes().recordLaunches = on;
}

const std::vector<Launch>& Launches()
{
    return Fakes().launches;
}

}  // namespace host::testing
