// SHLoadDIBitmap: .bmp files of each depth, and broken files that must
// come back as null without harm.
#include <gtest/gtest.h>

#include <string>

#include "platform/host/testing.h"
#include "platform/win32.h"
#include "tests/support/TestFiles.h"

namespace {

// A data file's path as WCHARs (the helpers' UTF-16 is WCHAR on every platform).
std::basic_string<WCHAR> Wide(const std::string& utf8)
{
    std::u16string text = testfiles::Utf16(utf8);
    return std::basic_string<WCHAR>(text.begin(), text.end());
}

std::basic_string<WCHAR> DataFile(const char* name) { return Wide(std::string(OSTREVIA_TEST_DATA "/bmp/") + name); }

constexpr COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255), kBlack = RGB(0, 0, 0), kYellow = RGB(255, 255, 0);

}  // namespace

TEST(SHLoadDIBitmap, LoadsEachDepthAsA32BitBottomUpDib)
{
    struct Case {
        const char* file;
        COLORREF pixels[2][3];  // top row, bottom row
    } cases[] = {
        {"depth1.bmp", {{kWhite, kBlack, kWhite}, {kBlack, kWhite, kBlack}}},
        {"depth4.bmp", {{kRed, kGreen, kBlue}, {kWhite, kBlack, kYellow}}},
        {"depth8.bmp", {{kRed, kGreen, kBlue}, {kWhite, kBlack, kYellow}}},
        {"depth16.bmp", {{kRed, kGreen, kBlue}, {kWhite, kBlack, kYellow}}},
        {"depth24.bmp", {{kRed, kGreen, kBlue}, {kWhite, kBlack, kYellow}}},  // rows padded to 4 bytes
        {"depth32.bmp", {{kRed, kGreen, kBlue}, {kWhite, kBlack, kYellow}}},
        {"depth24_top_down.bmp", {{kRed, kGreen, kBlue}, {kWhite, kBlack, kYellow}}},
        {"depth24_core_header.bmp", {{kRed, kGreen, kBlue}, {kWhite, kBlack, kYellow}}},  // 12-byte header
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        HBITMAP bitmap = SHLoadDIBitmap(DataFile(c.file).c_str());
        ASSERT_NE(bitmap, nullptr);
        BITMAP record{};
        ASSERT_EQ(GetObjectW(bitmap, sizeof record, &record), int(sizeof(BITMAP)));
        EXPECT_EQ(record.bmWidth, 3);
        EXPECT_EQ(record.bmHeight, 2);
        EXPECT_EQ(record.bmBitsPixel, 32);
        ASSERT_NE(record.bmBits, nullptr);
        // Bottom-up: the bottom row comes first in memory.
        const unsigned char* first = static_cast<const unsigned char*>(record.bmBits);
        EXPECT_EQ(RGB(first[2], first[1], first[0]), c.pixels[1][0]);
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, bitmap);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x) EXPECT_EQ(GetPixel(dc, x, y), c.pixels[y][x]) << x << "," << y;
        SelectObject(dc, old);
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
}

TEST(SHLoadDIBitmap, BrokenOrMissingFilesGiveNull)
{
    const char* files[] = {
        "broken_truncated_pixels.bmp",        // the last row is cut short
        "broken_header_only.bmp",             // ends inside the info header
        "broken_empty.bmp",                   // no bytes at all
        "broken_not_a_bitmap.bmp",            // text
        "broken_huge_dimensions.bmp",         // claims 60000 x 60000 pixels in 78 bytes
        "broken_zero_width.bmp",              // no pixels
        "broken_bit_count.bmp",               // 7 bits per pixel
        "broken_pixel_offset_past_end.bmp",   // pixels said to start beyond the file
        "broken_palette_too_large.bmp",       // 100000 palette entries
        "no_such_file.bmp",                   // missing
    };
    const int live = host::testing::LiveGdiObjects();
    for (const char* file : files) {
        SCOPED_TRACE(file);
        EXPECT_EQ(SHLoadDIBitmap(DataFile(file).c_str()), nullptr);
    }
    EXPECT_EQ(SHLoadDIBitmap(nullptr), nullptr);
    EXPECT_EQ(SHLoadDIBitmap(Wide(OSTREVIA_TEST_DATA).c_str()), nullptr);  // a folder
    const std::string pipe = testfiles::TempFolder() + "picture-pipe.bmp";
    ASSERT_EQ(0, mkfifo(pipe.c_str(), 0600));
    EXPECT_EQ(SHLoadDIBitmap(Wide(pipe).c_str()), nullptr);  // no writer ever comes
    EXPECT_EQ(host::testing::LiveGdiObjects(), live);
}

TEST(SHLoadDIBitmap, TakesBackslashesInPaths)
{
    std::basic_string<WCHAR> path = DataFile("depth24.bmp");
    for (WCHAR& c : path)
        if (c == '/') c = '\\';
    HBITMAP bitmap = SHLoadDIBitmap(path.c_str());
    EXPECT_NE(bitmap, nullptr);
    DeleteObject(bitmap);
}
