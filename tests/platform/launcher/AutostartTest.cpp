#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/host/launcher/Autostart.h"
#include "tests/support/TestFiles.h"

namespace {

namespace fs = std::filesystem;

std::string ExecLine(const std::string& entry)
{
    const size_t start = entry.find("\nExec=");
    return start == std::string::npos ? "" : entry.substr(start + 6, entry.find('\n', start + 1) - start - 6);
}

TEST(Autostart, ExecLineQuotesWhatTheDesktopWouldSplitOrExpand)
{
    struct Case {
        std::string program, list, exec;
    };
    const Case cases[] = {
        {"/usr/bin/ostrevia", "", "/usr/bin/ostrevia"},
        {"/usr/bin/ostrevia", "/home/me/list.ini", "/usr/bin/ostrevia -c /home/me/list.ini"},
        // Blanks need quotes; inside them $, ` and " are escaped, and every
        // backslash is doubled once more for the entry's string value.
        {"/opt/my apps/ostrevia", "/home/me/$HOME \"x\".ini",
         "\"/opt/my apps/ostrevia\" -c \"/home/me/\\\\$HOME \\\\\"x\\\\\".ini\""},
        {"/usr/bin/ostrevia", "/p/100%.ini", "/usr/bin/ostrevia -c \"/p/100%%.ini\""},  // % would be a field code
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.exec, ExecLine(host::AutostartEntry(c.program, c.list))) << c.list;
}

TEST(Autostart, OnWritesTheEntryAndOffRemovesIt)
{
    const std::string folder = testfiles::TempFolder() + "autostart-home/autostart";
    const std::string entry = folder + "/ostrevia.desktop";
    std::string message, error;
    ASSERT_TRUE(host::SetAutostart(true, folder, "/usr/bin/ostrevia", "/l.ini", message, error)) << error;
    const std::string text = testfiles::ReadFileAt(entry);
    EXPECT_EQ(0u, text.find("[Desktop Entry]\n"));
    EXPECT_EQ("/usr/bin/ostrevia -c /l.ini", ExecLine(text));
    EXPECT_EQ(1, std::distance(fs::directory_iterator(folder), fs::directory_iterator()));  // no temporary file left

    ASSERT_TRUE(host::SetAutostart(false, folder, "/usr/bin/ostrevia", "", message, error)) << error;
    EXPECT_FALSE(fs::exists(entry));
    ASSERT_TRUE(host::SetAutostart(false, folder, "/usr/bin/ostrevia", "", message, error)) << error;  // already off
}

}  // namespace
