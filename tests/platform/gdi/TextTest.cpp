// Fonts, text measuring and DrawTextW, checked by the extent of what is
// drawn rather than by exact glyph shapes.
#include <gtest/gtest.h>

#include "platform/win32.h"
#include "tests/platform/gdi/DibCanvas.h"

using gditest::DibCanvas;
using gditest::kMarker;

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

HFONT MakeFont(LONG height, LONG weight = FW_NORMAL, LPCWSTR face = TEXT("DejaVu Sans"))
{
    LOGFONTW font{};
    font.lfHeight = height;
    font.lfWeight = weight;
    for (int i = 0; face[i] && i < LF_FACESIZE - 1; ++i) font.lfFaceName[i] = face[i];
    return CreateFontIndirectW(&font);
}

SIZE Extent(HDC dc, LPCWSTR text)
{
    SIZE size{};
    int length = 0;
    while (text[length]) ++length;
    EXPECT_TRUE(GetTextExtentPoint32W(dc, text, length, &size));
    return size;
}

// The height of a line in a new context's font.
LONG LineHeight()
{
    HDC dc = CreateCompatibleDC(nullptr);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    DeleteDC(dc);
    return metrics.tmHeight;
}

// The canvas with a font selected for one test.
struct WithFont {
    WithFont(HDC dc, HFONT font) : dc(dc), font(font), previous(SelectObject(dc, font)) {}
    ~WithFont()
    {
        SelectObject(dc, previous);
        DeleteObject(font);
    }
    HDC dc;
    HFONT font;
    HGDIOBJ previous;
};

}  // namespace

TEST(Fonts, StockFontOfANewContextIs13PixelsHigh)
{
    HDC dc = CreateCompatibleDC(nullptr);
    SIZE size = Extent(dc, TEXT("Hello"));
    EXPECT_EQ(size.cy, 13);
    EXPECT_GT(size.cx, 20);
    TEXTMETRICW metrics{};
    ASSERT_TRUE(GetTextMetricsW(dc, &metrics));
    EXPECT_EQ(metrics.tmHeight, 13);
    EXPECT_EQ(metrics.tmAscent + metrics.tmDescent, 13);
    DeleteDC(dc);
}

TEST(Fonts, HeightFollowsTheLogfontRules)
{
    struct Case {
        LONG lfHeight;
        LONG cellHeight;  // tmHeight, the extent's height
        LONG emHeight;    // tmHeight - tmInternalLeading
    } cases[] = {
        {20, 20, 17},    // positive: the cell height
        {-20, 24, 20},   // negative: the character height (ascent and descent rounded apart)
        {0, 13, 11},     // zero: the default, like the stock font
        {1, 1, 1},       // the smallest cell
        {-100, 117, 100},  // large
    };
    HDC dc = CreateCompatibleDC(nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lfHeight);
        WithFont font(dc, MakeFont(c.lfHeight));
        TEXTMETRICW metrics{};
        ASSERT_TRUE(GetTextMetricsW(dc, &metrics));
        EXPECT_EQ(metrics.tmHeight, c.cellHeight);
        EXPECT_NEAR(metrics.tmHeight - metrics.tmInternalLeading, c.emHeight, 1);
        EXPECT_EQ(Extent(dc, TEXT("Ag")).cy, c.cellHeight);
    }
    DeleteDC(dc);
}

TEST(Fonts, BoldFromWeight600IsWider)
{
    HDC dc = CreateCompatibleDC(nullptr);
    LONG widths[3];
    LONG weights[] = {FW_NORMAL, 599, FW_SEMIBOLD};
    for (int i = 0; i < 3; ++i) {
        WithFont font(dc, MakeFont(-20, weights[i]));
        widths[i] = Extent(dc, TEXT("Memory gauge")).cx;
    }
    EXPECT_EQ(widths[0], widths[1]);
    EXPECT_GT(widths[2], widths[0]);
    DeleteDC(dc);
}

TEST(Fonts, MissingFaceFallsBackToTheNearestMatch)
{
    HDC dc = CreateCompatibleDC(nullptr);
    WithFont font(dc, MakeFont(-12, FW_NORMAL, TEXT("No Such Face At All")));
    SIZE size = Extent(dc, TEXT("Text"));
    EXPECT_GT(size.cx, 0);
    EXPECT_GT(size.cy, 12);
    DeleteDC(dc);
}

