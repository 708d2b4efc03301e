#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "platform/host/kernel/fakes.h"
#include "platform/host/kernel/power.h"
#include "platform/host/testing.h"
#include "platform/win32.h"
#include "tests/support/TestFiles.h"

namespace {

typedef DWORD (*PowerQuery)(PSYSTEM_POWER_STATUS_EX2, DWORD, BOOL);

class PowerTest : public ::testing::Test {
protected:
    void SetUp() override { host::ResetKernelFakes(); }
    void TearDown() override { host::ResetKernelFakes(); }

    // Looks the entry point up the way the program does.
    static PowerQuery Lookup()
    {
        HMODULE library = LoadLibraryW(TEXT("coredll.dll"));
        EXPECT_NE(library, nullptr);
        // Through void (*)(), the type that converts to any function pointer without a warning.
        auto query = reinterpret_cast<PowerQuery>(
            reinterpret_cast<void (*)()>(GetProcAddressW(library, TEXT("GetSystemPowerStatusEx2"))));
        EXPECT_TRUE(FreeLibrary(library));
        return query;
    }

    static SYSTEM_POWER_STATUS_EX2 Query()
    {
        SYSTEM_POWER_STATUS_EX2 status{};
        PowerQuery query = Lookup();
        EXPECT_NE(query, nullptr);
        if (query) {
            EXPECT_EQ(query(&status, sizeof status, TRUE), sizeof status);
        }
        return status;
    }

    // A folder of supplies of this test's own.
    static std::string SupplyFolder()
    {
        return testfiles::TempFolder() + ::testing::UnitTest::GetInstance()->current_test_info()->name();
    }

