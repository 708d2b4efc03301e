#include "gauges/CpuInfo.h"

#include <gtest/gtest.h>

#include "platform/host/testing.h"
#include "tests/gauges/KeyLines.h"
#include "tests/gauges/ReferenceDrawing.h"
#include "tests/gauges/SurfaceTest.h"

using namespace surfacetest;
using keylines::Parse;
using keylines::ParseAll;

namespace {

class CpuInfoTest : public SurfaceTest {
protected:
    CpuInfoTest() : SurfaceTest(140, 60) {}

    // A measured gauge 120 pixels wide with only a bar.
    static void MakeBarOnly(CpuInfo& cpu)
    {
        ParseAll(cpu, {"CpuString = 0", "CpuValue = 0", "Width = 120"});
        keylines::MeasureOnScreen(cpu);
    }

    // A bar-only gauge made while the processors are `percent` busy, drawn
    // after one interval.
    std::vector<BYTE> BarAt(int percent)
    {
        host::testing::FakeCpuLoad(percent);
        CpuInfo cpu;
        MakeBarOnly(cpu);
        host::testing::AdvanceClock(2000);
        Fill(surface, kMarker);
        cpu.Draw(surface, 0, 0);
        return Bytes(surface);
    }
};

TEST_F(CpuInfoTest, BarAtALoadIsTheMemoryBarAtThatShareOf1024)
{
    const struct {
        int percent;
        UINT fraction;
    } cases[] = {
        {25, 256},
        {50, 512},
        {100, 1024},
        {0, 0},
        {37, 379},  // rounded up from 378.88: truncated, the bar would read 36 % beside "37.0%"
    };
    for (const auto& c : cases)
        EXPECT_EQ(BarAt(c.percent), MemoryBar(surface, c.fraction, 120)) << c.percent;
}

TEST_F(CpuInfoTest, FirstDrawMeasuresFromTheConstruction)
{
    host::testing::FakeCpuLoad(50);
    CpuInfo cpu;
    MakeBarOnly(cpu);
    const std::vector<BYTE> half = MemoryBar(surface, 512, 120);
    // Drawn at once: no time to measure over, so no load yet.
    cpu.Draw(surface, 0, 0);
    const std::vector<BYTE> first = Bytes(surface);
    EXPECT_EQ(first, MemoryBar(surface, 0, 120));
    host::testing::AdvanceClock(700);
    cpu.Draw(surface, 0, 0);
    EXPECT_EQ(Bytes(surface), half);
    // A second draw at the same moment keeps the load.
    Fill(surface, kMarker);
    cpu.Draw(surface, 0, 0);
    EXPECT_EQ(Bytes(surface), half);
}

TEST_F(CpuInfoTest, ValueTextIsTheLoadAndTheProcessors)
{
    host::testing::FakeCpuLoad(25);
    CpuInfo cpu;
    ParseAll(cpu, {"CpuString = 0", "CoolCpuBar = 0", "Width = 120"});
    keylines::MeasureOnScreen(cpu);
    host::testing::AdvanceClock(2000);
    cpu.Draw(surface, 0, 0);
    SYSTEM_INFO system{};
    GetSystemInfo(&system);
    const std::u16string text = u"25.0% of " + testfiles::Utf16(std::to_string(system.dwNumberOfProcessors));
    const std::vector<BYTE> drawn = Bytes(surface);
    EXPECT_EQ(drawn, TextDrawing(surface, text, RECT{0, 0, 120, 13}, DT_SINGLELINE | DT_NOPREFIX));
}

TEST_F(CpuInfoTest, UnreadableIdleTimeShowsTheErrorUntilItIsBack)
{
    host::testing::FakeCpuLoad(100);
    CpuInfo cpu;
    MakeBarOnly(cpu);
    const std::vector<BYTE> full = MemoryBar(surface, 1024, 120);
    host::testing::FakeNoIdleTime();
    host::testing::AdvanceClock(2000);
    cpu.Draw(surface, 0, 0);
    const std::vector<BYTE> error = Bytes(surface);
    EXPECT_EQ(error, TextDrawing(surface, u"Fehler: \"Processor\"", RECT{0, 0, 120, 13}, DT_WORDBREAK));

    host::testing::FakeCpuLoad(100);
    host::testing::AdvanceClock(2000);
    cpu.Draw(surface, 0, 0);
    EXPECT_EQ(Bytes(surface), full);
}

TEST_F(CpuInfoTest, KeysChooseTheRowsAndTheInterval)
{
    const struct {
        std::initializer_list<const char*> lines;
        int height;
    } cases[] = {
        {{}, 43},                                  // label, value text, cool bar: 13 + 2 + 13 + 2 + 13
        {{"CpuPercent = 0"}, 43},
        {{"CoolCpuBar = 0"}, 30},                  // removes the bar too
        {{"CoolCpuBar = 0", "CpuBar = 1"}, 43},    // a plain bar back
        {{"CpuString = 0", "CpuValue = 0"}, 13},
    };
    for (const auto& c : cases) {
        CpuInfo cpu;
        ParseAll(cpu, c.lines);
        keylines::MeasureOnScreen(cpu);
        EXPECT_EQ(cpu.Height(), c.height) << (c.lines.size() ? *c.lines.begin() : "defaults");
    }
    CpuInfo cpu;
    EXPECT_EQ(cpu.Interval(), 1000u);
    EXPECT_TRUE(Parse(cpu, "Interval = 500"));
    EXPECT_EQ(cpu.Interval(), 500u);
}

TEST_F(CpuInfoTest, BadLinesAreReportedAndIgnored)
{
    const struct {
        const char* line;
        const char* caption;
    } cases[] = {
        {"CpuValue", "CpuInfo - Ignoriere Fehler:"},  // no "="
        {"BlurColor = 80C0", "CpuInfo - Ignoriere Fehler:"},
        {"CoolCpuBar =  ", "CpuInfo - Ignoriere Fehler:"},
        {"CpuLoad = 1", "DesktopObject - Ignoriere unbekannten Wert:"},
        {"cpuBar = 1", "DesktopObject - Ignoriere unbekannten Wert:"},  // keys are case-sensitive
    };
    for (const auto& c : cases) {
        CpuInfo cpu;
        keylines::ExpectIgnored(cpu, c.line, c.caption);
    }
}

TEST_F(CpuInfoTest, DrawingReleasesWhatItMakes)
{
    host::testing::FakeCpuLoad(30);
    CpuInfo cpu;
    ParseAll(cpu, {"CoolCpuBar = 0", "CpuBar = 1", "Width = 120"});
    keylines::MeasureOnScreen(cpu);
    const int before = host::testing::LiveGdiObjects();
    cpu.Draw(surface, 0, 0);
    host::testing::FakeNoIdleTime();
    cpu.Draw(surface, 0, 0);
    EXPECT_EQ(host::testing::LiveGdiObjects(), before);
}

}  // namespace
