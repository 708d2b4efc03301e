// COMMAND objects in a running program: small scripts written by each test
// are run by panels on the headless display. Nothing here is timed: every
// wait lasts until what it waits for has happened, within a bound.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>

#include "app/GlobalSettings.h"
#include "app/Panel.h"
#include "app/PanelWindowList.h"
#include "objects/CommandText.h"
#include "platform/host/testing.h"
#include "tests/app/PanelTestSupport.h"
#include "tests/support/TestFiles.h"

namespace {

std::function<bool()>& Condition()
{
    static std::function<bool()> condition;
    return condition;
}

void CALLBACK LookAgain(HWND, UINT, UINT_PTR, DWORD)
{
    if (Condition()())
        PostQuitMessage(0);
}

// An executable shell script in the test's folder; returns its path.
std::string Script(const std::string& name, const std::string& body)
{
    const std::string path = testfiles::WriteBytes(name, "#!/bin/sh\n" + body + "\n");
    std::filesystem::permissions(path, std::filesystem::perms::owner_all);
    return path;
}

std::string Lines(const std::string& path)
{
    return testfiles::ReadFileAt(path);
}

size_t LineCount(const std::string& path)
{
    const std::string text = Lines(path);
    return static_cast<size_t>(std::count(text.begin(), text.end(), '\n'));
}

// Whether the process `pid` (written by a script into `path`) is gone or a
// zombie: it runs no more.
bool HasEnded(const std::string& pidPath)
{
    const std::string pid = Lines(pidPath).substr(0, Lines(pidPath).find('\n'));
    std::ifstream stat("/proc/" + pid + "/stat");
    std::string all;
    if (pid.empty() || !std::getline(stat, all))
        return !pid.empty();
    const size_t close = all.rfind(')');
    return close != std::string::npos && all.compare(close + 2, 1, "Z") == 0;
}

// Killed processes are reaped by whoever adopted them, outside the program:
// waits for that in real time, at most ten seconds.
bool Eventually(const std::function<bool()>& done)
{
    for (int i = 0; i < 1000 && !done(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return done();
}

class CommandTextTest : public paneltest::PanelFixture {
protected:
    void SetUp() override
    {
        PanelFixture::SetUp();
        host::testing::SetModuleFileName(testfiles::TempFolder() + "ostrevia");
    }

    // Runs the program on a panel of `sections` until `done` holds (looked
    // at every 20 ms of the program's clock) or `bound` ms have passed, or
    // the program quits; true when `done` held. What the COMMAND objects
    // showed at the last look stays for Shown() and Heights().
    bool RunUntil(const std::string& sections, const std::function<bool()>& done, DWORD bound = 30000)
    {
        paneltest::WritePanel("panel.ini", "GLOBALSETTINGS\r\nStartUpAnimation = NoAnimation\r\nWidth = 200\r\n"
                                           "BackgroundColor = 000000\r\n\r\n" +
                                               sections);
        paneltest::WritePanel("list.ini", "panel.ini\r\n");
        const DWORD start = GetTickCount();
        bool held = false;
        Condition() = [&] {
            shown_.clear();
            heights_.clear();
            for (const CommandText* command : Commands()) {
                shown_.emplace_back(command->ShownText());
                heights_.push_back(command->Height());
            }
            held = done();
            return held || GetTickCount() - start > bound;
        };
        const UINT_PTR timer = SetTimer(nullptr, 0, 20, LookAgain);
        std::u16string commandLine = u"list.ini";
        wWinMain(GetModuleHandleW(nullptr), nullptr, commandLine.data(), SW_SHOW);
        KillTimer(nullptr, timer);
        elapsed_ = GetTickCount() - start;
        return held;
    }

    // The COMMAND objects of the shown panel, in file order.
    static std::vector<const CommandText*> Commands()
    {
        std::vector<const CommandText*> found;
        const Panel* panel =
            PanelWindowList::Windows().empty() ? nullptr : paneltest::PanelOf(PanelWindowList::Windows()[0]);
        if (!panel)
            return found;
        for (const auto& object : panel->Settings().Objects()) {
            if (const auto* command = dynamic_cast<const CommandText*>(object.get()))
                found.push_back(command);
        }
        return found;
    }

    std::u16string Shown(size_t index) const { return index < shown_.size() ? shown_[index] : u"<none>"; }

    // Every COMMAND shows something other than its Placeholder "...".
    bool AllRan() const
    {
        return !shown_.empty() && std::find(shown_.begin(), shown_.end(), u"...") == shown_.end();
    }

    static std::string Section(const std::string& command, const std::string& more = "")
    {
        return "COMMAND\r\nCommand = " + command + "\r\nPlaceholder = ...\r\nColor = FFFFFF\r\n" + more + "\r\n";
    }

    static bool ChannelCount(const std::string& part, int& count)
    {
        count = 0;
        for (const std::string& line : host::testing::DebugOutput())
            count += line.find(part) != std::string::npos;
        return count > 0;
    }

    std::vector<std::u16string> shown_;
    std::vector<int> heights_;
    DWORD elapsed_ = 0;
};

TEST_F(CommandTextTest, OutputIsShownLineByLineUpToLines)
{
    const std::string three = "\"" + Script("three.sh", "printf 'one\\ntwo\\nthree\\n'") + "\"";
    ASSERT_TRUE(RunUntil(Section(three) + Section(three, "Lines = 2\r\nWidth = 200\r\nHeight = 40\r\n") +
                             Section(three, "Lines = 20\r\n"),
                         [&] {
                             if (!AllRan())
                                 return false;
                             // The second line of the second object is on the screen: white ink
                             // in its rectangle's lower half, where the placeholder never was.
                             const CommandText& second = *Commands()[1];
                             const RECT window = host::testing::WindowRect(PanelWindowList::Windows()[0]);
                             int ink = 0;
                             for (int y = second.Height() / 2; y < second.Height(); ++y) {
                                 for (int x = 0; x < second.Width(); ++x)
                                     ink += host::testing::ScreenPixel(window.left + second.X() + x,
                                                                       window.top + second.Y() + y) == RGB(255, 255, 255);
                             }
                             return ink > 0;
                         }));
    EXPECT_EQ(u"one", Shown(0));
    EXPECT_EQ(u"one\ntwo", Shown(1));
    EXPECT_EQ(u"one\ntwo\nthree", Shown(2));
    // A measured object of several lines is as tall as Lines rows.
    EXPECT_EQ(heights_[0] * 20, heights_[2]);
}

TEST_F(CommandTextTest, ExitCodesMissingProgramsAndBrokenTextShowWhatTheyShould)
{
    const std::string fails = Script("fails.sh", "exit 3");
    const std::string failsSaying = Script("failssaying.sh", "echo said; exit 3");
    const std::string silent = Script("silent.sh", "exit 0");
    const std::string broken = Script("broken.sh", "printf '\\377ok\\n'");
    ASSERT_TRUE(RunUntil(Section("\"" + fails + "\"") + Section("\"" + failsSaying + "\"") +
                             Section("\"" + silent + "\"") + Section("\"/no/such/program\" -x") +
                             Section("\"" + broken + "\"") + Section("\"unclosed"),
                         [&] { return AllRan(); }));
    EXPECT_EQ(u"Fehler: \"" + testfiles::Utf16(fails) + u"\"", Shown(0));
    EXPECT_EQ(u"said", Shown(1));  // a failing program's output is still its output
    EXPECT_EQ(u"", Shown(2));
    EXPECT_EQ(u"Fehler: \"/no/such/program\"", Shown(3));
    EXPECT_EQ(u"\ufffdok", Shown(4));
    EXPECT_EQ(u"Fehler: \"\"unclosed\"", Shown(5));
}

TEST_F(CommandTextTest, StandardErrorGoesToTheChannelOncePerChange)
{
    const std::string runs = testfiles::TempFolder() + "runs";
    // The third run writes something else.
    const std::string script = "\"" + Script("complains.sh", "echo x >> '" + runs + "'\n"
                                                             "if [ $(wc -l < '" + runs + "') -ge 3 ]; then echo other >&2;"
                                                             " else echo 'first line' >&2; echo second >&2; fi\n"
                                                             "echo fine") + "\"";
    ASSERT_TRUE(RunUntil(Section(script, "Interval = 250\r\n"), [&] { return LineCount(runs) >= 4; }));
    EXPECT_EQ(u"fine", Shown(0));
    int count = 0;
    EXPECT_TRUE(ChannelCount("panel.ini(7): warning: " + script + " wrote to its standard error: first line", count));
    EXPECT_EQ(1, count);
    EXPECT_TRUE(ChannelCount("wrote to its standard error: other", count));
    EXPECT_EQ(1, count);
    EXPECT_FALSE(ChannelCount("second", count));
}

TEST_F(CommandTextTest, TimeoutEndsTheProgramAndWhatItStarted)
{
    const std::string folder = testfiles::TempFolder();
    const std::string script = Script("hangs.sh", "echo $$ > '" + folder + "self'\nsleep 600 &\necho $! > '" + folder +
                                                      "child'\necho started\nwait");
    ASSERT_TRUE(RunUntil(Section("\"" + script + "\"", "Timeout = 300\r\nInterval = 600000\r\n"),
                         [&] { return Shown(0) != u"..."; }));
    EXPECT_EQ(u"started\u2026", Shown(0));
    EXPECT_TRUE(Eventually([&] { return HasEnded(folder + "self") && HasEnded(folder + "child"); }));
}

TEST_F(CommandTextTest, HugeOutputIsReadWithinTheCap)
{
    const std::string script =
        Script("huge.sh", "head -c 100000000 /dev/zero | tr '\\000' a\necho\necho second\necho third >&2");
    ASSERT_TRUE(RunUntil(Section("\"" + script + "\"", "Lines = 2\r\nTimeout = 120000\r\nWidth = 100\r\nHeight = 20\r\n"),
                         [&] { return AllRan(); }, 130000));
    // All of the cap is one line: the second line lies beyond it. The run
    // ended by itself, so no "…" follows.
    EXPECT_EQ(std::u16string(CommandOutput::kMostBytes, u'a'), Shown(0));
}

TEST_F(CommandTextTest, RunDueWhileTheLastOneGoesIsSkipped)
{
    const std::string folder = testfiles::TempFolder();
    const std::string script = Script("waits.sh", "echo x >> '" + folder + "runs'\nwhile [ ! -e '" + folder +
                                                      "go' ]; do sleep 0.02; done\nrm '" + folder + "go'\necho done");
    size_t runsMeanwhile = 0;
    ASSERT_TRUE(RunUntil(Section("\"" + script + "\"", "Interval = 250\r\nTimeout = 600000\r\n"), [&, start = GetTickCount()] {
        // Four intervals pass while the first run waits; then it may go on.
        if (runsMeanwhile == 0 && GetTickCount() - start >= 1000 && LineCount(folder + "runs") > 0) {
            runsMeanwhile = LineCount(folder + "runs");
            testfiles::WriteFileAt(folder + "go", "");
        }
        return runsMeanwhile > 0 && LineCount(folder + "runs") >= 2;
    }));
    EXPECT_EQ(1u, runsMeanwhile);
    EXPECT_EQ(u"done", Shown(0));
}

TEST_F(CommandTextTest, PanelTapsAndRefreshesWhileACommandHangs)
{
    const std::string folder = testfiles::TempFolder();
    const std::string hangs = Script("hangs.sh", "echo $$ > '" + folder + "hanging'\nexec sleep 600");
    const std::string ticks = Script("ticks.sh", "echo x >> '" + folder + "ticks'\necho tick");
    // The button fills the panel's top left corner; its tap ends the program.
    const std::string button = "BUTTON\r\nWidth = 20\r\nHeight = 20\r\nQuitOnExecute = 1\r\n\r\n";
    bool tapped = false;
    RunUntil(button + Section("\"" + hangs + "\"", "Timeout = 600000\r\n") + Section("\"" + ticks + "\"", "Interval = 250\r\n"),
             [&] {
                 if (!tapped && LineCount(folder + "ticks") >= 3) {
                     tapped = true;
                     const RECT window = host::testing::WindowRect(PanelWindowList::Windows()[0]);
                     host::testing::Tap(window.left + 5, window.top + 5);
                 }
                 return false;
             });
    ASSERT_TRUE(tapped);
    EXPECT_LT(elapsed_, 30000u);  // the tap ended the run, not the bound
    // Ending the program ended the command that still ran.
    EXPECT_TRUE(Eventually([&] { return HasEnded(folder + "hanging"); }));
}

}  // namespace
