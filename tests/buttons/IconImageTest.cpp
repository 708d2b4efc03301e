#include "buttons/IconImage.h"

#include <cstring>
#include <memory>

#include "tests/buttons/ButtonTest.h"
#include "tests/buttons/PictureFiles.h"
#include "tests/support/TestFiles.h"

namespace {

using host::testing::MessageBoxes;
using picturefiles::IconEntry;
using picturefiles::Solid;
using testfiles::Utf16;

class IconImageTest : public ButtonTest {
protected:
    static IconImage Load(const std::string& path, UINT wanted)
    {
        return LoadIconImage(Utf16(path).c_str(), wanted, wanted);
    }

    // The first stored pixel as 0xAARRGGBB.
    static DWORD FirstPixel(const IconImage& image)
    {
        const BYTE* p = image.Pixels();
        return static_cast<DWORD>(p[3]) << 24 | p[2] << 16 | p[1] << 8 | p[0];
    }
};

// A one-row image of the given 0xAARRGGBB pixels.
IconImage Row(std::initializer_list<DWORD> pixels)
{
    std::unique_ptr<BYTE[]> bytes(new BYTE[pixels.size() * 4]);
    BYTE* p = bytes.get();
    for (DWORD argb : pixels) {
        memcpy(p, &argb, 4);  // little-endian: blue, green, red, alpha
        p += 4;
    }
    return IconImage(static_cast<int>(pixels.size()), 1, std::move(bytes));
}

DWORD PixelOf(const IconImage& image, int index)
{
    DWORD argb;
    memcpy(&argb, image.Pixels() + 4 * index, 4);
    return argb;
}

TEST_F(IconImageTest, ChoosesTheLargestEntryThatFitsTheWantedSize)
{
    struct Case {
        const char* what;
        std::vector<IconEntry> entries;
        UINT wanted;
        int width, height;  // of the chosen entry
        DWORD colour;       // that tells the entries apart
    };
    const DWORD a = 0xFF0000A0, b = 0xFF00B000, c = 0xFFC00000;
    const Case cases[] = {
        {"the best fit below the wanted size", {{16, 16, 32, Solid(a)}, {32, 32, 32, Solid(b)}, {48, 48, 32, Solid(c)}},
         40, 32, 32, b},
        {"an exact fit", {{16, 16, 32, Solid(a)}, {32, 32, 32, Solid(b)}}, 32, 32, 32, b},
        {"only 32-bit entries count", {{32, 32, 8, Solid(a)}, {16, 16, 32, Solid(b)}}, 32, 16, 16, b},
        {"larger in one dimension only does not displace", {{32, 16, 32, Solid(a)}, {16, 32, 32, Solid(b)}}, 32, 32,
         16, a},
        {"of equal sizes the first wins", {{16, 16, 32, Solid(a)}, {16, 16, 32, Solid(b)}}, 16, 16, 16, a},
        {"a 256-pixel entry yields to any later candidate", {{0, 0, 32, Solid(a)}, {16, 16, 32, Solid(b)}}, 32, 16, 16,
         b},
        {"an earlier candidate is not displaced by a 256-pixel entry", {{16, 16, 32, Solid(a)}, {0, 0, 32, Solid(b)}},
         32, 16, 16, a},
        {"a huge wanted size takes every 32-bit entry", {{16, 16, 32, Solid(a)}, {48, 48, 32, Solid(c)}, {32, 32, 32, Solid(b)}},
         0xFFFFFFFF, 48, 48, c},
    };
    int fileNumber = 0;
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        const std::string path = picturefiles::WriteIcon("choice" + std::to_string(++fileNumber) + ".ico", k.entries);
        const IconImage image = Load(path, k.wanted);
        ASSERT_FALSE(image.IsEmpty());
        EXPECT_EQ(image.Width(), k.width);
        EXPECT_EQ(image.Height(), k.height);
        EXPECT_EQ(FirstPixel(image), k.colour);
    }
    EXPECT_TRUE(MessageBoxes().empty());
}

TEST_F(IconImageTest, NoFittingEntryIsReported)
{
    const std::string path =
        picturefiles::WriteIcon("sizes.ico", {{16, 16}, {32, 32}, {48, 48}});
    EXPECT_TRUE(Load(path, 15).IsEmpty());
    ASSERT_EQ(MessageBoxes().size(), 1u);
    EXPECT_EQ(MessageBoxes()[0].caption, u"Kein 32Bit Icon gefunden:");
    EXPECT_EQ(MessageBoxes()[0].text, Utf16(path));
    EXPECT_EQ(MessageBoxes()[0].owner, nullptr);
    EXPECT_EQ(MessageBoxes()[0].style, 0x10u);
}

