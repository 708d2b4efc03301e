// Panel windows on the headless screen: creation and placement, painting,
// refresh, taps, closing. Animations and hand-overs are in AnimationTest.
#include <gtest/gtest.h>

#include <string>

#include "app/GlobalSettings.h"
#include "app/Panel.h"
#include "app/PanelMessages.h"
#include "app/PanelPainting.h"
#include "app/PanelWindowList.h"
#include "platform/host/display/headless/DisplayHeadless.h"
#include "platform/host/testing.h"
#include "tests/app/PanelTestSupport.h"
#include "tests/support/TestFiles.h"

namespace {

using host::testing::ScreenPixel;
using paneltest::ProbeObject;

// GLOBALSETTINGS lines for a still panel at (x, y) of the given size.
std::string StillPanel(int x, int y, int width, int height, const std::string& more = "")
{
    return "GLOBALSETTINGS\r\nX = " + std::to_string(x) + "\r\nY = " + std::to_string(y) +
           "\r\nWidth = " + std::to_string(width) + "\r\nHeight = " + std::to_string(height) +
           "\r\nArrange = No\r\nStartUpAnimation = NoAnimation\r\nShutDownAnimation = NoAnimation\r\n"
           "BackgroundColor = FF0000\r\n" + more;
}

class PanelWindowTest : public paneltest::PanelFixture {
protected:

