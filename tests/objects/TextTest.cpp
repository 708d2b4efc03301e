#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "config/TextParsing.h"
#include "objects/Text.h"
#include "platform/host/testing.h"
#include "tests/objects/ObjectTesting.h"
#include "tests/support/TestFiles.h"

using namespace objecttesting;

namespace {

constexpr COLORREF kMarker = RGB(0xCC, 0xCC, 0xCC);

class TextTest : public ::testing::Test {
protected:
    void SetUp() override { host::testing::ResetHost(); }
};

std::u16string Shown(const Text& text)
{
    return std::u16string(text.ShownText(), text.ShownLength());
}

// A font like the one "Font"/"Size"/"Weight"/"CreateFont" make.
HFONT MakeFont(const WCHAR* face, int height, int weight = 0)
{
    LOGFONTW font = {};
    font.lfHeight = height;
    font.lfWeight = weight;
    CopyText(face, font.lfFaceName, LF_FACESIZE);
    return CreateFontIndirectW(&font);
}

// The measured size of a Text fed `lines`.
SIZE MeasuredSize(const std::vector<const WCHAR*>& lines)
{
    Text text;
    Parse(text, lines);
    MeasureOnScreen(text);
    return SIZE{text.Width(), text.Height()};
}

TEST_F(TextTest, WithoutKeysItMeasuresTheWordTextInTheStockFont)
{
    Text text;
    MeasureOnScreen(text);
    const SIZE extent = ExtentOnScreen(TEXT("Text"));
    EXPECT_EQ(u"Text", Shown(text));
    EXPECT_GT(extent.cx, 0);
    EXPECT_EQ(13, extent.cy);
    EXPECT_EQ(extent.cx, text.Width());
    EXPECT_EQ(extent.cy, text.Height());
}

TEST_F(TextTest, ACreatedFontIsMeasuredAndReleasedWithTheObject)
{
    const int before = host::testing::LiveGdiObjects();
    {
        Text text;
        ASSERT_TRUE(Parse(text, {TEXT("Text = Hello"), TEXT("Font = DejaVu Sans"), TEXT("Size = 30"),
                                 TEXT("CreateFont"), TEXT("CreateFont")}));
        MeasureOnScreen(text);
        HFONT font = MakeFont(TEXT("DejaVu Sans"), 30);
        const SIZE extent = ExtentOnScreen(TEXT("Hello"), font);
        DeleteObject(font);
        EXPECT_GT(extent.cy, 13);
        EXPECT_EQ(extent.cx, text.Width());
        EXPECT_EQ(extent.cy, text.Height());
        // A second "CreateFont" replaces the first font; drawing keeps nothing.
        EXPECT_EQ(before + 1, host::testing::LiveGdiObjects());
    }
    EXPECT_EQ(before, host::testing::LiveGdiObjects());
}

TEST_F(TextTest, WidthAndHeightFixTheSizeOnlyWhenBothPrecedeALongerText)
{
    const SIZE hello = ExtentOnScreen(TEXT("Hello World"));
    const SIZE hi = ExtentOnScreen(TEXT("Hi"));
    struct Case {
        std::vector<const WCHAR*> lines;
        SIZE expected;
    } cases[] = {
        // Both before the longer text: its measurement fixes 50 x 20 for good.
        {{TEXT("Width = 50"), TEXT("Height = 20"), TEXT("Text = Hello World")}, {50, 20}},
        // Only one of them: measured.
        {{TEXT("Width = 50"), TEXT("Text = Hello World")}, hello},
        // Both after the longer text: its measurement already chose measuring.
        {{TEXT("Text = Hello World"), TEXT("Width = 50"), TEXT("Height = 20")}, hello},
        // A shorter text measures nothing, so the panel's measurement decides.
        {{TEXT("Width = 50"), TEXT("Height = 20"), TEXT("Text = Hi")}, {50, 20}},
        {{TEXT("Text = Hi")}, hi},
    };
    int row = 0;
    for (const Case& c : cases) {
        const SIZE size = MeasuredSize(c.lines);
        EXPECT_EQ(c.expected.cx, size.cx) << "row " << row;
        EXPECT_EQ(c.expected.cy, size.cy) << "row " << row;
        ++row;
    }
}

TEST_F(TextTest, AFixedSizeStaysWhenTheTextGrows)
{
    Text text;
    Parse(text, {TEXT("Width = 50"), TEXT("Height = 20")});
    MeasureOnScreen(text);
    text.SetText(TEXT("A much longer text"), 18);
    EXPECT_EQ(50, text.Width());
    EXPECT_EQ(20, text.Height());
}

TEST_F(TextTest, ALongerTextIsMeasuredAtOnceAShorterOneIsNot)
{
    Text text;
    MeasureOnScreen(text);
    text.SetText(TEXT("Hello World"), 11);
    EXPECT_EQ(u"Hello World", Shown(text));
    EXPECT_EQ(ExtentOnScreen(TEXT("Hello World")).cx, text.Width());

    text.SetText(TEXT("Hi"), 2);
    EXPECT_EQ(u"Hi", Shown(text));
    EXPECT_EQ(ExtentOnScreen(TEXT("Hello World")).cx, text.Width());

    // Longer than the shortened text, though shorter than the buffer.
    text.SetText(TEXT("Hey"), 3);
    EXPECT_EQ(ExtentOnScreen(TEXT("Hey")).cx, text.Width());
}

TEST_F(TextTest, SetTextTakesOnlyTheGivenLength)
{
    Text text;
    text.SetText(TEXT("Hello World"), 5);
    EXPECT_EQ(u"Hello", Shown(text));
    text.SetText(TEXT("Hi there"), 2);
    EXPECT_EQ(u"Hi", Shown(text));
    EXPECT_EQ(0, text.ShownText()[2]);
}

TEST_F(TextTest, TheOutlineSurroundsTheTextShiftedOneRightAndDown)
{
    const int kWidth = 60, kHeight = 30;
    DibSurface plain, outlined;
    CreateFilled(plain, kWidth, kHeight, kMarker);
    CreateFilled(outlined, kWidth, kHeight, kMarker);
    SetBkMode(plain.Dc(), TRANSPARENT);
    SetBkMode(outlined.Dc(), TRANSPARENT);

    Text plainText, outlinedText;
    Parse(plainText, {TEXT("Text = Ab"), TEXT("Color = 000000")});
    Parse(outlinedText, {TEXT("Text = Ab"), TEXT("Color = 000000"), TEXT("FrameColor = FFFFFF")});
    MeasureOnScreen(plainText);
    MeasureOnScreen(outlinedText);
    plainText.Draw(plain, 10, 5);
    outlinedText.Draw(outlined, 10, 5);

    // Fully covered text pixels are exactly the text colour, one right and
    // one down in the outlined drawing.
    int solid = 0;
    for (int y = 0; y < kHeight - 1; ++y) {
        for (int x = 0; x < kWidth - 1; ++x) {
            const bool black = PixelAt(plain, x, y) == RGB(0, 0, 0);
            solid += black;
            EXPECT_EQ(black, PixelAt(outlined, x + 1, y + 1) == RGB(0, 0, 0)) << x << "," << y;
            EXPECT_NE(RGB(255, 255, 255), PixelAt(plain, x, y));
        }
    }
    EXPECT_GT(solid, 0);

    // The outline reaches from offset 0 to offset 2 around the text.
    const RECT plainInk = InkBounds(plain, kMarker);
    const RECT outlinedInk = InkBounds(outlined, kMarker);
    EXPECT_EQ(plainInk.left, outlinedInk.left);
    EXPECT_EQ(plainInk.top, outlinedInk.top);
    EXPECT_EQ(plainInk.right + 2, outlinedInk.right);
    EXPECT_EQ(plainInk.bottom + 2, outlinedInk.bottom);

    // The first and last inked pixel of every row belong to the outline
    // only: lighter than the marker, never darkened by the text.
    for (int y = outlinedInk.top; y < outlinedInk.bottom; ++y) {
        int first = -1, last = -1;
        for (int x = 0; x < kWidth; ++x) {
            if (PixelAt(outlined, x, y) != kMarker) {
                last = x;
                if (first < 0)
                    first = x;
            }
        }
        if (first < 0)
            continue;
        EXPECT_GT(GetRValue(PixelAt(outlined, first, y)), 0xCC) << "row " << y;
        EXPECT_GT(GetRValue(PixelAt(outlined, last, y)), 0xCC) << "row " << y;
    }
}

// Positions and sizes from a panel file may be anything: the far edges of
// the box wrap around instead of overflowing, and nothing lands on the
// surface from so far away.
TEST_F(TextTest, BoxesAtTheEndsOfTheNumberRangeLeaveTheSurfaceAlone)
{
    DibSurface surface;
    CreateFilled(surface, 60, 30, kMarker);
    Text text;
    Parse(text, {TEXT("Width = 2147483647"), TEXT("Height = 2147483647"), TEXT("FrameColor = FFFFFF")});
    MeasureOnScreen(text);
    const POINT corners[] = {{INT_MAX, 0}, {0, INT_MAX}, {INT_MAX, INT_MAX}, {INT_MIN, INT_MIN}};
    for (const POINT& corner : corners)
        text.Draw(surface, corner.x, corner.y);
    const RECT ink = InkBounds(surface, kMarker);
    EXPECT_TRUE(IsRectEmpty(&ink));
}

TEST_F(TextTest, AlignmentWordsAreCaseSensitiveAndMatchTheirBeginning)
{
    enum Where { AtLeft, Centred, AtRight };
    struct Case {
        std::vector<const WCHAR*> lines;
        Where expected;
    } cases[] = {
        {{}, Centred},                                    // the default
        {{TEXT("Align = Left")}, AtLeft},
        {{TEXT("Align = Right")}, AtRight},
        {{TEXT("Align = Rightmost")}, AtRight},           // only the word's length counts
        {{TEXT("Align = left")}, Centred},                // case-sensitive
        {{TEXT("Align = Middle")}, Centred},
        {{TEXT("Align = Right"), TEXT("Align")}, AtRight},  // no value: rejected, alignment stays
    };
    int row = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(row++);
        DibSurface surface;
        CreateFilled(surface, 200, 20, kMarker);
        SetBkMode(surface.Dc(), TRANSPARENT);
        Text text;
        Parse(text, {TEXT("Text = Hi"), TEXT("Width = 200"), TEXT("Height = 20")});
        Parse(text, c.lines);
        MeasureOnScreen(text);
        text.Draw(surface, 0, 0);
        const RECT ink = InkBounds(surface, kMarker);
        ASSERT_LT(ink.left, ink.right);
        const int centre = (ink.left + ink.right) / 2;
        const Where where = ink.left <= 2 ? AtLeft : ink.right >= 198 ? AtRight : Centred;
        EXPECT_EQ(c.expected, where) << "ink " << ink.left << ".." << ink.right;
        if (where == Centred) {
            EXPECT_NEAR(100, centre, 2);
        }
    }
}

