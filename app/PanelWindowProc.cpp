#include "app/PanelWindowProc.h"

#include <memory>

#include "app/FileFingerprint.h"
#include "app/GlobalSettings.h"
#include "app/Layout.h"
#include "app/Panel.h"
#include "app/PaintRedrawTarget.h"
#include "app/PanelFileLoader.h"
#include "app/PanelMessages.h"
#include "app/PanelPainting.h"
#include "app/PanelWindows.h"
#include "app/Version.h"
#include "app/ScreenFit.h"
#include "app/SeeThrough.h"
#include "app/UnicodeFile.h"
#include "app/WindowAnimation.h"
#include "app/WindowRedrawTarget.h"
#include "config/Diagnostics.h"
#include "config/LoadFindings.h"
#include "config/TextParsing.h"

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

// The panel of the file at `path` for `window`: loaded, sized, with its back
// buffer composed. Null when the file cannot be loaded; the loader has said
// why.
std::unique_ptr<Panel> BuildPanel(HWND window, const WCHAR* path)
{
    LoadFindings load(LoadFindings::Boxes::Shown);
    auto panel = std::make_unique<Panel>(window);
    panel->SetFile(path);
    GlobalSettings& settings = panel->Settings();
    if (LoadPanelFile(settings, path, &panel->fileFingerprint))
        return nullptr;

    panel->width = PanelWidth(settings);
    panel->height = PanelHeight(settings);
    DiagnosticPlace place(path);
    place.SetLine(settings.SectionLine());
    if (!PanelFitsScreen(panel->width, panel->height)) {
        ConfigMessageBox(nullptr, path, TEXT("Das Panel ist größer als das Vierfache des Bildschirms."),
                         MB_SETFOREGROUND | MB_ICONERROR);
        return nullptr;
    }
    ReportScreenFit(settings, panel->width, panel->height);
    panel->CreateBackBuffer();
    place.SetLine(settings.BackgroundBitmapLine());
    BuildBackground(window, *panel);
    ComposeBackBuffer(*panel);
    ReportSeeThroughPitfalls(*panel);
    return panel;
}

// The refresh timer at its period; once at the first refresh delay before,
// when that is shorter, so that objects waiting for a second reading show
// their first value soon after the panel appears.
void StartRefreshTimer(HWND window, Panel& panel)
{
    const DWORD period = RefreshPeriod(panel.Settings());
    if (period == 0)
        return;
    const DWORD early = FirstRefreshDelay(panel.Settings());
    panel.earlyRefresh = early != 0 && early < period;
    SetTimer(window, RefreshTimer, panel.earlyRefresh ? early : period, nullptr);
}

LRESULT OnCreate(HWND window, const CREATESTRUCTW& create)
{
    std::unique_ptr<Panel> panel = BuildPanel(window, static_cast<const WCHAR*>(create.lpCreateParams));
    if (!panel)
        return -1;
    const GlobalSettings& settings = panel->Settings();
    ApplySeeThrough(window, settings);
    if (settings.TopMost())
        SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);

    Panel* stored = panel.release();
    StartRefreshTimer(window, *stored);
    SetWindowLongPtrW(window, 0, reinterpret_cast<LONG_PTR>(stored));

    if (settings.StartUpAnimation() != NoAnimation) {
        // The first step places the window.
        stored->StartAnimation(StartUpTimer);
        return 0;
    }
    const POINT place = RestingPlace(settings, stored->width, stored->height);
    SetWindowPos(window, HWND_TOP, place.x, place.y, stored->width, stored->height, SWP_NOOWNERZORDER);
    return 0;
}

// Replaces the panel by a fresh load of its file, in place and without
// animation. A file that cannot be opened or lacks the byte-order mark (an
// editor's save half done) keeps the panel and is only written to the
// diagnostics channel; a panel in an animation is left alone. 1 when the
// panel was replaced.
LRESULT OnReloadPanel(HWND window, Panel& old)
{
    if (old.animating)
        return 0;
    WCHAR path[kMaxPath];
    CopyText(old.FilePath(), path, kMaxPath);
    old.fileFingerprint = FileFingerprint(path);
    UnicodeFileProblem problem;
    HANDLE file = OpenUnicodeFileQuietly(path, FILE_ATTRIBUTE_NORMAL, problem);
    if (file == INVALID_HANDLE_VALUE) {
        ReportUnusableSave(path, problem, TEXT("the panel shown stays until the file is saved again"));
        return 0;
    }
    CloseHandle(file);

    std::unique_ptr<Panel> fresh;
    {
        LoadFindings reload(LoadFindings::Boxes::Summarised);
        fresh = BuildPanel(window, path);
    }
    // Message boxes of the load run their own message loop: the window may
    // have begun to close, or be gone, meanwhile.
    if (!fresh || PanelOf(window) != &old || old.animating)
        return 0;
    const bool wasTopMost = old.Settings().TopMost();
    if (RefreshPeriod(old.Settings()) != 0)
        KillTimer(window, RefreshTimer);
    Panel* stored = fresh.release();
    SetWindowLongPtrW(window, 0, reinterpret_cast<LONG_PTR>(stored));
    delete &old;

    const GlobalSettings& settings = stored->Settings();
    ApplySeeThrough(window, settings);
    if (settings.TopMost() != wasTopMost)
        SetWindowPos(window, settings.TopMost() ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    StartRefreshTimer(window, *stored);
    const POINT rest = RestingPlace(settings, stored->width, stored->height);
    SetWindowPos(window, nullptr, rest.x, rest.y, stored->width, stored->height, SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(window, nullptr, TRUE);
    return 1;
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

void RefreshOnNextPaint(HWND window, Panel& panel)
{
    panel.refreshOnPaint = true;
    InvalidateRect(window, nullptr, FALSE);
}

void OnTimer(HWND window, Panel& panel, WPARAM id)
{
    switch (id) {
    case RefreshTimer:
        if (panel.earlyRefresh) {
            panel.earlyRefresh = false;
            SetTimer(window, RefreshTimer, RefreshPeriod(panel.Settings()), nullptr);
        }
        RefreshOnNextPaint(window, panel);
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
                TEXT("Ostrevia " OSTREVIA_VERSION "\nA desktop information overlay.\nQuestions and ideas: the Ostrevia team"),
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
    case WM_DISPLAYCHANGE:
        // The screen changed size: the panel takes its place on the new one.
        // A flying panel finds it at its next step.
        if (panel && !panel->animating) {
            const POINT place = RestingPlace(panel->Settings(), panel->width, panel->height);
            SetWindowPos(window, nullptr, place.x, place.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        return 0;
    case WM_RELOADPANEL:
        return panel ? OnReloadPanel(window, *panel) : 0;
    case WM_COMMANDOUTPUT:
        if (panel)
            RefreshOnNextPaint(window, *panel);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

const Panel* PanelOfWindow(HWND window)
{
    return PanelOf(window);
}