    HWND Open(const std::string& content, const std::string& name = "panel.ini")
    {
        HWND window = paneltest::OpenPanel(paneltest::WritePanel(name, content));
        host::testing::RunPending();
        return window;
    }
};

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kDesktop = RGB(0x3A, 0x6E, 0xA5);

TEST_F(PanelWindowTest, StillPanelStandsAtItsPlaceInItsColour)
{
    HWND window = Open(StillPanel(10, 20, 50, 30));
    ASSERT_NE(nullptr, window);
    const RECT rect = host::testing::WindowRect(window);
    EXPECT_EQ(10, rect.left);
    EXPECT_EQ(20, rect.top);
    EXPECT_EQ(60, rect.right);
    EXPECT_EQ(50, rect.bottom);
    EXPECT_TRUE(host::testing::IsTopmost(window));
    EXPECT_EQ(kRed, ScreenPixel(10, 20));
    EXPECT_EQ(kRed, ScreenPixel(59, 49));
    EXPECT_EQ(kDesktop, ScreenPixel(60, 49));
    EXPECT_EQ(kDesktop, ScreenPixel(9, 20));
}

TEST_F(PanelWindowTest, NegativePositionsCountFromTheFarScreenEdges)
{
    // 130 wide on the 240-pixel screen: column 239 stays free.
    HWND window = Open(StillPanel(-1, -2, 130, 40, "TopMost = n\r\n"));
    const RECT rect = host::testing::WindowRect(window);
    EXPECT_EQ(109, rect.left);
    EXPECT_EQ(320 - 40 - 2, rect.top);
    EXPECT_FALSE(host::testing::IsTopmost(window));
}

TEST_F(PanelWindowTest, NewScreenSizePlacesEveryPanelAgainByItsOwnRules)
{
    HWND corner = Open(StillPanel(-1, -2, 130, 40));
    HWND still = Open(StillPanel(10, 20, 50, 30), "still.ini");
    // The monitor changed: the screen is 400 x 300 now, and every window
    // hears of it.
    auto display = std::make_unique<host::DisplayHeadless>(400, 300);
    display->Queue({host::DisplayEvent::Kind::ScreenChanged, {}});
    host::InstallDisplay(std::move(display));
    host::testing::RunPending();
    RECT rect = host::testing::WindowRect(corner);
    EXPECT_EQ(400 - 130 - 1, rect.left);
    EXPECT_EQ(300 - 40 - 2, rect.top);
    EXPECT_EQ(130, rect.right - rect.left);
    rect = host::testing::WindowRect(still);
    EXPECT_EQ(10, rect.left);
    EXPECT_EQ(20, rect.top);
}

TEST_F(PanelWindowTest, PanelThatCannotBeLoadedLeavesNothingBehind)
{
    const int before = host::testing::LiveGdiObjects();
    EXPECT_EQ(nullptr, paneltest::OpenPanel(testfiles::TempFolder() + "missing.ini"));
    EXPECT_TRUE(PanelWindowList::IsEmpty());
    EXPECT_TRUE(host::testing::WindowsInZOrder().empty());
    EXPECT_EQ(before, host::testing::LiveGdiObjects());
}

// Pixels that no screen can show would only cost memory: a panel larger
// than four screens in either direction is refused with a message, and a
// panel of exactly four screens is still made.
TEST_F(PanelWindowTest, PanelLargerThanFourScreensIsRefused)
{
    const int before = host::testing::LiveGdiObjects();
    EXPECT_EQ(nullptr, Open(StillPanel(0, 0, 50, 4 * 320 + 1), "tall.ini"));
    EXPECT_EQ(nullptr, Open(StillPanel(0, 0, 4 * 240 + 1, 50), "wide.ini"));
    EXPECT_TRUE(PanelWindowList::IsEmpty());
    EXPECT_EQ(before, host::testing::LiveGdiObjects());
    ASSERT_EQ(2u, host::testing::MessageBoxes().size());
    const auto& box = host::testing::MessageBoxes()[0];
    EXPECT_EQ(u"Das Panel ist größer als das Vierfache des Bildschirms.", box.caption);
    EXPECT_EQ(testfiles::Utf16(testfiles::TempFolder() + "tall.ini"), box.text);
    EXPECT_EQ(0x10010u, box.style);

    EXPECT_NE(nullptr, Open(StillPanel(0, 0, 4 * 240, 4 * 320), "largest.ini"));
    EXPECT_EQ(kRed, ScreenPixel(239, 319));
}

TEST_F(PanelWindowTest, ComposedBackBufferServesEveryRepaint)
{
    HWND window = Open(StillPanel(0, 0, 40, 40));
    // An object without Interval is drawn once, by the composition.
    auto* probe = new ProbeObject(5, 5, 10, 10);
    paneltest::AddObject(window, probe);
    ComposeBackBuffer(*paneltest::PanelOf(window));
    EXPECT_EQ(1, probe->draws);
    InvalidateRect(window, nullptr, TRUE);
    host::testing::RunPending();
    EXPECT_EQ(RGB(0, 0, 255), ScreenPixel(5, 5));
    EXPECT_EQ(kRed, ScreenPixel(4, 5));
    EXPECT_EQ(1, probe->draws);
}

TEST_F(PanelWindowTest, MissingBackgroundBitmapIsReportedAndTheColourUsed)
{
    HWND window = Open(StillPanel(0, 0, 20, 20, "BackgroundBitmap = nowhere.bmp\r\n"));
    ASSERT_NE(nullptr, window);
    ASSERT_EQ(1u, host::testing::MessageBoxes().size());
    const auto& box = host::testing::MessageBoxes()[0];
    EXPECT_EQ(u"Fehler", box.caption);
    EXPECT_EQ(u"Das Hintergrundbild kann nicht gefunden werden oder es ist keine gültige Bitmapdatei:\n\"" +
                  testfiles::Utf16(testfiles::TempFolder() + "nowhere.bmp") + u"\"",
              box.text);
    EXPECT_EQ(0x10010u, box.style);
    EXPECT_EQ(kRed, ScreenPixel(10, 10));
}

// A 24-bit bottom-up BMP whose pixel (x, y) has red x, green y, blue 77.
std::string GradientBitmap(int width, int height)
{
    const int rowBytes = (width * 3 + 3) & ~3;
    const int imageBytes = rowBytes * height;
    std::string bmp(54 + imageBytes, '\0');
    auto put32 = [&](int offset, uint32_t value) {
        for (int i = 0; i < 4; ++i)
            bmp[offset + i] = static_cast<char>(value >> (8 * i));
    };
    bmp[0] = 'B';
    bmp[1] = 'M';
    put32(2, static_cast<uint32_t>(bmp.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(width));
    put32(22, static_cast<uint32_t>(height));
    bmp[26] = 1;
    bmp[28] = 24;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int at = 54 + (height - 1 - y) * rowBytes + 3 * x;
            bmp[at] = 77;
            bmp[at + 1] = static_cast<char>(y);
            bmp[at + 2] = static_cast<char>(x);
        }
    }
    return bmp;
}