TEST_F(TextTest, KeysAreTriedInOrderSoTextColorSetsTheText)
{
    Text text;
    EXPECT_TRUE(Parse(text, {TEXT("TextColor = FF0000")}));
    EXPECT_EQ(u"FF0000", Shown(text));
    EXPECT_TRUE(host::testing::MessageBoxes().empty());
}

TEST_F(TextTest, TheFontTakesTheValuesOfTheMomentOfCreateFont)
{
    const SIZE plain = MeasuredSize({TEXT("Text = Hello"), TEXT("Font = DejaVu Sans"), TEXT("CreateFont")});
    // "Size" and "Weight" after "CreateFont" change nothing.
    EXPECT_EQ(plain.cy, MeasuredSize({TEXT("Text = Hello"), TEXT("Font = DejaVu Sans"), TEXT("CreateFont"),
                                      TEXT("Size = 40"), TEXT("Weight = 700")})
                            .cy);
    const SIZE big = MeasuredSize({TEXT("Text = Hello"), TEXT("Size = 40"), TEXT("CreateFont")});
    EXPECT_EQ(40, big.cy);
    const SIZE bold =
        MeasuredSize({TEXT("Text = Hello"), TEXT("Font = DejaVu Sans"), TEXT("Weight = 700"), TEXT("CreateFont")});
    EXPECT_GT(bold.cx, plain.cx);
    EXPECT_EQ(plain.cy, bold.cy);
}

