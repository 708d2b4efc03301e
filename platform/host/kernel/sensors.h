// Temperature sensors on the host: the hwmon chips of /sys/class/hwmon (a
// chip's "name", its "tempN_input" in millidegrees Celsius and the
// "tempN_label" that names it) and the zones of /sys/class/thermal
// ("thermal_zoneN/temp"). The program reaches them only through
// LoadLibraryW(TEXT("coredll.dll")) and GetProcAddressW, as the power status.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/win32.h"

// The temperature of `sensor` (as ListSensors names it; null or empty: the
// processor's) in millidegrees Celsius. FALSE with ERROR_NOT_FOUND when there
// is no such sensor, ERROR_INVALID_DATA when it reads no number or one below
// -60 or above 200 degrees.
BOOL WINAPI GetSensorTemperature(LPCWSTR sensor, LONG* millidegrees);

namespace host {

struct Sensor {
    std::string name;   // "coretemp/Package id 0", "acpitz/temp1", "thermal_zone0"
    std::string input;  // the file that holds the millidegrees
};

// The sensors under `root` (laid out like /sys): the hwmon chips in folder
// order, each chip's inputs by number, a missing label read as "tempN"; then
// the thermal zones by number.
std::vector<Sensor> ListSensors(const std::string& root);

// The processor's sensor: the first of coretemp, k10temp, zenpower and
// cpu_thermal (its "Package id 0" or "Tctl" where it has one), else the first
// thermal zone, else the first sensor; null when there are none.
const Sensor* DefaultSensor(const std::vector<Sensor>& sensors);

// A sensor file's text as millidegrees; nothing for anything but an integer
// (a line end may follow) or an absurd value.
std::optional<LONG> ParseMillidegrees(std::string_view text);

// "CHIP/LABEL  47.0 °C" a line for every sensor under `root`, or
// "CHIP/LABEL  unreadable"; the default sensor marked with " (default)".
std::string SensorReport(const std::string& root);

}  // namespace host
