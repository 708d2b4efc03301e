#include "buttons/IconXPButton.h"

#include <memory>

#include "tests/buttons/ButtonTest.h"
#include "tests/buttons/PictureFiles.h"
#include "tests/support/TestFiles.h"

namespace {

using host::testing::MessageBoxes;
using picturefiles::IconEntry;
using picturefiles::Solid;

class IconXPButtonTest : public ButtonTest {
protected:
    void SetUp() override
    {
        ButtonTest::SetUp();
        button_ = std::make_unique<IconXPButton>(Panel());
        button_->SetBaseFolder(folder_.c_str());
        // Solid 16, 24 and 32-pixel pictures of 0xAARRGGBB colours.
        picturefiles::WriteIcon("opaque.ico", {{16, 16, 32, Solid(0xFF6432C8)},
                                               {24, 24, 32, Solid(0xFF6432C8)},
                                               {32, 32, 32, Solid(0xFF6432C8)}});
    }

    void Measure()
    {
        HDC screen = GetDC(nullptr);
        button_->Measure(screen);
        ReleaseDC(nullptr, screen);
    }

    // Feeds each line, which must be taken.
    void FeedAll(std::initializer_list<const char*> lines)
    {
        for (const char* line : lines)
            EXPECT_TRUE(Feed(*button_, line)) << line;
    }

    // The colour that the normal face (or the pushed one) leaves at (x, y)
    // of a marked surface when the button is drawn at (0, 0).
    COLORREF DrawnAt(int x, int y, bool pushed = false)
    {
        DibSurface surface;
        MakeMarkedSurface(surface, 64, 64);
        if (pushed)
            button_->OnPress(0, 0);
        button_->Draw(surface, 0, 0);
        if (pushed)
            button_->OnRelease(-1, -1);
        return PixelAt(surface, x, y);
    }

