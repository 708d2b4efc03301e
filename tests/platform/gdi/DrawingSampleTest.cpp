// Draws a sample of shapes, text and frames into a DIB section and saves it
// as a .bmp file for a person to look at: in OSTREVIA_SAMPLE_DIR when that
// is set, otherwise in the test's temporary folder (removed afterwards).
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/win32.h"
#include "tests/platform/gdi/DibCanvas.h"
#include "tests/support/TestFiles.h"

TEST(DrawingSample, DrawsShapesTextAndFramesIntoADib)
{
    gditest::DibCanvas canvas(240, 160);
    HDC dc = canvas.dc();
    RECT all{0, 0, 240, 160};
    FillRect(dc, &all, reinterpret_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));

    HPEN pen = CreatePen(PS_SOLID, 5, RGB(0, 128, 0));
    HBRUSH brush = CreateSolidBrush(RGB(255, 200, 0));
    HGDIOBJ oldPen = SelectObject(dc, pen), oldBrush = SelectObject(dc, brush);
    Rectangle(dc, 10, 10, 70, 50);
    MoveToEx(dc, 80, 10, nullptr);
    LineTo(dc, 120, 45);
    LineTo(dc, 150, 12);
    SelectObject(dc, GetStockObject(BLACK_PEN));
    MoveToEx(dc, 160, 10, nullptr);
    LineTo(dc, 230, 40);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(pen);
    DeleteObject(brush);

    RECT button{10, 60, 90, 85}, pushed{100, 60, 180, 85};
    DrawFrameControl(dc, &button, DFC_BUTTON, DFCS_BUTTONPUSH);
    DrawFrameControl(dc, &pushed, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED);
    SetBkMode(dc, TRANSPARENT);
    DrawTextW(dc, TEXT("&OK"), -1, &button, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    DrawTextW(dc, TEXT("Pushed"), -1, &pushed, DT_CENTER | DT_VCENTER | DT_SINGLELINE);

    LOGFONTW font{};
    font.lfHeight = -18;
    font.lfWeight = FW_BOLD;
    HFONT bold = CreateFontIndirectW(&font);
    HGDIOBJ oldFont = SelectObject(dc, bold);
    SetTextColor(dc, RGB(200, 0, 0));
    RECT line{10, 95, 230, 120};
    DrawTextW(dc, TEXT("Speicher 12.34MB"), -1, &line, DT_LEFT | DT_SINGLELINE);
    SelectObject(dc, oldFont);
    DeleteObject(bold);
    SetTextColor(dc, RGB(0, 0, 0));
    RECT wrapped{10, 122, 230, 160};
    DrawTextW(dc, TEXT("Stock font, wrapped between words when the line is too long"), -1, &wrapped,
              DT_CENTER | DT_WORDBREAK);

    const char* folder = std::getenv("OSTREVIA_SAMPLE_DIR");
    EXPECT_TRUE(canvas.Save((folder ? std::string(folder) + "/" : testfiles::TempFolder()) + "gdi_sample.bmp"));
}
