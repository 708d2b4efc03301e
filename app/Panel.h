// The state of one panel window, made in WM_CREATE and destroyed in
// WM_DESTROY; window slot 0 holds it. It owns the settings with the objects,
// the back buffer that always holds the panel's complete picture, the
// background and the two redraw targets.
#pragma once

#include <memory>

#include "config/Paths.h"
#include "gauges/DibSurface.h"
#include "platform/win32.h"

class GlobalSettings;
class PaintRedrawTarget;
class WindowRedrawTarget;

// The window timers of a panel; WM_TIMER carries the id.
constexpr UINT_PTR RefreshTimer = 1;
constexpr UINT_PTR StartUpTimer = 2;
constexpr UINT_PTR ShutDownTimer = 3;

class Panel {
public:
    explicit Panel(HWND window);
    Panel(const Panel&) = delete;
    Panel& operator=(const Panel&) = delete;
    // Destroys the settings with their objects, the redraw targets, the back
    // buffer, then the background brush and bitmap.
    virtual ~Panel();

    // The panel's settings and objects (Panel and settings live and die together).
    GlobalSettings& Settings() { return *settings; }
    const GlobalSettings& Settings() const { return *settings; }

    // Makes the back buffer of width x height and the two redraw targets;
    // the paint target becomes the settings' current target.
    void CreateBackBuffer();

    // Sets Animating and starts the opening (StartUpTimer) or the closing
    // (ShutDownTimer) animation at the current tick; a running one restarts.
    void StartAnimation(UINT_PTR timer);

    // Remembers the panel file that the panel is loaded from, and the
    // fingerprint the file has before loading.
    void SetFile(const WCHAR* path);
    const WCHAR* FilePath() const { return filePath_; }

    std::unique_ptr<GlobalSettings> settings;
    int width = 0;
    int height = 0;
    HBRUSH backgroundBrush = nullptr;
    HBITMAP backgroundBitmap = nullptr;
    std::unique_ptr<PaintRedrawTarget> paintTarget;
    std::unique_ptr<WindowRedrawTarget> windowTarget;
    bool repaintAllOnPaint = false;
    bool refreshOnPaint = false;
    // The refresh timer runs once at FirstRefreshDelay before its period.
    bool earlyRefresh = false;
    DibSurface backBuffer;
    DWORD animationStart = 0;
    bool animating = false;
    // At the end of the closing animation: quit the program, or, after a
    // hand-over to another panel, remove only this window.
    bool quitAfterShutDown = true;
    // FileFingerprint of the panel file as last loaded or tried.
    ULONGLONG fileFingerprint = 0;

private:
    HWND window_;
    WCHAR filePath_[kMaxPath] = {};
};
