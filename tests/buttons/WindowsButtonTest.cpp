#include "buttons/WindowsButton.h"

#include <algorithm>
#include <memory>

#include "tests/buttons/ButtonTest.h"
#include "tests/support/TestFiles.h"

namespace {

using host::testing::MessageBoxes;

int Brightness(COLORREF colour)
{
    return GetRValue(colour) + GetGValue(colour) + GetBValue(colour);
}

class WindowsButtonTest : public ButtonTest {
protected:
    void SetUp() override
    {
        ButtonTest::SetUp();
        button_ = std::make_unique<WindowsButton>(Panel());
    }

    // A 40 x 20 button, red inside, blue pushed, with a green "I" caption.
    void MakeColouredButton()
    {
        for (const char* line : {"Width = 40", "Height = 20", "ColorNormal = FF0000", "ColorPushed = 0000FF",
                                 "Text = I", "Color = 00FF00"})
            EXPECT_TRUE(Feed(*button_, line)) << line;
        HDC screen = GetDC(nullptr);
        button_->Measure(screen);
        ReleaseDC(nullptr, screen);
    }

    // Draws the button at (5, 5) of a 60 x 40 marked surface.
    void DrawAt5(DibSurface& surface)
    {
        MakeMarkedSurface(surface, 60, 40);
        button_->Draw(surface, 5, 5);
    }

    // The box around the caption's strongly green pixels inside a frame of
    // up to 50 pixels.
    static RECT CaptionBox(const DibSurface& surface)
    {
        RECT box = {1000, 1000, -1, -1};
        for (int y = 7; y < 23; ++y) {
            for (int x = 7; x < 53; ++x) {
                const COLORREF c = PixelAt(surface, x, y);
                if (GetGValue(c) > 0x80 && GetRValue(c) < 0x80 && GetBValue(c) < 0x80) {
                    box.left = std::min<LONG>(box.left, x);
                    box.top = std::min<LONG>(box.top, y);
                    box.right = std::max<LONG>(box.right, x + 1);
                    box.bottom = std::max<LONG>(box.bottom, y + 1);
                }
            }
        }
        return box;
    }

