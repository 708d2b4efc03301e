#include "buttons/IconImage.h"

#include <cstdint>
#include <cstring>
#include <new>
#include <utility>

#include "config/Diagnostics.h"
#include "gauges/DibSurface.h"

// The icon file, little-endian throughout:
//
//   0  WORD   reserved, 0
//   2  WORD   type, 1 for an icon (2 is a cursor)
//   4  WORD   count of directory entries, not 0
//   6  count directory entries of 16 bytes each:
//        0  BYTE   width (0 stands for 256)
//        1  BYTE   height (0 stands for 256)
//        2  BYTE   colour count, unused
//        3  BYTE   reserved, unused
//        4  WORD   planes, unused
//        6  WORD   bits per pixel; only 32 is read
//        8  DWORD  bytes in the image, unused
//       12  DWORD  file offset of the image
//
// An image starts with a BITMAPINFOHEADER of which only the first DWORD, its
// own size, is read: the pixel rows follow it, width * height * 4 bytes of
// blue, green, red, alpha, the lowest row first. The AND mask behind them is
// not needed with an alpha channel.
//
// Nothing of this is trusted: every offset and size is checked against the
// bytes actually read, in 64-bit arithmetic.

namespace {

constexpr DWORD kFileHeaderSize = 6;
constexpr DWORD kEntrySize = 16;
// Far above any real icon file, and a bound on what a broken or hostile
// file can make us allocate.
constexpr DWORD kMaxFileSize = 16 * 1024 * 1024;

const WCHAR* const kInvalidFile = TEXT("Keine gültige Icondatei:");
const WCHAR* const kNoIcons = TEXT("Enthält keine Icons:");
const WCHAR* const kNo32BitIcon = TEXT("Kein 32Bit Icon gefunden:");

WORD ReadWord(const BYTE* bytes)
{
    return static_cast<WORD>(bytes[0] | bytes[1] << 8);
}

DWORD ReadDword(const BYTE* bytes)
{
    return static_cast<DWORD>(bytes[0]) | static_cast<DWORD>(bytes[1]) << 8 | static_cast<DWORD>(bytes[2]) << 16 |
           static_cast<DWORD>(bytes[3]) << 24;
}

// The whole file in memory. Empty when it cannot be opened or read;
// `tooLarge` tells a file that is no icon file by its size alone.
struct FileBytes {
    std::unique_ptr<BYTE[]> data;
    DWORD size = 0;
    bool tooLarge = false;
};

FileBytes ReadWholeFile(const WCHAR* path)
{
    FileBytes file;
    HANDLE handle = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return file;
    DWORD sizeHigh = 0;
    const DWORD size = GetFileSize(handle, &sizeHigh);
    if (size == INVALID_FILE_SIZE) {
        // Failure, or a file of 4 GiB: neither is read.
    } else if (sizeHigh != 0 || size > kMaxFileSize) {
        file.tooLarge = true;
    } else {
        file.data.reset(new (std::nothrow) BYTE[size + 1]);
        DWORD read = 0;
        if (file.data && ReadFile(handle, file.data.get(), size, &read, nullptr) && read > 0)
            file.size = read;
        else
            file.data.reset();
    }
    CloseHandle(handle);
    return file;
}

// The chosen entry's picture, or an empty image and in `problem` the caption
// of the message to show (none for a file that could not be read).
IconImage ReadIcon(const WCHAR* path, UINT wantedWidth, UINT wantedHeight, const WCHAR*& problem)
{
    const FileBytes file = ReadWholeFile(path);
    const BYTE* data = file.data.get();
    const uint64_t size = file.size;
    if (file.tooLarge) {
        problem = kInvalidFile;
        return {};
    }
    if (!data)
        return {};
    if (size < kFileHeaderSize || ReadWord(data) != 0 || ReadWord(data + 2) != 1) {
        problem = kInvalidFile;
        return {};
    }
    const DWORD count = ReadWord(data + 4);
    if (count == 0) {
        problem = kNoIcons;
        return {};
    }
    if (kFileHeaderSize + uint64_t{count} * kEntrySize > size) {
        problem = kInvalidFile;
        return {};
    }

    const BYTE* chosen = nullptr;
    for (DWORD i = 0; i < count; ++i) {
        const BYTE* entry = data + kFileHeaderSize + i * kEntrySize;
        if (ReadWord(entry + 6) != 32 || entry[0] > wantedWidth || entry[1] > wantedHeight)
            continue;
        // Only a picture larger in both dimensions displaces an earlier one.
        if (!chosen || (entry[0] > chosen[0] && entry[1] > chosen[1]))
            chosen = entry;
    }
    if (!chosen) {
        problem = kNo32BitIcon;
        return {};
    }
    const int width = chosen[0];
    const int height = chosen[1];
    // A 256-pixel picture, stored as 0, is not read.
    if (width == 0 || height == 0)
        return {};

    const uint64_t imageOffset = ReadDword(chosen + 12);
    if (imageOffset + sizeof(DWORD) > size) {
        problem = kInvalidFile;
        return {};
    }
    const uint64_t pixelOffset = imageOffset + ReadDword(data + imageOffset);
    const uint64_t pixelBytes = uint64_t{4} * static_cast<uint64_t>(width) * static_cast<uint64_t>(height);
    if (pixelOffset + pixelBytes > size) {
        problem = kInvalidFile;
        return {};
    }
    std::unique_ptr<BYTE[]> pixels(new (std::nothrow) BYTE[pixelBytes]);
    if (!pixels)
        return {};
    memcpy(pixels.get(), data + pixelOffset, pixelBytes);
    return IconImage(width, height, std::move(pixels));
}

// Calls `change` for every pixel whose alpha is not 0.
template <class Change>
void ForEachVisiblePixel(IconImage& image, Change change)
{
    BYTE* pixel = image.Pixels();
    if (image.IsEmpty() || !pixel)
        return;
    const size_t count = static_cast<size_t>(image.Width()) * static_cast<size_t>(image.Height());
    for (size_t i = 0; i < count; ++i, pixel += 4) {
        if (pixel[3] != 0)
            change(pixel);
    }
}

BYTE ScaleChannel(BYTE channel, float factor)
{
    const float product = channel * factor;
    if (product > 255.0f)
        return 255;
    // Negative factors are no use for a colour; they give 0.
    if (!(product > 0.0f))
        return 0;
    return static_cast<BYTE>(product);
}

BYTE AddToChannel(BYTE channel, SHORT amount)
{
    const int sum = channel + amount;
    return static_cast<BYTE>(sum < 0 ? 0 : sum > 255 ? 255 : sum);
}

// Straight alpha: d + (s - d) * alpha / 256, rounded down, for each colour.
void BlendPixel(const BYTE* source, BYTE* target)
{
    const int alpha = source[3];
    if (alpha == 255) {
        memcpy(target, source, 4);
        return;
    }
    if (alpha == 0)
        return;
    for (int channel = 0; channel < 3; ++channel)
        target[channel] = static_cast<BYTE>(target[channel] + (((source[channel] - target[channel]) * alpha) >> 8));
}

}  // namespace