TEST_F(IconImageTest, AChosen256PixelEntryGivesAnEmptyImageQuietly)
{
    const IconImage image = Load(std::string(OSTREVIA_TEST_DATA) + "/icons/only_256.ico", 300);
    EXPECT_TRUE(image.IsEmpty());
    EXPECT_TRUE(MessageBoxes().empty());
}

TEST_F(IconImageTest, BrokenFilesGiveAnEmptyImageWithTheirMessage)
{
    struct Case {
        const char* file;
        const char16_t* caption;  // null: no message
    };
    const char16_t* invalid = u"Keine gültige Icondatei:";
    const Case cases[] = {
        {"truncated_header.ico", invalid},         // shorter than the file header
        {"truncated_directory.ico", invalid},      // the directory runs past the end
        {"oversized_count.ico", invalid},          // 65535 entries announced, one there
        {"offset_past_end.ico", invalid},          // the image lies past the end
        {"image_header_cut.ico", invalid},         // the image header is cut off
        {"header_size_past_end.ico", invalid},     // the header size points past the end
        {"truncated_pixels.ico", invalid},         // the pixel block does not fit
        {"cursor.ico", invalid},                   // type 2
        {"reserved_not_zero.ico", invalid},
        {"count_zero.ico", u"Enthält keine Icons:"},
        {"no_32bit_entry.ico", u"Kein 32Bit Icon gefunden:"},
        {"empty.ico", nullptr},                    // nothing read
        {"does_not_exist.ico", nullptr},           // cannot be opened
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        host::testing::ClearMessageBoxes();
        const std::string path = std::string(OSTREVIA_TEST_DATA) + "/icons/" + c.file;
        EXPECT_TRUE(Load(path, 48).IsEmpty());
        if (!c.caption) {
            EXPECT_TRUE(MessageBoxes().empty());
            continue;
        }
        ASSERT_EQ(MessageBoxes().size(), 1u);
        EXPECT_EQ(MessageBoxes()[0].caption, c.caption);
        EXPECT_EQ(MessageBoxes()[0].text, Utf16(path));
        EXPECT_EQ(MessageBoxes()[0].style, 0x10u);
    }
}

TEST_F(IconImageTest, FileTooLargeForAnIconIsRejectedUnread)
{
    // A valid header followed by 17 MiB: no icon file is that large.
    std::string bytes("\0\0\1\0\1\0", 6);
    bytes.resize(17u << 20, '\0');
    const std::string path = testfiles::WriteBytes("large.ico", bytes);
    EXPECT_TRUE(Load(path, 48).IsEmpty());
    ASSERT_EQ(MessageBoxes().size(), 1u);
    EXPECT_EQ(MessageBoxes()[0].caption, u"Keine gültige Icondatei:");
}

TEST_F(IconImageTest, ScaleChannelsTruncatesAndClampsAt255)
{
    IconImage image = Row({0xC8C86432, 0x00C86432});
    ScaleChannels(image, 0.5f, 0.5f, 0.5f, 1.5f);
    EXPECT_EQ(PixelOf(image, 0), 0xFF643219u);  // 200*0.5, 100*0.5, 50*0.5=25, alpha 300 -> 255
    EXPECT_EQ(PixelOf(image, 1), 0x00C86432u);  // fully transparent: untouched
}

TEST_F(IconImageTest, ScaleChannelsWithANegativeFactorGivesZero)
{
    IconImage image = Row({0xFF808080});
    ScaleChannels(image, -1.0f, 1.0f, 1.0f, 1.0f);
    EXPECT_EQ(PixelOf(image, 0), 0xFF008080u);
}

TEST_F(IconImageTest, AddToChannelsClampsToTheByteRange)
{
    IconImage image = Row({0x80FA0510, 0x00FA0510});
    AddToChannels(image, 10, -10, 300, -200);
    EXPECT_EQ(PixelOf(image, 0), 0x00FF00FFu);  // 250+10, 5-10, 16+300, 128-200
    EXPECT_EQ(PixelOf(image, 1), 0x00FA0510u);  // fully transparent: untouched
}

