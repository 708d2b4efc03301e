// GetSensorTemperature over /sys/class/hwmon and /sys/class/thermal, or the
// fake temperature. The sensors are listed once and again only after a
// reading fails (a chip removed, a module reloaded); each sensor's file stays
// open between readings.
#include "platform/host/kernel/sensors.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>

#include "platform/host/Reset.h"
#include "platform/host/kernel/fakes.h"
#include "platform/host/kernel/ProcFile.h"
#include "platform/host/kernel/unicode.h"

namespace {

constexpr LONG kColdest = -60000;
constexpr LONG kHottest = 200000;

// The first line of a small attribute file.
std::string FirstLine(const std::filesystem::path& path)
{
    host::ProcFile file(path.string());
    const std::string_view text = file.Read();
    return std::string(text.substr(0, text.find('\n')));
}

// The number N of a "tempN_input" entry, or of "thermal_zoneN"; -1 for other names.
long NumberIn(const std::string& name, std::string_view prefix, std::string_view suffix)
{
    if (name.size() <= prefix.size() + suffix.size() || name.compare(0, prefix.size(), prefix) != 0 ||
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
        return -1;
    long number = -1;
    const char* first = name.data() + prefix.size();
    const char* last = name.data() + name.size() - suffix.size();
    const auto [end, failure] = std::from_chars(first, last, number);
    return failure == std::errc() && end == last ? number : -1;
}

// Entries of `folder` whose names carry a number, by that number.
std::map<long, std::filesystem::path> Numbered(const std::filesystem::path& folder, std::string_view prefix,
                                               std::string_view suffix)
{
    std::map<long, std::filesystem::path> entries;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const long number = NumberIn(entry.path().filename().string(), prefix, suffix);
        if (number >= 0)
            entries.emplace(number, entry.path());
    }
    return entries;
}

void AddChip(const std::filesystem::path& folder, std::vector<host::Sensor>& sensors)
{
    // Older drivers keep their attributes in the device's folder.
    std::filesystem::path attributes = folder;
    auto inputs = Numbered(attributes, "temp", "_input");
    if (inputs.empty()) {
        attributes = folder / "device";
        inputs = Numbered(attributes, "temp", "_input");
    }
    std::string chip = FirstLine(attributes / "name");
    if (chip.empty())
        chip = FirstLine(folder / "name");
    if (chip.empty())
        chip = folder.filename().string();
    for (const auto& [number, input] : inputs) {
        std::string label = FirstLine(attributes / ("temp" + std::to_string(number) + "_label"));
        if (label.empty())
            label = "temp" + std::to_string(number);
        sensors.push_back({chip + "/" + label, input.string()});
    }
}

std::string ChipOf(const host::Sensor& sensor)
{
    return sensor.name.substr(0, sensor.name.find('/'));
}

// The sensors of the machine (or of the test's folder) with a kept reader
// for each one read.
class SensorReader {
public:
    void UseRoot(std::string root)
    {
        root_ = std::move(root);
        Forget();
    }

    void Forget()
    {
        listed_ = false;
        sensors_.clear();
        files_.clear();
    }

    // The millidegrees of the named sensor (empty: the default one), or the
    // error code for SetLastError.
    DWORD Read(const std::string& name, LONG& millidegrees)
    {
        if (!listed_) {
            sensors_ = host::ListSensors(root_);
            listed_ = true;
        }
        const host::Sensor* sensor = nullptr;
        if (name.empty()) {
            sensor = host::DefaultSensor(sensors_);
        } else {
            const auto found = std::find_if(sensors_.begin(), sensors_.end(),
                                            [&](const host::Sensor& s) { return s.name == name; });
            sensor = found != sensors_.end() ? &*found : nullptr;
        }
        if (!sensor) {
            // A sensor that comes later (a module loaded) is found by a new listing.
            listed_ = false;
            return ERROR_NOT_FOUND;
        }
        auto& file = files_[sensor->input];
        if (!file)
            file = std::make_unique<host::ProcFile>(sensor->input);
        const std::string_view text = file->Read();
        if (text.empty()) {
            Forget();
            return ERROR_NOT_FOUND;
        }
        const auto value = host::ParseMillidegrees(text);
        if (!value)
            return ERROR_INVALID_DATA;
        millidegrees = *value;
        return ERROR_SUCCESS;
    }

private:
    std::string root_ = "/sys";
    bool listed_ = false;
    std::vector<host::Sensor> sensors_;
    std::map<std::string, std::unique_ptr<host::ProcFile>> files_;
};

void ForgetSensorRoot();

SensorReader& Reader()
{
    static SensorReader reader;
    host::AddResetHook(&ForgetSensorRoot);
    return reader;
}

void ForgetSensorRoot()
{
    Reader().UseRoot("/sys");
}

}  // namespace

