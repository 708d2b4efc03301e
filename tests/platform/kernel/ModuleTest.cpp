#include <gtest/gtest.h>

#include <unistd.h>

#include "platform/host/testing.h"
#include "tests/support/TestFiles.h"

namespace {

TEST(Module, FileNameIsTheRunningProgram)
{
    host::testing::ResetHost();
    WCHAR buffer[1024];
    const DWORD length = GetModuleFileNameW(nullptr, buffer, 1024);
    ASSERT_GT(length, 0u);
    char expected[1024] = {};
    ASSERT_GT(readlink("/proc/self/exe", expected, sizeof expected - 1), 0);
    EXPECT_EQ(expected, testfiles::Utf8(std::u16string(buffer, length)));
    EXPECT_EQ(length, GetModuleFileNameW(GetModuleHandleW(nullptr), buffer, 1024));
    EXPECT_EQ(nullptr, GetModuleHandleW(TEXT("other.dll")));
}

TEST(Module, FileNameIsCutToTheBuffer)
{
    host::testing::SetModuleFileName("/opt/kalmi/prog.exe");  // 19 characters
    struct Case {
        DWORD size;
        DWORD result;
        std::u16string text;
    };
    const Case cases[] = {
        {20, 19, u"/opt/kalmi/prog.exe"},
        {19, 19, u"/opt/kalmi/prog.ex"},  // cut: the result is the buffer size
        {1, 1, u""},
    };
    for (const Case& c : cases) {
        WCHAR buffer[32];
        std::fill(std::begin(buffer), std::end(buffer), u'#');
        EXPECT_EQ(c.result, GetModuleFileNameW(nullptr, buffer, c.size));
        EXPECT_EQ(c.text, std::u16string(buffer));
    }
}

TEST(Module, AnUnknownPathFailsAndResetForgetsTheOverride)
{
    host::testing::SetModuleFileName("");
    WCHAR buffer[64];
    EXPECT_EQ(0u, GetModuleFileNameW(nullptr, buffer, 64));
    host::testing::ResetHost();
    EXPECT_GT(GetModuleFileNameW(nullptr, buffer, 64), 0u);
}

}  // namespace
