#include "gauges/GaugeRows.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/host/testing.h"
#include "tests/gauges/SurfaceTest.h"
#include "tests/support/TestFiles.h"

using namespace surfacetest;

namespace {

TEST(FormatByteCountTest, StepsOf1024KeepTheNumberExact)
{
    const struct {
        ULONGLONG count;
        float number;
        const char* unit;
    } cases[] = {
        {0, 0.0f, "Bytes"},
        {500, 500.0f, "Bytes"},
        {1023, 1023.0f, "Bytes"},
        {1024, 1.0f, "KB"},
        {2000, 1.953125f, "KB"},
        {1048576, 1024.0f, "KB"},                        // not yet a megabyte
        {1048577, 1.0f, "MB"},                           // shifted to 1024 KB, shown as MB
        {33554432, 32.0f, "MB"},
        {3221225472ull, 3.0f, "GB"},
        {1ull << 50, 1024.0f, "TB"},
        {1048577ull << 30, 1.0f, "?"},                   // units of 2^50 bytes
        {~0ull, 16383.0f, "?"},                          // five steps at most
    };
    for (const auto& c : cases) {
        const ByteCount shown = FormatByteCount(c.count);
        EXPECT_EQ(shown.number, c.number) << c.count;
        EXPECT_EQ(testfiles::Utf8(shown.unit), c.unit) << c.count;
    }
}

TEST(FillFractionTest, ScalesToThousandTwentyFourths)
{
    const struct {
        ULONGLONG value;
        ULONGLONG total;
        UINT fraction;
    } cases[] = {
        {0, 0, 0},                           // no total: empty
        {5, 0, 0},
        {1024, 1024, 1024},                  // full
        {1023, 1024, 1023},                  // 99 %
        {3221225472ull, 8589934592ull, 384}, // 37.5 %: scaled down first
        {~0ull, ~0ull, 1024},                // 64-bit counts do not overflow
        {0x3FFFFF, 0x3FFFFF, 1024},          // the largest unscaled product
        {2048, 1024, 2048},                  // more than the whole stays so
    };
    for (const auto& c : cases)
        EXPECT_EQ(FillFraction(c.value, c.total), c.fraction) << c.value << " / " << c.total;
}

TEST(FormatValueTextTest, ShowsValueAndTotalWithTheirUnits)
{
    const struct {
        ULONGLONG value;
        ULONGLONG total;
        const char* text;
    } cases[] = {
        {500, 2000, "500.00Bytes / 1.95KB"},
        {33554432, 67108864, "32.00MB / 64.00MB"},
        {3221225472ull, 8589934592ull, "3.00GB / 8.00GB"},
        {1023, 1023, "1023.00Bytes / 1023.00Bytes"},  // the longest text
        {~0ull, 0, "16383.00? / 0.00Bytes"},
    };
    for (const auto& c : cases) {
        WCHAR text[32];
        const int written = FormatValueText(c.value, c.total, text);
        EXPECT_EQ(testfiles::Utf8(text), c.text);
        EXPECT_EQ(written, static_cast<int>(std::string(c.text).size()));
    }
}

TEST(FormatRateTest, ShowsThreeSignificantDigitsWithAUnit)
{
    const struct {
        ULONGLONG rate;
        const char* text;
    } cases[] = {
        {0, "0 B/s"},
        {999, "999 B/s"},
        {1000, "0.98 KB/s"},  // from 1000 on in KB, so that no rate has four digits
        {12595, "12.3 KB/s"},
        {1022976, "999 KB/s"},
        {1023488, "0.98 MB/s"},  // 999.5 KB rounds to a unit up, not to "1000 KB/s"
        {4781506, "4.56 MB/s"},
        {~0ull, "16777216 TB/s"},
    };
    for (const auto& c : cases) {
        WCHAR text[16];
        const int written = FormatRate(c.rate, text);
        EXPECT_EQ(testfiles::Utf8(text), c.text) << c.rate;
        EXPECT_EQ(written, static_cast<int>(std::string(c.text).size())) << c.rate;
    }
}

TEST(GaugeRowsHeightTest, AddsTwoBelowLabelAndValueRows)
{
    const struct {
        UINT flags;
        int height;
    } cases[] = {
        {0, 0},
        {PercentText | CoolStyle, 0},          // options alone are no rows
        {BarRow, 13},
        {LabelRow, 15},
        {LabelRow | ValueRow, 30},
        {LabelRow | ValueRow | BarRow, 43},    // 3h + 4
    };
    for (const auto& c : cases)
        EXPECT_EQ(GaugeRowsHeight(c.flags, 13), c.height) << c.flags;
}

class DrawGaugeRowsTest : public SurfaceTest {
protected:
    DrawGaugeRowsTest() : SurfaceTest(120, 60) {}

    GaugeRow Row(UINT flags) const
    {
        GaugeRow row = {};
        row.flags = flags;
        row.dc = surface.Dc();
        row.x = 5;
        row.y = 3;
        row.width = 100;
        row.label = TEXT("Physical Memory");
        row.value = 3;
        row.total = 4;
        row.textColor = RGB(0, 0, 0);
        row.borderColor = RGB(0, 0, 0xFF);
        row.lowColor = RGB(0xFF, 0, 0);
        row.highColor = RGB(0, 0xFF, 0);
        row.rowHeight = 13;
        return row;
    }
};

TEST_F(DrawGaugeRowsTest, BarFollowsTheTextRowsWithTheirGaps)
{
    const struct {
        UINT flags;
        int barTop;
    } cases[] = {
        {BarRow, 3},
        {LabelRow | BarRow, 18},
        {ValueRow | BarRow, 18},
        {LabelRow | ValueRow | BarRow, 33},
    };
    for (const auto& c : cases) {
        Fill(surface, kMarker);
        DrawGaugeRows(surface, Row(c.flags));
        // The frame's top row; the row above it is a gap or outside.
        EXPECT_EQ(PixelAt(surface, 104, c.barTop), RGB(0, 0, 0xFF)) << c.flags;
        EXPECT_EQ(PixelAt(surface, 104, c.barTop - 1), kMarkerColor) << c.flags;
        // 3 of 4: three quarters filled in the high colour.
        EXPECT_EQ(PixelAt(surface, 79, c.barTop + 6), RGB(0, 0xFF, 0)) << c.flags;
        EXPECT_EQ(PixelAt(surface, 80, c.barTop + 6), kMarkerColor) << c.flags;
    }
}

TEST_F(DrawGaugeRowsTest, NoRowFlagsDrawNothing)
{
    const std::vector<BYTE> before = Bytes(surface);
    DrawGaugeRows(surface, Row(PercentText | CenteredText | CoolStyle));
    EXPECT_EQ(Bytes(surface), before);
}

TEST_F(DrawGaugeRowsTest, TextRowsStayInTheirRowsAndRestoreTheTextColour)
{
    SetTextColor(surface.Dc(), RGB(9, 9, 9));
    const std::vector<BYTE> before = Bytes(surface);
    DrawGaugeRows(surface, Row(LabelRow | ValueRow));
    EXPECT_NE(Bytes(surface), before);
    EXPECT_TRUE(UnchangedOutside(surface, before, RECT{5, 3, 105, 31}));
    EXPECT_EQ(GetTextColor(surface.Dc()), RGB(9, 9, 9));
}

}  // namespace
