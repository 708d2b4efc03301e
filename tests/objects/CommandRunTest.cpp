// Runs of a program as the message loop drives them, without a panel.
#include <gtest/gtest.h>

#include <dirent.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "objects/CommandRun.h"
#include "platform/host/testing.h"

namespace {

// Starts `commandLine` and follows the run as the loop does, until it has
// finished; false when it could not start or the wait failed.
bool RunToTheEnd(CommandRun& run, std::u16string commandLine)
{
    if (!run.Start(commandLine.data()))
        return false;
    while (!run.Finished()) {
        std::vector<HANDLE> handles;
        run.AppendHandles(handles);
        const DWORD woken = MsgWaitForMultipleObjects(static_cast<DWORD>(handles.size()), handles.data(), FALSE,
                                                      INFINITE, 0);
        if (woken >= handles.size())
            return false;
        run.Take(handles[woken]);
    }
    return true;
}

size_t OpenDescriptors()
{
    size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd"))
        ++count;
    return count;
}

// Children of this process that have ended and were not reaped.
size_t Zombies()
{
    size_t count = 0;
    const std::string parent = std::to_string(getpid());
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        std::ifstream stat(entry.path() / "stat");
        std::string all;
        if (!std::getline(stat, all) || all.rfind(')') == std::string::npos)
            continue;
        std::istringstream rest(all.substr(all.rfind(')') + 2));
        std::string state, ppid;
        rest >> state >> ppid;
        count += state == "Z" && ppid == parent;
    }
    return count;
}

class CommandRunTest : public ::testing::Test {
protected:
    void SetUp() override { host::testing::ResetHost(); }
    void TearDown() override { host::testing::ResetHost(); }
};

TEST_F(CommandRunTest, ChildGetsOnlyItsThreeStandardDescriptorsAndAnEmptyStdin)
{
    CommandRun run;
    ASSERT_TRUE(RunToTheEnd(run, u"\"/bin/sh\" -c \"ls /proc/$$/fd; cat; echo end\""));
    EXPECT_EQ(u"0\n1\n2\nend", run.Output().Lines(20));
    EXPECT_EQ(0u, run.ExitCode());
}

TEST_F(CommandRunTest, ExitCodeAndStandardErrorAreKeptApart)
{
    CommandRun run;
    ASSERT_TRUE(RunToTheEnd(run, u"\"/bin/sh\" -c \"echo out; echo err >&2; exit 7\""));
    EXPECT_EQ(u"out", run.Output().Lines(1));
    EXPECT_EQ(u"err", run.Errors().Lines(1));
    EXPECT_EQ(7u, run.ExitCode());
}

TEST_F(CommandRunTest, AThousandRunsLeaveNoZombieAndNoDescriptor)
{
    const size_t descriptors = OpenDescriptors();
    for (int i = 0; i < 1000; ++i) {
        CommandRun run;
        ASSERT_TRUE(RunToTheEnd(run, u"\"/bin/echo\" run"));
        ASSERT_EQ(u"run", run.Output().Lines(1));
    }
    // One more, ended while it still runs: reaped all the same.
    {
        CommandRun run;
        std::u16string sleeping = u"\"/bin/sleep\" 600";
        ASSERT_TRUE(run.Start(sleeping.data()));
    }
    EXPECT_EQ(descriptors, OpenDescriptors());
    for (int i = 0; i < 1000 && Zombies() > 0; ++i)
        usleep(10000);  // the last one's reaper may still be on its way
    EXPECT_EQ(0u, Zombies());
}

TEST_F(CommandRunTest, MissingProgramDoesNotStart)
{
    const size_t descriptors = OpenDescriptors();
    for (std::u16string commandLine : {u"\"/no/such/program\"", u"\"\""}) {
        CommandRun run;
        EXPECT_FALSE(run.Start(commandLine.data()));
    }
    EXPECT_EQ(descriptors, OpenDescriptors());  // the pipes made for it are closed
}

}  // namespace
