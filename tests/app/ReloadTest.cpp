#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/PanelWindowList.h"
#include "platform/host/kernel/hangup.h"
#include "platform/host/kernel/unicode.h"
#include "platform/host/testing.h"
#include "tests/app/PanelTestSupport.h"
#include "tests/support/TestFiles.h"

namespace {

// A panel that opens at once and can be told apart by its position.
std::string PanelAt(int x, const std::string& more = "")
{
    return more + "GLOBALSETTINGS\r\nStartUpAnimation = NoAnimation\r\nX = " + std::to_string(x) +
           "\r\nWidth = 10\r\nArrange = No\r\nHeight = 10\r\n";
}

// What the steps of a run do, by the id of the thread timer that runs them.
std::map<UINT_PTR, std::function<void()>>& Steps()
{
    static std::map<UINT_PTR, std::function<void()>> steps;
    return steps;
}

void CALLBACK RunStep(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    const std::function<void()> step = Steps()[id];
    step();
}

class ReloadTest : public paneltest::PanelFixture {
protected:
    void SetUp() override
    {
        PanelFixture::SetUp();
        host::testing::SetModuleFileName(testfiles::TempFolder() + "ostrevia");
    }

    // Runs the program on `list`; each step runs once inside its message
    // loop, `at` ms of virtual time after the start. The run ends after the
    // last step.
    void Run(const std::u16string& list, const std::vector<std::pair<DWORD, std::function<void()>>>& steps)
    {
        DWORD last = 0;
        for (const auto& [at, step] : steps) {
            Steps()[SetTimer(nullptr, 0, at, RunStep)] = step;
            last = std::max(last, at);
        }
        Steps()[SetTimer(nullptr, 0, last + 1, RunStep)] = [] { PostQuitMessage(0); };
        std::u16string commandLine = list;
        EXPECT_EQ(0, wWinMain(GetModuleHandleW(nullptr), nullptr, commandLine.data(), SW_SHOW));
    }

    static std::vector<HWND> Windows() { return PanelWindowList::Windows(); }
    static int LeftOf(HWND window) { return host::testing::WindowRect(window).left; }
    static bool HasRect(HWND window, const RECT& expected)
    {
        const RECT rect = host::testing::WindowRect(window);
        return EqualRect(&rect, &expected) != FALSE;
    }

