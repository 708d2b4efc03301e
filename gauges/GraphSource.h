// The reading behind a graph, one of the gauges' readings, taken once per
// sample: the processor load, the memory or disk space in use and the
// battery charge in percent, a network interface's receive or send rate in
// bytes per second, or a temperature in degrees Celsius.
#pragma once

#include <memory>
#include <optional>

#include "gauges/BatteryInfo.h"
#include "gauges/CoreFunction.h"
#include "gauges/CounterReading.h"
#include "gauges/NetworkRates.h"
#include "gauges/TemperatureSensor.h"

class GraphSource {
public:
    enum class Kind { Cpu, Memory, Disk, Battery, NetReceived, NetSent, Temperature };

    // What one reading gives: nothing yet (a rate or load before its second
    // reading), a gap (the reading failed) or a value.
    struct Sample {
        bool taken;
        std::optional<float> value;
    };

    // The processor load; its first reading is taken now, so that the first
    // sample measures from here.
    GraphSource();

    // "CPU", "MEMORY", "DISK", "BATTERY", "NETRX", "NETTX", "TEMPERATURE";
    // false for any other name.
    bool SetKind(const WCHAR* name);
    // The folder of DISK, the interface of NETRX and NETTX, the sensor of
    // TEMPERATURE.
    void SetFolder(std::unique_ptr<WCHAR[]> folder) { folder_ = std::move(folder); }
    void SetInterface(std::unique_ptr<WCHAR[]> name) { rates_.SetInterface(std::move(name)); }
    void SetSensor(std::unique_ptr<WCHAR[]> name) { sensor_.SetName(std::move(name)); }

    // Percentages have a natural top of 100.
    bool IsPercentage() const;
    // A load or a rate before its first step: its first reading gave no value.
    bool WaitsForFirstStep() const;
    Sample Read();
    // The caption: "Processor", "Memory", the disk's folder, "Battery",
    // "↓ Network eth0", "↑ Network eth0", "Temperature" (with the sensor's name).
    void FormatLabel(WCHAR (&text)[64]) const;
    // A value as the gauges write it: "37.5%", "1.50 KB/s", "47 °C".
    void FormatValue(float value, WCHAR (&text)[32]) const;

private:
    Kind kind_ = Kind::Cpu;
    CounterReading idle_;
    std::unique_ptr<WCHAR[]> folder_;
    NetworkRates rates_;
    TemperatureSensor sensor_;
    CoreFunction<GetSystemPowerStatusEx2Proc> powerStatus_{TEXT("GetSystemPowerStatusEx2")};
};
