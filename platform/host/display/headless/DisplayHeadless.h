// A display without a screen: windows are composited in z-order onto a
// virtual screen that tests read and that runs save as PNG snapshots. At a
// scale of N the program sees a screen N times smaller than the virtual one,
// and each of its pixels is an N x N block there; scripted input and the
// screen's pixels are counted in the virtual screen's own pixels.
//
// On the virtual clock (the default) time stands still while the program
// works and jumps, when nothing is pending, straight to the next deadline or
// scripted action, so runs are instant and repeatable; only while a child
// program runs does it keep pace with the real clock. On the real clock
// waiting really sleeps.
#pragma once

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "platform/host/display/Display.h"
#include "platform/host/display/ScreenArea.h"
#include "platform/host/display/headless/Script.h"

namespace host {

class DisplayHeadless final : public Display {
public:
    enum class Clock { Virtual, Real };
    static constexpr COLORREF kDesktopColor = RGB(0x3A, 0x6E, 0xA5);

    explicit DisplayHeadless(int width = 240, int height = 320, Clock clock = Clock::Virtual, int scale = 1);

    SIZE ScreenSize() const override;
    void WindowCreated(HWND window, const RECT& rect, const Surface* surface) override;
    void WindowDestroyed(HWND window) override;
    void WindowMoved(HWND window, const RECT& rect, const Surface* surface) override;
    void WindowShown(HWND window, bool visible) override;
    void WindowsStacked(const std::vector<StackedWindow>& stack) override;
    void WindowLayered(HWND window, const LayeredStyle& style) override;
    void Present(HWND window, const RECT& rect) override;
    uint64_t Now() override;
    DWORD TickCount() override;
    void Sleep(DWORD milliseconds) override;
    void Wait(std::optional<uint64_t> deadline) override;
    int MessageBox(HWND owner, std::u16string_view text, std::u16string_view caption, UINT style) override;

    // Makes GetTickCount read `now` from here on; deadlines are unaffected.
    void SetTickCount(DWORD now);
    void AdvanceClock(DWORD milliseconds);

    // Actions at times counted from the start of the run (construction).
    void Schedule(const std::vector<ScriptAction>& actions);
    // Counted, like the actions, from the start of the run.
    void EndRunAfter(DWORD milliseconds) override;

    // Message boxes return IDOK without their "msgbox" line on stderr.
    void QuietMessageBoxes() { quietMessageBoxes_ = true; }
    // How many windows the program has shown so far.
    int WindowsShown() const { return windowsShown_; }

    // Stylus input that happens now, at a point of the program's screen.
    void QueueStylus(DisplayEvent::Kind kind, POINT point);
    // Any event that happens now, e.g. a part of a window the screen lost.
    void Queue(const DisplayEvent& event);

    // CLR_INVALID outside the screen.
    COLORREF ScreenPixel(int x, int y) const;
    bool WriteSnapshot(const char* pngPath) const override;

private:
    struct View {
        RECT rect{};
        bool visible = false;
        const Surface* surface = nullptr;
        bool everShown = false;
        LayeredStyle layered;
    };
    struct Pending {
        uint64_t time;
        ScriptAction action;
    };

    uint64_t RealNow() const;
    // Starts every scheduled action that is due; stops early (returning
    // true) once one of them has queued an event.
    bool StartDueActions();
    void Start(const ScriptAction& action);
    uint32_t PixelAt(int x, int y) const;
    // `pixel` of the window of `view` as it shows over `below`.
    static uint32_t Over(const View& view, uint32_t pixel, uint32_t below);

    int width_;
    int height_;
    Clock clock_;
    ScreenArea area_;
    uint64_t virtualNow_ = 0;
    uint64_t realOffset_ = 0;
    DWORD tickOffset_ = 0;
    uint64_t start_;
    std::map<HWND, View> views_;
    std::vector<HWND> stack_;  // topmost first
    std::deque<Pending> scheduled_;  // in time order
    bool quietMessageBoxes_ = false;
    int windowsShown_ = 0;
};

}  // namespace host
