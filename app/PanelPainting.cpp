#include "app/PanelPainting.h"

#include "app/GlobalSettings.h"
#include "app/Layout.h"
#include "app/Panel.h"
#include "app/RedrawTarget.h"
#include "config/Diagnostics.h"
#include "config/Paths.h"
#include "config/TextParsing.h"
#include "objects/DesktopObject.h"

namespace {

void ReportMissingBackground(const WCHAR* path)
{
    static constexpr WCHAR kMessage[] =
        TEXT("Das Hintergrundbild kann nicht gefunden werden oder es ist keine gültige Bitmapdatei:\n\"");
    WCHAR text[sizeof(kMessage) / sizeof(WCHAR) + kMaxPath + 1];
    UINT length = CopyText(kMessage, text, sizeof(text) / sizeof(WCHAR));
    length += CopyText(path, text + length, kMaxPath);
    text[length++] = TEXT('"');
    text[length] = 0;
    ConfigMessageBox(nullptr, text, TEXT("Fehler"), MB_SETFOREGROUND | MB_ICONERROR);
}

// The window-sized background: BackgroundColor, covered by `picture` from
// its offset, so that a picture smaller than the panel leaves the colour.
// Null when no bitmap of the window's size can be made.
HBITMAP ComposeBackgroundPicture(HWND window, const Panel& panel, HBITMAP picture)
{
    const GlobalSettings& settings = panel.Settings();
    HDC windowDc = GetDC(window);
    HDC composedDc = CreateCompatibleDC(windowDc);
    HBITMAP composed = CreateCompatibleBitmap(windowDc, panel.width, panel.height);
    ReleaseDC(window, windowDc);
    if (composed) {
        HGDIOBJ previousComposed = SelectObject(composedDc, composed);
        const RECT all = {0, 0, panel.width, panel.height};
        HBRUSH fill = CreateSolidBrush(settings.BackgroundColor());
        FillRect(composedDc, &all, fill);
        DeleteObject(fill);

        // The offsets are the configured X and Y as stored when they read "x"/"y".
        const int sourceX = settings.BitmapOffsetX() == -1 ? settings.X() : settings.BitmapOffsetX();
        const int sourceY = settings.BitmapOffsetY() == -1 ? settings.Y() : settings.BitmapOffsetY();
        HDC pictureDc = CreateCompatibleDC(composedDc);
        HGDIOBJ previousPicture = SelectObject(pictureDc, picture);
        BitBlt(composedDc, 0, 0, panel.width, panel.height, pictureDc, sourceX, sourceY, SRCCOPY);
        SelectObject(pictureDc, previousPicture);
        DeleteDC(pictureDc);
        SelectObject(composedDc, previousComposed);
    }
    DeleteDC(composedDc);
    return composed;
}

}  // namespace

void BuildBackground(HWND window, Panel& panel)
{
    const GlobalSettings& settings = panel.Settings();
    if (const WCHAR* path = settings.BackgroundBitmap()) {
        if (HBITMAP picture = SHLoadDIBitmap(path)) {
            panel.backgroundBitmap = ComposeBackgroundPicture(window, panel, picture);
            DeleteObject(picture);
            if (panel.backgroundBitmap)
                return;
        } else {
            ReportMissingBackground(path);
        }
    }
    panel.backgroundBrush = CreateSolidBrush(settings.BackgroundColor());
}

void ComposeBackBuffer(Panel& panel)
{
    HDC dc = panel.backBuffer.Dc();
    if (!dc)
        return;
    const RECT all = {0, 0, panel.width, panel.height};
    PaintBackground(dc, all, panel);
    // Objects draw over the background: text leaves it showing between glyphs.
    SetBkMode(dc, TRANSPARENT);
    for (const auto& object : panel.Settings().Objects())
        object->Draw(panel.backBuffer, object->X(), object->Y());
    // Objects drawn over one another here may show parts of each other.
    panel.Settings().Memo().Forget();
}

void PaintBackground(HDC dc, const RECT& rect, const Panel& panel)
{
    if (panel.backgroundBitmap) {
        HDC pictureDc = CreateCompatibleDC(dc);
        HGDIOBJ previous = SelectObject(pictureDc, panel.backgroundBitmap);
        BitBlt(dc, rect.left, rect.top, RectWidth(rect), RectHeight(rect), pictureDc, rect.left, rect.top, SRCCOPY);
        SelectObject(pictureDc, previous);
        DeleteDC(pictureDc);
        return;
    }
    HBRUSH brush = panel.backgroundBrush ? panel.backgroundBrush : static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    FillRect(dc, &rect, brush);
}

void RedrawObject(GlobalSettings& settings, DesktopObject& object)
{
    RedrawTarget* target = settings.CurrentRedrawTarget();
    if (!target)
        return;
    const RECT rect = ObjectRect(object);
    DibSurface& surface = target->BeginRedraw(rect);
    // A panel whose back buffer could not be made has nothing to draw on.
    if (surface.Dc())
        object.Draw(surface, object.X(), object.Y());
    settings.Memo().Drawn(settings.Objects(), object, rect);
    target->EndRedraw(rect);
}

void RefreshDueObjects(GlobalSettings& settings)
{
    const auto& objects = settings.Objects();
    for (size_t i = 0; i < objects.size(); ++i) {
        DesktopObject& object = *objects[i];
        if (!object.IsDue())
            continue;
        if (settings.Memo().Unchanged(objects, i))
            object.DropReading();
        else
            RedrawObject(settings, object);
    }
}

namespace {

// The smallest non-zero time that `time` gives for an object; 0 when none.
template <class Time>
DWORD SmallestObjectTime(const GlobalSettings& settings, Time time)
{
    DWORD smallest = 0;
    for (const auto& object : settings.Objects()) {
        const DWORD t = time(*object);
        if (t != 0 && (smallest == 0 || t < smallest))
            smallest = t;
    }
    return smallest;
}

}  // namespace

DWORD RefreshPeriod(const GlobalSettings& settings)
{
    DWORD period = SmallestObjectTime(settings, [](const DesktopObject& object) { return object.Interval(); });
    if (settings.Refresh() != 0 && period >= settings.Refresh())
        period = settings.Refresh();
    return period;
}

DWORD FirstRefreshDelay(const GlobalSettings& settings)
{
    return SmallestObjectTime(settings, [](const DesktopObject& object) { return object.FirstValueDelay(); });
}