IconImage::IconImage(int width, int height, std::unique_ptr<BYTE[]> pixels)
    : width_(width), height_(height), pixels_(std::move(pixels))
{
}

IconImage LoadIconImage(const WCHAR* path, UINT wantedWidth, UINT wantedHeight)
{
    const WCHAR* problem = nullptr;
    IconImage image = ReadIcon(path, wantedWidth, wantedHeight, problem);
    if (problem)
        ConfigMessageBox(nullptr, path, problem, MB_ICONERROR);
    return image;
}

void ScaleChannels(IconImage& image, float red, float green, float blue, float alpha)
{
    ForEachVisiblePixel(image, [=](BYTE* pixel) {
        pixel[2] = ScaleChannel(pixel[2], red);
        pixel[1] = ScaleChannel(pixel[1], green);
        pixel[0] = ScaleChannel(pixel[0], blue);
        pixel[3] = ScaleChannel(pixel[3], alpha);
    });
}

void AddToChannels(IconImage& image, SHORT red, SHORT green, SHORT blue, SHORT alpha)
{
    ForEachVisiblePixel(image, [=](BYTE* pixel) {
        pixel[2] = AddToChannel(pixel[2], red);
        pixel[1] = AddToChannel(pixel[1], green);
        pixel[0] = AddToChannel(pixel[0], blue);
        pixel[3] = AddToChannel(pixel[3], alpha);
    });
}

void MakeGray(IconImage& image)
{
    ForEachVisiblePixel(image, [](BYTE* pixel) {
        const BYTE gray = static_cast<BYTE>((pixel[0] + pixel[1] + pixel[2]) / 3);
        pixel[0] = pixel[1] = pixel[2] = gray;
    });
}

void BlendOnto(const IconImage& image, DibSurface& surface, int x, int y)
{
    if (image.IsEmpty() || !image.Pixels() || !surface.Pixels())
        return;
    // Unsigned, so that a corner left of or above the surface is outside too.
    if (static_cast<UINT>(x) >= static_cast<UINT>(surface.Width()) ||
        static_cast<UINT>(y) >= static_cast<UINT>(surface.Height()))
        return;
    const int columns = surface.Width() - x < image.Width() ? surface.Width() - x : image.Width();
    const int rows = surface.Height() - y < image.Height() ? surface.Height() - y : image.Height();
    const size_t rowBytes = static_cast<size_t>(image.Width()) * 4;
    for (int row = 0; row < rows; ++row) {
        // The image is stored bottom-up: picture row k is stored row height - 1 - k.
        const BYTE* source = image.Pixels() + static_cast<size_t>(image.Height() - 1 - row) * rowBytes;
        BYTE* target = surface.CursorAt(x, y + row).rowStart;
        for (int column = 0; column < columns; ++column, source += 4, target += 4)
            BlendPixel(source, target);
    }
}
