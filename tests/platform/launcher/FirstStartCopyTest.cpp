#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "platform/host/launcher/FirstStartCopy.h"
#include "tests/support/TestFiles.h"

namespace {

namespace fs = std::filesystem;

// The bundled panels in `source`; the copies go to `config/ostrevia`.
class FirstStartCopyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        root = testfiles::TempFolder() + "first-start/";
        fs::remove_all(root);
        source = root + "share/ostrevia";
        config = root + "config";
        target = config + "/ostrevia";
        testfiles::WriteFileAt(source + "/KalmiSettings.ini", "list");
        testfiles::WriteFileAt(source + "/Main.ini", "main");
        testfiles::WriteFileAt(source + "/Clock.ini", "clock");
        testfiles::WriteFileAt(source + "/bitmaps/a.bmp", "bitmap a");
        testfiles::WriteFileAt(source + "/bitmaps/b.bmp", "bitmap b");
    }

    // Every name in `folder`, so that a left-over temporary folder shows.
    static std::set<std::string> Names(const std::string& folder)
    {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder))
            names.insert(entry.path().filename().string());
        return names;
    }

    bool Copy(std::string& error) { return host::CopyPanelsInto(source, target, "KalmiSettings.ini", error); }

    std::string root, source, config, target;
};

TEST_F(FirstStartCopyTest, CopiesTheWholeFolderAndLeavesNoTemporaryFolder)
{
    std::string error;
    ASSERT_TRUE(Copy(error)) << error;
    EXPECT_EQ((std::set<std::string>{"Clock.ini", "KalmiSettings.ini", "Main.ini", "bitmaps"}), Names(target));
    EXPECT_EQ("bitmap b", testfiles::ReadFileAt(target + "/bitmaps/b.bmp"));
    EXPECT_EQ((std::set<std::string>{"ostrevia"}), Names(config));
}

TEST_F(FirstStartCopyTest, NeverReplacesWhatTheUserHas)
{
    // A config folder without a list: the user's own files stay, the missing ones come.
    testfiles::WriteFileAt(target + "/Main.ini", "edited main");
    testfiles::WriteFileAt(target + "/bitmaps/a.bmp", "own bitmap");
    testfiles::WriteFileAt(target + "/Notes.txt", "mine");
    std::string error;
    ASSERT_TRUE(Copy(error)) << error;
    EXPECT_EQ("edited main", testfiles::ReadFileAt(target + "/Main.ini"));
    EXPECT_EQ("own bitmap", testfiles::ReadFileAt(target + "/bitmaps/a.bmp"));
    EXPECT_EQ("bitmap b", testfiles::ReadFileAt(target + "/bitmaps/b.bmp"));
    EXPECT_EQ("list", testfiles::ReadFileAt(target + "/KalmiSettings.ini"));
    EXPECT_EQ("mine", testfiles::ReadFileAt(target + "/Notes.txt"));
    EXPECT_EQ((std::set<std::string>{"ostrevia"}), Names(config));

    // Copying again changes nothing.
    testfiles::WriteFileAt(target + "/KalmiSettings.ini", "edited list");
    fs::remove(target + "/Clock.ini");
    ASSERT_TRUE(Copy(error)) << error;
    EXPECT_EQ("edited list", testfiles::ReadFileAt(target + "/KalmiSettings.ini"));
    EXPECT_EQ("clock", testfiles::ReadFileAt(target + "/Clock.ini"));
    EXPECT_EQ((std::set<std::string>{"ostrevia"}), Names(config));
}

TEST_F(FirstStartCopyTest, CopiesOfReadOnlyFilesCanBeEdited)
{
    fs::permissions(source + "/Main.ini", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    std::string error;
    ASSERT_TRUE(Copy(error)) << error;
    EXPECT_NE(fs::perms::none, fs::status(target + "/Main.ini").permissions() & fs::perms::owner_write);
}

TEST_F(FirstStartCopyTest, AFailedCopyLeavesNothingBehind)
{
    // A link to nowhere among the panels cannot be copied.
    fs::create_symlink(root + "nowhere.bmp", source + "/bitmaps/c.bmp");
    std::string error;
    EXPECT_FALSE(Copy(error));
    EXPECT_NE(std::string::npos, error.find(source)) << error;
    EXPECT_TRUE(Names(config).empty());

    // So does a file where the config folder should be.
    fs::remove(source + "/bitmaps/c.bmp");
    testfiles::WriteFileAt(target, "in the way");
    error.clear();
    EXPECT_FALSE(Copy(error));
    EXPECT_NE(std::string::npos, error.find(target)) << error;
    EXPECT_EQ((std::set<std::string>{"ostrevia"}), Names(config));
    EXPECT_EQ("in the way", testfiles::ReadFileAt(target));
}

}  // namespace