    static bool ChannelHas(const std::string& part)
    {
        for (const std::string& line : host::testing::DebugOutput()) {
            if (line.find(part) != std::string::npos)
                return true;
        }
        return false;
    }
};

TEST_F(ReloadTest, SavedPanelIsReplacedInPlaceWithoutAnimation)
{
    static constexpr RECT kReloaded = {50, 0, 70, 10};
    paneltest::WritePanel("a.ini", PanelAt(5));
    paneltest::WritePanel("list.ini", "a.ini\r\n");
    HWND window = nullptr;
    Run(u"list.ini", {
        {1000, [&] {
             window = Windows().at(0);
             // The default opening animation is not played on a reload.
             paneltest::WritePanel("a.ini", "GLOBALSETTINGS\r\nX = 50\r\nWidth = 20\r\nArrange = No\r\nHeight = 10\r\n");
         }},
        {1500, [&] {
             EXPECT_EQ(std::vector<HWND>{window}, Windows());
             EXPECT_TRUE(HasRect(window, kReloaded));
         }},
        {1600, [&] { EXPECT_TRUE(HasRect(window, kReloaded)); }},
    });
}

// Saves of a file being edited: the first load shows each box, a reload
// with the same mistakes (even moved to other lines) shows none, new
// mistakes show one box that sums them up, and every finding still reaches
// the channel.
TEST_F(ReloadTest, ReloadsSumUpNewFindingsInOneBoxAndRepeatNone)
{
    const std::string twoMistakes = "Colour = 1\r\nShade = 2\r\n";
    const std::string path = paneltest::WritePanel("a.ini", PanelAt(5, "") + twoMistakes);
    paneltest::WritePanel("list.ini", "a.ini\r\n");
    const auto boxes = [] { return host::testing::MessageBoxes().size(); };
    Run(u"list.ini", {
        {1000, [&] {
             EXPECT_EQ(2u, boxes());
             paneltest::WritePanel("a.ini", "; moved down\r\n" + PanelAt(6) + twoMistakes);
         }},
        {2000, [&] {
             EXPECT_EQ(6, LeftOf(Windows().at(0)));
             EXPECT_EQ(2u, boxes());
             paneltest::WritePanel("a.ini", PanelAt(7) + twoMistakes + "Tint = 3\r\n");
         }},
        {3000, [&] {
             ASSERT_EQ(3u, boxes());
             const host::testing::MessageBoxRecord& summary = host::testing::MessageBoxes().back();
             const std::u16string file = host::ToUtf16(path);
             EXPECT_EQ(u"Ostrevia", summary.caption);
             EXPECT_EQ(u"3 findings in " + file + u", first at line 7: GlobalSettings - Ignoriere unbekannten Wert: "
                       u"Colour = 1 — ostrevia --check " + file + u" lists them all",
                       summary.text);
             EXPECT_TRUE(ChannelHas("a.ini(9): GlobalSettings - Ignoriere unbekannten Wert: Tint = 3"));
             paneltest::WritePanel("a.ini", PanelAt(8));
         }},
        {4000, [&] {
             EXPECT_EQ(3u, boxes());
             // Mistakes that come back after a clean save are new again.
             paneltest::WritePanel("a.ini", PanelAt(9) + twoMistakes);
         }},
        {5000, [&] {
             EXPECT_EQ(4u, boxes());
             EXPECT_EQ(9, LeftOf(Windows().at(0)));
         }},
    });
}

TEST_F(ReloadTest, HalfWrittenFileOrAFolderKeepsThePanelUntilTheNextSave)
{
    const std::string path = paneltest::WritePanel("a.ini", PanelAt(5));
    paneltest::WritePanel("list.ini", "a.ini\r\n");
    Run(u"list.ini", {
        {1000, [] { testfiles::WriteBytes("a.ini", ""); }},
        {1500, [&] {
             EXPECT_EQ(5, LeftOf(Windows().at(0)));
             EXPECT_TRUE(ChannelHas(path + ": warning: is empty or not UTF-16"));
             EXPECT_TRUE(host::testing::MessageBoxes().empty());
             paneltest::WritePanel("a.ini", PanelAt(60));
         }},
        {2000, [&] {
             EXPECT_EQ(60, LeftOf(Windows().at(0)));
             std::filesystem::remove(path);
             std::filesystem::create_directory(path);
         }},
        {2500, [&] {
             EXPECT_EQ(60, LeftOf(Windows().at(0)));
             EXPECT_TRUE(ChannelHas(path + ": warning: cannot be opened"));
             EXPECT_TRUE(host::testing::MessageBoxes().empty());
         }},
    });
}

TEST_F(ReloadTest, FileRenamedOverThePanelFileIsLoaded)
{
    const std::string path = paneltest::WritePanel("a.ini", PanelAt(5));
    paneltest::WritePanel("list.ini", "a.ini\r\n");
    Run(u"list.ini", {
        {1000, [&] { std::filesystem::rename(paneltest::WritePanel("a.ini~", PanelAt(40)), path); }},
        {1500, [] { EXPECT_EQ(40, LeftOf(Windows().at(0))); }},
    });
}

TEST_F(ReloadTest, ChangedListReplacesEveryPanel)
{
    paneltest::WritePanel("a.ini", PanelAt(5));
    paneltest::WritePanel("b.ini", PanelAt(30));
    paneltest::WritePanel("c.ini", PanelAt(90));
    paneltest::WritePanel("list.ini", "a.ini\r\nb.ini\r\n");
    std::vector<HWND> before;
    Run(u"list.ini", {
        {1000, [&] {
             before = Windows();
             paneltest::WritePanel("list.ini", "c.ini\r\n");
         }},
        {1500, [&] {
             ASSERT_EQ(1u, Windows().size());
             EXPECT_EQ(90, LeftOf(Windows()[0]));
             EXPECT_FALSE(IsWindow(before.at(0)) || IsWindow(before.at(1)));
         }},
    });
}

TEST_F(ReloadTest, PanelListedTwiceReloadsInBothPlaces)
{
    paneltest::WritePanel("a.ini", PanelAt(5));
    paneltest::WritePanel("list.ini", "a.ini\r\na.ini\r\n");
    Run(u"list.ini", {
        {1000, [] { paneltest::WritePanel("a.ini", PanelAt(70)); }},
        {1500, [] {
             ASSERT_EQ(2u, Windows().size());
             EXPECT_EQ(70, LeftOf(Windows()[0]));
             EXPECT_EQ(70, LeftOf(Windows()[1]));
         }},
    });
}

TEST_F(ReloadTest, HangupReadsEverythingAgain)
{
    host::CatchHangup();
    paneltest::WritePanel("a.ini", PanelAt(5));
    paneltest::WritePanel("list.ini", "a.ini\r\n");
    std::vector<HWND> before;
    Run(u"list.ini", {
        {1000, [&] {
             before = Windows();
             raise(SIGHUP);
         }},
        {1500, [&] {
             // Nothing changed on disk, and still the panel is made anew.
             ASSERT_EQ(1u, Windows().size());
             EXPECT_NE(before.at(0), Windows()[0]);
             EXPECT_EQ(5, LeftOf(Windows()[0]));
         }},
    });
}

TEST_F(ReloadTest, BurstOfSavesIsOneReload)
{
    // The bad first line reaches the channel at each load.
    paneltest::WritePanel("a.ini", PanelAt(5, "bad\r\n"));
    paneltest::WritePanel("list.ini", "a.ini\r\n");
    Run(u"list.ini", {
        {1000, [] {
             for (int i = 0; i < 300; ++i)
                 paneltest::WritePanel("a.ini", PanelAt(i % 100, "bad\r\n"));
         }},
        {1600, [] {
             const std::vector<std::string>& channel = host::testing::DebugOutput();
             EXPECT_EQ(2, std::count_if(channel.begin(), channel.end(), [](const std::string& line) {
                           return line.find("Ignoriere unbekannten Typ: bad") != std::string::npos;
                       }));
             EXPECT_EQ(99, LeftOf(Windows().at(0)));
         }},
    });
}

TEST_F(ReloadTest, ThousandReloadsLeaveTheLiveGdiObjectsAsTheyWere)
{
    const auto content = [](int i) {
        return PanelAt(i % 2, "TEXT\r\nText = Hello\r\nFont = Sans\r\nSize = 12\r\nCreateFont\r\n\r\n"
                              "MEMORY\r\n\r\nWINDOWSBUTTON\r\nWidth = 20\r\nHeight = 10\r\n\r\n");
    };
    paneltest::WritePanel("a.ini", content(0));
    paneltest::WritePanel("list.ini", "a.ini\r\n");
    int before = 0;
    std::vector<std::pair<DWORD, std::function<void()>>> steps{
        {500, [&] { before = host::testing::LiveGdiObjects(); }}};
    for (int i = 1; i <= 1000; ++i)
        steps.push_back({500 + 200 * static_cast<DWORD>(i), [&, i] { paneltest::WritePanel("a.ini", content(i)); }});
    steps.push_back({500 + 200 * 1001, [&] {
                         EXPECT_EQ(0, LeftOf(Windows().at(0)));  // the last content, 1000 % 2
                         EXPECT_EQ(before, host::testing::LiveGdiObjects());
                     }});
    Run(u"list.ini", steps);
}

TEST_F(ReloadTest, AtTheWatchLimitTheProgramGoesOnWithoutReloading)
{
    host::testing::LimitFileWatches(0);
    paneltest::WritePanel("a.ini", PanelAt(5));
    paneltest::WritePanel("list.ini", "a.ini\r\n");
    Run(u"list.ini", {
        {1000, [] { paneltest::WritePanel("a.ini", PanelAt(40)); }},
        {1500, [] {
             EXPECT_EQ(5, LeftOf(Windows().at(0)));
             EXPECT_TRUE(ChannelHas(testfiles::TempFolder() + ": warning: cannot watch this folder"));
         }},
    });
}

}  // namespace
