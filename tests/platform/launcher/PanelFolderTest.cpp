#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/host/launcher/PanelFolder.h"
#include "platform/host/launcher/XdgDirs.h"
#include "tests/support/TestFiles.h"

namespace {

namespace fs = std::filesystem;

TEST(XdgDirs, FollowTheBaseDirectoryRules)
{
    EXPECT_EQ("/cfg", host::XdgDirs("/home/me", "/cfg", "").ConfigHome());
    EXPECT_EQ("/home/me/.config", host::XdgDirs("/home/me", "", "").ConfigHome());          // empty: the default
    EXPECT_EQ("/home/me/.config", host::XdgDirs("/home/me/", "relative", "").ConfigHome());  // not absolute: ignored
    EXPECT_EQ("", host::XdgDirs("", "", "").ConfigHome());
    EXPECT_EQ((std::vector<std::string>{"/etc/xdg"}), host::XdgDirs("/h", "", "").ConfigDirs());
    EXPECT_EQ((std::vector<std::string>{"/site", "/etc/xdg"}),
              host::XdgDirs("/h", "", "/site::relative:/etc/xdg").ConfigDirs());
    EXPECT_EQ("/var/c", host::XdgDirs("/h", "", "", "/var/c").CacheHome());
    EXPECT_EQ("/h/.cache", host::XdgDirs("/h", "", "", "cache").CacheHome());  // not absolute: ignored
}

TEST(ListFile, IsSplitIntoFolderAndName)
{
    struct Case {
        std::string file, folder, name;
    };
    const Case cases[] = {
        {"list.ini", "/work", "list.ini"},
        {"panels/my list.ini", "/work/panels", "my list.ini"},
        {"../me/list.ini", "/me", "list.ini"},
        {"/etc/ostrevia/list.ini", "/etc/ostrevia", "list.ini"},  // absolute: the current folder plays no part
        {"/srv/panels/", "/srv", "panels"},                       // a folder stays a name that cannot be opened
        {"/", "/", "."},
    };
    for (const Case& c : cases) {
        const host::ListFile split = host::SplitListFile(c.file, "/work");
        EXPECT_EQ(c.folder, split.folder) << c.file;
        EXPECT_EQ(c.name, split.name) << c.file;
    }
}

// A program folder, a data folder, a home and two system-wide folders, all
// empty; the lists each test writes say where panels were found.
class PanelFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        root = testfiles::TempFolder() + "lookup/";
        fs::remove_all(root);
        for (const char* folder : {"bin", "share/ostrevia", "home", "site/ostrevia", "xdg/ostrevia", "cwd"})
            fs::create_directories(root + folder);
    }

    bool Find(host::PanelFolder& found, std::string& error, const std::string& configHome = "",
              const std::string& commandLine = "")
    {
        const host::XdgDirs dirs(root + "home", configHome, root + "site:" + root + "xdg");
        return host::FindPanelFolder(root + "bin", root + "share/ostrevia", dirs, root + "cwd", commandLine, found,
                                     error);
    }

    std::string root;
};

TEST_F(PanelFolderTest, AListBesideTheProgramIsUsedAsItIs)
{
    testfiles::WriteFileAt(root + "bin/KalmiSettings.ini", "beside");
    testfiles::WriteFileAt(root + "share/ostrevia/KalmiSettings.ini", "installed");
    host::PanelFolder found;
    std::string error;
    ASSERT_TRUE(Find(found, error)) << error;
    EXPECT_EQ("", found.folder);
    EXPECT_FALSE(fs::exists(root + "home/.config"));
}

TEST_F(PanelFolderTest, ANamedListIsLookedForBesideTheProgramFirst)
{
    testfiles::WriteFileAt(root + "bin/mine.ini", "beside");
    testfiles::WriteFileAt(root + "mine above.ini", "above");
    testfiles::WriteFileAt(root + "share/ostrevia/KalmiSettings.ini", "installed");
    for (const char* name : {"mine.ini", "mine.ini\"\"", "\\mine.ini", "/mine.ini", "..\\mine above.ini"}) {
        host::PanelFolder found;
        std::string error;
        ASSERT_TRUE(Find(found, error, "", name)) << name;
        EXPECT_EQ("", found.folder) << name;
    }
    EXPECT_FALSE(fs::exists(root + "home/.config"));

    // Neither a blank before the name nor a missing list is beside the program:
    // the program reports it in the config folder, and one line says where it
    // was looked for.
    for (const char* name : {" mine.ini", "missing.ini"}) {
        host::PanelFolder found;
        std::string error;
        ASSERT_FALSE(Find(found, error, "", name)) << name;
        EXPECT_EQ(root + "home/.config/ostrevia", found.folder) << name;
        EXPECT_EQ(name, found.commandLine);
        EXPECT_EQ("no list " + std::string(name) + " in " + root + "bin or " + root +
                      "home/.config/ostrevia; give its path with -c",
                  error);
    }
}

