#include "platform/host/display/headless/DisplayHeadless.h"

#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "platform/host/display/PngFile.h"
#include "platform/host/display/WakeSources.h"
#include "platform/host/kernel/unicode.h"

namespace host {
namespace {

// A message box on one line: its line breaks are written as "\n".
std::string OneLine(std::u16string_view text)
{
    std::string line;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' || text[i] == u'\n') {
            if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            line += "\\n";
        } else {
            const size_t end = std::min(text.find_first_of(u"\r\n", i), text.size());
            line += ToUtf8(text.substr(i, end - i));
            i = end - 1;
        }
    }
    return line;
}

uint32_t PixelOf(COLORREF color)
{
    return (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
}

}  // namespace

DisplayHeadless::DisplayHeadless(int width, int height, Clock clock, int scale)
    : width_(std::max(width, 1)), height_(std::max(height, 1)), clock_(clock)
{
    area_ = {{0, 0}, {width_, height_}, std::max(scale, 1)};
    // The real clock starts where the system's monotonic clock stands, as
    // GetTickCount counts from boot.
    start_ = Now();
}

SIZE DisplayHeadless::ScreenSize() const
{
    return area_.ProgramSize();
}

void DisplayHeadless::WindowCreated(HWND window, const RECT& rect, const Surface* surface)
{
    views_[window] = {rect, false, surface, false, {}};
}

void DisplayHeadless::WindowDestroyed(HWND window)
{
    views_.erase(window);
    std::erase(stack_, window);
}

void DisplayHeadless::WindowMoved(HWND window, const RECT& rect, const Surface* surface)
{
    View& view = views_[window];
    view.rect = rect;
    view.surface = surface;
}

void DisplayHeadless::WindowShown(HWND window, bool visible)
{
    View& view = views_[window];
    if (visible && !view.everShown) {
        view.everShown = true;
        ++windowsShown_;
    }
    view.visible = visible;
}

void DisplayHeadless::WindowsStacked(const std::vector<StackedWindow>& stack)
{
    stack_.clear();
    for (const StackedWindow& entry : stack)
        stack_.push_back(entry.window);
}

void DisplayHeadless::WindowLayered(HWND window, const LayeredStyle& style)
{
    views_[window].layered = style;
}

void DisplayHeadless::Present(HWND, const RECT&)
{
    // The screen is composited from the window surfaces whenever it is read.
}

uint64_t DisplayHeadless::RealNow() const
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<uint64_t>(now.tv_sec) * 1000 + static_cast<uint64_t>(now.tv_nsec) / 1000000;
}

uint64_t DisplayHeadless::Now()
{
    return clock_ == Clock::Virtual ? virtualNow_ : RealNow() + realOffset_;
}

DWORD DisplayHeadless::TickCount()
{
    return static_cast<DWORD>(Now()) + tickOffset_;
}

void DisplayHeadless::SetTickCount(DWORD now)
{
    tickOffset_ = now - static_cast<DWORD>(Now());
}

void DisplayHeadless::AdvanceClock(DWORD milliseconds)
{
    if (clock_ == Clock::Virtual)
        virtualNow_ += milliseconds;
    else
        realOffset_ += milliseconds;
}

void DisplayHeadless::Sleep(DWORD milliseconds)
{
    if (clock_ == Clock::Virtual) {
        virtualNow_ += milliseconds;
        return;
    }
    timespec span{static_cast<time_t>(milliseconds / 1000), static_cast<long>(milliseconds % 1000) * 1000000};
    while (nanosleep(&span, &span) != 0) {
    }
}

void DisplayHeadless::Schedule(const std::vector<ScriptAction>& actions)
{
    for (const ScriptAction& action : actions)
        scheduled_.push_back({start_ + action.time, action});
    std::stable_sort(scheduled_.begin(), scheduled_.end(),
                     [](const Pending& a, const Pending& b) { return a.time < b.time; });
}

void DisplayHeadless::EndRunAfter(DWORD milliseconds)
{
    ScriptAction quit;
    quit.time = milliseconds;
    Schedule({quit});
}

void DisplayHeadless::QueueStylus(DisplayEvent::Kind kind, POINT point)
{
    Queue({kind, point});
}

void DisplayHeadless::Queue(const DisplayEvent& event)
{
    events_.push_back(event);
}

void DisplayHeadless::Start(const ScriptAction& action)
{
    using Kind = ScriptAction::Kind;
    const POINT point = area_.ToProgram(action.point);
    switch (action.kind) {
    case Kind::DoubleTap:
        QueueStylus(DisplayEvent::Kind::StylusDown, point);
        QueueStylus(DisplayEvent::Kind::StylusUp, point);
        [[fallthrough]];
    case Kind::Tap:
        QueueStylus(DisplayEvent::Kind::StylusDown, point);
        QueueStylus(DisplayEvent::Kind::StylusUp, point);
        break;
    case Kind::Press:
        QueueStylus(DisplayEvent::Kind::StylusDown, point);
        break;
    case Kind::Release:
        QueueStylus(DisplayEvent::Kind::StylusUp, point);
        break;
    case Kind::Snapshot:
        if (!WriteSnapshot(action.file.c_str()))
            fprintf(stderr, "snapshot: cannot write %s\n", action.file.c_str());
        break;
    case Kind::Quit:
        events_.push_back({DisplayEvent::Kind::Quit, {}});
        break;
    }
}

