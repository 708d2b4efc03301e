#include "app/PanelWindowProc.h"

#include <memory>

#include "app/GlobalSettings.h"
#include "app/Layout.h"
#include "app/Panel.h"
#include "app/PaintRedrawTarget.h"
#include "app/PanelFileLoader.h"
#include "app/PanelMessages.h"
#include "app/PanelPainting.h"
#include "app/PanelWindows.h"
#include "app/WindowAnimation.h"
#include "app/WindowRedrawTarget.h"

namespace {

Panel* PanelOf(HWND window)
{
    return reinterpret_cast<Panel*>(GetWindowLongPtrW(window, 0));
}

// A kind from another window may be any number: unknown ones do not animate.
AnimationKind KindFromMessage(LPARAM lParam)
{
    return lParam >= NoAnimation && lParam <= RollDown ? static_cast<AnimationKind>(lParam) : NoAnimation;
}

LRESULT OnCreate(HWND window, const CREATESTRUCTW& create)
{
    auto panel = std::make_unique<Panel>(window);
    GlobalSettings& settings = panel->Settings();
    if (LoadPanelFile(settings, static_cast<const WCHAR*>(create.lpCreateParams)))
        return -1;

    panel->width = PanelWidth(settings);
    panel->height = PanelHeight(settings);
    if (!PanelFitsScreen(panel->width, panel->height)) {
        MessageBoxW(nullptr, static_cast<const WCHAR*>(create.lpCreateParams),
                    TEXT("Das Panel ist größer als das Vierfache des Bildschirms."), MB_SETFOREGROUND | MB_ICONERROR);
        return -1;
    }
    panel->CreateBackBuffer();
    if (settings.TopMost())
        SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
    BuildBackground(window, *panel);
    ComposeBackBuffer(*panel);

    const DWORD period = RefreshPeriod(settings);
    if (period != 0)
        SetTimer(window, RefreshTimer, period, nullptr);
    Panel* stored = panel.release();
    SetWindowLongPtrW(window, 0, reinterpret_cast<LONG_PTR>(stored));

    if (settings.StartUpAnimation() != NoAnimation) {
        // The first step places the window.
        stored->StartAnimation(StartUpTimer);
        return 0;
    }
    const int x = ScreenPosition(settings.X(), stored->width, GetSystemMetrics(SM_CXSCREEN));
    const int y = ScreenPosition(settings.Y(), stored->height, GetSystemMetrics(SM_CYSCREEN));
    SetWindowPos(window, HWND_TOP, x, y, stored->width, stored->height, SWP_NOOWNERZORDER);
    return 0;
}

void OnDestroy(HWND window)
{
    Panel* panel = PanelOf(window);
    if (!panel)
        return;
    if (RefreshPeriod(panel->Settings()) != 0)
        KillTimer(window, RefreshTimer);
    SetWindowLongPtrW(window, 0, 0);
    delete panel;
}

void OnPaint(HWND window)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    Panel* panel = PanelOf(window);
    if (!panel) {
        FillRect(dc, &paint.rcPaint, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    } else if (panel->backBuffer.Dc()) {
        if (panel->repaintAllOnPaint) {
            panel->repaintAllOnPaint = false;
            const RECT& area = paint.rcPaint;
            BitBlt(dc, area.left, area.top, RectWidth(area), RectHeight(area), panel->backBuffer.Dc(), area.left,
                   area.top, SRCCOPY);
        }
        if (panel->refreshOnPaint) {
            panel->refreshOnPaint = false;
            panel->paintTarget->SetPaintDc(dc);
            RefreshDueObjects(panel->Settings());
            // The DC dies with EndPaint.
            panel->paintTarget->SetPaintDc(nullptr);
        }
    }
    EndPaint(window, &paint);
}

void OnTimer(HWND window, Panel& panel, WPARAM id)
{
    switch (id) {
    case RefreshTimer:
        panel.refreshOnPaint = true;
        InvalidateRect(window, nullptr, FALSE);
        break;
    case StartUpTimer:
        AnimationStep(window, panel, true);
        break;
    case ShutDownTimer:
        AnimationStep(window, panel, false);
        break;
    }
}

// Stylus down or up: the object is redrawn straight onto the window, outside
// any paint cycle, so its new look shows at once.
void RouteTap(Panel& panel, LPARAM lParam, bool down)
{
    const int x = LOWORD(lParam);
    const int y = HIWORD(lParam);
    GlobalSettings& settings = panel.Settings();
    settings.SetRedrawTarget(panel.windowTarget.get());
    if (down)
        settings.PressAt(x, y);
    else
        settings.ReleaseAt(x, y);
    settings.SetRedrawTarget(panel.paintTarget.get());
}

// Closing ends the program, at once or at the end of the closing animation;
// after a hand-over the animation's end removes only this window.
void OnClose(HWND window)
{
    Panel* panel = PanelOf(window);
    if (panel && panel->Settings().ShutDownAnimation() != NoAnimation)
        panel->StartAnimation(ShutDownTimer);
    else
        PostQuitMessage(0);
}

void ShowAboutBox(HWND window)
{
    MessageBoxW(window,
                TEXT("Ostrevia 1.0\nA desktop information overlay.\nQuestions and ideas: the Ostrevia team"),
                TEXT("Ostrevia"), MB_SETFOREGROUND | MB_ICONINFORMATION);
}

void OnDoubleTap(HWND window)
{
    Panel* panel = PanelOf(window);
    if (panel) {
        const GlobalSettings& settings = panel->Settings();
        if (panel->animating || !settings.QuitOnDoubleClick())
            return;
        if (settings.ShowMessage())
            ShowAboutBox(window);
    }
    OnClose(window);
}

// Opens the panel file at `path` in place of this panel: the new panel flies
// in while this one flies out, both with `kind` over the new panel's
// AnimationTime. When the new panel cannot be made this one still flies out,
// and the program then ends.
void OnOpenPanel(Panel& panel, const WCHAR* path, AnimationKind kind)
{
    GlobalSettings& settings = panel.Settings();
    settings.SetShutDownAnimation(kind);
    HWND successor = path ? CreatePanelWindow(path, GetModuleHandleW(nullptr)) : nullptr;
    if (successor) {
        settings.SetAnimationTime(static_cast<DWORD>(SendMessageW(successor, WM_BEGINENTRANCE, 0, kind)));
        ShowPanelWindow(successor);
        panel.quitAfterShutDown = false;
    }
    panel.StartAnimation(ShutDownTimer);
}

LRESULT OnBeginEntrance(Panel& panel, AnimationKind kind)
{
    panel.Settings().SetStartUpAnimation(kind);
    // A running opening goes on, with the new kind from its next step.
    if (!panel.animating)
        panel.StartAnimation(StartUpTimer);
    return static_cast<LRESULT>(panel.Settings().AnimationTime());
}

}  // namespace