TEST(TextExtent, ReportsFitAndPartialExtents)
{
    HDC dc = CreateCompatibleDC(nullptr);
    LPCWSTR text = TEXT("abcdef");
    int partial[6] = {};
    int fit = -1;
    SIZE size{};
    ASSERT_TRUE(GetTextExtentExPointW(dc, text, 6, 0, &fit, partial, &size));
    EXPECT_EQ(fit, 0);  // nothing fits in no width
    EXPECT_EQ(partial[5], size.cx);
    for (int i = 1; i < 6; ++i) EXPECT_GT(partial[i], partial[i - 1]);
    ASSERT_TRUE(GetTextExtentExPointW(dc, text, 6, partial[2], &fit, nullptr, &size));
    EXPECT_EQ(fit, 3);  // exactly three characters wide
    ASSERT_TRUE(GetTextExtentExPointW(dc, text, 0, 100, &fit, nullptr, &size));
    EXPECT_EQ(size.cx, 0);  // empty text: no width and no height
    EXPECT_EQ(size.cy, 0);
    EXPECT_FALSE(GetTextExtentExPointW(dc, text, -1, 0, nullptr, nullptr, &size));
    EXPECT_FALSE(GetTextExtentExPointW(nullptr, text, 6, 0, nullptr, nullptr, &size));
    DeleteDC(dc);
}

namespace {

// Draws `text` in black, transparently, and returns the bounds of the ink.
RECT InkOf(LPCWSTR text, RECT rect, UINT format, int width = 120, int height = 40)
{
    DibCanvas canvas(width, height);
    SetBkMode(canvas.dc(), TRANSPARENT);
    DrawTextW(canvas.dc(), text, -1, &rect, format);
    return canvas.Bounds();
}

}  // namespace

TEST(DrawText, AlignsTheTextInTheRectangle)
{
    const RECT box{10, 5, 110, 35};  // 100 x 30
    HDC dc = CreateCompatibleDC(nullptr);
    const LONG textWidth = Extent(dc, TEXT("Hello")).cx;
    DeleteDC(dc);
    const LONG line = LineHeight();
    const RECT topLeft = InkOf(TEXT("Hello"), box, DT_LEFT | DT_SINGLELINE);
    ASSERT_LT(topLeft.left, topLeft.right);
    EXPECT_GE(topLeft.left, 10);
    EXPECT_LE(topLeft.left, 12);
    EXPECT_GE(topLeft.top, 5);
    EXPECT_LE(topLeft.top, 9);
    struct Case {
        UINT format;
        LONG dx, dy;  // how far the ink moves against DT_LEFT | DT_TOP
    } cases[] = {
        {DT_CENTER | DT_SINGLELINE, (100 - textWidth) / 2, 0},
        {DT_RIGHT | DT_SINGLELINE, 100 - textWidth, 0},
        {DT_VCENTER | DT_SINGLELINE, 0, (30 - line) / 2},
        {DT_BOTTOM | DT_SINGLELINE, 0, 30 - line},
        {DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP, (100 - textWidth) / 2, (30 - line) / 2},
        {DT_VCENTER, 0, 0},  // vertical placement needs DT_SINGLELINE
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.format);
        RECT ink = InkOf(TEXT("Hello"), box, c.format);
        EXPECT_EQ(ink.left - topLeft.left, c.dx);
        EXPECT_EQ(ink.right - topLeft.right, c.dx);
        EXPECT_EQ(ink.top - topLeft.top, c.dy);
        EXPECT_EQ(ink.bottom - topLeft.bottom, c.dy);
    }
}

