#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "platform/host/kernel/InterfaceTable.h"
#include "platform/host/testing.h"
#include "platform/win32.h"
#include "tests/support/TestFiles.h"

namespace {

const std::string kData = OSTREVIA_TEST_DATA;

std::string Name(const MIB_IFROW& row)
{
    return testfiles::Utf8(row.wszName);
}

TEST(InterfaceTable, DescribesEachInterfaceOfProcNetDev)
{
    host::InterfaceTable rows(kData + "/proc/net_dev", kData + "/sys/class/net", false);
    ASSERT_TRUE(rows.Read());
    // "broken" has too few counters and is left out.
    ASSERT_EQ(rows.Count(), 4u);
    const struct {
        const char* name;
        DWORD index;
        DWORD type;
        DWORD operStatus;
        DWORD adminStatus;
        DWORD inOctets;
        DWORD outOctets;
    } expected[] = {
        {"lo", 1, MIB_IF_TYPE_LOOPBACK, MIB_IF_OPER_STATUS_OPERATIONAL, MIB_IF_ADMIN_STATUS_UP, 123456, 123456},
        // 2^32 + 100 octets received: cut to the table's 32 bits.
        {"eth0", 2, MIB_IF_TYPE_ETHERNET, MIB_IF_OPER_STATUS_OPERATIONAL, MIB_IF_ADMIN_STATUS_UP, 100, 5000000},
        {"wlan0", 3, IF_TYPE_IEEE80211, MIB_IF_OPER_STATUS_NON_OPERATIONAL, MIB_IF_ADMIN_STATUS_UP, 98765432, 1234567},
        // No folder under /sys: its place in the list, and not up.
        {"tun0", 4, MIB_IF_TYPE_OTHER, MIB_IF_OPER_STATUS_NON_OPERATIONAL, MIB_IF_ADMIN_STATUS_DOWN, 1000, 2000},
    };
    for (size_t i = 0; i < 4; ++i) {
        const MIB_IFROW& row = rows.Row(i);
        const auto& want = expected[i];
        EXPECT_EQ(Name(row), want.name);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(row.bDescr)), want.name);
        EXPECT_EQ(row.dwDescrLen, std::string(want.name).size() + 1) << want.name;
        EXPECT_EQ(row.dwIndex, want.index) << want.name;
        EXPECT_EQ(row.dwType, want.type) << want.name;
        EXPECT_EQ(row.dwOperStatus, want.operStatus) << want.name;
        EXPECT_EQ(row.dwAdminStatus, want.adminStatus) << want.name;
        EXPECT_EQ(row.dwInOctets, want.inOctets) << want.name;
        EXPECT_EQ(row.dwOutOctets, want.outOctets) << want.name;
    }
    EXPECT_EQ(rows.Row(1).dwMtu, 1500u);
    EXPECT_EQ(rows.Row(1).dwSpeed, 1000000000u);
    EXPECT_EQ(rows.Row(1).dwInUcastPkts, 10000u - 50u);
    EXPECT_EQ(rows.Row(2).dwSpeed, 0u);  // -1: the link reports none
}

TEST(InterfaceTable, NothingWithoutTheCounterFile)
{
    host::InterfaceTable missing(kData + "/proc/no_such_file", kData + "/sys/class/net", false);
    EXPECT_FALSE(missing.Read());
    host::InterfaceTable headers(testfiles::WriteBytes("headers_only", "Inter-|\n face |\n"), "/nowhere", false);
    ASSERT_TRUE(headers.Read());
    EXPECT_EQ(headers.Count(), 0u);
}

// A tree of one interface folder per name, each up with its index, and the
// counter file naming `names` in order, each with `octets` received.
std::string CounterLines(const std::vector<std::string>& names, int octets)
{
    std::string text = "Inter-|\n face |\n";
    for (const std::string& name : names)
        text += name + ": " + std::to_string(octets) + " 0 0 0 0 0 0 0 7 0 0 0 0 0 0 0\n";
    return text;
}

void WriteInterfaceFolder(const std::string& name, int index)
{
    for (const auto& [attribute, value] : {std::pair<std::string, std::string>{"ifindex", std::to_string(index)},
                                           {"type", "1"}, {"flags", "0x1003"}, {"operstate", "up"}})
        testfiles::WriteBytes("net/" + name + "/" + attribute, value + "\n");
}

