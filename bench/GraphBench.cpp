// What a graph's redraw costs beside a cool bar of its size: one new sample
// shifted in, its column painted, the picture copied to the panel and the
// label and value written.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "gauges/BarPainter.h"
#include "gauges/GraphInfo.h"
#include "platform/host/testing.h"

namespace {

constexpr int kWidth = 200;
constexpr int kHeight = 40;

struct GraphSurface {
    GraphSurface()
    {
        host::testing::ResetHost(960, 480);
        host::testing::FakeCpuLoad(35);
        surface.Create(kWidth + 8, kHeight + 8);
        std::memset(surface.Pixels(), 0x40, 4 * static_cast<size_t>(surface.Width()) * surface.Height());
        SetBkMode(surface.Dc(), TRANSPARENT);
    }
    ~GraphSurface() { surface.Destroy(); }

    DibSurface surface;
};

void Parse(GraphInfo& graph, const std::u16string& line)
{
    graph.ParseKey(line.c_str(), static_cast<UINT>(line.size()), false);
}

// A full graph (a sample in every column) of the processor load, each
// iteration a second later with one sample more.
void BM_GraphRedraw(benchmark::State& state)
{
    GraphSurface graphSurface;
    GraphInfo graph;
    Parse(graph, u"Source = CPU");
    Parse(graph, u"Width = 200");
    Parse(graph, u"Height = 40");
    auto step = [&] {
        host::testing::AdvanceClock(1000);
        graph.IsDue();
        graph.Draw(graphSurface.surface, 4, 4);
    };
    for (int i = 0; i < kWidth; ++i)
        step();
    for (auto _ : state)
        step();
}
BENCHMARK(BM_GraphRedraw)->Name("BM_GraphRedraw/200x40");

void BM_CoolBarOfAGraphsSize(benchmark::State& state)
{
    GraphSurface graphSurface;
    GaugeRow row = {};
    row.flags = BarRow | PercentText | CoolStyle;
    row.dc = graphSurface.surface.Dc();
    row.x = 4;
    row.y = 4;
    row.width = kWidth;
    row.rowHeight = kHeight;
    row.textColor = RGB(255, 255, 255);
    row.lowColor = RGB(255, 0, 0);
    row.highColor = RGB(0, 255, 0);
    row.centerColor = RGB(255, 255, 0);
    row.lightColor = RGB(255, 255, 255);
    row.blurColor = RGB(0, 0, 128);
    for (auto _ : state)
        DrawCoolBar(graphSurface.surface, row, 0, 700);
}
BENCHMARK(BM_CoolBarOfAGraphsSize)->Name("BM_CoolBar/200x40");

}  // namespace
