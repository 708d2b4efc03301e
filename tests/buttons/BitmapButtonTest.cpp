#include "buttons/BitmapButton.h"

#include <memory>

#include "tests/buttons/ButtonTest.h"
#include "tests/buttons/PictureFiles.h"
#include "tests/support/TestFiles.h"

namespace {

using host::testing::MessageBoxes;
using picturefiles::Solid;

constexpr DWORD kNormalColour = 0x2080C0;  // 0xRRGGBB in the files
constexpr DWORD kPushedColour = 0xC04020;
const COLORREF kNormal = RGB(0x20, 0x80, 0xC0);
const COLORREF kPushed = RGB(0xC0, 0x40, 0x20);

class BitmapButtonTest : public ButtonTest {
protected:
    void SetUp() override
    {
        ButtonTest::SetUp();
        button_ = std::make_unique<BitmapButton>(Panel());
        button_->SetBaseFolder(Utf16Folder().c_str());
    }

    static const std::u16string& Utf16Folder()
    {
        static const std::u16string folder = testfiles::Utf16(testfiles::TempFolder());
        return folder;
    }

    // Writes a solid bitmap and names it on the button's key.
    void Face(const char* key, int width, int height, DWORD colour)
    {
        const std::string name = std::string(key) + std::to_string(width) + "x" + std::to_string(height) + ".bmp";
        picturefiles::WriteBitmap(name, width, height, Solid(colour));
        EXPECT_TRUE(Feed(*button_, std::string(key) + " = " + name));
    }

    void Measure()
    {
        HDC screen = GetDC(nullptr);
        button_->Measure(screen);
        ReleaseDC(nullptr, screen);
    }