TEST(DrawText, ClipsToTheRectangleUnlessToldNotTo)
{
    const RECT narrow{10, 10, 20, 14};  // narrower and lower than the text
    RECT clipped = InkOf(TEXT("Wide text"), narrow, DT_LEFT | DT_SINGLELINE);
    EXPECT_GE(clipped.left, 10);
    EXPECT_LE(clipped.right, 20);
    EXPECT_GE(clipped.top, 10);
    EXPECT_LE(clipped.bottom, 14);
    RECT unclipped = InkOf(TEXT("Wide text"), narrow, DT_LEFT | DT_SINGLELINE | DT_NOCLIP);
    EXPECT_GT(unclipped.right, 40);
    EXPECT_GT(unclipped.bottom, 16);
    // An empty rectangle with DT_NOCLIP places the text's top-left corner.
    RECT corner = InkOf(TEXT("Wide text"), RECT{30, 20, 30, 20}, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_GE(corner.left, 30);
    EXPECT_LE(corner.left, 32);
    EXPECT_GE(corner.top, 20);
    EXPECT_LT(corner.top, 24);
}

TEST(DrawText, TransparentKeepsTheBackgroundAndOpaqueFillsTheCell)
{
    const RECT box{4, 4, 100, 30};
    DibCanvas transparent(120, 40);
    SetBkMode(transparent.dc(), TRANSPARENT);
    RECT r = box;
    DrawTextW(transparent.dc(), TEXT("Hello"), -1, &r, DT_SINGLELINE);
    EXPECT_EQ(transparent.Count(kWhite), 0);
    EXPECT_GT(transparent.Count(kMarker, RECT{4, 4, 30, 17}), 100);

    DibCanvas opaque(120, 40);
    EXPECT_EQ(GetBkMode(opaque.dc()), OPAQUE);  // a new context's mode
    SetBkColor(opaque.dc(), kWhite);
    DrawTextW(opaque.dc(), TEXT("Hello"), -1, &r, DT_SINGLELINE);
    LONG width = Extent(opaque.dc(), TEXT("Hello")).cx;
    const RECT cell{4, 4, 4 + width, 4 + LineHeight()};
    EXPECT_EQ(opaque.Bounds(), cell);
    EXPECT_EQ(opaque.Count(kMarker, cell), 0);
}

TEST(DrawText, BlendsGlyphsInTheTextColour)
{
    DibCanvas canvas(60, 30);
    canvas.Fill(kWhite);
    SetBkMode(canvas.dc(), TRANSPARENT);
    EXPECT_EQ(SetTextColor(canvas.dc(), RGB(255, 0, 0)), kBlack);
    EXPECT_EQ(GetTextColor(canvas.dc()), RGB(255, 0, 0));
    RECT r{0, 0, 60, 30};
    DrawTextW(canvas.dc(), TEXT("HIH"), -1, &r, DT_SINGLELINE);
    int full = 0, partial = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 60; ++x) {
            COLORREF p = canvas.Pixel(x, y);
            EXPECT_EQ(GetRValue(p), 255);             // red over white keeps red full
            EXPECT_EQ(GetGValue(p), GetBValue(p));    // and blends green and blue alike
            full += p == RGB(255, 0, 0);
            partial += p != RGB(255, 0, 0) && p != kWhite;
        }
    EXPECT_GT(full, 5);     // the stems are solid
    EXPECT_GT(partial, 0);  // the edges are smoothed
}

TEST(DrawText, PrefixesUnderlineTheirCharacterUnlessDisabled)
{
    HDC dc = CreateCompatibleDC(nullptr);
    auto calcWidth = [dc](LPCWSTR text, UINT format) {
        RECT r{0, 0, 0, 0};
        DrawTextW(dc, text, -1, &r, format | DT_CALCRECT | DT_SINGLELINE);
        return r.right;
    };
    EXPECT_EQ(calcWidth(TEXT("&File"), 0), Extent(dc, TEXT("File")).cx);             // "&" is not shown
    EXPECT_EQ(calcWidth(TEXT("a&&b"), 0), Extent(dc, TEXT("a&b")).cx);              // "&&" shows one "&"
    EXPECT_EQ(calcWidth(TEXT("&File"), DT_NOPREFIX), Extent(dc, TEXT("&File")).cx);  // shown as is
    DeleteDC(dc);

    RECT plain = InkOf(TEXT("File"), RECT{0, 0, 120, 40}, DT_SINGLELINE);
    RECT prefixed = InkOf(TEXT("&File"), RECT{0, 0, 120, 40}, DT_SINGLELINE);
    RECT literal = InkOf(TEXT("&&File"), RECT{0, 0, 120, 40}, DT_SINGLELINE);
    EXPECT_GT(prefixed.bottom, plain.bottom);  // the underline lies below the baseline
    EXPECT_EQ(prefixed.top, plain.top);
    EXPECT_EQ(literal.bottom, plain.bottom);    // "&&" underlines nothing
    EXPECT_GT(literal.right, plain.right);
}