// The attributes are read when an interface appears, not at each reading;
// a single row follows its interface wherever its line moves.
TEST(InterfaceTable, AttributesAreReadOnceAndOneRowAlone)
{
    WriteInterfaceFolder("eth0", 2);
    WriteInterfaceFolder("eth1", 3);
    const std::string counters = testfiles::WriteBytes("dev", CounterLines({"eth0"}, 100));
    host::InterfaceTable rows(counters, testfiles::TempFolder() + "net", false);
    ASSERT_TRUE(rows.Read());
    testfiles::WriteBytes("net/eth0/operstate", "down\n");
    testfiles::WriteBytes("dev", CounterLines({"eth1", "eth0"}, 200));
    ASSERT_TRUE(rows.Read());
    ASSERT_EQ(rows.Count(), 2u);
    EXPECT_EQ(rows.Row(0).dwIndex, 3u);
    EXPECT_EQ(rows.Row(1).dwOperStatus, static_cast<DWORD>(MIB_IF_OPER_STATUS_OPERATIONAL));
    EXPECT_EQ(rows.Row(1).dwInOctets, 200u);

    testfiles::WriteBytes("dev", CounterLines({"eth0", "eth1"}, 300));
    const MIB_IFROW* one = rows.ReadOne(3);
    ASSERT_TRUE(one);
    EXPECT_EQ(Name(*one), "eth1");
    EXPECT_EQ(one->dwInOctets, 300u);
    EXPECT_EQ(one->dwOutOctets, 7u);
    // Gone from the counter file: the table is read again and has no such row.
    testfiles::WriteBytes("dev", CounterLines({"eth0"}, 400));
    EXPECT_FALSE(rows.ReadOne(3));
    EXPECT_EQ(rows.Count(), 1u);
    EXPECT_FALSE(rows.ReadOne(9));
}

class IfTableTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        host::testing::ResetHost();
        host::testing::FakeNetwork(1000, 250);
    }
};

TEST_F(IfTableTest, SizeIsAskedForThenTheTableFilled)
{
    ULONG size = 0;
    EXPECT_EQ(GetIfTable(nullptr, &size, FALSE), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(size, offsetof(MIB_IFTABLE, table) + 2 * sizeof(MIB_IFROW));
    std::vector<BYTE> buffer(size);
    auto* table = reinterpret_cast<PMIB_IFTABLE>(buffer.data());
    ULONG tooSmall = size - 1;
    EXPECT_EQ(GetIfTable(table, &tooSmall, FALSE), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(tooSmall, size);
    ASSERT_EQ(GetIfTable(table, &size, TRUE), static_cast<DWORD>(NO_ERROR));
    ASSERT_EQ(table->dwNumEntries, 2u);
    const MIB_IFROW* rows = table->table;
    EXPECT_EQ(Name(rows[0]), "lo");
    EXPECT_EQ(Name(rows[1]), "eth0");
    EXPECT_EQ(GetIfTable(table, nullptr, FALSE), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST_F(IfTableTest, FakeCountersGrowAtTheirRates)
{
    host::testing::SetTickCount(0xFFFFFC00);  // the tick count wraps on the way
    std::vector<BYTE> buffer(offsetof(MIB_IFTABLE, table) + 2 * sizeof(MIB_IFROW));
    auto* table = reinterpret_cast<PMIB_IFTABLE>(buffer.data());
    ULONG size = static_cast<ULONG>(buffer.size());
    ASSERT_EQ(GetIfTable(table, &size, FALSE), static_cast<DWORD>(NO_ERROR));
    const MIB_IFROW before = table->table[1];
    host::testing::AdvanceClock(2000);
    ASSERT_EQ(GetIfTable(table, &size, FALSE), static_cast<DWORD>(NO_ERROR));
    const MIB_IFROW& after = table->table[1];
    EXPECT_EQ(after.dwInOctets - before.dwInOctets, 2000u);
    EXPECT_EQ(after.dwOutOctets - before.dwOutOctets, 500u);
    EXPECT_EQ(after.dwType, static_cast<DWORD>(MIB_IF_TYPE_ETHERNET));
}

TEST_F(IfTableTest, NoInterfaceListIsNotSupported)
{
    host::testing::FakeNoNetwork();
    ULONG size = 0;
    EXPECT_EQ(GetIfTable(nullptr, &size, FALSE), static_cast<DWORD>(ERROR_NOT_SUPPORTED));
    MIB_IFROW row{};
    EXPECT_EQ(GetIfEntry(&row), static_cast<DWORD>(ERROR_NOT_SUPPORTED));
}

TEST_F(IfTableTest, EntryIsTheRowOfItsIndex)
{
    MIB_IFROW row{};
    row.dwIndex = 2;
    ASSERT_EQ(GetIfEntry(&row), static_cast<DWORD>(NO_ERROR));
    EXPECT_EQ(Name(row), "eth0");
    row.dwIndex = 99;
    EXPECT_EQ(GetIfEntry(&row), static_cast<DWORD>(ERROR_INVALID_DATA));
    EXPECT_EQ(GetIfEntry(nullptr), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

}  // namespace
