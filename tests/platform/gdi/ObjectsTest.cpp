// Device contexts and GDI objects: creation, selection, deletion, bitmap
// memory, and that nothing leaks.
#include <gtest/gtest.h>

#include <climits>
#include <functional>

#include "platform/host/testing.h"
#include "platform/win32.h"
#include "tests/platform/gdi/DibCanvas.h"

using gditest::DibInfo;
using host::testing::LiveGdiObjects;

namespace {

HBITMAP MakeDib(LONG width, LONG height, void** bits = nullptr)
{
    BITMAPINFO info = DibInfo(width, height);
    void* ignored;
    return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits ? bits : &ignored, nullptr, 0);
}

}  // namespace

TEST(Dib, BottomUpAndTopDownRowsShareMemoryWithTheContext)
{
    struct Case {
        LONG height;
        int memoryRowOfTop;  // where row 0 of the picture lies in memory
    } cases[] = {
        {3, 2},   // positive height: bottom-up
        {-3, 0},  // negative height: top-down
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.height);
        void* bits = nullptr;
        HBITMAP dib = MakeDib(4, c.height, &bits);
        ASSERT_NE(dib, nullptr);
        ASSERT_NE(bits, nullptr);
        auto* bytes = static_cast<unsigned char*>(bits);
        for (int i = 0; i < 4 * 4 * 3; ++i) EXPECT_EQ(bytes[i], 0);  // a new DIB is black
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, dib);
        SetPixel(dc, 1, 0, RGB(0xC0, 0x80, 0x40));
        unsigned char* pixel = bytes + 4 * (1 + 4 * c.memoryRowOfTop);
        EXPECT_EQ(pixel[0], 0x40);  // blue
        EXPECT_EQ(pixel[1], 0x80);  // green
        EXPECT_EQ(pixel[2], 0xC0);  // red
        // Writing the memory shows through the context at once.
        pixel[4] = 0x11;
        EXPECT_EQ(GetPixel(dc, 2, 0), RGB(0, 0, 0x11));
        BITMAP record{};
        EXPECT_EQ(GetObjectW(dib, sizeof record, &record), int(sizeof(BITMAP)));
        EXPECT_EQ(record.bmWidth, 4);
        EXPECT_EQ(record.bmHeight, 3);
        EXPECT_EQ(record.bmWidthBytes, 16);
        EXPECT_EQ(record.bmBitsPixel, 32);
        EXPECT_EQ(record.bmPlanes, 1);
        EXPECT_EQ(record.bmBits, bits);
        SelectObject(dc, old);
        DeleteDC(dc);
        DeleteObject(dib);
    }
}

TEST(Dib, RefusesBadDescriptionsAndHugeSizes)
{
    struct Case {
        std::function<void(BITMAPINFO&)> change;
    } cases[] = {
        {[](BITMAPINFO& i) { i.bmiHeader.biWidth = 0; }},                 // no width
        {[](BITMAPINFO& i) { i.bmiHeader.biHeight = 0; }},                // no height
        {[](BITMAPINFO& i) { i.bmiHeader.biWidth = -5; }},                // negative width
        {[](BITMAPINFO& i) { i.bmiHeader.biWidth = 100000; i.bmiHeader.biHeight = 100000; }},  // 40 GB
        {[](BITMAPINFO& i) { i.bmiHeader.biWidth = INT_MAX; i.bmiHeader.biHeight = INT_MIN; }},
        {[](BITMAPINFO& i) { i.bmiHeader.biWidth = INT_MAX; i.bmiHeader.biHeight = INT_MAX; }},  // 2^64 bytes
        {[](BITMAPINFO& i) { i.bmiHeader.biBitCount = 24; }},             // not 32 bits
        {[](BITMAPINFO& i) { i.bmiHeader.biCompression = 1; }},           // compressed
        {[](BITMAPINFO& i) { i.bmiHeader.biSize = 12; }},                 // header too small
    };
    int live = LiveGdiObjects();
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        SCOPED_TRACE(i);
        BITMAPINFO info = DibInfo(4, 4);
        cases[i].change(info);
        void* bits = &info;
        EXPECT_EQ(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
        EXPECT_EQ(bits, nullptr);
    }
    void* bits;
    EXPECT_EQ(CreateDIBSection(nullptr, nullptr, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_EQ(CreateCompatibleBitmap(dc, -1, 5), nullptr);
    EXPECT_EQ(CreateCompatibleBitmap(dc, 100000, 100000), nullptr);
    EXPECT_EQ(CreateCompatibleBitmap(dc, INT_MAX, INT_MAX), nullptr);
    EXPECT_EQ(CreateCompatibleBitmap(nullptr, 5, 5), nullptr);
    DeleteDC(dc);
    EXPECT_EQ(LiveGdiObjects(), live);
}

TEST(Contexts, NewMemoryContextHoldsAOnePixelStockBitmap)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP dib = MakeDib(8, 8);
    HGDIOBJ stock = SelectObject(dc, dib);
    ASSERT_NE(stock, nullptr);
    BITMAP record{};
    ASSERT_EQ(GetObjectW(stock, sizeof record, &record), int(sizeof(BITMAP)));
    EXPECT_EQ(record.bmWidth, 1);
    EXPECT_EQ(record.bmHeight, 1);
    EXPECT_TRUE(DeleteObject(stock));  // stock objects are never freed
    EXPECT_EQ(SelectObject(dc, stock), dib);
    EXPECT_TRUE(DeleteObject(dib));
    DeleteDC(dc);
}

TEST(Contexts, SelectObjectReturnsThePreviousObjectOfItsKind)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HPEN pen = CreatePen(PS_SOLID, 2, RGB(1, 2, 3));
    HBRUSH brush = CreateSolidBrush(RGB(4, 5, 6));
    LOGFONTW logFont{};
    HFONT font = CreateFontIndirectW(&logFont);
    EXPECT_EQ(SelectObject(dc, pen), GetStockObject(BLACK_PEN));
    EXPECT_EQ(SelectObject(dc, brush), GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(SelectObject(dc, font), GetStockObject(SYSTEM_FONT));
    EXPECT_EQ(SelectObject(dc, GetStockObject(NULL_PEN)), pen);
    EXPECT_EQ(SelectObject(dc, GetStockObject(NULL_BRUSH)), brush);
    EXPECT_EQ(SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT)), font);
    EXPECT_EQ(SelectObject(dc, nullptr), nullptr);
    EXPECT_EQ(SelectObject(nullptr, pen), nullptr);
    EXPECT_EQ(SelectObject(dc, reinterpret_cast<HGDIOBJ>(dc)), nullptr);  // a DC is not selectable
    DeleteObject(pen);
    DeleteObject(brush);
    DeleteObject(font);
    EXPECT_EQ(SelectObject(dc, pen), nullptr);  // deleted
    DeleteDC(dc);
}

