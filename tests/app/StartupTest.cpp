#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/PanelList.h"
#include "app/PanelWindowList.h"
#include "app/PanelWindows.h"
#include "platform/host/testing.h"
#include "tests/app/PanelTestSupport.h"
#include "tests/support/TestFiles.h"

namespace {

// A panel that opens at once and can be told apart by its position.
std::string PanelAt(int x)
{
    return "GLOBALSETTINGS\r\nStartUpAnimation = NoAnimation\r\nX = " + std::to_string(x) +
           "\r\nWidth = 10\r\nArrange = No\r\nHeight = 10\r\n";
}

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        host::testing::ResetHost();
        // The program lies in the test's folder, so lists and panels are found there.
        host::testing::SetModuleFileName(testfiles::TempFolder() + "ostrevia");
    }

    int Run(const std::u16string& commandLine)
    {
        std::u16string line = commandLine;
        return wWinMain(GetModuleHandleW(nullptr), nullptr, line.data(), SW_SHOW);
    }

    void ReadList(const std::u16string& commandLine)
    {
        RegisterPanelClass(GetModuleHandleW(nullptr));
        ReadPanelList(GetModuleHandleW(nullptr), commandLine.c_str());
    }

    // The left edges of the listed panel windows, in list order.
    std::vector<int> PanelPositions() const
    {
        std::vector<int> positions;
        for (HWND window : PanelWindowList::Windows())
            positions.push_back(host::testing::WindowRect(window).left);
        return positions;
    }
};

TEST_F(StartupTest, WithoutCommandLineTheListNextToTheProgramIsRead)
{
    paneltest::WritePanel("a.ini", PanelAt(5));
    paneltest::WritePanel("KalmiSettings.ini", "a.ini\r\n");
    ReadList(u"");
    EXPECT_EQ((std::vector<int>{5}), PanelPositions());
}

TEST_F(StartupTest, MissingListIsReportedAndExitsWithOne)
{
    EXPECT_EQ(1, Run(u"nothing.ini"));
    ASSERT_EQ(1u, host::testing::MessageBoxes().size());
    const auto& box = host::testing::MessageBoxes()[0];
    EXPECT_EQ(u"Datei kann nicht gefunden werden.", box.caption);
    EXPECT_EQ(testfiles::Utf16(testfiles::TempFolder() + "nothing.ini"), box.text);
    EXPECT_EQ(0x10010u, box.style);
    EXPECT_EQ(nullptr, box.owner);
}

TEST_F(StartupTest, EightBitListIsReportedAndExitsWithOne)
{
    testfiles::WriteBytes("plain.ini", "a.ini\r\n");
    EXPECT_EQ(1, Run(u"plain.ini"));
    ASSERT_EQ(1u, host::testing::MessageBoxes().size());
    const auto& box = host::testing::MessageBoxes()[0];
    EXPECT_EQ(u"Fehler", box.caption);
    EXPECT_EQ(u"Die Datei ist leer oder nicht im Unicode Format:\n" +
                  testfiles::Utf16(testfiles::TempFolder() + "plain.ini"),
              box.text);
    EXPECT_EQ(0x10010u, box.style);
}

TEST_F(StartupTest, ListOfCommentsOnlyExitsWithOneAndNoBox)
{
    paneltest::WritePanel("a.ini", PanelAt(5));
    paneltest::WritePanel("comments.ini", "# a.ini\r\n\r\n/ a.ini\r\n; a.ini\r\n\r\n");
    EXPECT_EQ(1, Run(u"comments.ini"));
    EXPECT_TRUE(host::testing::MessageBoxes().empty());
    EXPECT_TRUE(PanelWindowList::IsEmpty());
}

TEST_F(StartupTest, EveryLineEndNamesAPanelAndFailuresAreLeftOut)
{
    paneltest::WritePanel("a.ini", PanelAt(1));
    paneltest::WritePanel("c.ini", PanelAt(3));
    paneltest::WritePanel("d.ini", PanelAt(4));
    paneltest::WritePanel("list.ini", "a.ini\r\nmissing.ini\nc.ini\rd.ini");
    ReadList(u"list.ini");
    EXPECT_EQ((std::vector<int>{1, 3, 4}), PanelPositions());
    // The failed panel was reported by the loader; nothing else was shown.
    ASSERT_EQ(1u, host::testing::MessageBoxes().size());
    EXPECT_EQ(u"Datei nicht gefunden:", host::testing::MessageBoxes()[0].caption);
}

TEST_F(StartupTest, PanelPathsAreRelativeToTheListsFolder)
{
    paneltest::WritePanel("up.ini", PanelAt(7));
    paneltest::WritePanel("lists/here.ini", PanelAt(8));
    paneltest::WritePanel("lists/list.ini", "..\\up.ini\r\n\\here.ini\r\n");
    ReadList(u"lists/list.ini");
    EXPECT_EQ((std::vector<int>{7, 8}), PanelPositions());
}

TEST_F(StartupTest, TrailingQuotesOfTheCommandLineAreDropped)
{
    paneltest::WritePanel("a.ini", PanelAt(5));
    paneltest::WritePanel("quoted.ini", "a.ini\r\n");
    ReadList(u"quoted.ini\"\"");
    EXPECT_EQ((std::vector<int>{5}), PanelPositions());
}

TEST_F(StartupTest, ListedPanelsAreShownAndTheExitCodeIsTheQuitCode)
{
    paneltest::WritePanel("a.ini", PanelAt(1));
    paneltest::WritePanel("b.ini", PanelAt(30));
    paneltest::WritePanel("list.ini", "a.ini\r\nb.ini\r\n");
    // Retrieved once the start-up's own messages are handled.
    PostQuitMessage(0);
    EXPECT_EQ(0, Run(u"list.ini"));
    // Shutdown destroyed the windows.
    EXPECT_TRUE(host::testing::WindowsInZOrder().empty());
}

}  // namespace
