#include <gtest/gtest.h>

#include <dirent.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/host/kernel/fakes.h"
#include "platform/host/testing.h"
#include "platform/win32.h"
#include "tests/support/TestFiles.h"

namespace {

using Arguments = std::vector<std::string>;

class ShellTest : public ::testing::Test {
protected:
    void SetUp() override { host::ResetKernelFakes(); }
    void TearDown() override { host::ResetKernelFakes(); }

    static SHELLEXECUTEINFOW Info(const WCHAR* file, const WCHAR* parameters)
    {
        SHELLEXECUTEINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = SEE_MASK_NOCLOSEPROCESS;
        info.lpVerb = TEXT("Open");
        info.lpFile = file;
        info.lpParameters = parameters;
        info.nShow = 5;
        return info;
    }

    static BOOL Execute(const WCHAR* file, const WCHAR* parameters = nullptr)
    {
        SHELLEXECUTEINFOW info = Info(file, parameters);
        return ShellExecuteExW(&info);
    }

    // The split arguments of one recorded launch of /bin/cp.
    static Arguments Split(const WCHAR* parameters)
    {
        host::Fakes().launches.clear();
        host::testing::RecordLaunches(true);
        EXPECT_TRUE(Execute(u"/bin/cp", parameters));
        const auto& launches = host::testing::Launches();
        return launches.size() == 1 ? launches[0].arguments : Arguments{"<no launch>"};
    }