TEST(Contexts, ABitmapLivesInOneContextAtATime)
{
    HDC first = CreateCompatibleDC(nullptr);
    HDC second = CreateCompatibleDC(nullptr);
    HBITMAP dib = MakeDib(4, 4);
    HGDIOBJ stock = SelectObject(first, dib);
    EXPECT_EQ(SelectObject(second, dib), nullptr);
    EXPECT_EQ(SelectObject(first, dib), dib);  // again into its own context
    SelectObject(first, stock);
    HGDIOBJ secondStock = SelectObject(second, dib);
    EXPECT_NE(secondStock, nullptr);
    SelectObject(second, secondStock);
    DeleteObject(dib);
    DeleteDC(first);
    DeleteDC(second);
}

TEST(Contexts, DeletingASelectedObjectWaitsUntilItIsDeselected)
{
    int live = LiveGdiObjects();
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP dib = MakeDib(4, 4);
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
    HGDIOBJ oldBitmap = SelectObject(dc, dib);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    EXPECT_TRUE(DeleteObject(pen));
    EXPECT_TRUE(DeleteObject(dib));
    // Still drawn with, still drawn on.
    MoveToEx(dc, 0, 1, nullptr);
    LineTo(dc, 4, 1);
    EXPECT_EQ(GetPixel(dc, 3, 1), RGB(255, 0, 0));
    EXPECT_EQ(LiveGdiObjects(), live + 3);
    EXPECT_EQ(SelectObject(dc, oldPen), pen);
    EXPECT_EQ(SelectObject(dc, oldBitmap), dib);
    EXPECT_EQ(LiveGdiObjects(), live + 1);  // both freed on deselection
    EXPECT_FALSE(DeleteObject(pen));        // and gone
    DeleteDC(dc);
    EXPECT_EQ(LiveGdiObjects(), live);
}

TEST(Contexts, DeletingAContextReleasesWhatItHeld)
{
    int live = LiveGdiObjects();
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP dib = MakeDib(4, 4);
    SelectObject(dc, dib);
    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_FALSE(DeleteDC(dc));                    // already deleted
    EXPECT_FALSE(DeleteObject(reinterpret_cast<HGDIOBJ>(dc)));
    HDC other = CreateCompatibleDC(nullptr);
    EXPECT_NE(SelectObject(other, dib), nullptr);  // free to go elsewhere
    DeleteDC(other);
    EXPECT_TRUE(DeleteObject(dib));
    EXPECT_EQ(LiveGdiObjects(), live);
    EXPECT_EQ(CreateCompatibleDC(dc), nullptr);    // from a deleted context
}

TEST(Objects, StockObjectsAreFixedAndNotCounted)
{
    int live = LiveGdiObjects();
    for (int index : {WHITE_BRUSH, LTGRAY_BRUSH, GRAY_BRUSH, DKGRAY_BRUSH, BLACK_BRUSH, NULL_BRUSH, WHITE_PEN,
                      BLACK_PEN, NULL_PEN, SYSTEM_FONT, DEFAULT_GUI_FONT}) {
        SCOPED_TRACE(index);
        HGDIOBJ stock = GetStockObject(index);
        ASSERT_NE(stock, nullptr);
        EXPECT_EQ(GetStockObject(index), stock);
        EXPECT_TRUE(DeleteObject(stock));
        EXPECT_EQ(GetStockObject(index), stock);
    }
    EXPECT_EQ(GetStockObject(-1), nullptr);
    EXPECT_EQ(GetStockObject(1000), nullptr);
    EXPECT_EQ(LiveGdiObjects(), live);
}

