#include <gtest/gtest.h>

#include <sys/statvfs.h>

#include <cstddef>
#include <cstring>
#include <vector>

#include "platform/host/kernel/fakes.h"
#include "platform/host/testing.h"
#include "platform/win32.h"

namespace {

class StatusTest : public ::testing::Test {
protected:
    void SetUp() override { host::ResetKernelFakes(); }
    void TearDown() override { host::ResetKernelFakes(); }

    static MEMORYSTATUS Memory()
    {
        MEMORYSTATUS status{};
        status.dwLength = sizeof status;
        GlobalMemoryStatus(&status);
        return status;
    }
};

TEST_F(StatusTest, MemoryFiguresArePlausibleAndWiderThan32Bits)
{
    const MEMORYSTATUS status = Memory();
    EXPECT_GT(status.dwTotalPhys, 16ull << 20);
    EXPECT_GT(status.dwAvailPhys, 0u);
    EXPECT_LE(status.dwAvailPhys, status.dwTotalPhys);
    EXPECT_LE(status.dwMemoryLoad, 100u);
    // The address space of a 64-bit process is far beyond 4 GiB; a 32-bit
    // count could not hold it.
    EXPECT_GT(status.dwTotalVirtual, 4ull << 30);
    EXPECT_GT(status.dwAvailVirtual, 0u);
    EXPECT_LT(status.dwAvailVirtual, status.dwTotalVirtual);
}

TEST_F(StatusTest, VirtualMemoryInUseGrowsWithAReservation)
{
    const MEMORYSTATUS before = Memory();
    std::vector<char> block(256u << 20);
    block.back() = 1;
    const MEMORYSTATUS after = Memory();
    EXPECT_EQ(before.dwTotalVirtual, after.dwTotalVirtual);
    EXPECT_LE(after.dwAvailVirtual + (200u << 20), before.dwAvailVirtual);
}

TEST_F(StatusTest, FakeMemoryIsReportedAsGiven)
{
    // Above 4 GiB on purpose: the counts must not be cut to 32 bits.
    host::testing::FakeMemory(3ull << 30, 12ull << 30, 5ull << 40, 8ull << 40);
    const MEMORYSTATUS status = Memory();
    EXPECT_EQ(status.dwAvailPhys, 3ull << 30);
    EXPECT_EQ(status.dwTotalPhys, 12ull << 30);
    EXPECT_EQ(status.dwAvailVirtual, 5ull << 40);
    EXPECT_EQ(status.dwTotalVirtual, 8ull << 40);
    EXPECT_EQ(status.dwMemoryLoad, 75u);
}

TEST_F(StatusTest, AShorterRecordOnlyReceivesTheFieldsThatFit)
{
    host::testing::FakeMemory(1, 2, 3, 4);
    MEMORYSTATUS status{};
    std::memset(&status, 0xCC, sizeof status);
    status.dwLength = offsetof(MEMORYSTATUS, dwTotalVirtual);
    GlobalMemoryStatus(&status);
    EXPECT_EQ(status.dwTotalPhys, 2u);
    EXPECT_EQ(status.dwAvailPhys, 1u);
    EXPECT_EQ(status.dwTotalVirtual, static_cast<SIZE_T>(0xCCCCCCCCCCCCCCCCull));
    EXPECT_EQ(status.dwAvailVirtual, static_cast<SIZE_T>(0xCCCCCCCCCCCCCCCCull));
}

TEST_F(StatusTest, DiskOfTheRootMatchesStatvfs)
{
    ULARGE_INTEGER free{}, total{}, totalFree{};
    ASSERT_TRUE(GetDiskFreeSpaceExW(u"/", &free, &total, &totalFree));
    struct statvfs volume {};
    ASSERT_EQ(statvfs("/", &volume), 0);
    EXPECT_EQ(total.QuadPart, static_cast<ULONGLONG>(volume.f_blocks) * volume.f_frsize);
    EXPECT_GT(total.QuadPart, 0u);
    EXPECT_LE(free.QuadPart, totalFree.QuadPart);
    EXPECT_LE(totalFree.QuadPart, total.QuadPart);
}

TEST_F(StatusTest, DiskOutputsMayBeLeftOut)
{
    ULARGE_INTEGER total{};
    EXPECT_TRUE(GetDiskFreeSpaceExW(u"\\tmp", nullptr, &total, nullptr));
    EXPECT_GT(total.QuadPart, 0u);
    EXPECT_TRUE(GetDiskFreeSpaceExW(u"/tmp", nullptr, nullptr, nullptr));
}

TEST_F(StatusTest, AMissingFolderFails)
{
    ULARGE_INTEGER free{}, total{};
    EXPECT_FALSE(GetDiskFreeSpaceExW(u"/no/such/folder/here", &free, &total, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(GetDiskFreeSpaceExW(u"", &free, &total, nullptr));
}

TEST_F(StatusTest, FakeDiskAnswersForEveryFolderUntilTheHostIsReset)
{
    host::testing::FakeDisk(3221225472ull, 8589934592ull);
    ULARGE_INTEGER free{}, total{};
    ASSERT_TRUE(GetDiskFreeSpaceExW(u"\\Storage Card", &free, &total, nullptr));
    EXPECT_EQ(free.QuadPart, 3221225472ull);
    EXPECT_EQ(total.QuadPart, 8589934592ull);

    host::testing::FakeDiskFailure();
    EXPECT_FALSE(GetDiskFreeSpaceExW(u"/", &free, &total, nullptr));
    host::testing::ResetHost();
    EXPECT_TRUE(GetDiskFreeSpaceExW(u"/", &free, &total, nullptr));
}

}  // namespace
