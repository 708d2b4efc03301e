// GetSystemPowerStatusEx2 over /sys/class/power_supply. The kernel reports
// microvolts, microamperes and tenths of a degree Celsius; the record wants
// millivolts, milliamperes and tenths of a degree.
#include "platform/host/kernel/power.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <vector>

#include "platform/host/kernel/fakes.h"

namespace {

constexpr BYTE kChemistryUnknown = 0xFF;

// One supply's folder: each attribute is a file holding one line.
class PowerSupply {
public:
    explicit PowerSupply(std::filesystem::path folder) : m_folder(std::move(folder)) {}

    std::string Text(const char* attribute) const
    {
        std::ifstream file(m_folder / attribute);
        std::string line;
        std::getline(file, line);
        return line;
    }

    std::optional<long long> Number(const char* attribute) const
    {
        const std::string text = Text(attribute);
        char* end = nullptr;
        const long long value = std::strtoll(text.c_str(), &end, 10);
        if (text.empty() || end == text.c_str())
            return std::nullopt;
        return value;
    }

private:
    std::filesystem::path m_folder;
};

BYTE BatteryFlags(int percent, bool charging)
{
    BYTE flags = 0;
    if (percent > 66)
        flags |= BATTERY_FLAG_HIGH;
    if (percent < 33)
        flags |= BATTERY_FLAG_LOW;
    if (percent < 5)
        flags |= BATTERY_FLAG_CRITICAL;
    if (charging)
        flags |= BATTERY_FLAG_CHARGING;
    return flags;
}

// Everything unknown, no battery, no backup battery.
SYSTEM_POWER_STATUS_EX2 NoBattery()
{
    SYSTEM_POWER_STATUS_EX2 status{};
    status.ACLineStatus = AC_LINE_ONLINE;
    status.BatteryFlag = BATTERY_FLAG_NO_BATTERY;
    status.BatteryLifePercent = BATTERY_PERCENTAGE_UNKNOWN;
    status.BatteryLifeTime = BATTERY_LIFE_UNKNOWN;
    status.BatteryFullLifeTime = BATTERY_LIFE_UNKNOWN;
    status.BackupBatteryFlag = BATTERY_FLAG_NO_BATTERY;
    status.BackupBatteryLifePercent = BATTERY_PERCENTAGE_UNKNOWN;
    status.BackupBatteryLifeTime = BATTERY_LIFE_UNKNOWN;
    status.BackupBatteryFullLifeTime = BATTERY_LIFE_UNKNOWN;
    status.BatteryChemistry = kChemistryUnknown;
    return status;
}

void SetBattery(SYSTEM_POWER_STATUS_EX2& status, int percent, bool charging)
{
    // Fakes may go past 100 (255 is what an unknown level reads as).
    percent = std::clamp(percent, 0, 255);
    status.BatteryLifePercent = static_cast<BYTE>(percent);
    status.BatteryFlag = BatteryFlags(percent, charging);
}

// Signed readings (current flows both ways) keep their sign in the DWORD, as
// on the device.
DWORD Scaled(std::optional<long long> value, long long divisor)
{
    return value ? static_cast<DWORD>(static_cast<LONG>(std::clamp<long long>(*value / divisor, INT32_MIN, INT32_MAX)))
                 : 0;
}

// The supplies' folders, listed once and again only when the folder changes
// (its modification time) or a listed supply has gone.
class SupplyListing {
public:
    const std::vector<std::filesystem::path>& Supplies(const std::string& folder)
    {
        struct stat info {};
        const bool found = stat(folder.c_str(), &info) == 0;
        if (stale_ || !found || folder != folder_ || info.st_mtim.tv_sec != modified_.tv_sec ||
            info.st_mtim.tv_nsec != modified_.tv_nsec) {
            supplies_.clear();
            std::error_code error;
            for (const auto& entry : std::filesystem::directory_iterator(folder, error))
                supplies_.push_back(entry.path());
            std::sort(supplies_.begin(), supplies_.end());
            folder_ = folder;
            modified_ = found ? info.st_mtim : timespec{};
            stale_ = !found;
        }
        return supplies_;
    }

    void Forget() { stale_ = true; }

private:
    std::string folder_;
    timespec modified_{};
    bool stale_ = true;
    std::vector<std::filesystem::path> supplies_;
};

SupplyListing& Listing()
{
    static SupplyListing listing;
    return listing;
}

}  // namespace

namespace host {

SYSTEM_POWER_STATUS_EX2 ReadPowerSupplies(const std::string& folder)
{
    SYSTEM_POWER_STATUS_EX2 status = NoBattery();
    bool batteryFound = false;
    bool mainsListed = false;
    bool mainsOnline = false;
    for (const auto& path : Listing().Supplies(folder)) {
        const PowerSupply supply(path);
        const std::string type = supply.Text("type");
        // Every supply has a type: without one it has gone since the listing.
        if (type.empty())
            Listing().Forget();
        if (type == "Mains" || type == "USB") {
            mainsListed = true;
            mainsOnline = mainsOnline || supply.Number("online").value_or(0) == 1;
            continue;
        }
        if (type != "Battery" || batteryFound || supply.Text("scope") == "Device" ||
            supply.Number("present").value_or(1) == 0)
            continue;
        batteryFound = true;
        const std::string state = supply.Text("status");
        const bool charging = state == "Charging";
        const auto capacity = supply.Number("capacity");
        if (capacity) {
            SetBattery(status, static_cast<int>(std::clamp<long long>(*capacity, 0, 100)), charging);
        } else {
            status.BatteryFlag = charging ? BATTERY_FLAG_CHARGING : BATTERY_FLAG_UNKNOWN;
            status.BatteryLifePercent = BATTERY_PERCENTAGE_UNKNOWN;
        }
        if (const auto seconds = supply.Number("time_to_empty_now"); seconds && *seconds >= 0)
            status.BatteryLifeTime = static_cast<DWORD>(std::min<long long>(*seconds, BATTERY_LIFE_UNKNOWN - 1));
        status.BatteryVoltage = Scaled(supply.Number("voltage_now"), 1000);
        status.BatteryCurrent = Scaled(supply.Number("current_now"), 1000);
        status.BatteryAverageCurrent = Scaled(supply.Number("current_avg"), 1000);
        status.BatteryTemperature = Scaled(supply.Number("temp"), 1);
        // Without a mains entry, the battery's state tells whether the line is there.
        if (state == "Discharging")
            status.ACLineStatus = AC_LINE_OFFLINE;
        else if (state == "Charging" || state == "Full" || state == "Not charging")
            status.ACLineStatus = AC_LINE_ONLINE;
        else
            status.ACLineStatus = AC_LINE_UNKNOWN;
    }
    if (mainsListed)
        status.ACLineStatus = mainsOnline ? AC_LINE_ONLINE : AC_LINE_OFFLINE;
    return status;
}

}  // namespace host

DWORD GetSystemPowerStatusEx2(PSYSTEM_POWER_STATUS_EX2 status, DWORD length, BOOL)
{
    if (!status || length == 0)
        return 0;
    SYSTEM_POWER_STATUS_EX2 reading;
    if (const auto& fake = host::Fakes().battery) {
        reading = NoBattery();
        SetBattery(reading, fake->percent, fake->charging);
        reading.ACLineStatus = fake->onAC ? AC_LINE_ONLINE : AC_LINE_OFFLINE;
    } else {
        reading = host::ReadPowerSupplies("/sys/class/power_supply");
    }
    const DWORD filled = std::min<DWORD>(length, sizeof reading);
    std::memcpy(status, &reading, filled);
    return filled;
}