TEST_F(PanelWindowTest, BackgroundBitmapIsTakenFromItsOffsets)
{
    testfiles::WriteBytes("back.bmp", GradientBitmap(100, 100));
    struct Case {
        const char* offsets;
        int sourceX, sourceY;
    } cases[] = {
        {"BitmapOffsetX = x\r\nBitmapOffsetY = y\r\n", 20, 30},  // the panel's own place
        {"BitmapOffsetX = 15\r\n", 15, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.offsets);
        paneltest::ResetPanels();
        HWND window = Open(StillPanel(20, 30, 40, 40, std::string("BackgroundBitmap = back.bmp\r\n") + c.offsets));
        EXPECT_EQ(RGB(c.sourceX, c.sourceY, 77), ScreenPixel(20, 30));
        EXPECT_EQ(RGB(c.sourceX + 39, c.sourceY + 39, 77), ScreenPixel(59, 69));
        EXPECT_TRUE(host::testing::MessageBoxes().empty());
        DestroyWindow(window);
    }
}

TEST_F(PanelWindowTest, PictureSmallerThanThePanelLeavesTheColour)
{
    testfiles::WriteBytes("small.bmp", GradientBitmap(10, 10));
    Open(StillPanel(0, 0, 30, 30, "BackgroundBitmap = small.bmp\r\n"));
    EXPECT_EQ(RGB(9, 9, 77), ScreenPixel(9, 9));
    EXPECT_EQ(kRed, ScreenPixel(10, 9));
    EXPECT_EQ(kRed, ScreenPixel(29, 29));
}

TEST_F(PanelWindowTest, RefreshTimerRedrawsDueObjectsOnly)
{
    // A TIME section gives the panel a refresh timer; Refresh shortens it to 250 ms.
    HWND window = Open(StillPanel(0, 0, 40, 40, "Refresh = 250\r\n\r\nTIME\r\nHeight = 1\r\n"));
    auto* slow = new ProbeObject(0, 10, 10, 10);
    slow->SetInterval(1000);
    auto* still = new ProbeObject(20, 10, 10, 10);
    paneltest::AddObject(window, slow);
    paneltest::AddObject(window, still);
    host::testing::RunFor(2100);
    EXPECT_EQ(2, slow->draws);
    EXPECT_EQ(0, still->draws);
    // The refreshed rectangle reaches the screen; the other one does not.
    EXPECT_EQ(RGB(0, 0, 255), ScreenPixel(0, 10));
    EXPECT_EQ(kRed, ScreenPixel(20, 10));
}

TEST_F(PanelWindowTest, PanelWithoutIntervalsHasNoRefreshTimer)
{
    HWND window = Open(StillPanel(0, 0, 40, 40, "Refresh = 250\r\n"));
    auto* probe = new ProbeObject(0, 0, 10, 10);
    probe->SetInterval(100);
    paneltest::AddObject(window, probe);
    host::testing::RunFor(2000);
    EXPECT_EQ(0, probe->draws);
}