    std::unique_ptr<WindowsButton> button_;
};

TEST_F(WindowsButtonTest, NormalFaceIsARaisedFrameAroundColorNormalAndTheCaption)
{
    MakeColouredButton();
    EXPECT_EQ(button_->Width(), 40);  // no Offset added
    DibSurface surface;
    DrawAt5(surface);
    // Raised: light at the top left, dark at the bottom right.
    EXPECT_GT(Brightness(PixelAt(surface, 5, 5)), Brightness(PixelAt(surface, 44, 24)));
    EXPECT_GT(Brightness(PixelAt(surface, 6, 6)), Brightness(PixelAt(surface, 43, 23)));
    // The interior, two pixels in from every side.
    EXPECT_EQ(PixelAt(surface, 7, 7), RGB(255, 0, 0));
    EXPECT_EQ(PixelAt(surface, 42, 22), RGB(255, 0, 0));
    EXPECT_FALSE(AnyPixelDrawn(surface, 45, 0, 60, 40));
    EXPECT_FALSE(AnyPixelDrawn(surface, 0, 25, 60, 40));
    // The caption is centred in the button.
    const RECT caption = CaptionBox(surface);
    ASSERT_LT(caption.left, caption.right);
    EXPECT_NEAR((caption.left + caption.right) / 2.0, 25, 2);
    EXPECT_NEAR((caption.top + caption.bottom) / 2.0, 15, 2);
}

TEST_F(WindowsButtonTest, PushedFaceIsSunkenInPlaceWithColorPushedAndTheCaptionMoved)
{
    MakeColouredButton();
    DibSurface surface;
    DrawAt5(surface);
    const RECT normal = CaptionBox(surface);

    button_->OnPress(1, 1);
    DrawAt5(surface);
    // The frame stays where it was, now sunken.
    EXPECT_LT(Brightness(PixelAt(surface, 5, 5)), Brightness(PixelAt(surface, 44, 24)));
    EXPECT_EQ(PixelAt(surface, 7, 7), RGB(0, 0, 255));
    EXPECT_EQ(PixelAt(surface, 42, 22), RGB(0, 0, 255));
    EXPECT_FALSE(AnyPixelDrawn(surface, 45, 0, 60, 40));
    EXPECT_FALSE(AnyPixelDrawn(surface, 0, 25, 60, 40));
    const RECT pushed = CaptionBox(surface);
    EXPECT_EQ(pushed.left, normal.left + 1);
    EXPECT_EQ(pushed.top, normal.top + 1);
    EXPECT_EQ(pushed.right, normal.right + 1);
    EXPECT_EQ(pushed.bottom, normal.bottom + 1);
}

TEST_F(WindowsButtonTest, OffsetZeroOnlyChangesFrameAndColour)
{
    Feed(*button_, "Offset = 0");
    MakeColouredButton();
    EXPECT_EQ(button_->Width(), 40);
    DibSurface surface;
    DrawAt5(surface);
    const RECT normal = CaptionBox(surface);
    button_->OnPress(1, 1);
    DrawAt5(surface);
    EXPECT_EQ(PixelAt(surface, 7, 7), RGB(0, 0, 255));
    const RECT pushed = CaptionBox(surface);
    EXPECT_EQ(pushed.left, normal.left);
    EXPECT_EQ(pushed.top, normal.top);
}

TEST_F(WindowsButtonTest, InteriorDefaultsToTheSystemButtonFace)
{
    Feed(*button_, "Width = 40");
    Feed(*button_, "Height = 20");
    Feed(*button_, "Text = ");  // rejected: the default caption stays
    DibSurface surface;
    DrawAt5(surface);
    EXPECT_EQ(PixelAt(surface, 7, 7), GetSysColor(0x4000000F));
    button_->OnPress(1, 1);
    DrawAt5(surface);
    EXPECT_EQ(PixelAt(surface, 7, 7), GetSysColor(0x4000000F));
}

// An off-centre caption on a widened face is plainly wrong: the caption
// follows the face that is drawn.
TEST_F(WindowsButtonTest, WidenedButtonCentresTheCaptionOnItsFace)
{
    MakeColouredButton();
    button_->SetWidth(50);  // as a stacked layout does after Measure
    DibSurface surface;
    DrawAt5(surface);
    EXPECT_EQ(PixelAt(surface, 52, 22), RGB(255, 0, 0));
    EXPECT_GT(Brightness(PixelAt(surface, 5, 5)), Brightness(PixelAt(surface, 54, 24)));
    const RECT caption = CaptionBox(surface);
    EXPECT_NEAR((caption.left + caption.right) / 2.0, 30, 2);
}

TEST_F(WindowsButtonTest, LinesGoToTheButtonOrToItsCaption)
{
    struct Case {
        const char* line;
        bool taken;
        const char16_t* caption;  // of the one message shown, or null
    };
    const Case cases[] = {
        {"Text = Hello", true, nullptr},                                           // caption
        {"Color = 00FF00", true, nullptr},                                         // caption, not a colour key
        {"Offset = 2", true, nullptr},                                             // button
        {"Command = x", true, nullptr},                                            // button
        {"ColorNormal = FFFFF", false, u"WindowsButton - Ignoriere Fehler:"},      // five characters
        {"ColorPushed", false, u"WindowsButton - Ignoriere Fehler:"},
        {"Font =", false, u"Text - Ignoriere Fehler:"},                           // the caption's key
        {"Offset", false, u"DesktopObject - Ignoriere unbekannten Wert:"},         // quiet base, then caption
        {"Bogus = 1", false, u"DesktopObject - Ignoriere unbekannten Wert:"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        host::testing::ClearMessageBoxes();
        EXPECT_EQ(Feed(*button_, c.line), c.taken);
        if (!c.caption) {
            EXPECT_TRUE(MessageBoxes().empty());
            continue;
        }
        ASSERT_EQ(MessageBoxes().size(), 1u);
        EXPECT_EQ(MessageBoxes()[0].caption, c.caption);
        EXPECT_EQ(MessageBoxes()[0].text, testfiles::Utf16(c.line));
    }
}

TEST_F(WindowsButtonTest, SizeLinesBelongToTheButton)
{
    Feed(*button_, "Width = 30");
    Feed(*button_, "Height = 12");
    Feed(*button_, "X = 4");
    EXPECT_EQ(button_->Width(), 30);
    EXPECT_EQ(button_->Height(), 12);
    EXPECT_EQ(button_->X(), 4);
}

TEST_F(WindowsButtonTest, DrawingLeavesNoGdiObjectBehind)
{
    MakeColouredButton();
    DibSurface surface;
    MakeMarkedSurface(surface, 60, 40);
    const int before = host::testing::LiveGdiObjects();
    button_->Draw(surface, 5, 5);
    button_->OnPress(1, 1);
    button_->Draw(surface, 5, 5);
    EXPECT_EQ(host::testing::LiveGdiObjects(), before);
}

}  // namespace
