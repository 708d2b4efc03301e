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

// The next number of `line` after spaces, taken off its front; false when
// none comes or it does not fit.
bool TakeNumber(std::string_view& line, ULONGLONG& number)
{
    size_t at = 0;
    while (at < line.size() && (line[at] == ' ' || line[at] == '\t'))
        ++at;
    const size_t first = at;
    number = 0;
    for (; at < line.size() && line[at] >= '0' && line[at] <= '9'; ++at) {
        if (__builtin_mul_overflow(number, 10ull, &number) ||
            __builtin_add_overflow(number, static_cast<ULONGLONG>(line[at] - '0'), &number))
            return false;
    }
    line.remove_prefix(at);
    return at > first;
}

DWORD ProcessorCount()
{
    if (const auto times = host::ReadProcessorTimes(kProcStat))
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

std::optional<ProcessorTimes> ReadProcessorTimes(const std::string& path)
{
    ProcFile file(path);
    return ParseProcessorTimes(file.Read());
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
    // Kept open: the processor gauges and graphs read it at every refresh.
    static host::ProcFile stat(kProcStat);
    const auto times = host::ParseProcessorTimes(stat.Read());
    const long ticksPerSecond = sysconf(_SC_CLK_TCK);
    if (!times || ticksPerSecond <= 0)
        return MAXDWORD;
    // Idle ticks stay far below 2^54 (a thousand processors for a century),
    // so the product fits.
    return static_cast<DWORD>(times->idleTicks * 1000 / static_cast<ULONGLONG>(ticksPerSecond) / times->processors);
}