    static bool WaitFor(const std::function<bool()>& done)
    {
        for (int i = 0; i < 500 && !done(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return done();
    }

    // Children of this process that still exist, zombies included.
    static int Children()
    {
        int count = 0;
        for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
            std::ifstream file(task.path() / "children");
            std::string pid;
            while (file >> pid)
                ++count;
        }
        return count;
    }
};

TEST_F(ShellTest, ParametersAreSplitAsWindowsSplitsACommandLine)
{
    struct Case {
        const WCHAR* parameters;
        Arguments expected;
    } cases[] = {
        {u"", {}},
        {u"   ", {}},
        {u"-x", {"-x"}},
        {u"  a \t b  ", {"a", "b"}},                          // blanks and tabs separate
        {u"\"two words\" three", {"two words", "three"}},
        {u"a\"b c\"d", {"ab cd"}},                            // quotes in the middle of an argument
        {u"\"\"", {""}},                                      // an empty quoted argument
        {u"\"open to the end", {"open to the end"}},         // an unclosed quote runs to the end
        {u"C:\\Windows\\ \\\\server", {"C:\\Windows\\", "\\\\server"}},  // backslashes without quotes stay
        {u"a\\\"b", {"a\"b"}},                                // 1 backslash + quote: a literal quote
        {u"a\\\\\"b c\"", {"a\\b c"}},                        // 2 backslashes + quote: one backslash, quote groups
        {u"a\\\\\\\"b", {"a\\\"b"}},                          // 3 backslashes + quote: one backslash and a quote
        {u"\"a \"\"b\"\" c\"", {"a \"b", "c"}},               // "" inside quotes: a quote that ends the quoting
        {u"\"\u00E4 \u20AC\"", {"\xC3\xA4 \xE2\x82\xAC"}},    // non-ASCII text arrives as UTF-8
    };
    for (const Case& c : cases)
        EXPECT_EQ(Split(c.parameters), c.expected) << testing::PrintToString(testfiles::Utf8(c.parameters));
}

TEST_F(ShellTest, ExecutablesStartDirectlyAndEverythingElseGoesToTheOpener)
{
    const std::string document = testfiles::WriteBytes("notes.txt", "text");
    const std::u16string documentPath = testfiles::Utf16(document);
    host::testing::RecordLaunches(true);
    EXPECT_TRUE(Execute(u"cp", u"-x"));                       // found along PATH
    EXPECT_TRUE(Execute(u"\\bin\\cp"));                       // backslashes are separators
    EXPECT_TRUE(Execute(documentPath.c_str(), u"ignored"));
    EXPECT_TRUE(Execute(u"https://example.org/a\\b"));
    const auto& launches = host::testing::Launches();
    ASSERT_EQ(launches.size(), 4u);
    EXPECT_FALSE(launches[0].throughOpener);
    EXPECT_EQ(std::filesystem::path(launches[0].program).filename(), "cp");
    EXPECT_EQ(launches[0].arguments, Arguments{"-x"});
    EXPECT_EQ(launches[1].program, "/bin/cp");
    EXPECT_TRUE(launches[2].throughOpener);
    EXPECT_EQ(launches[2].program, "xdg-open");
    EXPECT_EQ(launches[2].arguments, Arguments{document});
    EXPECT_TRUE(launches[3].throughOpener);
    EXPECT_EQ(launches[3].arguments, Arguments{"https://example.org/a\\b"});  // a URL is passed untouched
}

TEST_F(ShellTest, ATildeIsTheHomeFolder)
{
    const std::string home = testfiles::TempFolder() + "home";
    std::filesystem::create_directories(home + "/Documents");
    const std::string saved = getenv("HOME") ? getenv("HOME") : "";
    setenv("HOME", home.c_str(), 1);
    host::testing::RecordLaunches(true);
    EXPECT_TRUE(Execute(u"~"));
    EXPECT_TRUE(Execute(u"~\\Documents"));
    EXPECT_FALSE(Execute(u"~nobody"));  // another user's home is not looked up
    setenv("HOME", saved.c_str(), 1);
    const auto& launches = host::testing::Launches();
    ASSERT_EQ(launches.size(), 2u);
    EXPECT_EQ(launches[0].arguments, Arguments{home});
    EXPECT_EQ(launches[1].arguments, Arguments{home + "/Documents"});
}

TEST_F(ShellTest, WhatCannotBeOpenedFailsWithoutLaunching)
{
    host::testing::RecordLaunches(true);
    EXPECT_FALSE(Execute(u"/no/such/program"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(Execute(u"no-such-program-anywhere"));
    EXPECT_FALSE(Execute(u"C:\\no\\file.txt"));  // a drive letter is no URL scheme
    EXPECT_FALSE(Execute(u""));
    EXPECT_FALSE(Execute(nullptr));
    SHELLEXECUTEINFOW print = Info(u"/bin/cp", nullptr);
    print.lpVerb = TEXT("print");
    EXPECT_FALSE(ShellExecuteExW(&print));
    // A record of another size is another layout; reading it as ours would go astray.
    SHELLEXECUTEINFOW small = Info(u"/bin/cp", nullptr);
    small.cbSize = 60;
    EXPECT_FALSE(ShellExecuteExW(&small));
    EXPECT_FALSE(ShellExecuteExW(nullptr));
    EXPECT_TRUE(host::testing::Launches().empty());
}

TEST_F(ShellTest, NoVerbMeansOpenAndARecordedLaunchHasNoProcess)
{
    host::testing::RecordLaunches(true);
    SHELLEXECUTEINFOW info = Info(u"/bin/cp", nullptr);
    info.lpVerb = nullptr;
    info.hProcess = reinterpret_cast<HANDLE>(1);
    EXPECT_TRUE(ShellExecuteExW(&info));
    EXPECT_EQ(info.hProcess, nullptr);
    EXPECT_GT(reinterpret_cast<INT_PTR>(info.hInstApp), 32);
}

TEST_F(ShellTest, AStartedProgramRunsWithItsParametersAndIsReaped)
{
    const std::string source = testfiles::WriteBytes("source file.txt", "copied");
    const std::string target = testfiles::TempFolder() + "target \"quoted\".txt";
    // The parameters quote the blanks and escape the quotes, as a Windows command line must.
    const std::u16string parameters = u"\"" + testfiles::Utf16(source) + u"\" \"" +
                                      testfiles::Utf16(testfiles::TempFolder()) + u"target \\\"quoted\\\".txt\"";
    SHELLEXECUTEINFOW info = Info(u"/bin/cp", parameters.c_str());
    ASSERT_TRUE(ShellExecuteExW(&info));
    ASSERT_NE(info.hProcess, nullptr);
    EXPECT_TRUE(CloseHandle(info.hProcess));
    EXPECT_FALSE(CloseHandle(info.hProcess));
    // The copy exists before cp has written it: wait for its content.
    EXPECT_TRUE(WaitFor([&] {
        std::ifstream copy(target);
        std::string content;
        copy >> content;
        return content == "copied";
    }));
    EXPECT_TRUE(WaitFor([] { return Children() == 0; }));
}

TEST_F(ShellTest, AProgramThatCannotStartFails)
{
    // An executable file whose interpreter is missing cannot be started.
    const std::string script = testfiles::WriteBytes("plain.sh", "#!/no/such/interpreter\n");
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);
    const std::u16string file = testfiles::Utf16(script);
    SHELLEXECUTEINFOW info = Info(file.c_str(), nullptr);
    EXPECT_FALSE(ShellExecuteExW(&info));
    EXPECT_EQ(info.hProcess, nullptr);
    EXPECT_LE(reinterpret_cast<INT_PTR>(info.hInstApp), 32);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_TRUE(WaitFor([] { return Children() == 0; }));
}

}  // namespace
