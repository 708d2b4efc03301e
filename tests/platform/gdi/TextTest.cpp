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

HFONT MakeFont(LONG height, LONG weight = FW_NORMAL, const char16_t* face = TEXT("DejaVu Sans"))
{
    LOGFONTW font{};
    font.lfHeight = height;
    font.lfWeight = weight;
    for (int i = 0; face[i] && i < LF_FACESIZE - 1; ++i) font.lfFaceName[i] = face[i];
    return CreateFontIndirectW(&font);
}

SIZE Extent(HDC dc, const char16_t* text)
{
    SIZE size{};
    int length = 0;
    while (text[length]) ++length;
    EXPECT_TRUE(GetTextExtentPoint32W(dc, text, length, &size));
    return size;
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
    const char16_t* text = TEXT("abcdef");
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
    EXPECT_EQ(size.cx, 0);  // empty text: no width, a line's height
    EXPECT_EQ(size.cy, 13);
    EXPECT_FALSE(GetTextExtentExPointW(dc, text, -1, 0, nullptr, nullptr, &size));
    EXPECT_FALSE(GetTextExtentExPointW(nullptr, text, 6, 0, nullptr, nullptr, &size));
    DeleteDC(dc);
}
