#include "gauges/TemperatureInfo.h"

#include <gtest/gtest.h>

#include "platform/host/testing.h"
#include "tests/gauges/KeyLines.h"
#include "tests/gauges/ReferenceDrawing.h"
#include "tests/gauges/SurfaceTest.h"

using namespace surfacetest;
using keylines::Parse;
using keylines::ParseAll;

namespace {

class TemperatureInfoTest : public SurfaceTest {
protected:
    TemperatureInfoTest() : SurfaceTest(140, 60) {}

    // A measured plain bar-only gauge 120 pixels wide drawn at `celsius`.
    std::vector<BYTE> BarAt(int celsius, std::initializer_list<const char*> keys = {})
    {
        host::testing::FakeTemperature(celsius);
        TemperatureInfo gauge;
        ParseAll(gauge, {"TempString = 0", "TempValue = 0", "Width = 120"});
        ParseAll(gauge, keys);
        keylines::MeasureOnScreen(gauge);
        Fill(surface, kMarker);
        gauge.Draw(surface, 0, 0);
        return Bytes(surface);
    }
};

TEST_F(TemperatureInfoTest, TheBarIsTheTemperatureAgainstMax)
{
    EXPECT_EQ(BarAt(25, {"ColorCritical = 00FF00", "Max = 50"}), MemoryBar(surface, 512, 120));
    EXPECT_EQ(BarAt(-10, {"WarnAt = 90"}), MemoryBar(surface, 0, 120));  // below 0 °C: empty
    // Hotter than Max: full, not past the frame.
    EXPECT_EQ(BarAt(130, {"WarnAt = 200"}), MemoryBar(surface, 1024, 120));
}

TEST_F(TemperatureInfoTest, FromWarnAtTheBarTakesColorCritical)
{
    BarAt(79, {"CoolTempBar = 0", "TempBar = 1", "TempPercent = 0", "ColorCritical = 0000FF"});
    EXPECT_NE(PixelAt(surface, 20, 5), RGB(0, 0, 0xFF));
    BarAt(80, {"CoolTempBar = 0", "TempBar = 1", "TempPercent = 0", "ColorCritical = 0000FF"});
    EXPECT_EQ(PixelAt(surface, 20, 5), RGB(0, 0, 0xFF));
}

TEST_F(TemperatureInfoTest, ValueTextIsWholeDegrees)
{
    const struct {
        LONG millidegrees;
        const char16_t* text;
    } cases[] = {{47000, u"47 \u00b0C"}, {47499, u"47 \u00b0C"}, {47500, u"48 \u00b0C"}, {-2600, u"-3 \u00b0C"}};
    for (const auto& c : cases) {
        WCHAR text[16];
        FormatCelsius(c.millidegrees, text);
        EXPECT_EQ(std::u16string(text), c.text);
    }
}

TEST_F(TemperatureInfoTest, AnAbsurdOrMissingSensorShowsTheErrorTextUntilItReadsAgain)
{
    TemperatureInfo gauge;
    ParseAll(gauge, {"Sensor = coretemp/Package id 0", "TempString = 0", "TempValue = 0", "Width = 120"});
    keylines::MeasureOnScreen(gauge);
    host::testing::UseSensorFolder(std::string(OSTREVIA_TEST_DATA) + "/sys/sensors/bad_number");
    gauge.Draw(surface, 0, 0);
    const std::vector<BYTE> drawn = Bytes(surface);  // before TextDrawing fills the surface again
    EXPECT_EQ(drawn, TextDrawing(surface, u"Fehler: \"coretemp/Package id 0\"", RECT{0, 0, 120, gauge.Height()},
                                          DT_WORDBREAK));
    host::testing::UseSensorFolder(std::string(OSTREVIA_TEST_DATA) + "/sys/sensors/coretemp");
    Fill(surface, kMarker);
    gauge.Draw(surface, 0, 0);
    host::testing::FakeTemperature(47);
    EXPECT_EQ(Bytes(surface), BarAt(47));
}

// Unlike the older gauges' error texts, which keep the DC's colour: machines
// without a sensor are common, and the text must read on the panel.
TEST_F(TemperatureInfoTest, TheErrorTextIsInTheTextColour)
{
    host::testing::FakeTemperature(250);
    TemperatureInfo gauge;
    ParseAll(gauge, {"TextColor = FFFFFF", "Width = 120"});
    keylines::MeasureOnScreen(gauge);
    gauge.Draw(surface, 0, 0);
    EXPECT_GT(CountColor(surface, RECT{0, 0, 120, 13}, RGB(0xFF, 0xFF, 0xFF)), 20);
    EXPECT_EQ(CountColor(surface, RECT{0, 0, 120, 13}, RGB(0, 0, 0)), 0);
}

TEST_F(TemperatureInfoTest, BadValuesAreShownAndIgnored)
{
    TemperatureInfo gauge;
    for (const char* line : {"Max = 0", "Max = -5", "Sensor =", "ColorCritical = F00"})
        keylines::ExpectIgnored(gauge, line, "TemperatureInfo - Ignoriere Fehler:");
}

}  // namespace