TEST_F(TextTest, UnusualFontValuesStillGiveAFont)
{
    const SIZE twenty = MeasuredSize({TEXT("Text = Hello"), TEXT("Size = 20"), TEXT("CreateFont")});
    EXPECT_EQ(20, twenty.cy);
    // An unknown face falls back to the nearest installed one.
    EXPECT_EQ(20, MeasuredSize({TEXT("Text = Hello"), TEXT("Font = No Such Face"), TEXT("Size = 20"),
                                TEXT("CreateFont")})
                      .cy);
    // A face name longer than LOGFONTW holds is cut, not overrun.
    EXPECT_EQ(20, MeasuredSize({TEXT("Text = Hello"),
                                TEXT("Font = DejaVu Sans with a name far longer than thirty-one characters"),
                                TEXT("Size = 20"), TEXT("CreateFont")})
                      .cy);
    // A negative size is the character height: the cell is taller.
    EXPECT_GT(MeasuredSize({TEXT("Text = Hello"), TEXT("Size = -20"), TEXT("CreateFont")}).cy, 20);
    // Size 0 is the platform's default height.
    EXPECT_GT(MeasuredSize({TEXT("Text = Hello"), TEXT("Size = 0"), TEXT("CreateFont")}).cy, 0);
}

TEST_F(TextTest, BadLinesAreReportedAndChangeNothing)
{
    const std::u16string kTextError = u"Text - Ignoriere Fehler:";
    const std::u16string kBaseError = u"DesktopObject - Ignoriere Fehler:";
    const std::u16string kUnknown = u"DesktopObject - Ignoriere unbekannten Wert:";
    struct Case {
        const WCHAR* line;
        std::u16string caption;  // empty: taken
    } cases[] = {
        {TEXT("Color = FFF"), kTextError},        // a colour needs six characters
        {TEXT("FrameColor = 12345"), kTextError},
        {TEXT("Color"), kTextError},
        {TEXT("Text ="), kTextError},
        {TEXT("Text =   "), kTextError},          // blanks are no value
        {TEXT("Font"), kTextError},
        {TEXT("Size ="), kTextError},
        {TEXT("Weight"), kTextError},
        {TEXT("Align ="), kTextError},            // rejected rather than guessed
        {TEXT("CreateFont"), u""},                // needs no value
        {TEXT("Width"), kBaseError},
        {TEXT("color = FF0000"), kUnknown},       // keys are case-sensitive
        {TEXT("Interval = 5"), kUnknown},         // a plain Text does not refresh
    };
    for (const Case& c : cases) {
        host::testing::ClearMessageBoxes();
        Text text;
        const bool taken = text.ParseKey(c.line, TextLength(c.line), true);
        EXPECT_EQ(c.caption.empty(), taken) << testfiles::Utf8(c.line);
        const auto& boxes = host::testing::MessageBoxes();
        if (c.caption.empty()) {
            EXPECT_TRUE(boxes.empty());
            continue;
        }
        ASSERT_EQ(1u, boxes.size()) << testfiles::Utf8(c.line);
        EXPECT_EQ(nullptr, boxes[0].owner);
        EXPECT_EQ(0x10030u, boxes[0].style);
        EXPECT_EQ(c.caption, boxes[0].caption);
        EXPECT_EQ(std::u16string(c.line), boxes[0].text);
    }
}