TEST_F(PanelWindowTest, RateGaugesShowTheirFirstValueAQuarterSecondInWhateverTheirInterval)
{
    // A load or a rate needs two readings; the first draw has only one.
    host::testing::FakeCpuLoad(100);
    host::testing::FakeNetwork(1000, 0);
    const std::string bar = "X = 0\r\nWidth = 100\r\nInterval = 60000\r\n";
    Open(StillPanel(0, 0, 100, 40, "\r\nCPU\r\nCpuString = 0\r\nCpuValue = 0\r\nY = 0\r\n" + bar +
                                       "\r\nNETWORK\r\nNetString = 0\r\nNetValue = 0\r\nY = 20\r\n" + bar));
    const COLORREF emptyCpu = ScreenPixel(90, 6), emptyNet = ScreenPixel(90, 26);
    host::testing::RunFor(300);
    const COLORREF fullCpu = ScreenPixel(90, 6), fullNet = ScreenPixel(90, 26);
    EXPECT_NE(emptyCpu, fullCpu);
    EXPECT_NE(emptyNet, fullNet);
    // Then every interval, not every quarter second.
    host::testing::FakeNoIdleTime();
    host::testing::RunFor(59000);
    EXPECT_EQ(fullCpu, ScreenPixel(90, 6));
    host::testing::RunFor(1000);
    EXPECT_NE(fullCpu, ScreenPixel(90, 6));
}

class TapTest : public PanelWindowTest {
protected:
    void SetUp() override
    {
        PanelWindowTest::SetUp();
        // Two objects with a gap between them and a margin around them.
        window = Open(StillPanel(10, 10, 60, 30, "QuitOnDoubleClick = n\r\n"));
        first = new ProbeObject(4, 4, 20, 20);
        second = new ProbeObject(30, 4, 20, 20);
        paneltest::AddObject(window, first);
        paneltest::AddObject(window, second);
    }

    HWND window = nullptr;
    ProbeObject* first = nullptr;
    ProbeObject* second = nullptr;
};

TEST_F(TapTest, PressAndReleaseGoToTheObjectUnderTheStylus)
{
    host::testing::Tap(10 + 35, 10 + 6);
    host::testing::RunPending();
    EXPECT_EQ(0, first->presses);
    EXPECT_EQ(1, second->presses);
    EXPECT_EQ(1, second->releases);
    EXPECT_EQ(5, second->lastPress.x);
    EXPECT_EQ(2, second->lastPress.y);
}

TEST_F(TapTest, GapAndBorderPressNothing)
{
    for (POINT point : {POINT{12, 20}, POINT{10 + 26, 20}, POINT{10 + 58, 38}}) {
        host::testing::Tap(point.x, point.y);
        host::testing::RunFor(600);  // apart enough not to make a double tap
    }
    EXPECT_EQ(0, first->presses + second->presses);
    EXPECT_EQ(0, first->releases + second->releases);
}

TEST_F(TapTest, ReleaseGoesToThePressedObjectWhereverItHappens)
{
    host::testing::Press(10 + 5, 10 + 5);
    host::testing::RunPending();
    host::testing::Release(10 + 40, 10 + 5);  // over the second object
    host::testing::RunPending();
    EXPECT_EQ(1, first->releases);
    EXPECT_EQ(0, second->releases);
    EXPECT_EQ(36, first->lastRelease.x);
    // The release was the last one: a further release reaches nobody.
    host::testing::Release(10 + 5, 10 + 5);
    host::testing::RunPending();
    EXPECT_EQ(1, first->releases);
}

TEST_F(TapTest, ObjectThatAsksIsRedrawnAtOnceThroughTheBackBuffer)
{
    first->redrawOnTap = true;
    host::testing::Press(10 + 5, 10 + 5);
    host::testing::RunPending();
    EXPECT_EQ(1, first->draws);
    EXPECT_EQ(first->pressedColour, ScreenPixel(10 + 4, 10 + 4));
    EXPECT_EQ(kRed, ScreenPixel(10 + 3, 10 + 4));  // outside the object
    host::testing::Release(10 + 5, 10 + 5);
    host::testing::RunPending();
    EXPECT_EQ(first->colour, ScreenPixel(10 + 4, 10 + 4));
    // The back buffer holds the new look: an uncovered window shows it.
    InvalidateRect(window, nullptr, TRUE);
    host::testing::RunPending();
    EXPECT_EQ(first->colour, ScreenPixel(10 + 4, 10 + 4));
}

TEST_F(TapTest, DoubleTapWithoutQuitOnDoubleClickIsTwoTaps)
{
    host::testing::DoubleTap(10 + 5, 10 + 5);
    EXPECT_FALSE(host::testing::RunFor(1000));
    EXPECT_TRUE(IsWindow(window));
    EXPECT_TRUE(host::testing::MessageBoxes().empty());
    EXPECT_EQ(1, first->presses);  // the second press arrives as the double tap
}

