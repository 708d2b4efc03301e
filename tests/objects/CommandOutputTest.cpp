#include <gtest/gtest.h>

#include <string>

#include "objects/CommandOutput.h"

namespace {

// The shown text as UTF-16, whatever WCHAR is.
std::u16string Lines(const CommandOutput& output, UINT lines)
{
    const auto text = output.Lines(lines);
    return std::u16string(text.begin(), text.end());
}

std::u16string Shown(const std::string& bytes, UINT lines = 20)
{
    CommandOutput output;
    output.Append(reinterpret_cast<const BYTE*>(bytes.data()), static_cast<UINT>(bytes.size()));
    return Lines(output, lines);
}

TEST(CommandOutputTest, LinesAreCutAndCleaned)
{
    const struct {
        const char* bytes;
        UINT lines;
        std::u16string shown;
    } kCases[] = {
        {"", 1, u""},
        {"one\ntwo\nthree\n", 2, u"one\ntwo"},
        {"one\ntwo\nthree\n", 20, u"one\ntwo\nthree"},  // the final line feed opens no line
        {"one\n\n", 20, u"one\n"},                        // but an empty line before it stays
        {"\n", 20, u""},
        {"one\ntwo", 0, u"one"},                           // at least one line
        {"dos\r\nline\r\n", 20, u"dos\nline"},
        {"a\tb", 1, u"a b"},
        {"\x1b[1mbold\x1b[0m\a\x7f", 1, u"[1mbold[0m"},  // only the control characters go
        {"\xc2\x85next", 1, u"next"},                      // C1 controls too
        {"a&b", 1, u"a&b"},
    };
    for (const auto& c : kCases)
        EXPECT_EQ(c.shown, Shown(c.bytes, c.lines)) << c.bytes;
}

TEST(CommandOutputTest, BrokenUtf8BecomesReplacementCharacters)
{
    const struct {
        const char* bytes;
        std::u16string shown;
    } kCases[] = {
        {"\xc3\xa4\xe2\x82\xac", u"\u00e4\u20ac"},
        {"\xf0\x9f\x98\x80", u"\U0001F600"},                  // a surrogate pair
        {"\xff" "ok", u"\ufffdok"},
        {"\x80\x80", u"\ufffd\ufffd"},                        // lone continuation bytes, one each
        {"\xe2\x82" "x", u"\ufffdx"},                         // a cut sequence is one piece
        {"\xe2\x82", u"\ufffd"},                              // also at the end
        {"\xc0\xaf", u"\ufffd\ufffd"},                        // overlong
        {"\xe0\x80\xaf", u"\ufffd\ufffd\ufffd"},
        {"\xed\xa0\x80", u"\ufffd\ufffd\ufffd"},              // a surrogate
        {"\xf4\x90\x80\x80", u"\ufffd\ufffd\ufffd\ufffd"},    // above U+10FFFF
        {"\xe2\x82\n\xe2\x82\xac", u"\ufffd\n\u20ac"},        // the line feed is not swallowed
    };
    for (const auto& c : kCases)
        EXPECT_EQ(c.shown, Shown(c.bytes)) << c.bytes;
}

TEST(CommandOutputTest, BytesBeyondTheLimitAreDropped)
{
    CommandOutput output(10);
    const std::string bytes = "0123456789abcdef";
    output.Append(reinterpret_cast<const BYTE*>(bytes.data()), 6);
    output.Append(reinterpret_cast<const BYTE*>(bytes.data()) + 6, 10);
    output.Append(reinterpret_cast<const BYTE*>(bytes.data()), 3);
    EXPECT_EQ(10u, output.Size());
    EXPECT_EQ(u"0123456789", Lines(output, 1));
}

}  // namespace