    std::u16string folder_ = testfiles::Utf16(testfiles::TempFolder());
    std::unique_ptr<IconXPButton> button_;
};

const COLORREF kIconColour = RGB(0x64, 0x32, 0xC8);

TEST_F(IconXPButtonTest, IconBeforeItsSizeFindsNothingAndShowsThePlaceholder)
{
    FeedAll({"IconNormal = opaque.ico"});
    ASSERT_EQ(MessageBoxes().size(), 1u);
    EXPECT_EQ(MessageBoxes()[0].caption, u"Kein 32Bit Icon gefunden:");
    Measure();
    EXPECT_EQ(button_->Width(), 1);
    EXPECT_EQ(button_->Height(), 1);

    FeedAll({"Width = 60", "Height = 20"});
    DibSurface surface;
    MakeMarkedSurface(surface, 64, 64);
    button_->Draw(surface, 0, 0);
    // "no icon" is centred in the button's rectangle and nothing else is drawn.
    EXPECT_TRUE(AnyPixelDrawn(surface, 0, 0, 60, 20));
    EXPECT_FALSE(AnyPixelDrawn(surface, 0, 20, 64, 64));
    EXPECT_FALSE(AnyPixelDrawn(surface, 0, 0, 5, 20));
}

TEST_F(IconXPButtonTest, LoadedSizeReplacesTheWantedOne)
{
    FeedAll({"SizeNormal = 30", "IconNormal = opaque.ico", "SizePushed = 30", "IconPushed = opaque.ico"});
    Measure();
    EXPECT_EQ(button_->Width(), 25);
    EXPECT_EQ(button_->Height(), 25);
    EXPECT_TRUE(MessageBoxes().empty());
}

TEST_F(IconXPButtonTest, NegativeSizeTakesTheLargestPicture)
{
    FeedAll({"SizeNormal = -1", "IconNormal = opaque.ico"});
    Measure();
    EXPECT_EQ(button_->Width(), 33);
}

TEST_F(IconXPButtonTest, SmallerPushedFaceIsCentredInTheNormalOne)
{
    FeedAll({"SizeNormal = 32", "IconNormal = opaque.ico", "SizePushed = 24", "IconPushed = opaque.ico"});
    Measure();
    EXPECT_EQ(button_->Width(), 33);
    EXPECT_EQ(DrawnAt(0, 0), kIconColour);
    EXPECT_EQ(DrawnAt(31, 31), kIconColour);
    EXPECT_EQ(DrawnAt(32, 32), kMarker);
    // Pushed: Offset 1 plus half the difference, 4.
    EXPECT_EQ(DrawnAt(4, 4, true), kMarker);
    EXPECT_EQ(DrawnAt(5, 5, true), kIconColour);
    EXPECT_EQ(DrawnAt(28, 28, true), kIconColour);
    EXPECT_EQ(DrawnAt(29, 29, true), kMarker);
}

TEST_F(IconXPButtonTest, TransformsApplyToTheIconLinesAfterThem)
{
    struct Case {
        const char* what;
        std::vector<const char*> lines;
        COLORREF normal, pushed;
    };
    // The picture is red 0x64 (100), green 0x32 (50), blue 0xC8 (200), opaque.
    const Case cases[] = {
        {"Scale halves red, green and blue", {"Scale = 50", "IconNormal = opaque.ico"}, RGB(50, 25, 100), 0},
        {"a Scale line after the icon changes nothing",
         {"IconNormal = opaque.ico", "ScaleRed = 50", "IconPushed = opaque.ico"}, kIconColour, RGB(50, 50, 200)},
        {"Add raises red, green and blue", {"Add = 20", "IconNormal = opaque.ico"}, RGB(120, 70, 220), 0},
        {"amounts keep their low 16 bits", {"AddGreen = 65546", "IconNormal = opaque.ico"}, RGB(100, 60, 200), 0},
        {"amounts are clamped", {"AddBlue = 100", "AddRed = -300", "IconNormal = opaque.ico"}, RGB(0, 50, 255), 0},
        // Red 200 first, then (200 + 50 + 200) / 3; gray first would give 216, 116, 116.
        {"gray after add", {"Gray = 1", "AddRed = 100", "IconNormal = opaque.ico"}, RGB(150, 150, 150), 0},
        // 100 * 2 + 10; adding first would give 220.
        {"scale before add", {"AddRed = 10", "ScaleRed = 200", "IconNormal = opaque.ico"}, RGB(210, 50, 200), 0},
        {"Gray = no keeps the colours", {"Gray = no", "IconNormal = opaque.ico"}, kIconColour, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        button_ = std::make_unique<IconXPButton>(Panel());
        button_->SetBaseFolder(folder_.c_str());
        FeedAll({"SizeNormal = 16", "SizePushed = 16"});
        for (const char* line : c.lines)
            EXPECT_TRUE(Feed(*button_, line)) << line;
        Measure();
        EXPECT_EQ(DrawnAt(3, 3), c.normal);
        if (c.pushed) {
            EXPECT_EQ(DrawnAt(4, 4, true), c.pushed);
        }
    }
}

TEST_F(IconXPButtonTest, ScaleAlphaAloneMakesThePictureHalfTransparent)
{
    FeedAll({"SizeNormal = 16", "ScaleAlpha = 50", "IconNormal = opaque.ico"});
    Measure();
    // Alpha 255 * 0.5 = 127 over the 0xCC marker: 0xCC + ((c - 0xCC) * 127 >> 8).
    const auto blend = [](int c) { return 0xCC + (((c - 0xCC) * 127) >> 8); };
    EXPECT_EQ(DrawnAt(3, 3), RGB(blend(100), blend(50), blend(200)));
}

TEST_F(IconXPButtonTest, FailedReloadDropsThePreviousIcon)
{
    FeedAll({"SizeNormal = 16", "IconNormal = opaque.ico", "IconNormal = missing.ico"});
    Measure();
    // The size of the lost icon stays.
    EXPECT_EQ(button_->Width(), 17);
    EXPECT_NE(DrawnAt(0, 0), kIconColour);
}

TEST_F(IconXPButtonTest, EveryRejectedLineIsReportedUnderItsOwnCaption)
{
    const char* lines[] = {
        "IconNormal",     // no value
        "SizePushed =",   // no value
        "Gray",           // no value
        "Width",          // a base key without value
        "Offset =  ",     // a base key without value
        "Command",        // a base key without value
        "Colour = 1",     // no key at all
    };
    for (const char* line : lines) {
        SCOPED_TRACE(line);
        host::testing::ClearMessageBoxes();
        EXPECT_FALSE(Feed(*button_, line));
        ASSERT_EQ(MessageBoxes().size(), 1u);
        EXPECT_EQ(MessageBoxes()[0].caption, u"IconXPButton - Ignoriere Fehler:");
        EXPECT_EQ(MessageBoxes()[0].text, testfiles::Utf16(line));
        EXPECT_EQ(MessageBoxes()[0].style, 0x10030u);
    }
}

TEST_F(IconXPButtonTest, BaseKeysStillWork)
{
    host::testing::RecordLaunches(true);
    FeedAll({"Offset = 3", "SizeNormal = 16", "IconNormal = opaque.ico", "X = 7"});
    Feed(*button_, "Command = " + MakeProgram("run"));
    Measure();
    EXPECT_EQ(button_->Width(), 19);
    EXPECT_EQ(button_->X(), 7);
    button_->OnPress(0, 0);
    button_->OnRelease(18, 18);
    EXPECT_EQ(host::testing::Launches().size(), 1u);
}

}  // namespace