TEST(DrawText, BreaksLinesAtLineBreaksAndBetweenWords)
{
    HDC dc = CreateCompatibleDC(nullptr);
    const LONG twoWords = Extent(dc, TEXT("one two")).cx;
    const LONG line = LineHeight();
    struct Case {
        LPCWSTR text;
        UINT format;
        LONG width;   // of the rectangle given
        int lines;
    } cases[] = {
        {TEXT("three one two"), DT_WORDBREAK, twoWords, 2},      // "three" / "one two", exactly as wide
        {TEXT("one two three"), DT_WORDBREAK, twoWords - 1, 3},  // one word a line
        {TEXT("one two three"), 0, twoWords, 1},                 // no breaking without DT_WORDBREAK
        {TEXT("a\nb\r\nc\rd"), 0, 100, 4},                      // each kind of line break
        {TEXT("a\nb"), DT_SINGLELINE, 100, 1},                  // single line ignores them
        {TEXT("a\n"), 0, 100, 1},                               // a final break adds no line
        {TEXT("a\n\nb"), 0, 100, 3},                            // an empty line counts
        {TEXT("unbreakable"), DT_WORDBREAK, 5, 1},              // a long word stays whole
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << (&c - cases) << ", width " << c.width);
        RECT r{10, 20, 10 + c.width, 20};
        int height = DrawTextW(dc, c.text, -1, &r, c.format | DT_CALCRECT);
        EXPECT_EQ(height, line * c.lines);
        EXPECT_EQ(r.bottom, 20 + line * c.lines);
        EXPECT_EQ(r.left, 10);
    }
    DeleteDC(dc);
}

TEST(DrawText, WrappedLinesAreAlignedEachOnItsOwn)
{
    HDC dc = CreateCompatibleDC(nullptr);
    // Room for "one two", its space and less than a word: "three" goes on a line of its own.
    const LONG width = Extent(dc, TEXT("one two t")).cx;
    DeleteDC(dc);
    RECT ink = InkOf(TEXT("one two three"), RECT{0, 0, width, 40}, DT_CENTER | DT_WORDBREAK);
    RECT secondLine = InkOf(TEXT("three"), RECT{0, LineHeight(), width, 40}, DT_CENTER);
    EXPECT_EQ(ink.bottom, secondLine.bottom);
    EXPECT_EQ(ink.left, 0 + (InkOf(TEXT("one two"), RECT{0, 0, width, 40}, DT_CENTER).left));
}

TEST(DrawText, ReturnsTheTextHeightAndTakesBadInputQuietly)
{
    const LONG line = LineHeight();
    DibCanvas canvas(50, 50);
    RECT r{0, 0, 50, 50};
    EXPECT_EQ(DrawTextW(canvas.dc(), TEXT("x"), -1, &r, DT_SINGLELINE), line);
    // With vertical placement: the offset of the text's bottom from the top.
    EXPECT_EQ(DrawTextW(canvas.dc(), TEXT("x"), -1, &r, DT_SINGLELINE | DT_VCENTER), (50 - line) / 2 + line);
    EXPECT_EQ(DrawTextW(canvas.dc(), TEXT("x"), -1, &r, DT_SINGLELINE | DT_BOTTOM), 50);
    canvas.Fill(kMarker);
    EXPECT_EQ(DrawTextW(canvas.dc(), TEXT("xyz"), 0, &r, 0), line);  // nothing to draw, still a line high
    EXPECT_EQ(DrawTextW(canvas.dc(), TEXT(""), -1, &r, 0), line);
    RECT measured{10, 10, 40, 40};
    EXPECT_EQ(DrawTextW(canvas.dc(), TEXT("xyz"), 0, &measured, DT_CALCRECT), line);
    EXPECT_EQ(measured, (RECT{10, 10, 40, 40}));  // a zero count measures nothing
    EXPECT_EQ(DrawTextW(canvas.dc(), TEXT(""), -1, &measured, DT_CALCRECT | DT_SINGLELINE), line);
    EXPECT_EQ(measured, (RECT{10, 10, 10, 10 + line}));  // an empty string measures an empty line
    EXPECT_EQ(DrawTextW(nullptr, TEXT("x"), -1, &r, 0), 0);
    RECT distant{-1000000, -1000000, -999990, -999990};
    EXPECT_EQ(DrawTextW(canvas.dc(), TEXT("far away"), -1, &distant, DT_NOCLIP), line);
    EXPECT_EQ(canvas.Count(kMarker), 2500);
}

TEST(DrawText, CountLimitsTheText)
{
    RECT whole = InkOf(TEXT("abcdef"), RECT{0, 0, 120, 40}, DT_SINGLELINE);
    DibCanvas canvas(120, 40);
    SetBkMode(canvas.dc(), TRANSPARENT);
    RECT r{0, 0, 120, 40};
    DrawTextW(canvas.dc(), TEXT("abcdef"), 3, &r, DT_SINGLELINE);
    EXPECT_LT(canvas.Bounds().right, whole.right);
}
