#include "gauges/NetworkInfo.h"

#include <gtest/gtest.h>

#include "platform/host/testing.h"
#include "tests/gauges/KeyLines.h"
#include "tests/gauges/ReferenceDrawing.h"
#include "tests/gauges/SurfaceTest.h"

using namespace surfacetest;
using keylines::Parse;
using keylines::ParseAll;

namespace {

const RECT kFirstRow = {0, 0, 120, 13};

class NetworkInfoTest : public SurfaceTest {
protected:
    NetworkInfoTest() : SurfaceTest(140, 60) {}

    void SetUp() override
    {
        SurfaceTest::SetUp();
        host::testing::FakeNetwork(1000, 250);
    }

    // A measured gauge 120 pixels wide with only a bar, and `lines`.
    void MakeBarOnly(NetworkInfo& network, std::initializer_list<const char*> lines)
    {
        ParseAll(network, {"NetString = 0", "NetValue = 0", "Width = 120"});
        ParseAll(network, lines);
        keylines::MeasureOnScreen(network);
    }

    // Draws on the marker after `milliseconds` more.
    std::vector<BYTE> DrawnAfter(NetworkInfo& network, DWORD milliseconds)
    {
        host::testing::AdvanceClock(milliseconds);
        Fill(surface, kMarker);
        network.Draw(surface, 0, 0);
        return Bytes(surface);
    }
};

TEST_F(NetworkInfoTest, HalfTheMaxRateIsTheMemoryBarAt512)
{
    NetworkInfo network;
    MakeBarOnly(network, {"MaxRate = 2000"});
    const std::vector<BYTE> empty = DrawnAfter(network, 0);  // the first reading
    EXPECT_EQ(empty, MemoryBar(surface, 0, 120));
    const std::vector<BYTE> half = DrawnAfter(network, 2000);
    EXPECT_EQ(half, MemoryBar(surface, 512, 120));
    // Faster than MaxRate: a full bar, not one past its end.
    host::testing::FakeNetwork(5000, 0);
    DrawnAfter(network, 2000);  // the counters started again: a reset
    const std::vector<BYTE> full = DrawnAfter(network, 2000);
    EXPECT_EQ(full, MemoryBar(surface, 1024, 120));
}

TEST_F(NetworkInfoTest, WithoutMaxRateTheHighestRateSeenFillsTheBar)
{
    NetworkInfo network;
    MakeBarOnly(network, {});
    DrawnAfter(network, 0);
    const std::vector<BYTE> highest = DrawnAfter(network, 2000);
    EXPECT_EQ(highest, MemoryBar(surface, 1024, 120));
    host::testing::FakeNetwork(500, 0);
    // The new counters read lower than the old ones: an interface reset,
    // counted from 0 rather than as a wrap of 4 GiB.
    const std::vector<BYTE> reset = DrawnAfter(network, 2000);
    EXPECT_EQ(reset, MemoryBar(surface, 0, 120));
    const std::vector<BYTE> half = DrawnAfter(network, 2000);
    EXPECT_EQ(half, MemoryBar(surface, 512, 120));
}

TEST_F(NetworkInfoTest, RowsNameTheInterfaceAndShowBothRates)
{
    // Without "Interface": the busiest one that is up, loopback left out.
    NetworkInfo label;
    ParseAll(label, {"NetValue = 0", "CoolNetBar = 0", "Width = 120"});
    keylines::MeasureOnScreen(label);
    label.Draw(surface, 0, 0);
    const std::vector<BYTE> labelRow = Bytes(surface);
    EXPECT_EQ(labelRow, TextDrawing(surface, u"Network eth0", kFirstRow, DT_SINGLELINE | DT_NOPREFIX));

    NetworkInfo value;
    ParseAll(value, {"NetString = 0", "CoolNetBar = 0", "Width = 120"});
    keylines::MeasureOnScreen(value);
    const std::vector<BYTE> valueRow = (DrawnAfter(value, 0), DrawnAfter(value, 2000));
    EXPECT_EQ(valueRow, TextDrawing(surface, u"\u2193 0.98 KB/s \u2191 250 B/s", kFirstRow,
                                    DT_SINGLELINE | DT_NOPREFIX));
}

TEST_F(NetworkInfoTest, MissingInterfaceShowsItsNameUntilItIsThere)
{
    const struct {
        const char* line;
        const char16_t* error;
    } cases[] = {
        {"Interface = wlan0", u"Fehler: \"wlan0\""},
        {"Interface = eth", u"Fehler: \"eth\""},  // the whole name must match
    };
    for (const auto& c : cases) {
        NetworkInfo network;
        MakeBarOnly(network, {c.line});
        const std::vector<BYTE> drawn = DrawnAfter(network, 0);
        EXPECT_EQ(drawn, TextDrawing(surface, c.error, kFirstRow, DT_WORDBREAK)) << c.line;
    }

    // No interface list at all (no /proc), then the interface appears.
    host::testing::FakeNoNetwork();
    NetworkInfo network;
    MakeBarOnly(network, {"Interface = eth0", "MaxRate = 1000"});
    const std::vector<BYTE> missing = DrawnAfter(network, 0);
    EXPECT_EQ(missing, TextDrawing(surface, u"Fehler: \"eth0\"", kFirstRow, DT_WORDBREAK));
    host::testing::FakeNetwork(1000, 250);
    DrawnAfter(network, 2000);
    const std::vector<BYTE> back = DrawnAfter(network, 2000);
    EXPECT_EQ(back, MemoryBar(surface, 1024, 120));
}

TEST_F(NetworkInfoTest, KeysChooseTheRowsAndTheInterval)
{
    const struct {
        std::initializer_list<const char*> lines;
        int height;
    } cases[] = {
        {{}, 43},                                 // label, value text, cool bar: 13 + 2 + 13 + 2 + 13
        {{"NetPercent = 0"}, 43},
        {{"CoolNetBar = 0"}, 30},                 // removes the bar too
        {{"CoolNetBar = 0", "NetBar = 1"}, 43},   // a plain bar back
        {{"NetString = 0", "NetValue = 0"}, 13},
    };
    for (const auto& c : cases) {
        NetworkInfo network;
        ParseAll(network, c.lines);
        keylines::MeasureOnScreen(network);
        EXPECT_EQ(network.Height(), c.height) << (c.lines.size() ? *c.lines.begin() : "defaults");
    }
    NetworkInfo network;
    EXPECT_EQ(network.Interval(), 1000u);
    EXPECT_TRUE(Parse(network, "Interval = 500"));
    EXPECT_EQ(network.Interval(), 500u);
}

TEST_F(NetworkInfoTest, BadLinesAreReportedAndIgnored)
{
    const struct {
        const char* line;
        const char* caption;
    } cases[] = {
        {"Interface =", "NetworkInfo - Ignoriere Fehler:"},
        {"NetValue", "NetworkInfo - Ignoriere Fehler:"},     // no "="
        {"TextColor = 12345", "NetworkInfo - Ignoriere Fehler:"},
        {"MaxRate = -5", "NetworkInfo - Ignoriere Fehler:"},  // no rate is negative
        {"NetSpeed = 1", "DesktopObject - Ignoriere unbekannten Wert:"},
    };
    for (const auto& c : cases) {
        NetworkInfo network;
        keylines::ExpectIgnored(network, c.line, c.caption);
    }
}

TEST_F(NetworkInfoTest, DrawingReleasesWhatItMakes)
{
    NetworkInfo network;
    ParseAll(network, {"CoolNetBar = 0", "NetBar = 1", "Width = 120"});
    keylines::MeasureOnScreen(network);
    const int before = host::testing::LiveGdiObjects();
    DrawnAfter(network, 0);
    DrawnAfter(network, 2000);
    host::testing::FakeNoNetwork();
    DrawnAfter(network, 2000);
    EXPECT_EQ(host::testing::LiveGdiObjects(), before);
}

}  // namespace
