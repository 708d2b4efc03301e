#include "platform/host/kernel/sensors.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/host/testing.h"
#include "tests/support/TestFiles.h"

namespace {

const std::string kSensors = std::string(OSTREVIA_TEST_DATA) + "/sys/sensors/";

typedef BOOL (*TemperatureQuery)(LPCWSTR, LONG*);

std::vector<std::string> Names(const std::vector<host::Sensor>& sensors)
{
    std::vector<std::string> names;
    for (const auto& sensor : sensors)
        names.push_back(sensor.name);
    return names;
}

std::string DefaultName(const std::string& tree)
{
    const auto sensors = host::ListSensors(kSensors + tree);
    const host::Sensor* chosen = host::DefaultSensor(sensors);
    return chosen ? chosen->name : "";
}

class SensorQueryTest : public ::testing::Test {
protected:
    void SetUp() override { host::testing::ResetHost(); }

    // Looks the entry point up the way the program does, and asks it.
    static BOOL Query(const char16_t* sensor, LONG& millidegrees, DWORD& error)
    {
        HMODULE library = LoadLibraryW(TEXT("coredll.dll"));
        auto query = reinterpret_cast<TemperatureQuery>(
            reinterpret_cast<void (*)()>(GetProcAddressW(library, TEXT("GetSensorTemperature"))));
        FreeLibrary(library);
        EXPECT_NE(query, nullptr);
        if (!query)
            return FALSE;
        SetLastError(0);
        const BOOL result = query(sensor, &millidegrees);
        error = GetLastError();
        return result;
    }
};

TEST(ListSensors, NamesEachInputByChipAndLabel)
{
    EXPECT_EQ(Names(host::ListSensors(kSensors + "coretemp")),
              (std::vector<std::string>{"acpitz/temp1", "coretemp/Package id 0", "coretemp/Core 0", "thermal_zone0"}));
    // Inputs by number, not by the order of the folder.
    EXPECT_EQ(Names(host::ListSensors(kSensors + "k10temp")),
              (std::vector<std::string>{"nvme/Composite", "k10temp/Tctl", "k10temp/Tccd1"}));
    // The cooling device is no sensor.
    EXPECT_EQ(Names(host::ListSensors(kSensors + "thermal_zone_only")),
              (std::vector<std::string>{"thermal_zone0", "thermal_zone1"}));
    // Without a label file an input is named by its own name.
    EXPECT_EQ(Names(host::ListSensors(kSensors + "missing_label")),
              (std::vector<std::string>{"acpitz/temp1", "acpitz/temp2"}));
    EXPECT_TRUE(host::ListSensors(kSensors + "no_such_tree").empty());
}

TEST(ListSensors, TheProcessorPackageIsTheDefault)
{
    EXPECT_EQ(DefaultName("coretemp"), "coretemp/Package id 0");  // before the ACPI zone listed first
    EXPECT_EQ(DefaultName("k10temp"), "k10temp/Tctl");
    EXPECT_EQ(DefaultName("thermal_zone_only"), "thermal_zone0");
    EXPECT_EQ(DefaultName("missing_label"), "acpitz/temp1");
    EXPECT_EQ(DefaultName("no_such_tree"), "");
}

TEST(ParseMillidegrees, IntegersInTheRangeOfRealSensors)
{
    const struct {
        const char* text;
        std::optional<LONG> value;
    } cases[] = {
        {"47000\n", 47000},   {"-5000\n", -5000}, {"0", 0},
        {"-60000", -60000},   {"200000", 200000},
        {"-60001", std::nullopt},  // below any sensor: absurd
        {"200001", std::nullopt},  // above any sensor: absurd
        {"hot\n", std::nullopt},   {"45000x", std::nullopt}, {"", std::nullopt},
        {"\n", std::nullopt},      {"99999999999999999999", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(host::ParseMillidegrees(c.text), c.value) << c.text;
}

TEST_F(SensorQueryTest, ReadsTheNamedSensorOrTheDefault)
{
    host::testing::UseSensorFolder(kSensors + "coretemp");
    LONG millidegrees = 0;
    DWORD error = 0;
    EXPECT_TRUE(Query(nullptr, millidegrees, error));
    EXPECT_EQ(millidegrees, 47000);
    EXPECT_TRUE(Query(u"coretemp/Core 0", millidegrees, error));
    EXPECT_EQ(millidegrees, 45000);
    EXPECT_TRUE(Query(u"thermal_zone0", millidegrees, error));
    EXPECT_EQ(millidegrees, 27800);
    EXPECT_FALSE(Query(u"coretemp/Core 7", millidegrees, error));
    EXPECT_EQ(error, static_cast<DWORD>(ERROR_NOT_FOUND));
}

TEST_F(SensorQueryTest, GarbageAndAbsurdValuesAreFailures)
{
    host::testing::UseSensorFolder(kSensors + "bad_number");
    LONG millidegrees = 0;
    DWORD error = 0;
    for (const char16_t* sensor : {u"coretemp/Package id 0", u"coretemp/Core 0", u"coretemp/Core 1"}) {
        EXPECT_FALSE(Query(sensor, millidegrees, error));
        EXPECT_EQ(error, static_cast<DWORD>(ERROR_INVALID_DATA));
    }
    host::testing::FakeTemperature(250);
    EXPECT_FALSE(Query(nullptr, millidegrees, error));
    host::testing::FakeTemperature(-12);
    EXPECT_TRUE(Query(nullptr, millidegrees, error));
    EXPECT_EQ(millidegrees, -12000);
}

TEST_F(SensorQueryTest, ASensorThatGoesAndComesBackIsReadAgain)
{
    const std::string root = testfiles::TempFolder() + "sensors_unplugged";
    testfiles::WriteBytes("sensors_unplugged/class/hwmon/hwmon0/name", "coretemp\n");
    testfiles::WriteBytes("sensors_unplugged/class/hwmon/hwmon0/temp1_input", "40000\n");
    host::testing::UseSensorFolder(root);
    LONG millidegrees = 0;
    DWORD error = 0;
    EXPECT_TRUE(Query(nullptr, millidegrees, error));
    // A removed device's attribute reads nothing through the descriptor kept
    // open, as an emptied file does here.
    testfiles::WriteBytes("sensors_unplugged/class/hwmon/hwmon0/temp1_input", "");
    std::filesystem::rename(root + "/class/hwmon/hwmon0", root + "/gone");
    EXPECT_FALSE(Query(nullptr, millidegrees, error));
    testfiles::WriteBytes("sensors_unplugged/class/hwmon/hwmon3/name", "coretemp\n");
    testfiles::WriteBytes("sensors_unplugged/class/hwmon/hwmon3/temp1_input", "41000\n");
    EXPECT_TRUE(Query(nullptr, millidegrees, error));
    EXPECT_EQ(millidegrees, 41000);
}

TEST(SensorReport, OneLineASensorWithTheDefaultMarked)
{
    EXPECT_EQ(host::SensorReport(kSensors + "bad_number"),
              "coretemp/Package id 0  unreadable (default)\ncoretemp/Core 0  unreadable\n"
              "coretemp/Core 1  unreadable\n");
    EXPECT_EQ(host::SensorReport(kSensors + "k10temp"),
              "nvme/Composite  38.9 \u00b0C\nk10temp/Tctl  52.1 \u00b0C (default)\nk10temp/Tccd1  49.0 \u00b0C\n");
}

}  // namespace