namespace host {

std::vector<Sensor> ListSensors(const std::string& root)
{
    std::vector<Sensor> sensors;
    std::vector<std::filesystem::path> chips;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(root + "/class/hwmon", error))
        chips.push_back(entry.path());
    // hwmon10 after hwmon9.
    std::sort(chips.begin(), chips.end(), [](const auto& a, const auto& b) {
        const std::string x = a.filename().string(), y = b.filename().string();
        return x.size() != y.size() ? x.size() < y.size() : x < y;
    });
    for (const auto& chip : chips)
        AddChip(chip, sensors);
    for (const auto& [number, zone] : Numbered(root + "/class/thermal", "thermal_zone", ""))
        sensors.push_back({zone.filename().string(), (zone / "temp").string()});
    return sensors;
}

const Sensor* DefaultSensor(const std::vector<Sensor>& sensors)
{
    for (const char* chip : {"coretemp", "k10temp", "zenpower", "cpu_thermal"}) {
        const Sensor* first = nullptr;
        for (const Sensor& sensor : sensors) {
            if (ChipOf(sensor) != chip)
                continue;
            const std::string label = sensor.name.substr(sensor.name.find('/') + 1);
            if (label == "Package id 0" || label == "Tctl")
                return &sensor;
            if (!first)
                first = &sensor;
        }
        if (first)
            return first;
    }
    for (const Sensor& sensor : sensors) {
        if (sensor.name.rfind("thermal_zone", 0) == 0)
            return &sensor;
    }
    return sensors.empty() ? nullptr : &sensors.front();
}

std::optional<LONG> ParseMillidegrees(std::string_view text)
{
    if (!text.empty() && text.back() == '\n')
        text.remove_suffix(1);
    LONG value = 0;
    const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || failure != std::errc() || end != text.data() + text.size() || value < kColdest ||
        value > kHottest)
        return std::nullopt;
    return value;
}

std::string SensorReport(const std::string& root)
{
    const std::vector<Sensor> sensors = ListSensors(root);
    const Sensor* chosen = DefaultSensor(sensors);
    std::string report;
    for (const Sensor& sensor : sensors) {
        ProcFile file(sensor.input);
        const auto value = ParseMillidegrees(file.Read());
        char reading[32] = "unreadable";
        if (value)
            std::snprintf(reading, sizeof reading, "%.1f \u00b0C", *value / 1000.0);
        report += sensor.name + "  " + reading + (&sensor == chosen ? " (default)" : "") + "\n";
    }
    return report;
}

void testing::UseSensorFolder(const std::string& root)
{
    Reader().UseRoot(root);
}

}  // namespace host

BOOL WINAPI GetSensorTemperature(LPCWSTR sensor, LONG* millidegrees)
{
    if (!millidegrees) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const host::KernelFakes& fakes = host::Fakes();
    if (fakes.temperature) {
        const bool plausible = kColdest <= *fakes.temperature && *fakes.temperature <= kHottest;
        SetLastError(plausible ? ERROR_SUCCESS : ERROR_INVALID_DATA);
        *millidegrees = *fakes.temperature;
        return plausible;
    }
    const DWORD error = Reader().Read(sensor ? host::ToUtf8(sensor) : std::string(), *millidegrees);
    SetLastError(error);
    return error == ERROR_SUCCESS;
}
