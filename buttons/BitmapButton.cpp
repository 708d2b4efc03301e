#include "buttons/BitmapButton.h"

#include "config/KeyTable.h"
#include "config/Paths.h"
#include "gauges/DibSurface.h"

BitmapButton::BitmapButton(HWND panel) : ImageButton(panel) {}

BitmapButton::~BitmapButton()
{
    for (HBITMAP bitmap : bitmap_) {
        if (bitmap)
            DeleteObject(bitmap);
    }
}

bool BitmapButton::ParseKey(const WCHAR* line, UINT length, bool showErrors)
{
    static constexpr KeyRule<BitmapButton> kKeys[] = {
        {TEXT("BitmapNormal"), 1, [](BitmapButton& b, const WCHAR* v) { return b.LoadFace(0, v), true; }},
        {TEXT("BitmapPushed"), 1, [](BitmapButton& b, const WCHAR* v) { return b.LoadFace(1, v), true; }},
    };
    switch (ApplyKeyTable(*this, kKeys, line, length)) {
    case KeyResult::Taken:
        return true;
    case KeyResult::Rejected:
        return ReportIgnoredLine(line, TEXT("BitmapButton - Ignoriere Fehler:"), showErrors);
    case KeyResult::Unknown:
        break;
    }
    return ImageButton::ParseKey(line, length, showErrors);
}

void BitmapButton::LoadFace(int face, const WCHAR* fileName)
{
    WCHAR path[kMaxPath];
    HBITMAP loaded = nullptr;
    if (ObjectRelativePath(*this, fileName, path, kMaxPath) > 0)
        loaded = SHLoadDIBitmap(path);
    if (bitmap_[face])
        DeleteObject(bitmap_[face]);
    bitmap_[face] = loaded;
    // A face without a bitmap counts as 0 x 0.
    BITMAP info = {};
    if (loaded)
        GetObjectW(loaded, sizeof(info), &info);
    bitmapWidth_[face] = info.bmWidth;
    bitmapHeight_[face] = info.bmHeight;
}

void BitmapButton::Measure(HDC dc)
{
    if (Width() == 0 || Height() == 0) {
        SetWidth(MaxUnsigned(bitmapWidth_[0], bitmapWidth_[1]));
        SetHeight(MaxUnsigned(bitmapHeight_[0], bitmapHeight_[1]));
    }
    ImageButton::Measure(dc);
}

void BitmapButton::DrawImage(DibSurface& surface, int x, int y, int face)
{
    const int faceWidth = SubtractWrapped(Width(), Offset());
    const int faceHeight = SubtractWrapped(Height(), Offset());
    HDC dc = surface.Dc();
    if (bitmap_[face]) {
        HDC source = CreateCompatibleDC(dc);
        if (!source)
            return;
        HGDIOBJ previous = SelectObject(source, bitmap_[face]);
        BitBlt(dc, x, y, MinUnsigned(bitmapWidth_[face], faceWidth), MinUnsigned(bitmapHeight_[face], faceHeight),
               source, 0, 0, SRCCOPY);
        SelectObject(source, previous);
        DeleteDC(source);
        return;
    }
    RECT area;
    SetRect(&area, x, y, AddWrapped(x, faceWidth), AddWrapped(y, faceHeight));
    DrawTextW(dc, TEXT("no bitmap"), 9, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    HGDIOBJ previousBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, area.left, area.top, area.right, area.bottom);
    SelectObject(dc, previousBrush);
}