TEST(Objects, StockBrushesAndPensHaveTheirColours)
{
    struct Case {
        int brush;
        COLORREF color;
    } cases[] = {
        {WHITE_BRUSH, RGB(255, 255, 255)}, {LTGRAY_BRUSH, RGB(192, 192, 192)}, {GRAY_BRUSH, RGB(128, 128, 128)},
        {DKGRAY_BRUSH, RGB(64, 64, 64)},   {BLACK_BRUSH, RGB(0, 0, 0)},
    };
    for (const Case& c : cases) {
        gditest::DibCanvas canvas(2, 2);
        RECT r{0, 0, 2, 2};
        FillRect(canvas.dc(), &r, static_cast<HBRUSH>(GetStockObject(c.brush)));
        EXPECT_EQ(canvas.Pixel(1, 1), c.color);
    }
    gditest::DibCanvas canvas(4, 4);
    SelectObject(canvas.dc(), GetStockObject(WHITE_PEN));
    MoveToEx(canvas.dc(), 0, 0, nullptr);
    LineTo(canvas.dc(), 3, 0);
    EXPECT_EQ(canvas.Pixel(0, 0), RGB(255, 255, 255));
    SelectObject(canvas.dc(), GetStockObject(NULL_PEN));
    LineTo(canvas.dc(), 3, 3);
    EXPECT_EQ(canvas.Count(gditest::kMarker), 13);
}

TEST(Objects, AThousandOfEachKindLeaveNothingBehind)
{
    const int live = LiveGdiObjects();
    HDC screen = CreateCompatibleDC(nullptr);
    for (int i = 0; i < 1000; ++i) {
        HDC dc = CreateCompatibleDC(screen);
        HBITMAP dib = MakeDib(8, 8);
        HBITMAP compatible = CreateCompatibleBitmap(screen, 8, 8);
        HPEN pen = CreatePen(PS_SOLID, 1 + i % 4, RGB(i, 0, 0));
        HBRUSH brush = CreateSolidBrush(RGB(0, i, 0));
        LOGFONTW logFont{};
        logFont.lfHeight = -(8 + i % 16);
        HFONT font = CreateFontIndirectW(&logFont);
        ASSERT_TRUE(dc && dib && compatible && pen && brush && font);
        HGDIOBJ old[] = {SelectObject(dc, dib), SelectObject(dc, pen), SelectObject(dc, brush), SelectObject(dc, font)};
        Rectangle(dc, 0, 0, 8, 8);
        SIZE size;
        GetTextExtentPoint32W(dc, TEXT("x"), 1, &size);
        for (HGDIOBJ previous : old) SelectObject(dc, previous);
        for (HGDIOBJ object : {HGDIOBJ(dib), HGDIOBJ(compatible), HGDIOBJ(pen), HGDIOBJ(brush), HGDIOBJ(font)})
            EXPECT_TRUE(DeleteObject(object));
        EXPECT_TRUE(DeleteDC(dc));
    }
    DeleteDC(screen);
    EXPECT_EQ(LiveGdiObjects(), live);
}

TEST(Objects, GetObjectChecksItsArguments)
{
    HBITMAP dib = MakeDib(3, 2);
    BITMAP record{};
    EXPECT_EQ(GetObjectW(dib, 0, nullptr), int(sizeof(BITMAP)));     // the size it needs
    EXPECT_EQ(GetObjectW(dib, sizeof record - 1, &record), 0);      // too small a buffer
    EXPECT_EQ(GetObjectW(nullptr, sizeof record, &record), 0);
    DeleteObject(dib);
    EXPECT_EQ(GetObjectW(dib, sizeof record, &record), 0);          // deleted
    LOGFONTW in{}, out{};
    in.lfHeight = -17;
    in.lfWeight = FW_BOLD;
    HFONT font = CreateFontIndirectW(&in);
    EXPECT_EQ(GetObjectW(font, sizeof out, &out), int(sizeof(LOGFONTW)));
    EXPECT_EQ(out.lfHeight, -17);
    EXPECT_EQ(out.lfWeight, FW_BOLD);
    DeleteObject(font);
    EXPECT_EQ(CreateFontIndirectW(nullptr), nullptr);
}

TEST(Objects, CompatibleBitmapsAreBlackAndTheirSize)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, 5, 3);
    BITMAP record{};
    ASSERT_EQ(GetObjectW(bitmap, sizeof record, &record), int(sizeof(BITMAP)));
    EXPECT_EQ(record.bmWidth, 5);
    EXPECT_EQ(record.bmHeight, 3);
    EXPECT_EQ(record.bmBits, nullptr);  // not a DIB section
    HGDIOBJ old = SelectObject(dc, bitmap);
    EXPECT_EQ(GetPixel(dc, 4, 2), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(dc, 5, 2), CLR_INVALID);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}