TEST_F(PanelFolderTest, ANameThatIsAPathFromTheCurrentFolderIsReadAsMinusCReadsIt)
{
    testfiles::WriteFileAt(root + "cwd/my list.ini", "here");
    testfiles::WriteFileAt(root + "panels/list.ini", "there");
    testfiles::WriteFileAt(root + "cwd/sub/list.ini", "below");
    testfiles::WriteFileAt(root + "bin/list.ini", "beside");
    testfiles::WriteFileAt(root + "share/ostrevia/KalmiSettings.ini", "installed");
    fs::create_directories(root + "cwd/folder.ini");
    struct Case {
        std::string name, folder, commandLine;
    };
    const Case cases[] = {
        {"my list.ini", root + "cwd", "my list.ini"},
        {"sub/list.ini", root + "cwd/sub", "list.ini"},
        {root + "panels/list.ini", root + "panels", "list.ini"},
        {"list.ini", "", "list.ini"},  // beside the program comes first
    };
    for (const Case& c : cases) {
        host::PanelFolder found;
        std::string error;
        ASSERT_TRUE(Find(found, error, "", c.name)) << c.name << ": " << error;
        EXPECT_EQ(c.folder, found.folder) << c.name;
        EXPECT_EQ(c.commandLine, found.commandLine) << c.name;
    }
    // A folder is no list: it is reported like a missing one.
    host::PanelFolder found;
    std::string error;
    EXPECT_FALSE(Find(found, error, "", "folder.ini"));
    EXPECT_NE(std::string::npos, error.find("no list folder.ini in ")) << error;
}

TEST_F(PanelFolderTest, FirstStartFillsTheConfigFolderFromTheInstalledPanels)
{
    testfiles::WriteFileAt(root + "share/ostrevia/KalmiSettings.ini", "installed");
    testfiles::WriteFileAt(root + "share/ostrevia/bitmaps/a.bmp", "BM");
    host::PanelFolder found;
    std::string error;
    ASSERT_TRUE(Find(found, error)) << error;
    EXPECT_EQ(root + "home/.config/ostrevia", found.folder);
    EXPECT_EQ("installed", testfiles::ReadFileAt(found.folder + "/KalmiSettings.ini"));
    EXPECT_EQ("BM", testfiles::ReadFileAt(found.folder + "/bitmaps/a.bmp"));
    EXPECT_NE(std::string::npos, found.note.find(root + "share/ostrevia")) << found.note;

    // The second start finds the user's edited copy and copies nothing.
    testfiles::WriteFileAt(found.folder + "/KalmiSettings.ini", "edited");
    fs::remove(found.folder + "/bitmaps/a.bmp");
    ASSERT_TRUE(Find(found, error)) << error;
    EXPECT_EQ("edited", testfiles::ReadFileAt(found.folder + "/KalmiSettings.ini"));
    EXPECT_FALSE(fs::exists(found.folder + "/bitmaps/a.bmp"));
    EXPECT_EQ("", found.note);
}

TEST_F(PanelFolderTest, TheFirstSystemWideFolderWithAListComesBeforeTheInstalledPanels)
{
    testfiles::WriteFileAt(root + "site/ostrevia/Main.ini", "no list here");
    testfiles::WriteFileAt(root + "xdg/ostrevia/KalmiSettings.ini", "administrator's");
    testfiles::WriteFileAt(root + "share/ostrevia/KalmiSettings.ini", "installed");
    host::PanelFolder found;
    std::string error;
    ASSERT_TRUE(Find(found, error, root + "cfg")) << error;
    EXPECT_EQ(root + "cfg/ostrevia", found.folder);
    EXPECT_EQ("administrator's", testfiles::ReadFileAt(found.folder + "/KalmiSettings.ini"));
    EXPECT_FALSE(fs::exists(found.folder + "/Main.ini"));
}

TEST_F(PanelFolderTest, NothingToCopyOrNowhereToCopyToIsOneLineAndNothingWritten)
{
    host::PanelFolder found;
    std::string error;
    EXPECT_FALSE(Find(found, error));
    EXPECT_NE(std::string::npos, error.find(root + "share/ostrevia")) << error;
    EXPECT_EQ(std::string::npos, error.find('\n'));
    EXPECT_FALSE(fs::exists(root + "home/.config"));

    // A file where the config home should be: no folder can be made there.
    testfiles::WriteFileAt(root + "share/ostrevia/KalmiSettings.ini", "installed");
    testfiles::WriteFileAt(root + "blocked", "a file");
    error.clear();
    EXPECT_FALSE(Find(found, error, root + "blocked/cfg"));
    EXPECT_NE(std::string::npos, error.find(root + "blocked")) << error;
    EXPECT_NE(std::string::npos, error.find("XDG_CONFIG_HOME")) << error;

    error.clear();
    EXPECT_FALSE(
        host::FindPanelFolder(root + "bin", root + "share/ostrevia", host::XdgDirs("", "", ""), root, "", found, error));
    EXPECT_NE(std::string::npos, error.find("HOME")) << error;
    // The program's own folder stays, so that the program reports the list.
    EXPECT_EQ("", found.folder);
}

}  // namespace
