// See-through and click-through panels on the headless screen: the layered
// window the keys make, the composited pixels, taps that pass through, and
// what the keys say about bad values.
#include <gtest/gtest.h>

#include <string>

#include "app/AnimationKind.h"
#include "app/GlobalSettings.h"
#include "app/Panel.h"
#include "app/PanelMessages.h"
#include "app/PanelPainting.h"
#include "platform/host/testing.h"
#include "tests/app/PanelTestSupport.h"
#include "tests/support/TestFiles.h"

namespace {

using host::testing::ScreenPixel;
using paneltest::ProbeObject;

constexpr COLORREF kDesktop = RGB(0x3A, 0x6E, 0xA5);
constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr COLORREF kBlue = RGB(0, 0, 255);

// A red 60 x 40 panel resting at (20, 30), with more GLOBALSETTINGS lines.
std::string RedPanel(const std::string& more, const std::string& animation = "NoAnimation")
{
    return "GLOBALSETTINGS\r\nX = 20\r\nY = 30\r\nWidth = 60\r\nHeight = 40\r\nArrange = No\r\n"
           "StartUpAnimation = " + animation + "\r\nShutDownAnimation = NoAnimation\r\nAnimationTime = 800\r\n"
           "Accelerated = n\r\nBackgroundColor = FF0000\r\n" + more;
}

class SeeThroughTest : public paneltest::PanelFixture {
protected:
    HWND Open(const std::string& content, const std::string& name = "panel.ini")
    {
        HWND window = paneltest::OpenPanel(paneltest::WritePanel(name, content));
        host::testing::RunPending();
        return window;
    }

    // Puts a blue probe into the live panel at (x, y) and shows the panel anew.
    ProbeObject* AddProbe(HWND window, int x, int y, int width, int height)
    {
        auto* probe = new ProbeObject(x, y, width, height, kBlue);
        paneltest::AddObject(window, probe);
        ComposeBackBuffer(*paneltest::PanelOf(window));
        InvalidateRect(window, nullptr, TRUE);
        host::testing::RunPending();
        return probe;
    }

    // The red panel in the key colour FF00FF, with more GLOBALSETTINGS lines
    // and a blue probe from (30, 40) to (50, 60).
    void OpenKeyedPanel(const std::string& more)
    {
        std::string panel = RedPanel("TransparentColor = FF00FF\r\n" + more);
        panel.replace(panel.find("FF0000"), 6, "FF00FF");
        AddProbe(Open(panel), 10, 10, 20, 20);
    }

    // A panel over the whole screen, below the others, whose probe counts
    // the taps that reach it.
    ProbeObject* OpenProbedPanelBelow()
    {
        HWND below = Open("GLOBALSETTINGS\r\nX = 0\r\nY = 0\r\nWidth = 240\r\nHeight = 320\r\nArrange = No\r\n"
                          "StartUpAnimation = NoAnimation\r\nTopMost = n\r\nQuitOnDoubleClick = 0\r\n",
                          "below.ini");
        return AddProbe(below, 0, 0, 240, 320);
    }

    static bool Warned(const std::string& words)
    {
        for (const std::string& line : host::testing::DebugOutput()) {
            if (line.find(words) != std::string::npos)
                return true;
        }
        return false;
    }
};

// Red FF0000 at Opacity 50 (alpha 128) over the desktop 3A6EA5, each channel
// (panel * 128 + desktop * 127 + 127) / 255.
constexpr COLORREF kRedAtHalf = RGB(157, 55, 82);

TEST_F(SeeThroughTest, HalfOpacityBlendsThePanelWithTheDesktop)
{
    HWND window = Open(RedPanel("Opacity = 50\r\n"));
    EXPECT_EQ(WS_EX_LAYERED, GetWindowLongW(window, GWL_EXSTYLE) & (WS_EX_LAYERED | WS_EX_TRANSPARENT));
    COLORREF key = 1;
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(window, &key, &alpha, &flags));
    EXPECT_EQ(128, alpha);
    EXPECT_EQ(static_cast<DWORD>(LWA_ALPHA), flags);
    EXPECT_EQ(kRedAtHalf, ScreenPixel(20, 30));
    EXPECT_EQ(kRedAtHalf, ScreenPixel(79, 69));
    EXPECT_EQ(kDesktop, ScreenPixel(80, 69));
}