LRESULT CALLBACK PanelWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return OnCreate(window, *reinterpret_cast<const CREATESTRUCTW*>(lParam));
    case WM_DESTROY:
        OnDestroy(window);
        return 0;
    case WM_PAINT:
        OnPaint(window);
        return 0;
    case WM_CLOSE:
        OnClose(window);
        return 0;
    case WM_LBUTTONDBLCLK:
        OnDoubleTap(window);
        return 0;
    default:
        break;
    }

    Panel* panel = PanelOf(window);
    switch (message) {
    case WM_ERASEBKGND:
        // Nothing is erased: WM_PAINT copies the area from the back buffer.
        if (panel)
            panel->repaintAllOnPaint = true;
        return 0;
    case WM_TIMER:
        if (panel)
            OnTimer(window, *panel, wParam);
        return 0;
    case WM_LBUTTONDOWN:
        if (panel && !panel->animating) {
            RouteTap(*panel, lParam, true);
            SetCapture(window);
        }
        return 0;
    case WM_LBUTTONUP:
        if (panel && !panel->animating) {
            RouteTap(*panel, lParam, false);
            ReleaseCapture();
        }
        return 0;
    case WM_OPENPANEL:
        if (panel)
            OnOpenPanel(*panel, reinterpret_cast<const WCHAR*>(wParam), KindFromMessage(lParam));
        return 0;
    case WM_BEGINENTRANCE:
        return panel ? OnBeginEntrance(*panel, KindFromMessage(lParam)) : 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}
