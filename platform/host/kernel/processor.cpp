// GetSystemInfo and GetIdleTime. /proc/stat counts time in clock ticks
// (USER_HZ) summed over the processors; the idle time of the handheld is
// wall-clock milliseconds, so the sum is shared out among the processors.
#include "platform/host/kernel/processor.h"

#include <unistd.h>

#include <string_view>

#include "platform/host/kernel/fakes.h"
#include "platform/host/kernel/ProcFile.h"

namespace {

constexpr const char* kProcStat = "/proc/stat";

WORD Architecture()
{
#if defined(__x86_64__)
    return PROCESSOR_ARCHITECTURE_AMD64;
#elif defined(__aarch64__)
    return PROCESSOR_ARCHITECTURE_ARM64;
#elif defined(__i386__)
    return PROCESSOR_ARCHITECTURE_INTEL;
#elif defined(__arm__)
    return PROCESSOR_ARCHITECTURE_ARM;
#else
    return PROCESSOR_ARCHITECTURE_UNKNOWN;
#endif
}

// /proc/stat, kept open: the processor gauges and graphs read it at every
// refresh.
std::optional<host::ProcessorTimes> ReadProcStat()
{
    static host::ProcFile stat(kProcStat);
    return host::ParseProcessorTimes(stat.Read());
}

DWORD ProcessorCount()
{
    if (const auto times = ReadProcStat())
        return times->processors;
    const long online = sysconf(_SC_NPROCESSORS_ONLN);
    return online > 0 ? static_cast<DWORD>(online) : 1;
}

}  // namespace

namespace host {

std::optional<ProcessorTimes> ParseProcessorTimes(std::string_view text)
{
    std::optional<ULONGLONG> idle;
    DWORD processors = 0;
    while (!text.empty()) {
        const size_t lineEnd = text.find('\n');
        std::string_view line = text.substr(0, lineEnd);
        text.remove_prefix(lineEnd == std::string_view::npos ? text.size() : lineEnd + 1);
        if (line.substr(0, 3) != "cpu")
            continue;
        if (line.size() > 3 && line[3] >= '0' && line[3] <= '9') {
            ++processors;
            continue;
        }
        // "cpu  user nice system idle iowait irq ...": kernels before 2.6
        // have no iowait field.
        line.remove_prefix(3);
        ULONGLONG user = 0, nice = 0, system = 0, idleTicks = 0, iowait = 0;
        if (!TakeNumber(line, user) || !TakeNumber(line, nice) || !TakeNumber(line, system) ||
            !TakeNumber(line, idleTicks))
            continue;
        if (!TakeNumber(line, iowait))
            iowait = 0;
        idle = idleTicks + iowait;
    }
    if (!idle || processors == 0)
        return std::nullopt;
    return ProcessorTimes{*idle, processors};
}

}  // namespace host

void GetSystemInfo(LPSYSTEM_INFO systemInfo)
{
    if (!systemInfo)
        return;
    SYSTEM_INFO info{};
    info.wProcessorArchitecture = Architecture();
    const long pageSize = sysconf(_SC_PAGESIZE);
    info.dwPageSize = pageSize > 0 ? static_cast<DWORD>(pageSize) : 4096;
    info.lpMinimumApplicationAddress = reinterpret_cast<LPVOID>(static_cast<UINT_PTR>(0x10000));
    info.lpMaximumApplicationAddress = reinterpret_cast<LPVOID>(~static_cast<UINT_PTR>(0) >> 17);
    info.dwNumberOfProcessors = ProcessorCount();
    const DWORD maskBits = 8 * sizeof(DWORD_PTR);
    info.dwActiveProcessorMask = info.dwNumberOfProcessors >= maskBits
                                     ? ~static_cast<DWORD_PTR>(0)
                                     : (static_cast<DWORD_PTR>(1) << info.dwNumberOfProcessors) - 1;
    info.dwAllocationGranularity = 0x10000;
    *systemInfo = info;
}

DWORD GetIdleTime()
{
    host::KernelFakes& fakes = host::Fakes();
    if (fakes.noIdleTime)
        return MAXDWORD;
    if (fakes.idle)
        return fakes.idle->Read(GetTickCount());
    const auto times = ReadProcStat();
    const long ticksPerSecond = sysconf(_SC_CLK_TCK);
    if (!times || ticksPerSecond <= 0)
        return MAXDWORD;
    // Idle ticks stay far below 2^54 (a thousand processors for a century),
    // so the product fits.
    return static_cast<DWORD>(times->idleTicks * 1000 / static_cast<ULONGLONG>(ticksPerSecond) / times->processors);
}
