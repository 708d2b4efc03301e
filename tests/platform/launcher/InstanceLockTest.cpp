#include "platform/host/launcher/InstanceLock.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "tests/support/TestFiles.h"

namespace {

namespace fs = std::filesystem;

TEST(InstanceLock, TheFolderIsTheRuntimeFoldersOrTheUsersOwnInTmp)
{
    const std::string runtime = testfiles::TempFolder() + "runtime";
    fs::create_directories(runtime);
    std::string why;
    EXPECT_EQ(runtime + "/ostrevia", host::InstanceLockFolder(runtime.c_str(), getuid(), why)) << why;
    EXPECT_EQ(fs::perms::owner_all, fs::status(runtime + "/ostrevia").permissions() & fs::perms::all);

    // Unset, relative or not a folder: /tmp/ostrevia-UID.
    const std::string fallback = "/tmp/ostrevia-" + std::to_string(getuid());
    testfiles::WriteFileAt(testfiles::TempFolder() + "a-file", "");
    const std::string notAFolder = testfiles::TempFolder() + "a-file";
    for (const char* runtimeDir : {static_cast<const char*>(nullptr), "", "relative", notAFolder.c_str()})
        EXPECT_EQ(fallback, host::InstanceLockFolder(runtimeDir, getuid(), why)) << (runtimeDir ? runtimeDir : "unset");

    // A folder that another user made is not taken: it is someone else's
    // (here made by this process for the next user id, and removed again).
    const uid_t other = getuid() + 1;
    const std::string othersFallback = "/tmp/ostrevia-" + std::to_string(other);
    const bool existed = fs::exists(othersFallback);
    why.clear();
    EXPECT_EQ("", host::InstanceLockFolder(nullptr, other, why));
    EXPECT_NE(std::string::npos, why.find("XDG_RUNTIME_DIR")) << why;
    EXPECT_NE(std::string::npos, why.find(othersFallback)) << why;
    if (!existed)
        fs::remove(othersFallback);
}

TEST(InstanceLock, FilesAreNamedAfterTheListAndTheDisplay)
{
    const std::string a = host::InstanceLockFile("/run", "/home/me/my list.ini", ":0");
    EXPECT_EQ(0u, a.rfind("/run/my list.ini-", 0)) << a;
    EXPECT_NE(a, host::InstanceLockFile("/run", "/home/you/my list.ini", ":0"));
    EXPECT_NE(a, host::InstanceLockFile("/run", "/home/me/my list.ini", ":1"));
    EXPECT_LT(host::InstanceLockFile("/run", "/" + std::string(300, 'x'), ":0").size(), 100u);
}

TEST(InstanceLock, OneHolderAtATimeAndALeftFileBlocksNothing)
{
    const std::string file = testfiles::TempFolder() + "list.lock";
    testfiles::WriteFileAt(file, "999999999");  // left by a run that crashed
    pid_t holder = 0;
    std::string error;
    auto first = std::make_unique<host::InstanceLock>();
    ASSERT_EQ(host::InstanceLock::Result::Taken, first->Take(file, holder, error)) << error;
    EXPECT_EQ(std::to_string(getpid()), testfiles::ReadFileAt(file));

    host::InstanceLock second;
    EXPECT_EQ(host::InstanceLock::Result::Held, second.Take(file, holder, error));
    EXPECT_EQ(getpid(), holder);
    EXPECT_EQ(host::InstanceLock::Result::Held, second.TakeWithin(file, 50, holder, error));

    first.reset();
    EXPECT_EQ(host::InstanceLock::Result::Taken, second.TakeWithin(file, 50, holder, error)) << error;
    EXPECT_EQ(host::InstanceLock::Result::Failed,
              host::InstanceLock().Take(testfiles::TempFolder() + "no/such/folder/x.lock", holder, error));
}

}  // namespace