TEST_F(TextTest, RejectedLinesAreSilentWithoutShowErrors)
{
    Text text;
    EXPECT_FALSE(text.ParseKey(TEXT("Text ="), 6, false));
    EXPECT_FALSE(text.ParseKey(TEXT("Bogus = 1"), 9, false));
    EXPECT_TRUE(host::testing::MessageBoxes().empty());
    EXPECT_EQ(u"Text", Shown(text));
}

TEST_F(TextTest, ARejectedColourKeepsThePreviousOne)
{
    DibSurface surface;
    CreateFilled(surface, 60, 20, kMarker);
    SetBkMode(surface.Dc(), TRANSPARENT);
    Text text;
    Parse(text, {TEXT("Color = FF0000"), TEXT("Color = 00F")});
    MeasureOnScreen(text);
    text.Draw(surface, 0, 0);
    bool red = false;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 60; ++x)
            red = red || PixelAt(surface, x, y) == RGB(255, 0, 0);
    EXPECT_TRUE(red);
}

TEST_F(TextTest, DrawingRestoresTheSurfaceFontAndColour)
{
    DibSurface surface;
    CreateFilled(surface, 60, 30, kMarker);
    SetTextColor(surface.Dc(), RGB(1, 2, 3));
    const int before = host::testing::LiveGdiObjects();
    Text text;
    Parse(text, {TEXT("Size = 20"), TEXT("CreateFont"), TEXT("FrameColor = FFFFFF")});
    MeasureOnScreen(text);
    HGDIOBJ guiFont = GetStockObject(DEFAULT_GUI_FONT);
    HGDIOBJ original = SelectObject(surface.Dc(), guiFont);
    text.Draw(surface, 0, 0);
    EXPECT_EQ(RGB(1, 2, 3), GetTextColor(surface.Dc()));
    EXPECT_EQ(guiFont, SelectObject(surface.Dc(), original));
    EXPECT_EQ(before + 1, host::testing::LiveGdiObjects());
}

}  // namespace