TEST_F(PanelWindowTest, DoubleTapShowsTheAboutBoxThenClosesAndQuits)
{
    HWND window = Open(StillPanel(0, 0, 40, 40, "ShutDownAnimation = FlyDown\r\nAnimationTime = 200\r\n"));
    host::testing::DoubleTap(5, 5);
    host::testing::RunFor(100);
    ASSERT_EQ(1u, host::testing::MessageBoxes().size());
    const auto& box = host::testing::MessageBoxes()[0];
    EXPECT_EQ(window, box.owner);
    EXPECT_EQ(u"Ostrevia", box.caption);
    EXPECT_EQ(0u, box.text.find(u"Ostrevia 1.0\n"));
    EXPECT_EQ(0x10040u, box.style);
    // Flying out, then the program ends.
    EXPECT_GT(host::testing::WindowRect(window).top, 0);
    int exitCode = -1;
    EXPECT_TRUE(host::testing::RunFor(200, &exitCode));
    EXPECT_EQ(0, exitCode);
}

TEST_F(PanelWindowTest, DoubleTapWithoutMessageClosesSilently)
{
    Open(StillPanel(0, 0, 40, 40, "ShowMessage = n\r\n"));
    host::testing::DoubleTap(5, 5);
    EXPECT_TRUE(host::testing::RunFor(10));
    EXPECT_TRUE(host::testing::MessageBoxes().empty());
}

TEST_F(PanelWindowTest, CloseWithoutAnimationQuitsAtOnceWithOtherPanelsOpen)
{
    HWND first = Open(StillPanel(0, 0, 40, 40), "a.ini");
    Open(StillPanel(50, 0, 40, 40, "ShutDownAnimation = FlyDown\r\n"), "b.ini");
    PostMessageW(first, WM_CLOSE, 0, 0);
    int exitCode = -1;
    EXPECT_TRUE(host::testing::RunPending(&exitCode));
    EXPECT_EQ(0, exitCode);
}

TEST_F(PanelWindowTest, ClosedPanelReleasesEveryGdiObject)
{
    const int before = host::testing::LiveGdiObjects();
    testfiles::WriteBytes("back.bmp", GradientBitmap(20, 20));
    HWND plain = Open(StillPanel(0, 0, 40, 40), "a.ini");
    HWND pictured = Open(StillPanel(0, 50, 40, 40, "BackgroundBitmap = back.bmp\r\n"), "b.ini");
    paneltest::AddObject(plain, new ProbeObject(0, 0, 5, 5));
    EXPECT_GT(host::testing::LiveGdiObjects(), before);
    DestroyWindow(plain);
    DestroyWindow(pictured);
    EXPECT_EQ(before, host::testing::LiveGdiObjects());
}

TEST_F(PanelWindowTest, MessagesWithoutPanelAreAnsweredQuietly)
{
    // A panel window whose Panel is gone (as during destruction) ignores
    // everything; a close still ends the program.
    HWND window = Open(StillPanel(0, 0, 40, 40));
    delete paneltest::PanelOf(window);
    SetWindowLongPtrW(window, 0, 0);
    for (UINT message : {UINT(WM_TIMER), UINT(WM_LBUTTONDOWN), UINT(WM_LBUTTONUP), UINT(WM_ERASEBKGND),
                         UINT(WM_OPENPANEL), UINT(WM_BEGINENTRANCE)})
        EXPECT_EQ(0, SendMessageW(window, message, 1, 0));
    InvalidateRect(window, nullptr, FALSE);
    EXPECT_FALSE(host::testing::RunPending());
    EXPECT_EQ(RGB(255, 255, 255), ScreenPixel(0, 0));
    SendMessageW(window, WM_LBUTTONDBLCLK, 0, 0);
    EXPECT_TRUE(host::testing::RunPending());
}

}  // namespace
