#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "platform/host/FirstStartCopy.h"
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
        Write(source + "/KalmiSettings.ini", "list");
        Write(source + "/Main.ini", "main");
        Write(source + "/Clock.ini", "clock");
        Write(source + "/bitmaps/a.bmp", "bitmap a");
        Write(source + "/bitmaps/b.bmp", "bitmap b");
    }

    static void Write(const std::string& path, const std::string& text)
    {
        fs::create_directories(fs::path(path).parent_path());
        std::ofstream(path, std::ios::binary) << text;
    }

    static std::string Read(const std::string& path)
    {
        std::ifstream file(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), {});
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
    EXPECT_EQ("bitmap b", Read(target + "/bitmaps/b.bmp"));
    EXPECT_EQ((std::set<std::string>{"ostrevia"}), Names(config));
}

TEST_F(FirstStartCopyTest, NeverReplacesWhatTheUserHas)
{
    // A config folder without a list: the user's own files stay, the missing ones come.
    Write(target + "/Main.ini", "edited main");
    Write(target + "/bitmaps/a.bmp", "own bitmap");
    Write(target + "/Notes.txt", "mine");
    std::string error;
    ASSERT_TRUE(Copy(error)) << error;
    EXPECT_EQ("edited main", Read(target + "/Main.ini"));
    EXPECT_EQ("own bitmap", Read(target + "/bitmaps/a.bmp"));
    EXPECT_EQ("bitmap b", Read(target + "/bitmaps/b.bmp"));
    EXPECT_EQ("list", Read(target + "/KalmiSettings.ini"));
    EXPECT_EQ("mine", Read(target + "/Notes.txt"));
    EXPECT_EQ((std::set<std::string>{"ostrevia"}), Names(config));

    // Copying again changes nothing.
    Write(target + "/KalmiSettings.ini", "edited list");
    fs::remove(target + "/Clock.ini");
    ASSERT_TRUE(Copy(error)) << error;
    EXPECT_EQ("edited list", Read(target + "/KalmiSettings.ini"));
    EXPECT_EQ("clock", Read(target + "/Clock.ini"));
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
    Write(target, "in the way");
    error.clear();
    EXPECT_FALSE(Copy(error));
    EXPECT_NE(std::string::npos, error.find(target)) << error;
    EXPECT_EQ((std::set<std::string>{"ostrevia"}), Names(config));
    EXPECT_EQ("in the way", Read(target));
}

}  // namespace
