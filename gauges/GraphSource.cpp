#include "gauges/GraphSource.h"

#include "config/TextParsing.h"
#include "gauges/GaugeRows.h"

namespace {

struct KindName {
    const WCHAR* name;
    GraphSource::Kind kind;
};

constexpr KindName kKinds[] = {
    {TEXT("CPU"), GraphSource::Kind::Cpu},
    {TEXT("MEMORY"), GraphSource::Kind::Memory},
    {TEXT("DISK"), GraphSource::Kind::Disk},
    {TEXT("BATTERY"), GraphSource::Kind::Battery},
    {TEXT("NETRX"), GraphSource::Kind::NetReceived},
    {TEXT("NETTX"), GraphSource::Kind::NetSent},
    {TEXT("TEMPERATURE"), GraphSource::Kind::Temperature},
};

// The share of `total` that is not `free`, in percent; a gap for no total.
GraphSource::Sample UsedShare(ULONGLONG free, ULONGLONG total)
{
    if (total == 0 || free > total)
        return {true, std::nullopt};
    return {true, static_cast<float>(static_cast<double>(total - free) * 100.0 / static_cast<double>(total))};
}

}  // namespace

GraphSource::GraphSource()
{
    const DWORD idle = GetIdleTime();
    if (idle != MAXDWORD)
        idle_.Next(GetTickCount(), idle);
}

bool GraphSource::SetKind(const WCHAR* name)
{
    // The whole value (trailing blanks aside) names the source: "CPUX" is no CPU.
    UINT length = TextLength(name);
    while (length > 0 && (name[length - 1] == TEXT(' ') || name[length - 1] == TEXT('\t')))
        --length;
    for (const KindName& entry : kKinds) {
        if (TextLength(entry.name) == length && CompareChars(entry.name, name, length) == 0) {
            kind_ = entry.kind;
            return true;
        }
    }
    return false;
}

bool GraphSource::IsPercentage() const
{
    return kind_ == Kind::Cpu || kind_ == Kind::Memory || kind_ == Kind::Disk || kind_ == Kind::Battery;
}

bool GraphSource::WaitsForFirstStep() const
{
    if (kind_ == Kind::Cpu)
        return !idle_.HasStepped();
    if (kind_ == Kind::NetReceived || kind_ == Kind::NetSent)
        return !rates_.HasStepped();
    return false;
}

GraphSource::Sample GraphSource::Read()
{
    switch (kind_) {
    case Kind::Cpu: {
        const DWORD idle = GetIdleTime();
        if (idle == MAXDWORD) {
            idle_.Restart();
            return {true, std::nullopt};
        }
        const auto step = idle_.Next(GetTickCount(), idle);
        if (!step)
            return {false, std::nullopt};
        return {true, static_cast<float>(LoadPerMille(*step)) / 10.0f};
    }
    case Kind::Memory: {
        MEMORYSTATUS status = {};
        status.dwLength = sizeof(status);
        GlobalMemoryStatus(&status);
        return UsedShare(status.dwAvailPhys, status.dwTotalPhys);
    }
    case Kind::Disk: {
        ULARGE_INTEGER freeToCaller = {};
        ULARGE_INTEGER total = {};
        if (!folder_ || !GetDiskFreeSpaceExW(folder_.get(), &freeToCaller, &total, nullptr))
            return {true, std::nullopt};
        return UsedShare(freeToCaller.QuadPart, total.QuadPart);
    }
    case Kind::Battery: {
        SYSTEM_POWER_STATUS_EX2 status = {};
        if (!powerStatus_.Get() || !powerStatus_.Get()(&status, sizeof(status), TRUE) ||
            status.BatteryLifePercent > 100)
            return {true, std::nullopt};
        return {true, static_cast<float>(status.BatteryLifePercent)};
    }
    case Kind::NetReceived:
    case Kind::NetSent:
        if (!rates_.Update())
            return {true, std::nullopt};
        if (!rates_.Measured())
            return {false, std::nullopt};
        return {true, static_cast<float>(kind_ == Kind::NetReceived ? rates_.ReceivedRate() : rates_.SentRate())};
    case Kind::Temperature:
        if (const auto millidegrees = sensor_.Read())
            return {true, static_cast<float>(*millidegrees) / 1000.0f};
        return {true, std::nullopt};
    }
    return {true, std::nullopt};
}

void GraphSource::FormatLabel(WCHAR (&text)[64]) const
{
    switch (kind_) {
    case Kind::Cpu:
        CopyText(TEXT("Processor"), text, 64);
        return;
    case Kind::Memory:
        CopyText(TEXT("Memory"), text, 64);
        return;
    case Kind::Disk:
        CopyText(folder_ ? folder_.get() : TEXT("Disk"), text, 64);
        return;
    case Kind::Battery:
        CopyText(TEXT("Battery"), text, 64);
        return;
    case Kind::NetReceived:
    case Kind::NetSent: {
        const UINT start = CopyText(kind_ == Kind::NetReceived ? TEXT("\u2193 ") : TEXT("\u2191 "), text, 64);
        CopyText(rates_.Label()[0] ? rates_.Label() : TEXT("Network"), text + start, 64 - start);
        return;
    }
    case Kind::Temperature: {
        const UINT start = CopyText(TEXT("Temperature"), text, 64);
        if (sensor_.Name()[0]) {
            text[start] = TEXT(' ');
            CopyText(sensor_.Name(), text + start + 1, 64 - start - 1);
        }
        return;
    }
    }
}

void GraphSource::FormatValue(float value, WCHAR (&text)[32]) const
{
    switch (kind_) {
    case Kind::Cpu:
        _snwprintf(text, 32, TEXT("%.1f%%"), static_cast<double>(value));
        break;
    case Kind::Memory:
    case Kind::Disk:
    case Kind::Battery:
        _snwprintf(text, 32, TEXT("%d%%"), static_cast<int>(value + 0.5f));
        break;
    case Kind::NetReceived:
    case Kind::NetSent: {
        WCHAR rate[16];
        FormatRate(static_cast<ULONGLONG>(value), rate);
        CopyText(rate, text, 32);
        break;
    }
    case Kind::Temperature: {
        WCHAR celsius[16];
        FormatCelsius(static_cast<LONG>(value * 1000.0f), celsius);
        CopyText(celsius, text, 32);
        break;
    }
    }
    text[31] = 0;
}