bool DisplayHeadless::StartDueActions()
{
    while (!scheduled_.empty() && scheduled_.front().time <= Now()) {
        const ScriptAction action = std::move(scheduled_.front().action);
        scheduled_.pop_front();
        Start(action);
        // What follows at the same moment waits until the program has
        // handled this, as a snapshot must show its effect.
        if (!events_.empty())
            return true;
    }
    return false;
}

void DisplayHeadless::Wait(std::optional<uint64_t> deadline)
{
    if (!events_.empty() || StartDueActions())
        return;
    // Files changed or a signal came meanwhile: the program looks first.
    if (HasWakeSources() && WaitForInput(-1, 0).woken)
        return;
    std::optional<uint64_t> next = deadline;
    if (!scheduled_.empty() && (!next || scheduled_.front().time < *next))
        next = scheduled_.front().time;
    if (!next) {
        if (HasWakeSources()) {
            WaitForInput(-1, -1);
            return;
        }
        // No timer, no input, no end of run: the program would hang forever.
        fputs("headless display: nothing left to wait for\n", stderr);
        abort();
    }
    if (clock_ == Clock::Virtual) {
        // A child program runs: what it prints comes in real time, so the
        // virtual clock keeps pace with the real one meanwhile.
        if (HasWakeSourcesFromChildren() && *next > virtualNow_) {
            const uint64_t start = RealNow();
            const int timeout = static_cast<int>(std::min<uint64_t>(*next - virtualNow_, 1u << 30));
            if (WaitForInput(-1, timeout).woken) {
                virtualNow_ = std::min(*next, virtualNow_ + (RealNow() - start));
                return;
            }
        }
        virtualNow_ = std::max(virtualNow_, *next);
    } else if (HasWakeSources()) {
        while (Now() < *next) {
            if (WaitForInput(-1, static_cast<int>(std::min<uint64_t>(*next - Now(), 1u << 30))).woken)
                return;
        }
    } else if (*next > Now()) {
        const uint64_t until = *next - realOffset_;
        const timespec wake{static_cast<time_t>(until / 1000), static_cast<long>(until % 1000) * 1000000};
        while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &wake, nullptr) != 0) {
        }
    }
    // A timer due at the same moment goes first.
    if (deadline && Now() >= *deadline)
        return;
    StartDueActions();
}

int DisplayHeadless::MessageBox(HWND, std::u16string_view text, std::u16string_view caption, UINT style)
{
    if (quietMessageBoxes_)
        return IDOK;
    fprintf(stderr, "msgbox 0x%08x | %s | %s\n", style, OneLine(caption).c_str(), OneLine(text).c_str());
    fflush(stderr);
    return IDOK;
}

uint32_t DisplayHeadless::Over(const View& view, uint32_t pixel, uint32_t below)
{
    return view.layered.SeeThrough() ? BlendOver(pixel, below, view.layered) : pixel & 0xFFFFFF;
}

uint32_t DisplayHeadless::PixelAt(int realX, int realY) const
{
    const POINT program = area_.ToProgram({realX, realY});
    const int x = program.x;
    const int y = program.y;
    // Bottom window first, as a see-through window shows what lies below.
    uint32_t pixel = PixelOf(kDesktopColor);
    for (auto window = stack_.rbegin(); window != stack_.rend(); ++window) {
        const auto found = views_.find(*window);
        if (found == views_.end())
            continue;
        const View& view = found->second;
        if (!view.visible || !view.surface)
            continue;
        const int sx = x - view.rect.left;
        const int sy = y - view.rect.top;
        if (sx >= 0 && sy >= 0 && sx < view.surface->width && sy < view.surface->height)
            pixel = Over(view, view.surface->Row(sy)[sx], pixel);
    }
    return pixel;
}

COLORREF DisplayHeadless::ScreenPixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return CLR_INVALID;
    const uint32_t pixel = PixelAt(x, y);
    return RGB(pixel >> 16, pixel >> 8, pixel);
}

bool DisplayHeadless::WriteSnapshot(const char* pngPath) const
{
    // Bottom window first, each only where it meets the screen: the cost is
    // what can be seen, however many windows lie elsewhere.
    std::vector<uint32_t> pixels(static_cast<size_t>(width_) * height_, PixelOf(kDesktopColor));
    for (auto window = stack_.rbegin(); window != stack_.rend(); ++window) {
        const auto found = views_.find(*window);
        if (found == views_.end() || !found->second.visible || !found->second.surface)
            continue;
        const View& view = found->second;
        // Real pixels: the window's program pixels, each a scale x scale block.
        const int64_t scale = area_.scale;
        const int64_t left = std::max<int64_t>(view.rect.left * scale, 0);
        const int64_t top = std::max<int64_t>(view.rect.top * scale, 0);
        const int64_t right = std::min<int64_t>((int64_t{view.rect.left} + view.surface->width) * scale, width_);
        const int64_t bottom = std::min<int64_t>((int64_t{view.rect.top} + view.surface->height) * scale, height_);
        for (int64_t y = top; y < bottom; ++y) {
            const uint32_t* row = view.surface->Row(static_cast<int>(y / scale - view.rect.top));
            for (int64_t x = left; x < right; ++x) {
                uint32_t& pixel = pixels[static_cast<size_t>(y) * width_ + x];
                pixel = Over(view, row[x / scale - view.rect.left], pixel);
            }
        }
    }
    Surface screen{width_, height_, reinterpret_cast<uint8_t*>(pixels.data()), static_cast<ptrdiff_t>(width_) * 4};
    return WritePng(pngPath, screen);
}

}  // namespace host
