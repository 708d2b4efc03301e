#include "buttons/ImageButton.h"

#include "config/KeyTable.h"

ImageButton::ImageButton(HWND panel) : CommandButton(panel) {}

bool ImageButton::ParseKey(const WCHAR* line, UINT length, bool showErrors)
{
    static constexpr KeyRule<ImageButton> kKeys[] = {
        {TEXT("Offset"), 1, [](ImageButton& b, const WCHAR* v) { return b.offset_ = ParseInt(v), true; }},
    };
    switch (ApplyKeyTable(*this, kKeys, line, length)) {
    case KeyResult::Taken:
        return true;
    case KeyResult::Rejected:
        return ReportIgnoredLine(line, TEXT("ImageButton - Ignoriere Fehler:"), showErrors);
    case KeyResult::Unknown:
        break;
    }
    return CommandButton::ParseKey(line, length, showErrors);
}

void ImageButton::Draw(DibSurface& surface, int x, int y)
{
    if (Pushed())
        DrawImage(surface, AddWrapped(x, offset_), AddWrapped(y, offset_), 1);
    else
        DrawImage(surface, x, y, 0);
}

void ImageButton::Measure(HDC)
{
    SetWidth(AddWrapped(Width(), offset_));
    SetHeight(AddWrapped(Height(), offset_));
}
