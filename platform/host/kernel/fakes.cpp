#include "platform/host/kernel/fakes.h"

#include <algorithm>

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

DWORD FakeCounter::Read(DWORD now)
{
    if (!m_started) {
        m_started = true;
        m_last = now;
    }
    // Below 2^32 ms times 2^32 at most (the options keep amounts far
    // smaller), so the product fits 64 bits.
    const ULONGLONG grown = static_cast<ULONGLONG>(static_cast<DWORD>(now - m_last)) * m_amount + m_carried;
    m_last = now;
    m_value += static_cast<DWORD>(grown / m_period);
    m_carried = grown % m_period;
    return m_value;
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

void FakeWallClock(int64_t secondsSinceEpoch)
{
    Fakes().wallClock = KernelFakes::WallClock{secondsSinceEpoch, GetTickCount()};
}

void FakeCpuLoad(int percent)
{
    // Idle for the rest of each 100 ms. A new load goes on from the idle time
    // reached, as a real machine's does when its load changes.
    std::optional<FakeCounter>& idle = Fakes().idle;
    const DWORD reached = idle ? idle->Read(GetTickCount()) : 0;
    idle = FakeCounter(static_cast<ULONGLONG>(100 - std::clamp(percent, 0, 100)), 100, reached);
    idle->Read(GetTickCount());
    Fakes().noIdleTime = false;
}

void FakeNoIdleTime()
{
    Fakes().idle.reset();
    Fakes().noIdleTime = true;
}

void FakeNetwork(ULONGLONG receivedPerSecond, ULONGLONG sentPerSecond)
{
    Fakes().network = NetworkCounters{FakeCounter(receivedPerSecond, 1000), FakeCounter(sentPerSecond, 1000)};
    Fakes().noNetwork = false;
}

void FakeTemperature(int celsius)
{
    Fakes().temperature = celsius * 1000;
}

void FakeNoNetwork()
{
    Fakes().network.reset();
    Fakes().noNetwork = true;
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
