#include "platform/host/kernel/ProcFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "tests/support/TestFiles.h"

namespace {

// The file stays open between readings: each must still show the text as it
// is now, however long it has grown.
TEST(ProcFileTest, EachReadingShowsTheWholeFileAsItIsNow)
{
    const std::string path = testfiles::WriteBytes("proc/table", "MemTotal: 1 kB\n");
    host::ProcFile file(path);
    EXPECT_EQ(file.Read(), "MemTotal: 1 kB\n");
    const std::string longer = std::string(10000, 'x') + "\nMemTotal: 2 kB\n";
    testfiles::WriteBytes("proc/table", longer);
    EXPECT_EQ(file.Read(), longer);
    testfiles::WriteBytes("proc/table", "");
    EXPECT_EQ(file.Read(), "");
}

TEST(ProcFileTest, AMissingFileReadsEmptyUntilItAppears)
{
    const std::string path = testfiles::TempFolder() + "proc/later";
    std::filesystem::remove(path);
    host::ProcFile file(path);
    EXPECT_EQ(file.Read(), "");
    testfiles::WriteBytes("proc/later", "VmSize: 5 kB\n");
    EXPECT_EQ(file.Read(), "VmSize: 5 kB\n");
}

// A kernel file is small: one that a fault or a hostile mount makes huge,
// or a pipe put in its place, must neither hold the program nor its memory.
TEST(ProcFileTest, AHugeFileOrAPipeReadsEmptyWithoutWaiting)
{
    const std::string huge = testfiles::WriteBytes("proc/huge", std::string(host::ProcFile::kLargestText + 1, '7'));
    host::ProcFile hugeFile(huge);
    EXPECT_EQ(hugeFile.Read(), "");
    const std::string pipe = testfiles::TempFolder() + "proc/pipe";
    std::filesystem::remove(pipe);
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    host::ProcFile pipeFile(pipe);
    EXPECT_EQ(pipeFile.Read(), "");
}

TEST(ProcFileTest, KilobyteEntries)
{
    const std::string_view table = "MemTotalX: 7 kB\nMemTotal:   16318436 kB\nxMemFree: 3 kB\nSwapFree:\n"
                                   "Huge: 99999999999999999999 kB\nLast: 12";
    const struct {
        const char* name;
        unsigned long long bytes;
    } cases[] = {
        {"MemTotal", 16318436ull * 1024},  // not the longer name on the line before
        {"MemFree", 0},                    // only at the start of a line
        {"SwapFree", 0},                   // no number
        {"Missing", 0},
        {"Huge", ~0ull},                   // too large for 64 bits: the largest count
        {"Last", 12 * 1024},               // the last line has no line break
    };
    for (const auto& row : cases)
        EXPECT_EQ(host::KilobyteEntry(table, row.name), row.bytes) << row.name;
}

}  // namespace
