// One temperature sensor of the platform, read through the platform's
// GetSensorTemperature, which is looked up in "coredll.dll" as the power
// status is. A platform without that function, or without the sensor, gives
// no reading; nothing is shown in a box, the gauges show their error text.
#pragma once

#include <memory>
#include <optional>

#include "gauges/CoreFunction.h"

typedef BOOL(WINAPI* GetSensorTemperatureProc)(LPCWSTR sensor, LONG* millidegrees);

class TemperatureSensor {
public:
    // The sensor's name as the platform lists it ("coretemp/Package id 0",
    // "thermal_zone0"); without one, the processor's sensor.
    void SetName(std::unique_ptr<WCHAR[]> name) { name_ = std::move(name); }
    // The name, or "" for the processor's sensor.
    const WCHAR* Name() const;

    // Millidegrees Celsius now; nothing when the sensor cannot be read or
    // reads below -60 or above 200 degrees.
    std::optional<LONG> Read() const;

private:
    CoreFunction<GetSensorTemperatureProc> query_{TEXT("GetSensorTemperature")};
    std::unique_ptr<WCHAR[]> name_;
};

// "47 °C": whole degrees, rounded to the nearest.
void FormatCelsius(LONG millidegrees, WCHAR (&text)[16]);
