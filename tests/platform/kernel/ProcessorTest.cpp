#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/host/kernel/fakes.h"
#include "platform/host/kernel/ProcFile.h"
#include "platform/host/kernel/processor.h"
#include "platform/host/testing.h"
#include "platform/win32.h"
#include "tests/support/TestFiles.h"

namespace {

const std::string kProc = std::string(OSTREVIA_TEST_DATA) + "/proc/";

std::optional<host::ProcessorTimes> ReadProcessorTimes(const std::string& path)
{
    host::ProcFile file(path);
    return host::ParseProcessorTimes(file.Read());
}

TEST(ReadProcessorTimes, SumsIdleAndIowaitOfTheSummaryLine)
{
    const struct {
        std::string path;
        ULONGLONG idleTicks;
        DWORD processors;
    } cases[] = {
        {kProc + "stat", 46828483 + 16683, 4},
        {kProc + "stat_before_iowait", 400, 2},  // kernels before 2.6 have no iowait field
    };
    for (const auto& c : cases) {
        const auto times = ReadProcessorTimes(c.path);
        ASSERT_TRUE(times) << c.path;
        EXPECT_EQ(times->idleTicks, c.idleTicks) << c.path;
        EXPECT_EQ(times->processors, c.processors) << c.path;
    }
}

TEST(ReadProcessorTimes, RefusesFilesWithoutTheFigures)
{
    const std::string cases[] = {
        testfiles::WriteBytes("no_processor_lines", "cpu  1 2 3 4 5\nintr 0\n"),
        testfiles::WriteBytes("no_summary_line", "cpu0 1 2 3 4 5\n"),
        testfiles::WriteBytes("short_summary_line", "cpu  1 2 3\ncpu0 1 2 3\n"),
        testfiles::WriteBytes("words", "cpu  one two three four\ncpu0 1 2 3 4\n"),
        testfiles::WriteBytes("empty", ""),
        kProc + "no_such_file",
    };
    for (const auto& path : cases)
        EXPECT_FALSE(ReadProcessorTimes(path)) << path;
}

class IdleTimeTest : public ::testing::Test {
protected:
    void SetUp() override { host::testing::ResetHost(); }
};

TEST_F(IdleTimeTest, FakeLoadLeavesTheRestOfEachIntervalIdle)
{
    host::testing::SetTickCount(0xFFFFFF00);  // the counters wrap on the way
    host::testing::FakeCpuLoad(25);
    const DWORD first = GetIdleTime();
    host::testing::AdvanceClock(2000);
    EXPECT_EQ(static_cast<DWORD>(GetIdleTime() - first), 1500u);
    host::testing::AdvanceClock(30);  // fractions are carried, not lost
    host::testing::AdvanceClock(70);
    const DWORD later = GetIdleTime();
    host::testing::AdvanceClock(100);
    EXPECT_EQ(static_cast<DWORD>(GetIdleTime() - later), 75u);
}

TEST_F(IdleTimeTest, ProcessorsAreThoseOfProcStat)
{
    SYSTEM_INFO info{};
    GetSystemInfo(&info);
    const auto times = ReadProcessorTimes("/proc/stat");
    ASSERT_TRUE(times);
    EXPECT_EQ(info.dwNumberOfProcessors, times->processors);
    EXPECT_NE(info.dwPageSize, 0u);
    EXPECT_NE(GetIdleTime(), MAXDWORD);
}

TEST_F(IdleTimeTest, UnreadableIdleTimeIsMaxDword)
{
    host::testing::FakeNoIdleTime();
    EXPECT_EQ(GetIdleTime(), MAXDWORD);
}

}  // namespace
