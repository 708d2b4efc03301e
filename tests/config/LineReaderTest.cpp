#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/LineReader.h"
#include "platform/host/testing.h"
#include "tests/support/TestFiles.h"

namespace {

struct ReadResult {
    std::vector<std::u16string> lines;
    bool reachedSize = false;
};

// Reads the file as the loaders do: past the byte-order mark, one line per
// call while the position is below the size.
ReadResult ReadAll(const std::string& path, UINT capacity)
{
    host::testing::ResetHost();
    const std::u16string name = testfiles::Utf16(path);
    HANDLE file = CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(INVALID_HANDLE_VALUE, file);
    ReadResult result;
    if (file == INVALID_HANDLE_VALUE)
        return result;
    SetFilePointer(file, 2, nullptr, FILE_BEGIN);
    const DWORD size = GetFileSize(file, nullptr);
    std::vector<WCHAR> buffer(capacity);
    // Bounded: a reader that stops moving must fail the test, not hang it.
    for (int guard = 0; guard < 1000 && SetFilePointer(file, 0, nullptr, FILE_CURRENT) < size; ++guard) {
        const UINT length = ReadLine(file, buffer.data(), capacity);
        EXPECT_EQ(std::u16string(buffer.data()).size(), length);
        result.lines.emplace_back(buffer.data());
    }
    result.reachedSize = SetFilePointer(file, 0, nullptr, FILE_CURRENT) >= size;
    CloseHandle(file);
    return result;
}

TEST(LineReader, AcceptsCrLfLfAndCrLineEnds)
{
    const auto result = ReadAll(testfiles::WriteUtf16("ends.ini", u"A\r\nB\nC\rD"), 260);
    EXPECT_EQ((std::vector<std::u16string>{u"A", u"B", u"C", u"D"}), result.lines);
    EXPECT_TRUE(result.reachedSize);
}

TEST(LineReader, EmptyLineIsDeliveredBeforeTheEnd)
{
    const auto result = ReadAll(testfiles::WriteUtf16("empty_line.ini", u"A\r\n\r\nB\n\nC"), 260);
    EXPECT_EQ((std::vector<std::u16string>{u"A", u"", u"B", u"", u"C"}), result.lines);
}

TEST(LineReader, LongLineArrivesInPiecesOfCapacityLessOne)
{
    const std::u16string longLine(300, u'x');
    const auto result = ReadAll(testfiles::WriteUtf16("long_line.ini", longLine + u"\r\nEnd"), 260);
    ASSERT_EQ(3u, result.lines.size());
    EXPECT_EQ(std::u16string(259, u'x'), result.lines[0]);
    EXPECT_EQ(std::u16string(41, u'x'), result.lines[1]);
    EXPECT_EQ(u"End", result.lines[2]);
}

TEST(LineReader, CarriageReturnAtTheEndOfAReadYieldsAnExtraEmptyLine)
{
    // 258 characters and CR fill one read of 259; its LF starts the next read.
    const std::u16string content = std::u16string(258, u'a') + u"\r\nB";
    const auto result = ReadAll(testfiles::WriteUtf16("cr_at_buffer_end.ini", content), 260);
    EXPECT_EQ((std::vector<std::u16string>{std::u16string(258, u'a'), u"", u"B"}), result.lines);
}

TEST(LineReader, OddFileSizeEndsTheFileCleanly)
{
    struct Case {
        const char* name;
        std::string bytes;  // after the byte-order mark
        std::vector<std::u16string> lines;
    } cases[] = {
        // The stray last byte belongs to no character.
        {"odd_plain.ini", std::string("A\0B\0\x43", 5), {u"AB"}},
        // A line end before it: the next read still finishes the file.
        {"odd_after_line.ini", std::string("A\0\n\0B\0\x43", 7), {u"A", u"B"}},
        // Only the stray byte.
        {"odd_single.ini", std::string("\x43", 1), {u""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto result = ReadAll(testfiles::WriteBytes(c.name, "\xFF\xFE" + c.bytes), 260);
        EXPECT_EQ(c.lines, result.lines);
        EXPECT_TRUE(result.reachedSize);
    }
}

}  // namespace
