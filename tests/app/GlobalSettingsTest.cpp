#include <gtest/gtest.h>

#include <string>

#include "app/GlobalSettings.h"
#include "config/TextParsing.h"
#include "platform/host/testing.h"

namespace {

class GlobalSettingsTest : public ::testing::Test {
protected:
    void SetUp() override { host::testing::ResetHost(); }

    bool Parse(const WCHAR* line) { return settings.ParseKey(line, TextLength(line), true); }

    // The caption of the only box shown since the last call, or "" for none.
    std::u16string Box()
    {
        const auto& boxes = host::testing::MessageBoxes();
        EXPECT_LE(boxes.size(), 1u);
        std::u16string caption = boxes.empty() ? u"" : boxes.back().caption;
        if (!boxes.empty()) {
            EXPECT_EQ(0x10030u, boxes.back().style);
            EXPECT_EQ(nullptr, boxes.back().owner);
        }
        host::testing::ClearMessageBoxes();
        return caption;
    }

    GlobalSettings settings{nullptr};
};

constexpr const char16_t* kBadValue = u"GlobalSetting - Ignoriere Fehler:";
constexpr const char16_t* kUnknownKey = u"GlobalSettings - Ignoriere unbekannten Wert:";

TEST_F(GlobalSettingsTest, KeysAreMatchedOverTheirOwnLengthInTableOrder)
{
    EXPECT_TRUE(Parse(TEXT("BorderWidth = 3")));  // Border, not Width
    EXPECT_TRUE(Parse(TEXT("Width of panel = 90")));
    EXPECT_TRUE(Parse(TEXT("Heights=44")));
    EXPECT_TRUE(Parse(TEXT("DistanceBetween = 5")));
    EXPECT_TRUE(Parse(TEXT("Refresh = 250")));
    EXPECT_TRUE(Parse(TEXT("AnimationTime = 300")));
    EXPECT_EQ(u"", Box());
    EXPECT_EQ(3, settings.Border());
    EXPECT_EQ(90, settings.Width());
    EXPECT_EQ(44, settings.Height());
    EXPECT_EQ(5, settings.Distance());
    EXPECT_EQ(250u, settings.Refresh());
    EXPECT_EQ(300u, settings.AnimationTime());
}

TEST_F(GlobalSettingsTest, AnyKeyBeginningWithXOrYIsAPosition)
{
    const struct {
        const WCHAR* line;
        int x, y;
    } cases[] = {
        {TEXT("X = 10"), 10, 0},
        {TEXT("xPosition = -4"), -4, 0},
        {TEXT("Xylophone=7"), 7, 0},
        {TEXT("Y = 3"), 0, 3},
        {TEXT("yes = 9"), 0, 9},
    };
    for (const auto& c : cases) {
        GlobalSettings fresh(nullptr);
        EXPECT_TRUE(fresh.ParseKey(c.line, TextLength(c.line), true));
        EXPECT_EQ(c.x, fresh.X());
        EXPECT_EQ(c.y, fresh.Y());
    }
    EXPECT_FALSE(Parse(TEXT("X")));
    EXPECT_EQ(kBadValue, Box());
}

TEST_F(GlobalSettingsTest, ArrangeTakesThreeWordsAndRejectsOthers)
{
    const struct {
        const WCHAR* line;
        bool taken;
        PanelArrangement arrange;
    } cases[] = {
        {TEXT("Arrange = Horizontal"), true, ArrangeHorizontal},
        {TEXT("Arrange = Vertical"), true, ArrangeVertical},
        {TEXT("Arrange = No"), true, ArrangeNone},
        {TEXT("Arrange = Nothing"), true, ArrangeNone},  // only "No" is compared
        {TEXT("Arrange = horizontal"), false, ArrangeNone},
        {TEXT("Arrange = Diagonal"), false, ArrangeNone},
        {TEXT("Arrange ="), false, ArrangeNone},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.line, c.line + TextLength(c.line)));
        EXPECT_EQ(c.taken, Parse(c.line));
        EXPECT_EQ(c.arrange, settings.Arrange());
        EXPECT_EQ(c.taken ? u"" : kBadValue, Box());
    }
}

TEST_F(GlobalSettingsTest, FlagsAreTrueOnlyForOneJAndY)
{
    const struct {
        const WCHAR* line;
        bool expected;
    } cases[] = {
        {TEXT("TopMost = 1"), true},   {TEXT("TopMost = j"), true}, {TEXT("TopMost = yes"), true},
        {TEXT("TopMost = 0"), false},  {TEXT("TopMost = no"), false}, {TEXT("TopMost = Yes"), false},
        {TEXT("TopMost = true"), false},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(Parse(c.line));
        EXPECT_EQ(c.expected, settings.TopMost());
    }
    Parse(TEXT("ShowMessage = n"));
    Parse(TEXT("QuitOnDoubleClick = n"));
    Parse(TEXT("Accelerated = n"));
    EXPECT_FALSE(settings.ShowMessage());
    EXPECT_FALSE(settings.QuitOnDoubleClick());
    EXPECT_FALSE(settings.Accelerated());
}

