#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "config/TextParsing.h"
#include "objects/DateInfo.h"
#include "objects/TimeInfo.h"
#include "platform/host/testing.h"
#include "tests/objects/ObjectTesting.h"
#include "tests/support/TestFiles.h"

using namespace objecttesting;

namespace {

class ClockTextTest : public ::testing::Test {
protected:
    void SetUp() override { host::testing::ResetHost(); }
};

std::u16string Shown(const Text& text)
{
    return std::u16string(text.ShownText(), text.ShownLength());
}

std::u16string Formatted(ClockText::FormatCall call, const WCHAR* picture)
{
    WCHAR buffer[32];
    const int written = call(LOCALE_USER_DEFAULT, 0, nullptr, picture, buffer, 32);
    return written > 0 ? std::u16string(buffer, written - 1) : u"<failed>";
}

// What one kind of clock text is made of, for the tests that hold for both.
struct Kind {
    const char* name;
    std::unique_ptr<ClockText> (*make)();
    ClockText::FormatCall call;
    DWORD interval;
    std::u16string caption;
};

const Kind kKinds[] = {
    {"DateInfo", [] { return std::unique_ptr<ClockText>(new DateInfo); }, GetDateFormatW, 600000,
     u"DateInfo - Ignoriere Fehler:"},
    {"TimeInfo", [] { return std::unique_ptr<ClockText>(new TimeInfo); }, GetTimeFormatW, 60000,
     u"TimeInfo - Ignoriere Fehler:"},
};

// The clock may tick between the object's formatting and the test's: either
// reading around it counts.
void ExpectShowsNow(const ClockText& clock, ClockText::FormatCall call, const WCHAR* picture,
                    const std::u16string& before)
{
    const std::u16string after = Formatted(call, picture);
    EXPECT_NE(u"<failed>", after);
    EXPECT_TRUE(Shown(clock) == before || Shown(clock) == after) << testfiles::Utf8(Shown(clock));
}

TEST_F(ClockTextTest, MeasuringShowsTheMomentInTheLocaleDefaultFormat)
{
    for (const Kind& kind : kKinds) {
        SCOPED_TRACE(kind.name);
        auto clock = kind.make();
        const std::u16string before = Formatted(kind.call, nullptr);
        MeasureOnScreen(*clock);
        ExpectShowsNow(*clock, kind.call, nullptr, before);
        EXPECT_EQ(ExtentOnScreen(clock->ShownText()).cx, clock->Width());
    }
}

TEST_F(ClockTextTest, TheFormatPictureIsHandedToThePlatform)
{
    auto date = kKinds[0].make();
    ASSERT_TRUE(Parse(*date, {TEXT("Format = yyyy")}));
    const std::u16string year = Formatted(GetDateFormatW, TEXT("yyyy"));
    date->RefreshText();
    ExpectShowsNow(*date, GetDateFormatW, TEXT("yyyy"), year);
    EXPECT_EQ(4u, date->ShownLength());

    auto time = kKinds[1].make();
    ASSERT_TRUE(Parse(*time, {TEXT("Format = 'at' HH")}));
    const std::u16string hour = Formatted(GetTimeFormatW, TEXT("'at' HH"));
    time->RefreshText();
    ExpectShowsNow(*time, GetTimeFormatW, TEXT("'at' HH"), hour);
}

TEST_F(ClockTextTest, IntervalDecidesWhenTheObjectIsDue)
{
    struct Case {
        const Kind& kind;
        const WCHAR* line;  // null: the default interval
        DWORD interval;     // 0: never due
    } cases[] = {
        {kKinds[0], nullptr, 600000},               // a date every ten minutes
        {kKinds[1], nullptr, 60000},                // the time every minute
        {kKinds[1], TEXT("Interval = 1000"), 1000},
        {kKinds[1], TEXT("Interval = 0"), 0},       // no regular redraws
        {kKinds[0], TEXT("Interval = 0"), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind.name);
        host::testing::ResetHost();
        auto clock = c.kind.make();
        if (c.line) {
            ASSERT_TRUE(Parse(*clock, {c.line}));
        }
        if (c.interval == 0) {
            host::testing::AdvanceClock(24 * 3600 * 1000);
            EXPECT_FALSE(clock->IsDue());
            continue;
        }
        host::testing::AdvanceClock(c.interval - 1);
        EXPECT_FALSE(clock->IsDue());
        host::testing::AdvanceClock(1);
        EXPECT_TRUE(clock->IsDue());
    }
}

TEST_F(ClockTextTest, AFailedFormattingShowsNothing)
{
    // Literal text of 40 characters does not fit the 32-character buffer.
    const WCHAR* kTooLong = TEXT("Format = 'abcdefghijklmnopqrstuvwxyzabcdefghijklmn'");
    for (const Kind& kind : kKinds) {
        SCOPED_TRACE(kind.name);
        auto clock = kind.make();
        MeasureOnScreen(*clock);
        ASSERT_GT(clock->ShownLength(), 0u);
        ASSERT_TRUE(Parse(*clock, {kTooLong}));
        DibSurface surface;
        surface.Create(100, 30);
        // Neither the previous text nor whatever the buffer holds.
        clock->Draw(surface, 0, 0);
        EXPECT_EQ(0u, clock->ShownLength());
        EXPECT_EQ(0, clock->ShownText()[0]);
    }
}

TEST_F(ClockTextTest, ALongerTextWidensTheObjectWhileItIsDrawn)
{
    auto time = kKinds[1].make();
    Parse(*time, {TEXT("Format = HH")});
    MeasureOnScreen(*time);
    const int narrow = time->Width();
    Parse(*time, {TEXT("Format = HH:mm:ss 'o''clock'")});
    DibSurface surface;
    surface.Create(200, 30);
    time->Draw(surface, 0, 0);
    EXPECT_GT(time->Width(), narrow);
    EXPECT_EQ(ExtentOnScreen(time->ShownText()).cx, time->Width());
}

TEST_F(ClockTextTest, ATextLineIsTakenButReplacedByTheMoment)
{
    auto date = kKinds[0].make();
    // Not longer than the default "Text", so nothing is measured yet.
    ASSERT_TRUE(Parse(*date, {TEXT("Text = Hi"), TEXT("Format = yyyy")}));
    EXPECT_EQ(u"Hi", Shown(*date));
    MeasureOnScreen(*date);
    EXPECT_EQ(4u, date->ShownLength());
}

TEST_F(ClockTextTest, BadLinesAreReportedWithTheCaptionOfTheirParser)
{
    for (const Kind& kind : kKinds) {
        SCOPED_TRACE(kind.name);
        struct Case {
            const WCHAR* line;
            std::u16string caption;
        } cases[] = {
            {TEXT("Format"), kind.caption},
            {TEXT("Format =  "), kind.caption},
            {TEXT("Interval ="), kind.caption},
            {TEXT("Color = FFF"), u"Text - Ignoriere Fehler:"},
            {TEXT("Height"), u"DesktopObject - Ignoriere Fehler:"},
            {TEXT("format = d"), u"DesktopObject - Ignoriere unbekannten Wert:"},
        };
        for (const Case& c : cases) {
            host::testing::ClearMessageBoxes();
            auto clock = kind.make();
            EXPECT_FALSE(clock->ParseKey(c.line, TextLength(c.line), true));
            const auto& boxes = host::testing::MessageBoxes();
            ASSERT_EQ(1u, boxes.size()) << testfiles::Utf8(c.line);
            EXPECT_EQ(0x10030u, boxes[0].style);
            EXPECT_EQ(c.caption, boxes[0].caption);
            EXPECT_EQ(std::u16string(c.line), boxes[0].text);
        }
        // A rejected "Interval" keeps the default.
        auto clock = kind.make();
        clock->ParseKey(TEXT("Interval"), 8, false);
        EXPECT_EQ(kind.interval, clock->Interval());
    }
}

}  // namespace
