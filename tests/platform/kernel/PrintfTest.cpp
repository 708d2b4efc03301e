#include <gtest/gtest.h>

#include <string>

#include "platform/win32.h"

namespace {

std::u16string Wsprintf(const WCHAR* format, auto... args)
{
    WCHAR buffer[1100];
    const int length = wsprintfW(buffer, format, args...);
    EXPECT_EQ(static_cast<size_t>(length), std::u16string(buffer).size());
    return buffer;
}

TEST(PrintfTest, IntegerConversions)
{
    struct Case {
        const WCHAR* format;
        int value;
        const char16_t* expected;
    } cases[] = {
        {u"%d", -42, u"-42"},
        {u"%i", 7, u"7"},
        {u"%u", -1, u"4294967295"},      // the bits of a DWORD
        {u"%x", 0xBEEF, u"beef"},
        {u"%X", 0xBEEF, u"BEEF"},
        {u"%#x", 255, u"0xff"},
        {u"%5d", 42, u"   42"},          // right-justified
        {u"%-5d|", 42, u"42   |"},       // left-justified
        {u"%05d", -42, u"-0042"},        // zeros after the sign
        {u"%+d", 5, u"+5"},
        {u"% d", 5, u" 5"},
        {u"%.3d", 7, u"007"},            // precision is the least number of digits
        {u"%08.3d", 7, u"     007"},     // precision turns zero padding off
        {u"%.0d", 0, u""},               // no digits for zero at precision 0
        {u"%2d", 12345, u"12345"},       // the width never cuts
        {u"%hd", 65535, u"-1"},          // short
        {u"%u%%", 37, u"37%"},           // the bar's percentage
    };
    for (const Case& c : cases)
        EXPECT_EQ(Wsprintf(c.format, c.value), c.expected) << testing::PrintToString(std::u16string(c.format));
}

TEST(PrintfTest, SixtyFourBitAndStarArguments)
{
    EXPECT_EQ(Wsprintf(u"%I64u", 8589934592ull), u"8589934592");
    EXPECT_EQ(Wsprintf(u"%lld", -8589934592ll), u"-8589934592");
    EXPECT_EQ(Wsprintf(u"[%*d]", 4, 7), u"[   7]");
    EXPECT_EQ(Wsprintf(u"[%*d]", -4, 7), u"[7   ]");   // a negative width justifies left
    EXPECT_EQ(Wsprintf(u"[%.*d]", 3, 7), u"[007]");
}

TEST(PrintfTest, StringsAndCharacters)
{
    EXPECT_EQ(Wsprintf(u"Fehler: \"%s\"", u"\\Storage Card"), u"Fehler: \"\\Storage Card\"");
    EXPECT_EQ(Wsprintf(u"[%6s][%-6s]", u"abc", u"abc"), u"[   abc][abc   ]");
    EXPECT_EQ(Wsprintf(u"[%.2s]", u"abc"), u"[ab]");
    EXPECT_EQ(Wsprintf(u"%s", static_cast<const WCHAR*>(nullptr)), u"(null)");
    EXPECT_EQ(Wsprintf(u"%hs|%S", "narrow", "\xC3\xA4"), u"narrow|\u00E4");
    EXPECT_EQ(Wsprintf(u"%c%c%3c", u'a', u'\u00DF', u'z'), u"a\u00DF  z");
    EXPECT_EQ(Wsprintf(u"100%%"), u"100%");
    EXPECT_EQ(Wsprintf(u"\u00C4rger %d", 1), u"\u00C4rger 1");
}

TEST(PrintfTest, ThePowerReportFormat)
{
    WCHAR buffer[384];
    const int length = wsprintfW(buffer, u"ACLineStatus: %d\nBatteryFlag: %d\nBatteryVoltage: %u\nBatteryCurrent: %d",
                                 1, 8, 3900u, static_cast<DWORD>(-250));
    EXPECT_EQ(std::u16string(buffer, length), u"ACLineStatus: 1\nBatteryFlag: 8\nBatteryVoltage: 3900\nBatteryCurrent: -250");
}

TEST(PrintfTest, WsprintfKnowsNoFloatingPoint)
{
    // The conversion letter is copied and no argument is taken.
    EXPECT_EQ(Wsprintf(u"%f %d", 5), u"f 5");
}

TEST(PrintfTest, WsprintfStopsAt1024Characters)
{
    std::u16string longText(2000, u'x');
    WCHAR buffer[1100];
    std::fill(std::begin(buffer), std::end(buffer), u'#');
    EXPECT_EQ(wsprintfW(buffer, u"%s", longText.c_str()), 1023);
    EXPECT_EQ(buffer[1023], 0);
    EXPECT_EQ(buffer[1024], u'#');
}

TEST(PrintfTest, SnwprintfFormatsTheValueText)
{
    WCHAR buffer[32];
    EXPECT_EQ(_snwprintf(buffer, 32, u"%.02f%s / %.02f%s", 500.0, u"Bytes", 1.953125, u"KB"), 20);
    EXPECT_EQ(std::u16string(buffer), u"500.00Bytes / 1.95KB");
    _snwprintf(buffer, 32, u"%.02f%s / %.02f%s", 1024.0, u"KB", 1.0, u"MB");
    EXPECT_EQ(std::u16string(buffer), u"1024.00KB / 1.00MB");
}

TEST(PrintfTest, SnwprintfFloatConversions)
{
    struct Case {
        const WCHAR* format;
        double value;
        const char16_t* expected;
    } cases[] = {
        {u"%f", 1.5, u"1.500000"},        // default precision 6
        {u"%.1f", 0.25, u"0.2"},          // round half to even, as the C runtime
        {u"%8.2f", -3.14159, u"   -3.14"},
        {u"%-8.2f|", 3.14159, u"3.14    |"},
        {u"%08.2f", -3.14159, u"-0003.14"},
        {u"%e", 12345.678, u"1.234568e+04"},
        {u"%.3g", 0.000123456, u"0.000123"},
        {u"%G", 1e-10, u"1E-10"},
    };
    for (const Case& c : cases) {
        WCHAR buffer[64];
        _snwprintf(buffer, 64, c.format, c.value);
        EXPECT_EQ(std::u16string(buffer), c.expected) << testing::PrintToString(std::u16string(c.format));
    }
}

TEST(PrintfTest, SnwprintfTruncatesLikeTheMsRuntime)
{
    WCHAR buffer[8];
    std::fill(std::begin(buffer), std::end(buffer), u'#');
    // Shorter than the buffer: stored with its terminator.
    EXPECT_EQ(_snwprintf(buffer, 8, u"%u%%", 100u), 4);
    EXPECT_EQ(std::u16string(buffer), u"100%");
    // Exactly the buffer's size: stored without a terminator.
    std::fill(std::begin(buffer), std::end(buffer), u'#');
    EXPECT_EQ(_snwprintf(buffer, 4, u"%s", u"abcd"), 4);
    EXPECT_EQ(std::u16string(buffer, 5), u"abcd#");
    // Longer: cut to the buffer, no terminator, -1.
    std::fill(std::begin(buffer), std::end(buffer), u'#');
    EXPECT_EQ(_snwprintf(buffer, 4, u"%s", u"abcdef"), -1);
    EXPECT_EQ(std::u16string(buffer, 5), u"abcd#");
    // No buffer and no room asks for the length.
    EXPECT_EQ(_snwprintf(nullptr, 0, u"%d", 12345), 5);
}

}  // namespace