TEST_F(GlobalSettingsTest, AnimationNamesThatAreMissingOrUnknownAreIgnoredSilently)
{
    EXPECT_TRUE(Parse(TEXT("StartUpAnimation = Wobble")));
    EXPECT_TRUE(Parse(TEXT("StartUpAnimation")));
    EXPECT_TRUE(Parse(TEXT("ShutDownAnimation =   ")));
    EXPECT_EQ(u"", Box());
    EXPECT_EQ(FlyRight, settings.StartUpAnimation());
    EXPECT_EQ(FlyDown, settings.ShutDownAnimation());

    Parse(TEXT("StartUpAnimation = FlyDiagLeftUp"));
    Parse(TEXT("ShutDownAnimation = RollDown"));
    EXPECT_EQ(FlyDiagLeftUp, settings.StartUpAnimation());
    EXPECT_EQ(RollDown, settings.ShutDownAnimation());
}

TEST_F(GlobalSettingsTest, ColoursNeedSixDigits)
{
    EXPECT_TRUE(Parse(TEXT("BackgroundColor = FF0000")));
    EXPECT_EQ(RGB(255, 0, 0), settings.BackgroundColor());
    EXPECT_FALSE(Parse(TEXT("BackgroundColor = FFF")));
    EXPECT_EQ(kBadValue, Box());
    EXPECT_EQ(RGB(255, 0, 0), settings.BackgroundColor());
}

TEST_F(GlobalSettingsTest, UnknownKeysAreReportedWithTheirLine)
{
    EXPECT_FALSE(Parse(TEXT("Color = FF0000")));
    const auto& boxes = host::testing::MessageBoxes();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ(u"Color = FF0000", boxes[0].text);
    EXPECT_EQ(kUnknownKey, Box());
    // Keys are case-sensitive.
    EXPECT_FALSE(Parse(TEXT("width = 5")));
    EXPECT_EQ(kUnknownKey, Box());
    // Without show errors nothing is shown.
    EXPECT_FALSE(settings.ParseKey(TEXT("Color = 1"), 9, false));
    EXPECT_EQ(u"", Box());
}

TEST_F(GlobalSettingsTest, BitmapOffsetsTakeTheLetterForThePanelPosition)
{
    Parse(TEXT("BitmapOffsetX = x"));
    Parse(TEXT("BitmapOffsetY = Y"));
    EXPECT_EQ(-1, settings.BitmapOffsetX());
    EXPECT_EQ(-1, settings.BitmapOffsetY());
    Parse(TEXT("BitmapOffsetX = 15"));
    Parse(TEXT("BitmapOffsetY = x"));  // not the letter of this axis
    EXPECT_EQ(15, settings.BitmapOffsetX());
    EXPECT_EQ(0, settings.BitmapOffsetY());
}

TEST_F(GlobalSettingsTest, BackgroundBitmapResolvesAgainstThePanelFolderAndIsReplaced)
{
    settings.SetBaseFolder(TEXT("/panels/"));
    EXPECT_TRUE(Parse(TEXT("BackgroundBitmap = a.bmp")));
    EXPECT_EQ(u"/panels/a.bmp", std::u16string(settings.BackgroundBitmap()));
    EXPECT_TRUE(Parse(TEXT("BackgroundBitmap = ../b.bmp")));
    EXPECT_EQ(u"/b.bmp", std::u16string(settings.BackgroundBitmap()));
    EXPECT_TRUE(Parse(TEXT("BackgroundBitmap = /abs/c.bmp")));
    EXPECT_EQ(u"/abs/c.bmp", std::u16string(settings.BackgroundBitmap()));
    EXPECT_FALSE(Parse(TEXT("BackgroundBitmap = a.b")));  // shorter than five characters
    EXPECT_EQ(kBadValue, Box());
    EXPECT_EQ(u"/abs/c.bmp", std::u16string(settings.BackgroundBitmap()));
}

TEST_F(GlobalSettingsTest, NumbersHaveNoRangeLimits)
{
    Parse(TEXT("Refresh = -1"));
    Parse(TEXT("AnimationTime = 4294967295"));
    EXPECT_EQ(0xFFFFFFFFu, settings.Refresh());
    EXPECT_EQ(429496729u, settings.AnimationTime());
}

}  // namespace
