#include "gauges/TemperatureSensor.h"

namespace {

constexpr LONG kColdest = -60000;
constexpr LONG kHottest = 200000;

}  // namespace

const WCHAR* TemperatureSensor::Name() const
{
    return name_ ? name_.get() : TEXT("");
}

std::optional<LONG> TemperatureSensor::Read() const
{
    LONG millidegrees = 0;
    if (!query_.Get() || !query_.Get()(name_ ? name_.get() : nullptr, &millidegrees))
        return std::nullopt;
    // A platform's own check may be laxer than the gauges'.
    if (millidegrees < kColdest || millidegrees > kHottest)
        return std::nullopt;
    return millidegrees;
}

void FormatCelsius(LONG millidegrees, WCHAR (&text)[16])
{
    const LONG degrees = (millidegrees >= 0 ? millidegrees + 500 : millidegrees - 500) / 1000;
    _snwprintf(text, 16, TEXT("%d \u00b0C"), static_cast<int>(degrees));
    text[15] = 0;
}
