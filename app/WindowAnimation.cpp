#include "app/WindowAnimation.h"

#include <cstdint>

#include "app/GlobalSettings.h"
#include "app/Layout.h"
#include "app/Panel.h"
#include "app/PanelWindows.h"

namespace {

// The share of the way covered: [v] is v x numerator / denominator,
// truncated toward zero. With acceleration both are squares of 32-bit
// times, and v spans up to 34 bits, so the product needs 128 bits.
struct Progress {
    uint64_t numerator;
    uint64_t denominator;

    int64_t Of(int64_t v) const
    {
        const __int128 product = static_cast<__int128>(v) * numerator;
        return static_cast<int64_t>(product / static_cast<__int128>(denominator));
    }
};

// How a kind moves the window along one axis: towards larger coordinates
// (right, down), towards smaller ones (left, up), or not at all.
enum class Direction { Still, Forward, Backward };

struct Movement {
    Direction horizontal;
    Direction vertical;
};

constexpr Movement kMovements[] = {
    {Direction::Still, Direction::Still},        // NoAnimation
    {Direction::Forward, Direction::Still},      // FlyRight
    {Direction::Still, Direction::Forward},      // FlyDown
    {Direction::Backward, Direction::Still},     // FlyLeft
    {Direction::Still, Direction::Backward},     // FlyUp
    {Direction::Forward, Direction::Forward},    // FlyDiagRightDown
    {Direction::Forward, Direction::Backward},   // FlyDiagRightUp
    {Direction::Backward, Direction::Forward},   // FlyDiagLeftDown
    {Direction::Backward, Direction::Backward},  // FlyDiagLeftUp
    {Direction::Still, Direction::Still},        // RollDown: the height changes instead
};

// The window's coordinate on one axis; the distances are the window's own
// extent, not the screen's. A forward opening comes from -extent, a backward
// one from +extent, to `position`; a forward closing goes from `position` to
// position + extent, a backward one to -extent.
int64_t Travel(Direction direction, bool opening, int64_t position, int64_t extent, const Progress& progress)
{
    switch (direction) {
    case Direction::Still:
        break;
    case Direction::Forward:
        return opening ? progress.Of(extent + position) - extent : position + progress.Of(extent);
    case Direction::Backward:
        return opening ? extent - progress.Of(extent - position) : position - progress.Of(extent + position);
    }
    return position;
}

}  // namespace

bool AnimationFrameAt(AnimationKind kind, bool opening, int x, int y, int width, int height, DWORD elapsed,
                      DWORD duration, bool accelerated, AnimationFrame& frame)
{
    if (elapsed > duration || duration == 0)
        return false;
    Progress progress{elapsed, duration};
    if (accelerated)
        progress = Progress{uint64_t{elapsed} * elapsed, uint64_t{duration} * duration};

    // A kind from a message may be anything: unknown ones stand still.
    const bool known = kind >= NoAnimation && kind <= RollDown;
    const Movement movement = known ? kMovements[kind] : kMovements[NoAnimation];
    frame.x = static_cast<int>(Travel(movement.horizontal, opening, x, width, progress));
    frame.y = static_cast<int>(Travel(movement.vertical, opening, y, height, progress));
    frame.width = width;
    frame.height = height;
    if (kind == RollDown) {
        const int64_t shown = progress.Of(height);
        frame.height = static_cast<int>(opening ? shown : height - shown);
    }
    return true;
}

void AnimationStep(HWND window, Panel& panel, bool opening)
{
    const GlobalSettings& settings = panel.Settings();
    const DWORD elapsed = GetTickCount() - panel.animationStart;  // unsigned: survives the tick wrap
    const AnimationKind kind = opening ? settings.StartUpAnimation() : settings.ShutDownAnimation();
    // The resting place is the one the panel gets without animation: a
    // negative X or Y counts from the far screen edge here too, or the panel
    // would come to rest off the screen. The screen is asked at every step,
    // as it may change while the panel flies.
    const POINT place = RestingPlace(settings, panel.width, panel.height);
    AnimationFrame frame;
    if (AnimationFrameAt(kind, opening, place.x, place.y, panel.width, panel.height, elapsed, settings.AnimationTime(),
                         settings.Accelerated(), frame)) {
        SetWindowPos(window, nullptr, frame.x, frame.y, frame.width, frame.height, SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    if (opening) {
        SetWindowPos(window, nullptr, place.x, place.y, panel.width, panel.height, SWP_NOZORDER | SWP_NOACTIVATE);
        KillTimer(window, StartUpTimer);
        panel.animating = false;
        return;
    }
    KillTimer(window, ShutDownTimer);
    if (panel.quitAfterShutDown)
        PostQuitMessage(0);
    else
        RemovePanelWindow(window);
}
