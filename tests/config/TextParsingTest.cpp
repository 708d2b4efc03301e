#include <gtest/gtest.h>

#include "config/KeyTable.h"
#include "config/TextParsing.h"

namespace {

const WCHAR* ValueOf(const WCHAR* line, UINT minimum)
{
    return FindValue(line, TextLength(line), minimum);
}

TEST(TextParsing, CopyTextCutsToCapacityAndTerminates)
{
    WCHAR buffer[8];
    EXPECT_EQ(4u, CopyText(TEXT("Hello"), buffer, 5));
    EXPECT_EQ(std::basic_string<WCHAR>(TEXT("Hell")), buffer);
    EXPECT_EQ(0u, CopyText(TEXT("Hello"), buffer, 1));
    EXPECT_EQ(0, buffer[0]);
    EXPECT_EQ(2u, CopyText(TEXT("Hi"), buffer, 8));
}

TEST(TextParsing, CompareCharsCoversExactlyTheCountAndIsCaseSensitive)
{
    EXPECT_EQ(0, CompareChars(TEXT("TEXT"), TEXT("TEXT"), 4));
    EXPECT_EQ(0, CompareChars(TEXT("TEXTS"), TEXT("TEXT"), 4));
    EXPECT_EQ(0, CompareChars(TEXT("TEXT anything"), TEXT("TEXT"), 4));
    EXPECT_EQ(1, CompareChars(TEXT("Text"), TEXT("TEXT"), 4));
    EXPECT_EQ(-1, CompareChars(TEXT(" TEXT"), TEXT("TEXT"), 4));
    // A shorter line differs at its terminator.
    EXPECT_EQ(-1, CompareChars(TEXT("TE"), TEXT("TEXT"), 4));
    // Unsigned comparison of code units.
    EXPECT_EQ(1, CompareChars(TEXT("\xFFFF"), TEXT("A"), 1));
}

TEST(TextParsing, FindValueNeedsEqualsAndTheMinimumLength)
{
    struct Case {
        const WCHAR* line;
        UINT minimum;
        const WCHAR* expected;  // null: no value
    } cases[] = {
        {TEXT("X"), 1, nullptr},                       // no "="
        {TEXT("X 10"), 1, nullptr},                    // no "="
        {TEXT("X= 10"), 1, TEXT("10")},
        {TEXT("X   =10"), 1, TEXT("10")},
        {TEXT("Text ="), 1, nullptr},                  // nothing after "="
        {TEXT("Text =   "), 1, nullptr},               // blanks only
        {TEXT("Text = Hello "), 1, TEXT("Hello ")},    // trailing blank kept
        {TEXT("Color = FFF"), 6, nullptr},             // too short for a colour
        {TEXT("Color=   "), 6, nullptr},
        {TEXT("Color = FF0000"), 6, TEXT("FF0000")},
        {TEXT("Text=\t\r\nx"), 1, TEXT("x")},          // tab, CR and LF are blanks
        {TEXT("A = b = c"), 1, TEXT("b = c")},         // the first "=" counts
    };
    for (const Case& c : cases) {
        const WCHAR* value = ValueOf(c.line, c.minimum);
        if (!c.expected)
            EXPECT_EQ(nullptr, value);
        else
            EXPECT_EQ(std::basic_string<WCHAR>(c.expected), value ? std::basic_string<WCHAR>(value) : TEXT("<none>"));
    }
}

TEST(TextParsing, ParseIntTakesSignDigitsAndStopsAtTheDigitRule)
{
    EXPECT_EQ(-12, ParseInt(TEXT("-12")));
    EXPECT_EQ(12, ParseInt(TEXT("12px")));
    EXPECT_EQ(0, ParseInt(TEXT("px")));
    EXPECT_EQ(0, ParseInt(TEXT("+5")));
    EXPECT_EQ(0, ParseInt(TEXT("")));
    EXPECT_EQ(429496729, ParseInt(TEXT("4294967295")));
    EXPECT_EQ(2147483647, ParseInt(TEXT("2147483647")));
    // Beyond INT_MAX the 32-bit value wraps instead of overflowing.
    EXPECT_EQ(static_cast<int>(2415919109u), ParseInt(TEXT("2415919109")));
    EXPECT_EQ(static_cast<int>(0u - 2147483648u), ParseInt(TEXT("-2147483648")));
}

TEST(TextParsing, ParseColorReadsUpperCaseHexPairsAsRgb)
{
    EXPECT_EQ(0x000000FFu, ParseColor(TEXT("FF0000")));
    EXPECT_EQ(0x0000FF00u, ParseColor(TEXT("00FF00")));
    EXPECT_EQ(0u, ParseColor(TEXT("ff0000")));
    EXPECT_EQ(RGB(0x0F, 0xF0, 0x00), ParseColor(TEXT("#FF0000")));
    EXPECT_EQ(RGB(0x12, 0x34, 0x56), ParseColor(TEXT("123456 trailing")));
    // Nothing past the terminator of a short text is read.
    EXPECT_EQ(RGB(0xFF, 0, 0), ParseColor(TEXT("FF")));
}

TEST(TextParsing, ParseFlagAcceptsOneJAndYOnly)
{
    EXPECT_TRUE(ParseFlag(TEXT("yes")));
    EXPECT_TRUE(ParseFlag(TEXT("ja")));
    EXPECT_TRUE(ParseFlag(TEXT("1")));
    EXPECT_FALSE(ParseFlag(TEXT("Yes")));
    EXPECT_FALSE(ParseFlag(TEXT("J")));
    EXPECT_FALSE(ParseFlag(TEXT("true")));
    EXPECT_FALSE(ParseFlag(TEXT("0")));
    EXPECT_FALSE(ParseFlag(TEXT("no")));
}

struct Sample {
    int width = 0;
    int colour = 0;
    bool made = false;
};

TEST(KeyTable, FirstMatchingKeyDecidesAndValuesAreChecked)
{
    static constexpr KeyRule<Sample> kKeys[] = {
        {TEXT("Width"), 1, [](Sample& s, const WCHAR* v) { return s.width = ParseInt(v), true; }},
        {TEXT("Color"), 6, [](Sample& s, const WCHAR* v) { return s.colour = static_cast<int>(ParseColor(v)), true; }},
        {TEXT("Make"), 0, [](Sample& s, const WCHAR*) { return s.made = true; }},
        {TEXT("Odd"), 1, [](Sample&, const WCHAR*) { return false; }},
    };
    Sample s;
    auto apply = [&](const WCHAR* line) { return ApplyKeyTable(s, kKeys, line, TextLength(line)); };
    EXPECT_EQ(KeyResult::Taken, apply(TEXT("Widths of bar = 12")));
    EXPECT_EQ(12, s.width);
    EXPECT_EQ(KeyResult::Rejected, apply(TEXT("Width")));
    EXPECT_EQ(KeyResult::Rejected, apply(TEXT("Color = FFF")));
    EXPECT_EQ(KeyResult::Taken, apply(TEXT("Make")));
    EXPECT_TRUE(s.made);
    EXPECT_EQ(KeyResult::Rejected, apply(TEXT("Odd = 1")));
    EXPECT_EQ(KeyResult::Unknown, apply(TEXT("width = 5")));
}

TEST(TextParsing, KeyDistanceCountsTheEditsOfTheFirstWordCaseAside)
{
    EXPECT_EQ(0u, KeyDistance(TEXT("width = 5"), TEXT("Width")));
    EXPECT_EQ(1u, KeyDistance(TEXT("Widht = 5"), TEXT("Width")));  // two letters swapped
    EXPECT_EQ(1u, KeyDistance(TEXT("Widt=5"), TEXT("Width")));
    EXPECT_EQ(2u, KeyDistance(TEXT("Colr\t= 1"), TEXT("Color2")));
    EXPECT_EQ(3u, KeyDistance(TEXT("Height = 5"), TEXT("Width")));
    EXPECT_EQ(3u, KeyDistance(TEXT("W"), TEXT("Width")));  // too far apart in length to look further
    EXPECT_EQ(3u, KeyDistance(TEXT("WidthWidthWidthWidthWidthWidthWidthWidthWidth"), TEXT("Width")));
}

}  // namespace