    // A supply folder like those under /sys/class/power_supply.
    static void Supply(const std::string& root, const std::string& name,
                       std::initializer_list<std::pair<const char*, const char*>> attributes)
    {
        const std::filesystem::path folder = std::filesystem::path(root) / name;
        std::filesystem::create_directories(folder);
        for (const auto& [attribute, value] : attributes)
            std::ofstream(folder / attribute) << value << "\n";
    }
};

TEST_F(PowerTest, TheRecordIsTheDevicesSize)
{
    EXPECT_EQ(sizeof(SYSTEM_POWER_STATUS_EX2), 56u);
}

TEST_F(PowerTest, OnlyTheCoreLibraryAndItsPowerQueryAreFound)
{
    EXPECT_NE(LoadLibraryW(TEXT("COREDLL.DLL")), nullptr);
    EXPECT_EQ(LoadLibraryW(TEXT("coredll.dll")), LoadLibraryW(TEXT("CoreDll")));
    EXPECT_EQ(LoadLibraryW(TEXT("aygshell.dll")), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    EXPECT_EQ(LoadLibraryW(TEXT("coredll.dll.x")), nullptr);
    EXPECT_EQ(LoadLibraryW(nullptr), nullptr);
    HMODULE library = LoadLibraryW(TEXT("coredll.dll"));
    EXPECT_EQ(GetProcAddressW(library, TEXT("GetSystemPowerStatus")), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
    EXPECT_EQ(GetProcAddressW(library, TEXT("getsystempowerstatusex2")), nullptr);
    EXPECT_EQ(GetProcAddressW(library, MAKEINTRESOURCEW(1)), nullptr);
    EXPECT_EQ(GetProcAddressW(nullptr, TEXT("GetSystemPowerStatusEx2")), nullptr);
    EXPECT_FALSE(FreeLibrary(nullptr));
}

TEST_F(PowerTest, RealQueryFillsTheRecord)
{
    const SYSTEM_POWER_STATUS_EX2 status = Query();
    if (status.BatteryFlag == BATTERY_FLAG_NO_BATTERY) {
        EXPECT_EQ(status.BatteryLifePercent, 255);
        EXPECT_EQ(status.ACLineStatus, AC_LINE_ONLINE);
    } else {
        EXPECT_TRUE(status.BatteryLifePercent <= 100 || status.BatteryLifePercent == 255);
    }
}

TEST_F(PowerTest, AShortBufferGetsOnlyWhatFitsAndNullFails)
{
    host::testing::FakeBattery(42, false, false);
    BYTE record[8];
    std::memset(record, 0xCC, sizeof record);
    EXPECT_EQ(GetSystemPowerStatusEx2(reinterpret_cast<PSYSTEM_POWER_STATUS_EX2>(record), 4, TRUE), 4u);
    EXPECT_EQ(record[2], 42);
    EXPECT_EQ(record[4], 0xCC);
    EXPECT_EQ(GetSystemPowerStatusEx2(nullptr, 56, TRUE), 0u);
}

TEST_F(PowerTest, FakeBatteryReadsAsGiven)
{
    struct Case {
        int percent;
        bool charging;
        bool onAC;
        BYTE flags;
    } cases[] = {
        {80, false, false, BATTERY_FLAG_HIGH},                          // above two thirds
        {50, true, true, BATTERY_FLAG_CHARGING},                        // middle, charging
        {20, false, true, BATTERY_FLAG_LOW},                            // below a third, on AC but not charging
        {3, true, true, BATTERY_FLAG_LOW | BATTERY_FLAG_CRITICAL | BATTERY_FLAG_CHARGING},  // nearly empty
    };
    for (const Case& c : cases) {
        host::testing::FakeBattery(c.percent, c.charging, c.onAC);
        const SYSTEM_POWER_STATUS_EX2 status = Query();
        EXPECT_EQ(status.BatteryLifePercent, c.percent);
        EXPECT_EQ(status.BatteryFlag, c.flags) << c.percent;
        EXPECT_EQ(status.ACLineStatus, c.onAC ? AC_LINE_ONLINE : AC_LINE_OFFLINE);
    }
}

TEST_F(PowerTest, FakeNoBatteryHidesTheEntryPoint)
{
    host::testing::FakeNoBattery();
    HMODULE library = LoadLibraryW(TEXT("coredll.dll"));
    ASSERT_NE(library, nullptr);
    EXPECT_EQ(GetProcAddressW(library, TEXT("GetSystemPowerStatusEx2")), nullptr);
    host::ResetKernelFakes();
    EXPECT_NE(GetProcAddressW(library, TEXT("GetSystemPowerStatusEx2")), nullptr);
}

TEST_F(PowerTest, ASystemBatteryIsReadInTheRecordsUnits)
{
    const std::string root = SupplyFolder();
    Supply(root, "AC", {{"type", "Mains"}, {"online", "0"}});
    Supply(root, "BAT0", {{"type", "Battery"}, {"present", "1"}, {"capacity", "57"}, {"status", "Discharging"},
                          {"voltage_now", "11850000"}, {"current_now", "-1520000"}, {"temp", "312"}});
    // A mouse's battery is not the machine's.
    Supply(root, "hidpp_battery_0", {{"type", "Battery"}, {"scope", "Device"}, {"capacity", "5"}});
    const SYSTEM_POWER_STATUS_EX2 status = host::ReadPowerSupplies(root);
    EXPECT_EQ(status.BatteryLifePercent, 57);
    EXPECT_EQ(status.BatteryFlag, 0);
    EXPECT_EQ(status.ACLineStatus, AC_LINE_OFFLINE);
    EXPECT_EQ(status.BatteryVoltage, 11850u);                        // µV -> mV
    EXPECT_EQ(static_cast<LONG>(status.BatteryCurrent), -1520);      // µA -> mA, sign kept
    EXPECT_EQ(status.BatteryTemperature, 312u);                      // already tenths of a degree
}

TEST_F(PowerTest, AChargingBatteryOnMainsSetsTheFlags)
{
    const std::string root = SupplyFolder();
    Supply(root, "ADP1", {{"type", "Mains"}, {"online", "1"}});
    Supply(root, "BAT1", {{"type", "Battery"}, {"capacity", "90"}, {"status", "Charging"}});
    const SYSTEM_POWER_STATUS_EX2 status = host::ReadPowerSupplies(root);
    EXPECT_EQ(status.BatteryLifePercent, 90);
    EXPECT_EQ(status.BatteryFlag, BATTERY_FLAG_HIGH | BATTERY_FLAG_CHARGING);
    EXPECT_EQ(status.ACLineStatus, AC_LINE_ONLINE);
}

TEST_F(PowerTest, NoBatteryMeansUnknownLevelOnAC)
{
    const std::string root = SupplyFolder();
    Supply(root, "AC", {{"type", "Mains"}, {"online", "1"}});
    for (const std::string& folder : {root, root + "/missing"}) {
        const SYSTEM_POWER_STATUS_EX2 status = host::ReadPowerSupplies(folder);
        EXPECT_EQ(status.BatteryLifePercent, 255);
        EXPECT_EQ(status.BatteryFlag, BATTERY_FLAG_NO_BATTERY);
        EXPECT_EQ(status.ACLineStatus, AC_LINE_ONLINE);
    }
}

TEST_F(PowerTest, BrokenAttributesDoNotBreakTheReading)
{
    const std::string root = SupplyFolder();
    Supply(root, "BAT0", {{"type", "Battery"}, {"capacity", "a lot"}, {"voltage_now", ""}, {"status", "Full"}});
    const SYSTEM_POWER_STATUS_EX2 status = host::ReadPowerSupplies(root);
    EXPECT_EQ(status.BatteryLifePercent, BATTERY_PERCENTAGE_UNKNOWN);
    EXPECT_EQ(status.BatteryVoltage, 0u);
    EXPECT_EQ(status.ACLineStatus, AC_LINE_ONLINE);
}

// The folder is listed once and kept: a supply that comes or goes later must
// still be seen.
TEST_F(PowerTest, SuppliesThatComeAndGoAfterAReadingAreSeen)
{
    const std::string root = SupplyFolder();
    Supply(root, "AC", {{"type", "Mains"}, {"online", "1"}});
    EXPECT_EQ(host::ReadPowerSupplies(root).BatteryFlag, BATTERY_FLAG_NO_BATTERY);

    Supply(root, "BAT0", {{"type", "Battery"}, {"capacity", "40"}, {"status", "Discharging"}});
    EXPECT_EQ(host::ReadPowerSupplies(root).BatteryLifePercent, 40);

    std::filesystem::remove_all(std::filesystem::path(root) / "BAT0");
    EXPECT_EQ(host::ReadPowerSupplies(root).BatteryFlag, BATTERY_FLAG_NO_BATTERY);
    Supply(root, "BAT1", {{"type", "Battery"}, {"capacity", "70"}, {"status", "Charging"}});
    EXPECT_EQ(host::ReadPowerSupplies(root).BatteryLifePercent, 70);
}

}  // namespace