    std::unique_ptr<BitmapButton> button_;
};

TEST_F(BitmapButtonTest, MeasuresTheLargerFacePlusOffset)
{
    Face("BitmapNormal", 40, 20, kNormalColour);
    Face("BitmapPushed", 30, 30, kPushedColour);
    Measure();
    EXPECT_EQ(button_->Width(), 41);
    EXPECT_EQ(button_->Height(), 31);
}

TEST_F(BitmapButtonTest, OneConfiguredSideIsReplacedByTheBitmapSizes)
{
    Feed(*button_, "Width = 100");
    Face("BitmapNormal", 40, 20, kNormalColour);
    Measure();
    EXPECT_EQ(button_->Width(), 41);
    EXPECT_EQ(button_->Height(), 21);
}

TEST_F(BitmapButtonTest, EachFaceIsDrawnAtItsOwnSizeFromTheTopLeft)
{
    Face("BitmapNormal", 40, 20, kNormalColour);
    Face("BitmapPushed", 30, 30, kPushedColour);
    Measure();
    DibSurface surface;
    MakeMarkedSurface(surface, 60, 50);

    button_->Draw(surface, 5, 5);
    EXPECT_EQ(PixelAt(surface, 5, 5), kNormal);
    EXPECT_EQ(PixelAt(surface, 44, 24), kNormal);
    EXPECT_FALSE(AnyPixelDrawn(surface, 45, 0, 60, 50));  // right of the face
    EXPECT_FALSE(AnyPixelDrawn(surface, 0, 25, 60, 50));  // below the face

    MakeMarkedSurface(surface, 60, 50);
    button_->OnPress(1, 1);
    button_->Draw(surface, 5, 5);
    // The pushed face sits one Offset right and down.
    EXPECT_EQ(PixelAt(surface, 6, 6), kPushed);
    EXPECT_EQ(PixelAt(surface, 35, 35), kPushed);
    EXPECT_EQ(PixelAt(surface, 5, 6), kMarker);
    EXPECT_EQ(PixelAt(surface, 6, 5), kMarker);
    EXPECT_EQ(PixelAt(surface, 36, 6), kMarker);
    EXPECT_EQ(PixelAt(surface, 6, 36), kMarker);
}

TEST_F(BitmapButtonTest, ConfiguredSizeCropsALargerBitmap)
{
    // Left half red, right half blue: the crop shows only red.
    picturefiles::WriteBitmap("halves.bmp", 40, 20,
                              [](int x, int) -> DWORD { return x < 20 ? 0xFF0000 : 0x0000FF; });
    Feed(*button_, "Width = 16");
    Feed(*button_, "Height = 16");
    Feed(*button_, "BitmapNormal = halves.bmp");
    Measure();
    EXPECT_EQ(button_->Width(), 17);
    EXPECT_EQ(button_->Height(), 17);
    DibSurface surface;
    MakeMarkedSurface(surface, 50, 30);
    button_->Draw(surface, 0, 0);
    EXPECT_EQ(PixelAt(surface, 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(PixelAt(surface, 15, 15), RGB(255, 0, 0));
    EXPECT_FALSE(AnyPixelDrawn(surface, 16, 0, 50, 30));
    EXPECT_FALSE(AnyPixelDrawn(surface, 0, 16, 50, 30));
}

TEST_F(BitmapButtonTest, OffsetZeroDrawsBothFacesInPlace)
{
    Feed(*button_, "Offset = 0");
    Face("BitmapNormal", 10, 10, kNormalColour);
    Face("BitmapPushed", 10, 10, kPushedColour);
    Measure();
    EXPECT_EQ(button_->Width(), 10);
    DibSurface surface;
    MakeMarkedSurface(surface, 20, 20);
    button_->OnPress(0, 0);
    button_->Draw(surface, 0, 0);
    EXPECT_EQ(PixelAt(surface, 0, 0), kPushed);
    EXPECT_EQ(PixelAt(surface, 10, 10), kMarker);
}

TEST_F(BitmapButtonTest, MissingBitmapShowsTheOutlinedPlaceholder)
{
    EXPECT_TRUE(Feed(*button_, "BitmapNormal = missing.bmp"));
    Feed(*button_, "Width = 60");
    Feed(*button_, "Height = 20");
    Measure();
    DibSurface surface;
    MakeMarkedSurface(surface, 80, 40);
    SelectObject(surface.Dc(), GetStockObject(BLACK_PEN));
    button_->Draw(surface, 2, 2);
    // The outline of the face area, 60 x 20 without the Offset strip.
    EXPECT_EQ(PixelAt(surface, 2, 2), RGB(0, 0, 0));
    EXPECT_EQ(PixelAt(surface, 61, 21), RGB(0, 0, 0));
    EXPECT_EQ(PixelAt(surface, 62, 2), kMarker);
    EXPECT_EQ(PixelAt(surface, 2, 22), kMarker);
    // The hollow brush leaves the inside to the text.
    EXPECT_TRUE(AnyPixelDrawn(surface, 4, 4, 60, 20));
    EXPECT_EQ(PixelAt(surface, 4, 4), kMarker);
    EXPECT_TRUE(MessageBoxes().empty());
}

TEST_F(BitmapButtonTest, WithoutFacesOrSizeTheButtonIsJustTheOffset)
{
    Measure();
    EXPECT_EQ(button_->Width(), 1);
    EXPECT_EQ(button_->Height(), 1);
}

TEST_F(BitmapButtonTest, BrokenBitmapFilesGiveThePlaceholderQuietly)
{
    for (const char* file : {"truncated.bmp", "not_a_bitmap.bmp", "empty.bmp", "oversized_header.bmp"}) {
        SCOPED_TRACE(file);
        BitmapButton button(Panel());
        const std::u16string path = testfiles::Utf16(std::string(OSTREVIA_TEST_DATA) + "/bitmaps/" + file);
        button.SetBaseFolder(TEXT(""));
        EXPECT_TRUE(Feed(button, "BitmapNormal = " + testfiles::Utf8(path)));
        HDC screen = GetDC(nullptr);
        button.Measure(screen);
        ReleaseDC(nullptr, screen);
        EXPECT_EQ(button.Width(), 1);
        EXPECT_EQ(button.Height(), 1);
    }
    EXPECT_TRUE(MessageBoxes().empty());
}

TEST_F(BitmapButtonTest, ReplacedAndDestroyedBitmapsAreFreed)
{
    const int before = host::testing::LiveGdiObjects();
    Face("BitmapNormal", 8, 8, kNormalColour);
    Face("BitmapNormal", 9, 9, kNormalColour);
    Face("BitmapPushed", 8, 8, kPushedColour);
    EXPECT_EQ(host::testing::LiveGdiObjects(), before + 2);
    DibSurface surface;
    MakeMarkedSurface(surface, 20, 20);
    const int withSurface = host::testing::LiveGdiObjects();
    button_->Draw(surface, 0, 0);
    EXPECT_EQ(host::testing::LiveGdiObjects(), withSurface);
    button_.reset();
    EXPECT_EQ(host::testing::LiveGdiObjects(), withSurface - 2);
}

TEST_F(BitmapButtonTest, KeysWithoutValueAreReportedUnderTheirParsersCaption)
{
    struct Case {
        const char* line;
        const char16_t* caption;
    };
    const Case cases[] = {
        {"BitmapNormal", u"BitmapButton - Ignoriere Fehler:"},
        {"BitmapPushed =  ", u"BitmapButton - Ignoriere Fehler:"},
        {"Offset", u"ImageButton - Ignoriere Fehler:"},
        {"Command =", u"CommandButton - Ignoriere Fehler:"},
        {"Bitmap = x.bmp", u"DesktopObject - Ignoriere unbekannten Wert:"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        host::testing::ClearMessageBoxes();
        EXPECT_FALSE(Feed(*button_, c.line));
        ASSERT_EQ(MessageBoxes().size(), 1u);
        EXPECT_EQ(MessageBoxes()[0].caption, c.caption);
        EXPECT_EQ(MessageBoxes()[0].style, 0x10030u);
    }
    // "Offset" kept its value.
    Measure();
    EXPECT_EQ(button_->Width(), 1);
}

}  // namespace
