// Whole panels on the headless screen and its virtual clock: one refresh
// tick, and start-up up to the first paint, for the overlay panel and for
// 1, 10 and 50 panels of ten gauges each; and a tick of the overlay panel
// whose only change is the seconds.
#include <benchmark/benchmark.h>

#include "bench/BenchPanels.h"
#include "platform/host/testing.h"

namespace {

std::u16string GaugeList(int panels)
{
    const std::string name = "Panels" + std::to_string(panels) + ".ini";
    return std::u16string(name.begin(), name.end());
}

// One second of virtual time: every gauge of every panel is due once.
// `steady` keeps the readings and the date still, so that only the clock's
// seconds change.
void RunRefresh(benchmark::State& state, const std::string& folder, const std::u16string& list, bool steady = false)
{
    if (bench::OpenPanels(folder, list) == 0) {
        state.SkipWithError("no panel opened");
        return;
    }
    if (steady) {
        host::testing::FakeWallClock(1767225600);  // midnight: a day to go before the date changes
        host::testing::FakeMemory(1ull << 30, 4ull << 30, 1ull << 29, 1ull << 31);
        host::testing::FakeDisk(20ull << 30, 100ull << 30);
        host::testing::FakeBattery(80, false, true);
    }
    host::testing::RunFor(2000);  // past the first refreshes
    for (auto _ : state)
        host::testing::RunFor(1000);
    bench::ClosePanels();
}

void BM_RefreshOverlay(benchmark::State& state)
{
    RunRefresh(state, bench::OverlayFolder(), u"OverlayList.ini");
}
BENCHMARK(BM_RefreshOverlay)->Name("BM_Refresh/overlay");

void BM_RefreshSecondsOnly(benchmark::State& state)
{
    RunRefresh(state, bench::OverlayFolder(), u"OverlayList.ini", true);
}
BENCHMARK(BM_RefreshSecondsOnly)->Name("BM_Refresh/seconds-only");

void BM_Refresh(benchmark::State& state)
{
    const int panels = static_cast<int>(state.range(0));
    RunRefresh(state, bench::GaugePanelFolder(panels), GaugeList(panels));
}
BENCHMARK(BM_Refresh)->ArgName("panels")->Arg(1)->Arg(10)->Arg(50);

// From reading the list to every panel painted once.
void RunStartup(benchmark::State& state, const std::string& folder, const std::u16string& list)
{
    for (auto _ : state) {
        if (bench::OpenPanels(folder, list) == 0) {
            state.SkipWithError("no panel opened");
            return;
        }
        state.PauseTiming();
        bench::ClosePanels();
        state.ResumeTiming();
    }
}

void BM_StartupOverlay(benchmark::State& state)
{
    RunStartup(state, bench::OverlayFolder(), u"OverlayList.ini");
}
BENCHMARK(BM_StartupOverlay)->Name("BM_Startup/overlay")->Unit(benchmark::kMillisecond);

void BM_Startup(benchmark::State& state)
{
    const int panels = static_cast<int>(state.range(0));
    RunStartup(state, bench::GaugePanelFolder(panels), GaugeList(panels));
}
BENCHMARK(BM_Startup)->ArgName("panels")->Arg(1)->Arg(10)->Arg(50)->Unit(benchmark::kMillisecond);

}  // namespace
