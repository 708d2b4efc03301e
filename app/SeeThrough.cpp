#include "app/SeeThrough.h"

#include "app/GlobalSettings.h"
#include "app/Panel.h"
#include "config/Diagnostics.h"
#include "objects/DesktopObject.h"

namespace {

constexpr LONG kSeeThroughStyles = WS_EX_LAYERED | WS_EX_TRANSPARENT;

bool HasButtons(const GlobalSettings& settings)
{
    for (const auto& object : settings.Objects()) {
        if (object && object->TakesTaps())
            return true;
    }
    return false;
}

// Whether every pixel of the back buffer has the key colour.
bool AllKeyColoured(const Panel& panel, COLORREF key)
{
    const DibSurface& buffer = panel.backBuffer;
    const BYTE* pixel = buffer.Pixels();
    if (!pixel || buffer.Width() <= 0 || buffer.Height() <= 0)
        return false;
    // Rows follow each other without gaps, order aside.
    const BYTE* end = pixel + static_cast<size_t>(buffer.Width()) * buffer.Height() * 4;
    for (; pixel != end; pixel += 4) {
        if (pixel[0] != GetBValue(key) || pixel[1] != GetGValue(key) || pixel[2] != GetRValue(key))
            return false;
    }
    return true;
}

}  // namespace

BYTE OpacityAlpha(int opacity)
{
    return static_cast<BYTE>((opacity * 255 + 50) / 100);
}

void ApplySeeThrough(HWND window, const GlobalSettings& settings)
{
    const LONG was = GetWindowLongW(window, GWL_EXSTYLE);
    if (!settings.SeeThrough()) {
        if (was & kSeeThroughStyles)
            SetWindowLongW(window, GWL_EXSTYLE, was & ~kSeeThroughStyles);
        return;
    }
    LONG style = (was & ~kSeeThroughStyles) | WS_EX_LAYERED;
    if (settings.ClickThrough())
        style |= WS_EX_TRANSPARENT;
    if (style != was)
        SetWindowLongW(window, GWL_EXSTYLE, style);
    // A layered window shows nothing until it has its attributes, so a
    // panel that only lets taps through is given full opacity.
    DWORD flags = LWA_ALPHA;
    if (settings.HasTransparentColor())
        flags |= LWA_COLORKEY;
    SetLayeredWindowAttributes(window, settings.TransparentColor(), OpacityAlpha(settings.Opacity()), flags);
}

void ReportSeeThroughPitfalls(const Panel& panel)
{
    const GlobalSettings& settings = panel.Settings();
    if (settings.ClickThrough()) {
        if (HasButtons(settings))
            ReportWarningAtLine(settings.ClickThroughLine(),
                                {TEXT("ClickThrough = 1 lets every tap pass to what lies below the panel, so its "
                                      "buttons can never be tapped; remove ClickThrough or the buttons")});
        if (settings.QuitOnDoubleClick())
            ReportWarningAtLine(settings.ClickThroughLine(),
                                {TEXT("ClickThrough = 1 lets every tap pass to what lies below the panel, so "
                                      "QuitOnDoubleClick can never close it; write QuitOnDoubleClick = 0")});
    }
    if (settings.HasTransparentColor() && AllKeyColoured(panel, settings.TransparentColor()))
        ReportWarningAtLine(settings.TransparentColorLine(),
                            {TEXT("TransparentColor is the colour of the whole panel, so nothing of it can be "
                                  "seen; choose a colour that only the parts to cut out have")});
}