TEST_F(IconImageTest, MakeGrayAveragesWithTheRemainderDropped)
{
    IconImage image = Row({0x800A141F, 0x000A141F});
    MakeGray(image);
    EXPECT_EQ(PixelOf(image, 0), 0x80141414u);  // (10 + 20 + 31) / 3 = 20, alpha kept
    EXPECT_EQ(PixelOf(image, 1), 0x000A141Fu);
}

TEST_F(IconImageTest, BlendOntoMixesByAlpha)
{
    struct Case {
        DWORD source;      // 0xAARRGGBB
        BYTE under[4];     // surface bytes blue, green, red, unused
        BYTE expected[4];
    };
    const Case cases[] = {
        {0x80FF0000, {0, 0, 0, 9}, {0, 0, 127, 9}},            // half red over black: 255 * 128 / 256
        {0x80000000, {0, 0, 255, 9}, {0, 0, 127, 9}},          // black over red rounds down: 255 - 128
        {0x80102030, {0x30, 0x20, 0x10, 9}, {0x30, 0x20, 0x10, 9}},  // equal colours stay
        {0x00FFFFFF, {1, 2, 3, 9}, {1, 2, 3, 9}},              // transparent: nothing changes
        {0xFF112233, {1, 2, 3, 9}, {0x33, 0x22, 0x11, 0xFF}},  // opaque: all four bytes copied
    };
    DibSurface surface;
    MakeMarkedSurface(surface, 1, 1);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.source);
        memcpy(surface.Pixels(), c.under, 4);
        BlendOnto(Row({c.source}), surface, 0, 0);
        EXPECT_EQ(memcmp(surface.Pixels(), c.expected, 4), 0);
    }
}

TEST_F(IconImageTest, LoadedPictureLandsUprightOnTheSurface)
{
    // Top row red, left column green, the rest blue.
    const std::string path = picturefiles::WriteIcon(
        "upright.ico", {{16, 16, 32, [](int x, int y) -> DWORD {
                             return y == 0 ? 0xFFFF0000 : x == 0 ? 0xFF00FF00 : 0xFF0000FF;
                         }}});
    const IconImage image = Load(path, 16);
    DibSurface surface;
    MakeMarkedSurface(surface, 20, 20);
    BlendOnto(image, surface, 2, 3);
    EXPECT_EQ(PixelAt(surface, 2, 3), RGB(255, 0, 0));
    EXPECT_EQ(PixelAt(surface, 17, 3), RGB(255, 0, 0));
    EXPECT_EQ(PixelAt(surface, 2, 18), RGB(0, 255, 0));
    EXPECT_EQ(PixelAt(surface, 17, 18), RGB(0, 0, 255));
    EXPECT_EQ(PixelAt(surface, 1, 3), kMarker);
    EXPECT_EQ(PixelAt(surface, 2, 2), kMarker);
    EXPECT_EQ(PixelAt(surface, 18, 18), kMarker);
    EXPECT_EQ(PixelAt(surface, 17, 19), kMarker);
}

TEST_F(IconImageTest, BlendOntoCutsAtTheSurfaceEdge)
{
    struct Case {
        int x, y;
        int drawnLeft, drawnTop, drawnRight, drawnBottom;  // empty when nothing is drawn
    };
    const Case cases[] = {
        {6, 6, 6, 6, 8, 8},    // reaches past the right and lower edge: cut there
        {0, 0, 0, 0, 4, 4},    // fully inside
        {7, 0, 7, 0, 8, 4},    // one column left
        {8, 0, 0, 0, 0, 0},    // corner right of the surface
        {0, 8, 0, 0, 0, 0},    // corner below the surface
        {-1, 0, 0, 0, 0, 0},   // corner left of the surface counts as outside
        {0, -2, 0, 0, 0, 0},   // corner above the surface too
    };
    std::unique_ptr<BYTE[]> opaque(new BYTE[4 * 4 * 4]);
    memset(opaque.get(), 0xFF, 4 * 4 * 4);
    const IconImage image(4, 4, std::move(opaque));
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        DibSurface surface;
        MakeMarkedSurface(surface, 8, 8);
        BlendOnto(image, surface, c.x, c.y);
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 8; ++x) {
                const bool drawn = c.drawnLeft <= x && x < c.drawnRight && c.drawnTop <= y && y < c.drawnBottom;
                EXPECT_EQ(PixelAt(surface, x, y), drawn ? RGB(255, 255, 255) : kMarker) << x << "," << y;
            }
        }
    }
}

}  // namespace