TEST_F(SeeThroughTest, OpacityRoundsToTheNearestAlphaAndKeepsItsEnds)
{
    struct Case {
        const char* opacity;
        COLORREF pixel;
    } cases[] = {
        {"0", kDesktop},
        {"1", RGB(60, 109, 163)},    // alpha 3: (255 * 3 + 58 * 252 + 127) / 255 = 60
        {"85", RGB(226, 16, 25)},    // alpha 217 (216.75 rounded up)
        {"100", RGB(255, 0, 0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.opacity);
        paneltest::ResetPanels();
        Open(RedPanel(std::string("Opacity = ") + c.opacity + "\r\n"));
        EXPECT_EQ(c.pixel, ScreenPixel(40, 50));
    }
}

TEST_F(SeeThroughTest, PanelWithoutTheKeysIsNoLayeredWindow)
{
    HWND window = Open(RedPanel("Opacity = 100\r\nClickThrough = 0\r\n"));
    EXPECT_EQ(0, GetWindowLongW(window, GWL_EXSTYLE) & (WS_EX_LAYERED | WS_EX_TRANSPARENT));
    EXPECT_FALSE(GetLayeredWindowAttributes(window, nullptr, nullptr, nullptr));
    EXPECT_EQ(RGB(255, 0, 0), ScreenPixel(40, 50));
}

TEST_F(SeeThroughTest, KeyColourShowsTheDesktopExactlyWhereItLies)
{
    OpenKeyedPanel("");
    EXPECT_EQ(kDesktop, ScreenPixel(20, 30));
    EXPECT_EQ(kDesktop, ScreenPixel(29, 39));
    EXPECT_EQ(kBlue, ScreenPixel(30, 40));
    EXPECT_EQ(kBlue, ScreenPixel(49, 59));
    EXPECT_EQ(kDesktop, ScreenPixel(50, 59));
}

TEST_F(SeeThroughTest, KeyColourAndOpacityTogether)
{
    OpenKeyedPanel("Opacity = 50\r\n");
    EXPECT_EQ(kDesktop, ScreenPixel(25, 35));
    // Blue 0000FF at alpha 128 over the desktop.
    EXPECT_EQ(RGB(29, 55, 210), ScreenPixel(35, 45));
    const std::string shot = ::testing::TempDir() + "see-through.png";
    EXPECT_TRUE(host::testing::WriteSnapshot(shot.c_str()));
}

TEST_F(SeeThroughTest, SeeThroughPanelShowsWhatLiesBelowEvenAnotherPanel)
{
    Open("GLOBALSETTINGS\r\nX = 0\r\nY = 0\r\nWidth = 240\r\nHeight = 320\r\nArrange = No\r\n"
         "StartUpAnimation = NoAnimation\r\nBackgroundColor = 000000\r\nTopMost = n\r\n", "below.ini");
    Open(RedPanel("Opacity = 50\r\n"));
    // (255 * 128 + 127) / 255 = 128.
    EXPECT_EQ(RGB(128, 0, 0), ScreenPixel(40, 50));
}

TEST_F(SeeThroughTest, FlyingPanelKeepsItsOpacity)
{
    HWND window = Open(RedPanel("Opacity = 50\r\n", "FlyDown"));
    host::testing::RunFor(400);
    // Halfway down from -40 to 30.
    EXPECT_EQ(-5, host::testing::WindowRect(window).top);
    EXPECT_EQ(kRedAtHalf, ScreenPixel(40, 10));
    host::testing::RunFor(1000);
    EXPECT_EQ(kRedAtHalf, ScreenPixel(40, 50));
}

TEST_F(SeeThroughTest, HandedOverPanelIsSeeThroughFromItsFirstStep)
{
    paneltest::WritePanel("next.ini", RedPanel("Opacity = 50\r\n"));
    HWND old = Open(RedPanel(""), "first.ini");
    const std::u16string next = testfiles::Utf16(testfiles::TempFolder() + "next.ini");
    PostMessageW(old, WM_OPENPANEL, reinterpret_cast<WPARAM>(next.c_str()), FlyDown);
    host::testing::RunFor(400);
    // The new panel flies down from above, halfway; the old one down and away.
    EXPECT_EQ(kRedAtHalf, ScreenPixel(40, 10));
    host::testing::RunFor(1000);
    EXPECT_EQ(kRedAtHalf, ScreenPixel(40, 50));
}

TEST_F(SeeThroughTest, TapOnClickThroughPanelReachesThePanelBelow)
{
    ProbeObject* probe = OpenProbedPanelBelow();
    Open(RedPanel("ClickThrough = 1\r\nQuitOnDoubleClick = 0\r\n"));
    host::testing::Tap(40, 50);
    host::testing::RunPending();
    EXPECT_EQ(1, probe->presses);
    // Opacity 100 and no key colour: the panel still shows as it is.
    EXPECT_EQ(RGB(255, 0, 0), ScreenPixel(40, 50));
}

TEST_F(SeeThroughTest, TapOnPlainPanelStaysThere)
{
    ProbeObject* probe = OpenProbedPanelBelow();
    Open(RedPanel("Opacity = 50\r\n"));
    host::testing::Tap(40, 50);
    host::testing::RunPending();
    EXPECT_EQ(0, probe->presses);
    host::testing::Tap(100, 100);
    host::testing::RunPending();
    EXPECT_EQ(1, probe->presses);
}

TEST_F(SeeThroughTest, ReloadTakesTheNewKeys)
{
    const std::string path = paneltest::WritePanel("panel.ini", RedPanel("Opacity = 50\r\n"));
    HWND window = paneltest::OpenPanel(path);
    host::testing::RunPending();
    paneltest::WritePanel("panel.ini", RedPanel(""));
    ASSERT_EQ(1, SendMessageW(window, WM_RELOADPANEL, 0, 0));
    host::testing::RunPending();
    EXPECT_EQ(0, GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_LAYERED);
    EXPECT_EQ(RGB(255, 0, 0), ScreenPixel(40, 50));
}

TEST_F(SeeThroughTest, BadValuesAreRefusedOrBroughtIntoRange)
{
    struct Case {
        const char* line;
        bool boxed;            // refused with the box, the panel stays opaque
        COLORREF pixel;
        const char* warning;   // on the diagnostics channel, or null
    } cases[] = {
        {"Opacity = -5", false, kDesktop, "lies outside 0 to 100"},
        {"Opacity = 101", false, RGB(255, 0, 0), "lies outside 0 to 100"},
        // Read as 0 it would hide the panel.
        {"Opacity = abc", true, RGB(255, 0, 0), nullptr},
        {"TransparentColor = FF00", true, RGB(255, 0, 0), nullptr},
        {"TransparentColor = ff0000", true, RGB(255, 0, 0), nullptr},
        {"TransparentColor = FF00001", true, RGB(255, 0, 0), nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        paneltest::ResetPanels();
        host::testing::ClearMessageBoxes();
        host::testing::ClearDebugOutput();
        Open(RedPanel(std::string(c.line) + "\r\n"));
        const auto& boxes = host::testing::MessageBoxes();
        ASSERT_EQ(c.boxed ? 1u : 0u, boxes.size());
        if (c.boxed) {
            EXPECT_EQ(u"GlobalSetting - Ignoriere Fehler:", boxes[0].caption);
        }
        EXPECT_EQ(c.pixel, ScreenPixel(40, 50));
        if (c.warning) {
            EXPECT_TRUE(Warned(c.warning));
        }
    }
}

TEST_F(SeeThroughTest, PitfallsAreWarned)
{
    struct Case {
        std::string more;
        const char* warning;
    } cases[] = {
        {"ClickThrough = 1\r\nQuitOnDoubleClick = 0\r\n\r\nBUTTON\r\nX = 0\r\nY = 0\r\nWidth = 10\r\nHeight = 10\r\n"
         "Command = true\r\n", "so its buttons can never be tapped"},
        {"ClickThrough = 1\r\n", "QuitOnDoubleClick can never close it"},
        {"TransparentColor = FF0000\r\n", "nothing of it can be seen"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.warning);
        paneltest::ResetPanels();
        host::testing::ClearDebugOutput();
        Open(RedPanel(c.more));
        EXPECT_TRUE(Warned(c.warning));
    }
    // Neither is said of a panel that only lets taps through.
    paneltest::ResetPanels();
    host::testing::ClearDebugOutput();
    Open(RedPanel("ClickThrough = 1\r\nQuitOnDoubleClick = 0\r\n"));
    EXPECT_TRUE(host::testing::DebugOutput().empty());
}

}  // namespace
