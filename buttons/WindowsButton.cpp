#include "buttons/WindowsButton.h"

#include "config/Diagnostics.h"
#include "config/KeyTable.h"
#include "gauges/DibSurface.h"

WindowsButton::WindowsButton(HWND panel) : ImageButton(panel), sectionLine_(CurrentDiagnosticLine())
{
    color_[0] = color_[1] = GetSysColor(SYS_COLOR_INDEX_FLAG | COLOR_BTNFACE);
}

bool WindowsButton::ParseKey(const WCHAR* line, UINT length, bool showErrors)
{
    static constexpr KeyRule<WindowsButton> kKeys[] = {
        {TEXT("ColorNormal"), 6, [](WindowsButton& b, const WCHAR* v) { return b.color_[0] = ParseColor(v), true; }},
        {TEXT("ColorPushed"), 6, [](WindowsButton& b, const WCHAR* v) { return b.color_[1] = ParseColor(v), true; }},
    };
    switch (ApplyKeyTable(*this, kKeys, line, length)) {
    case KeyResult::Taken:
        return true;
    case KeyResult::Rejected:
        return ReportIgnoredLine(line, TEXT("WindowsButton - Ignoriere Fehler:"), showErrors);
    case KeyResult::Unknown:
        break;
    }
    // Only the caption, the last to be asked, reports a line nobody takes.
    if (ImageButton::ParseKey(line, length, false))
        return true;
    return caption_.ParseKey(line, length, showErrors);
}

void WindowsButton::ReportPitfalls() const
{
    ImageButton::ReportPitfalls();
    if (Width() <= 0 || Height() <= 0)
        ReportWarningAtLine(sectionLine_, {TEXT("the button has no Width or no Height (it does not size itself), so its "
                                                "caption is clipped; give the section both")});
}

void WindowsButton::Draw(DibSurface& surface, int x, int y)
{
    // The layout may have widened the button since Measure: the caption
    // covers the face that is drawn.
    FitCaption();
    ImageButton::Draw(surface, x, y);
    if (Pushed())
        caption_.Draw(surface, AddWrapped(x, Offset()), AddWrapped(y, Offset()));
    else
        caption_.Draw(surface, x, y);
}

void WindowsButton::Measure(HDC)
{
    FitCaption();
}

void WindowsButton::FitCaption()
{
    caption_.SetWidth(Width());
    caption_.SetHeight(Height());
}

void WindowsButton::DrawImage(DibSurface& surface, int x, int y, int face)
{
    // The frame does not move with the pushed face.
    if (face == 1) {
        x = SubtractWrapped(x, Offset());
        y = SubtractWrapped(y, Offset());
    }
    HDC dc = surface.Dc();
    RECT area;
    SetRect(&area, x, y, AddWrapped(x, Width()), AddWrapped(y, Height()));
    DrawFrameControl(dc, &area, DFC_BUTTON, face == 1 ? DFCS_BUTTONPUSH | DFCS_PUSHED : DFCS_BUTTONPUSH);
    HBRUSH brush = CreateSolidBrush(color_[face]);
    if (!brush)
        return;
    InflateRect(&area, -2, -2);
    FillRect(dc, &area, brush);
    DeleteObject(brush);
}
