// What the painters cost: one bar of each style, one blur pass and one
// outlined text, warm (the same drawing repeated on one surface).
#include <benchmark/benchmark.h>

#include <cstring>

#include "gauges/BarPainter.h"
#include "gauges/BlurFilter.h"
#include "objects/Text.h"
#include "platform/host/testing.h"

namespace {

constexpr int kBarWidth = 120;
constexpr int kBarHeight = 13;

// A surface a little larger than a bar, on a fresh host.
struct BarSurface {
    BarSurface()
    {
        host::testing::ResetHost();
        surface.Create(kBarWidth + 8, kBarHeight + 8);
        std::memset(surface.Pixels(), 0x40, 4 * static_cast<size_t>(surface.Width()) * surface.Height());
    }
    ~BarSurface() { surface.Destroy(); }

    GaugeRow Row(UINT style) const
    {
        GaugeRow row = {};
        row.flags = BarRow | PercentText | style;
        row.dc = surface.Dc();
        row.x = 4;
        row.y = 4;
        row.width = kBarWidth;
        row.rowHeight = kBarHeight;
        row.textColor = RGB(255, 255, 255);
        row.borderColor = RGB(0, 0, 0);
        row.lowColor = RGB(255, 0, 0);
        row.highColor = RGB(0, 255, 0);
        row.centerColor = RGB(255, 255, 0);
        row.lightColor = RGB(255, 255, 255);
        row.blurColor = RGB(0, 0, 128);
        return row;
    }

    DibSurface surface;
};

void BM_CoolBar(benchmark::State& state)
{
    BarSurface bar;
    const GaugeRow row = bar.Row(CoolStyle);
    for (auto _ : state)
        DrawCoolBar(bar.surface, row, 0, 700);
}
BENCHMARK(BM_CoolBar)->Name("BM_CoolBar/120x13");

void BM_PlainBar(benchmark::State& state)
{
    BarSurface bar;
    const GaugeRow row = bar.Row(0);
    for (auto _ : state)
        DrawPlainBar(row, 0, 700);
}
BENCHMARK(BM_PlainBar)->Name("BM_PlainBar/120x13");

// One plain pass over a bar's rectangle (the filter and its scratch surface
// made once).
void BM_BlurPass(benchmark::State& state)
{
    BarSurface bar;
    BlurFilter filter(1, nullptr);
    const RECT rect = {4, 4, 4 + kBarWidth, 4 + kBarHeight};
    for (auto _ : state)
        filter.Apply(bar.surface, rect);
}
BENCHMARK(BM_BlurPass)->Name("BM_BlurPass/120x13");

// Eight characters in the stock font with a frame colour: drawn nine times.
void BM_OutlinedText(benchmark::State& state)
{
    host::testing::ResetHost();
    Text text;
    const WCHAR* lines[] = {TEXT("Text = Ostrevia"), TEXT("Color = FFFFFF"), TEXT("FrameColor = 1C5A8C")};
    for (const WCHAR* line : lines)
        text.ParseKey(line, static_cast<UINT>(std::char_traits<WCHAR>::length(line)), false);
    HDC screen = GetDC(nullptr);
    text.Measure(screen);
    ReleaseDC(nullptr, screen);
    DibSurface surface;
    surface.Create(text.Width() + 4, text.Height() + 4);
    for (auto _ : state)
        text.Draw(surface, 1, 1);
    surface.Destroy();
}
BENCHMARK(BM_OutlinedText)->Name("BM_OutlinedText/chars:8");

}  // namespace
