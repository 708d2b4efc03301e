// Soak: the bundled clock handed over to its seconds view and back, again
// and again (10,000 hand-overs unless a count is given), on the headless
// host. After every return to the clock exactly one panel window is open and
// the live GDI objects are as many as after the first return; after the
// last window is destroyed none is left. Built with -DOSTREVIA_SANITIZE=ON,
// LeakSanitizer checks the memory at exit. scripts/soak runs it, beside the
// reload test that saves a shown panel a thousand times.
#include <cstdio>
#include <cstdlib>

#include "app/PanelWindowList.h"
#include "app/PanelWindows.h"
#include "platform/host/testing.h"
#include "tests/support/TestFiles.h"

namespace {

// Where the clock stands (X 156, Y 4, 80 x 48): its middle is its button.
constexpr int kClockX = 196, kClockY = 28;
// Longer than the panels' AnimationTime (500 ms) on the virtual clock.
constexpr DWORD kHandOverTime = 1000;

bool OnePanelOpen()
{
    return PanelWindowList::Windows().size() == 1 && host::testing::WindowsInZOrder().size() == 1;
}

}  // namespace

int main(int argc, char** argv)
{
    const int handOvers = argc > 1 ? atoi(argv[1]) : 10000;
    host::testing::ResetHost();
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    RegisterPanelClass(instance);
    const int before = host::testing::LiveGdiObjects();
    const HWND clock = CreatePanelWindow(testfiles::Utf16(OSTREVIA_EXAMPLES "/Clock.ini").c_str(), instance);
    if (!clock) {
        fputs("soak: the bundled Clock.ini cannot be opened\n", stderr);
        return 1;
    }
    ShowPanelWindow(clock);
    host::testing::RunFor(kHandOverTime);

    int baseline = -1;
    HWND shown = clock;
    for (int done = 1; done <= handOvers; ++done) {
        host::testing::Tap(kClockX, kClockY);
        if (host::testing::RunFor(kHandOverTime) || !OnePanelOpen() || PanelWindowList::Windows().front() == shown) {
            fprintf(stderr, "soak: hand-over %d failed: %zu panels are open\n", done, PanelWindowList::Windows().size());
            return 1;
        }
        shown = PanelWindowList::Windows().front();
        if (done % 2 != 0)
            continue;
        const int live = host::testing::LiveGdiObjects();
        if (baseline < 0)
            baseline = live;
        if (live != baseline) {
            fprintf(stderr, "soak: after %d hand-overs %d GDI objects are alive, %d after the first return\n", done,
                    live, baseline);
            return 1;
        }
    }
    host::testing::ResetHost();
    PanelWindowList::Clear();
    const int left = host::testing::LiveGdiObjects() - before;
    printf("soak: %d hand-overs, one panel open throughout, %d live GDI objects with the clock open each time, "
           "%d left after the last window\n",
           handOvers, baseline, left);
    return left == 0 ? 0 : 1;
}
