#include "gauges/CounterReading.h"

namespace {

// More than any link carries between two readings of a gauge (8 Gbit/s for
// two seconds), and half the counter's range.
constexpr DWORD kLargestGrowth = 0x7FFFFFFF;

}  // namespace

std::optional<CounterReading::Step> CounterReading::Next(DWORD tick, DWORD count)
{
    const DWORD elapsed = tick - tick_;
    if (started_ && elapsed == 0)
        return std::nullopt;
    const Step step = {elapsed, count - count_, count};
    const bool first = !started_;
    started_ = true;
    tick_ = tick;
    count_ = count;
    if (first)
        return std::nullopt;
    stepped_ = true;
    return step;
}

UINT LoadPerMille(const CounterReading::Step& idle)
{
    if (idle.growth >= idle.elapsed)
        return 0;
    const ULONGLONG busy = idle.elapsed - idle.growth;
    return static_cast<UINT>((busy * 1000 + idle.elapsed / 2) / idle.elapsed);
}

ULONGLONG BytesPerSecond(const CounterReading::Step& octets)
{
    const DWORD carried = octets.growth > kLargestGrowth ? octets.count : octets.growth;
    return static_cast<ULONGLONG>(carried) * 1000 / octets.elapsed;
}
