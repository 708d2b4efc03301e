// Opening and closing animations of real panel windows on the virtual
// clock, and the hand-over from one panel to another.
#include <gtest/gtest.h>

#include <string>

#include "app/AnimationKind.h"
#include "app/Panel.h"
#include "app/PanelMessages.h"
#include "app/PanelWindowList.h"
#include "platform/host/testing.h"
#include "tests/app/PanelTestSupport.h"
#include "tests/support/TestFiles.h"

namespace {

// A 100 x 50 panel resting at (10, 20), animating over 800 ms.
std::string AnimatedPanel(const std::string& opening, const std::string& closing, const std::string& more = "")
{
    return "GLOBALSETTINGS\r\nX = 10\r\nY = 20\r\nWidth = 100\r\nHeight = 50\r\nArrange = No\r\n"
           "BackgroundColor = 00FF00\r\nStartUpAnimation = " + opening + "\r\nShutDownAnimation = " + closing +
           "\r\nAnimationTime = 800\r\n" + more;
}

class AnimationTest : public paneltest::PanelFixture {
protected:

    HWND Open(const std::string& content, const std::string& name = "panel.ini")
    {
        return paneltest::OpenPanel(paneltest::WritePanel(name, content));
    }

    static void ExpectRect(HWND window, int left, int top, int width, int height)
    {
        const RECT rect = host::testing::WindowRect(window);
        EXPECT_EQ(left, rect.left);
        EXPECT_EQ(top, rect.top);
        EXPECT_EQ(width, rect.right - rect.left);
        EXPECT_EQ(height, rect.bottom - rect.top);
    }
};

TEST_F(AnimationTest, OpeningKindsPlaceTheWindowByTheTime)
{
    // 200 ms into 800, not accelerated.
    struct Case {
        const char* kind;
        int left, top, width, height;
    } cases[] = {
        {"FlyRight", -73, 20, 100, 50},
        {"FlyUp", 10, 43, 100, 50},
        {"FlyDiagLeftDown", 78, -33, 100, 50},
        {"RollDown", 10, 20, 100, 12},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        paneltest::ResetPanels();
        HWND window = Open(AnimatedPanel(c.kind, "FlyDown", "Accelerated = n\r\n"));
        EXPECT_FALSE(host::testing::RunFor(200));
        ExpectRect(window, c.left, c.top, c.width, c.height);
        EXPECT_FALSE(host::testing::RunFor(620));
        ExpectRect(window, 10, 20, 100, 50);
        DestroyWindow(window);
    }
}

TEST_F(AnimationTest, ClosingKindsLeaveByTheTimeAndThenQuit)
{
    struct Case {
        const char* kind;
        int left, top, width, height;
    } cases[] = {
        {"FlyDown", 10, 32, 100, 50},
        {"FlyLeft", -17, 20, 100, 50},
        {"FlyDiagRightUp", 35, 3, 100, 50},
        {"RollDown", 10, 20, 100, 38},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        paneltest::ResetPanels();
        HWND window = Open(AnimatedPanel("NoAnimation", c.kind, "Accelerated = n\r\n"));
        host::testing::RunPending();
        PostMessageW(window, WM_CLOSE, 0, 0);
        host::testing::RunPending();
        EXPECT_FALSE(host::testing::RunFor(200));
        ExpectRect(window, c.left, c.top, c.width, c.height);
        int exitCode = -1;
        EXPECT_TRUE(host::testing::RunFor(1000, &exitCode));
        EXPECT_EQ(0, exitCode);
    }
}

// Negative positions count from the far screen edges during animations too:
// used as stored they left the panel off the screen, never to be seen.
TEST_F(AnimationTest, NegativePositionsAnimateToAndFromTheirPlaceAtTheFarEdges)
{
    // 100 x 50 on the 240 x 320 screen with X = -10, Y = -20: at (130, 250).
    const std::string panel = "GLOBALSETTINGS\r\nX = -10\r\nY = -20\r\nWidth = 100\r\nHeight = 50\r\n"
                              "Arrange = No\r\nStartUpAnimation = FlyRight\r\nShutDownAnimation = FlyDown\r\n"
                              "AnimationTime = 800\r\nAccelerated = n\r\n";
    HWND window = Open(panel);
    EXPECT_FALSE(host::testing::RunFor(400));
    ExpectRect(window, (100 + 130) / 2 - 100, 250, 100, 50);
    EXPECT_FALSE(host::testing::RunFor(420));
    ExpectRect(window, 130, 250, 100, 50);
    PostMessageW(window, WM_CLOSE, 0, 0);
    host::testing::RunPending();
    EXPECT_FALSE(host::testing::RunFor(400));
    ExpectRect(window, 130, 250 + 25, 100, 50);
}

TEST_F(AnimationTest, DefaultOpeningIsAcceleratedFlyRight)
{
    // No GLOBALSETTINGS: 128 wide at (0, 0), 800 ms; half-way through the
    // time a quarter of the way from -128 is covered.
    HWND window = Open("SPACE\r\nSpace = 10\r\n");
    host::testing::RunFor(400);
    ExpectRect(window, -96, 0, 128, 10);
    EXPECT_TRUE(host::testing::IsTopmost(window));
    host::testing::RunFor(420);
    ExpectRect(window, 0, 0, 128, 10);
}

TEST_F(AnimationTest, TapsAreIgnoredWhileFlyingIn)
{
    HWND window = Open(AnimatedPanel("FlyDown", "FlyDown", "Accelerated = n\r\nQuitOnDoubleClick = n\r\n"));
    auto* probe = new paneltest::ProbeObject(0, 0, 100, 50);
    paneltest::AddObject(window, probe);
    host::testing::RunFor(300);  // the window spans rows -24 to 25
    host::testing::Tap(50, 10);
    host::testing::RunFor(600);  // long enough apart not to make a double tap
    EXPECT_EQ(0, probe->presses);
    host::testing::Tap(50, 40);
    host::testing::RunPending();
    EXPECT_EQ(1, probe->presses);
    EXPECT_EQ(40, probe->lastPress.x);
}

TEST_F(AnimationTest, AnimationTimeZeroEndsAtTheFirstStep)
{
    HWND window = Open(AnimatedPanel("FlyRight", "FlyRight", "AnimationTime = 0\r\n"));
    host::testing::RunFor(20);
    ExpectRect(window, 10, 20, 100, 50);
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(host::testing::RunFor(20));
}

TEST_F(AnimationTest, TickCounterWrapDoesNotDisturbTheAnimation)
{
    host::testing::SetTickCount(0xFFFFFFFFu - 99);
    HWND window = Open(AnimatedPanel("FlyRight", "FlyDown", "Accelerated = n\r\n"));
    host::testing::RunFor(200);
    ExpectRect(window, -73, 20, 100, 50);
    host::testing::RunFor(620);
    ExpectRect(window, 10, 20, 100, 50);
}

TEST_F(AnimationTest, CloseDuringTheHandOverRestartsTheClosing)
{
    paneltest::WritePanel("next.ini", AnimatedPanel("FlyLeft", "FlyDown", "AnimationTime = 400\r\n"));
    HWND old = Open(AnimatedPanel("NoAnimation", "FlyDown"));
    host::testing::RunPending();
    const std::u16string next = testfiles::Utf16(testfiles::TempFolder() + "next.ini");
    PostMessageW(old, WM_OPENPANEL, reinterpret_cast<WPARAM>(next.c_str()), FlyLeft);
    host::testing::RunFor(300);
    PostMessageW(old, WM_CLOSE, 0, 0);
    // Restarted: 300 ms later the old panel is still on its way.
    EXPECT_FALSE(host::testing::RunFor(300));
    EXPECT_TRUE(IsWindow(old));
    EXPECT_FALSE(host::testing::RunFor(200));
    EXPECT_FALSE(IsWindow(old));
}

TEST_F(AnimationTest, HandOverFliesBothPanelsOverTheNewPanelsTime)
{
    paneltest::WritePanel("next.ini", AnimatedPanel("FlyDown", "FlyDown", "AnimationTime = 400\r\nAccelerated = n\r\n"));
    HWND old = Open(AnimatedPanel("NoAnimation", "FlyDown", "Accelerated = n\r\n"));
    host::testing::RunPending();
    const std::u16string next = testfiles::Utf16(testfiles::TempFolder() + "next.ini");
    PostMessageW(old, WM_OPENPANEL, reinterpret_cast<WPARAM>(next.c_str()), FlyLeft);
    host::testing::RunPending();
    ASSERT_EQ(2u, PanelWindowList::Windows().size());
    HWND fresh = PanelWindowList::Windows()[1];
    EXPECT_TRUE(IsWindowVisible(fresh));

    // A quarter of 400 ms: the new panel flies in from the right (FlyLeft
    // opening), the old one out to the left.
    EXPECT_FALSE(host::testing::RunFor(100));
    ExpectRect(fresh, 78, 20, 100, 50);
    ExpectRect(old, -17, 20, 100, 50);

    EXPECT_FALSE(host::testing::RunFor(320));
    EXPECT_FALSE(IsWindow(old));
    ExpectRect(fresh, 10, 20, 100, 50);
    ASSERT_EQ(1u, PanelWindowList::Windows().size());
    EXPECT_EQ(fresh, PanelWindowList::Windows()[0]);
    // The program runs on with the new panel.
    EXPECT_FALSE(host::testing::RunFor(2000));
}

TEST_F(AnimationTest, HandOverToAFailingFileEndsTheProgramAfterTheClosing)
{
    HWND old = Open(AnimatedPanel("NoAnimation", "FlyDown"));
    host::testing::RunPending();
    const std::u16string missing = testfiles::Utf16(testfiles::TempFolder() + "missing.ini");
    PostMessageW(old, WM_OPENPANEL, reinterpret_cast<WPARAM>(missing.c_str()), RollDown);
    EXPECT_FALSE(host::testing::RunFor(500));
    ASSERT_EQ(1u, host::testing::MessageBoxes().size());
    EXPECT_EQ(u"Datei nicht gefunden:", host::testing::MessageBoxes()[0].caption);
    EXPECT_LT(host::testing::WindowRect(old).bottom - host::testing::WindowRect(old).top, 50);
    int exitCode = -1;
    EXPECT_TRUE(host::testing::RunFor(600, &exitCode));
    EXPECT_EQ(0, exitCode);
}

TEST_F(AnimationTest, HandOversLeaveNoGdiObjectsBehind)
{
    const int before = host::testing::LiveGdiObjects();
    const std::string a = paneltest::WritePanel("a.ini", AnimatedPanel("FlyLeft", "FlyDown", "AnimationTime = 40\r\n"));
    const std::string b = paneltest::WritePanel("b.ini", AnimatedPanel("FlyUp", "FlyDown", "AnimationTime = 40\r\n"));
    const std::u16string paths[2] = {testfiles::Utf16(a), testfiles::Utf16(b)};
    HWND current = Open(AnimatedPanel("NoAnimation", "FlyDown", "AnimationTime = 40\r\n"), "start.ini");
    host::testing::RunPending();
    const int withOnePanel = host::testing::LiveGdiObjects();

    for (int i = 0; i < 1000; ++i) {
        PostMessageW(current, WM_OPENPANEL, reinterpret_cast<WPARAM>(paths[i % 2].c_str()), FlyRight);
        ASSERT_FALSE(host::testing::RunFor(60));
        ASSERT_EQ(1u, PanelWindowList::Windows().size());
        ASSERT_FALSE(IsWindow(current));
        current = PanelWindowList::Windows()[0];
    }
    EXPECT_EQ(withOnePanel, host::testing::LiveGdiObjects());
    DestroyWindow(current);
    EXPECT_EQ(before, host::testing::LiveGdiObjects());
}

}  // namespace
