// SHLoadDIBitmap: .bmp files decoded by stb_image into 32-bit DIB sections.
#include <cstring>
#include <vector>

#include "platform/win32.h"

#define STBI_ONLY_BMP
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STBI_MAX_DIMENSIONS 8192
#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>

namespace {

constexpr DWORD kLargestFile = DWORD{256} << 20;

uint32_t Read32(const std::vector<uint8_t>& bytes, size_t at)
{
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | uint32_t(bytes[at + 3]) << 24;
}
uint16_t Read16(const std::vector<uint8_t>& bytes, size_t at) { return uint16_t(bytes[at] | bytes[at + 1] << 8); }

// The decoder reads past the end of a short file as zeros, so a truncated
// file is caught here. A .bmp file is a 14-byte file header ("BM", file
// size, reserved, offset of the pixels at byte 10), then an info header
// whose first field is its own size: 12 bytes for the old core header
// (16-bit width and height, planes, bit count), 40 or more otherwise
// (32-bit width and height, planes, bit count, compression at byte 16,
// palette entries used at byte 32, at most 2^bits for 8 bits or fewer).
// Uncompressed rows are padded to 4 bytes and must all be in the file;
// run-length compressed pixels are checked by the decoder as it goes.
bool HasAllPixels(const std::vector<uint8_t>& bytes)
{
    constexpr size_t kFileHeader = 14;
    if (bytes.size() < kFileHeader + 16 || bytes[0] != 'B' || bytes[1] != 'M') return false;
    const uint64_t pixelsAt = Read32(bytes, 10);
    const uint32_t headerSize = Read32(bytes, kFileHeader);
    int64_t width, height;
    uint32_t bitCount, compression = 0, paletteSize = 0;
    if (headerSize == 12) {
        width = Read16(bytes, kFileHeader + 4);
        height = int16_t(Read16(bytes, kFileHeader + 6));
        bitCount = Read16(bytes, kFileHeader + 10);
    } else {
        if (headerSize < 40 || bytes.size() < kFileHeader + 40) return false;
        width = int32_t(Read32(bytes, kFileHeader + 4));
        height = int32_t(Read32(bytes, kFileHeader + 8));
        bitCount = Read16(bytes, kFileHeader + 14);
        compression = Read32(bytes, kFileHeader + 16);
        paletteSize = Read32(bytes, kFileHeader + 32);
    }
    if (bitCount <= 8 && paletteSize > (1u << bitCount)) return false;
    constexpr uint32_t kRle8 = 1, kRle4 = 2;
    if (compression == kRle8 || compression == kRle4) return pixelsAt < bytes.size();
    if (width <= 0 || height == 0 || bitCount == 0 || bitCount > 32) return false;
    const uint64_t rowBytes = (uint64_t(width) * bitCount + 31) / 32 * 4;
    const uint64_t rows = height < 0 ? -height : height;
    return pixelsAt + rowBytes * rows <= bytes.size();
}

// Through CreateFileW, which refuses pipes, devices and folders rather than
// wait on them.
bool ReadWholeFile(LPCWSTR fileName, std::vector<uint8_t>& bytes)
{
    HANDLE file = CreateFileW(fileName, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD sizeHigh = 0;
    const DWORD size = GetFileSize(file, &sizeHigh);
    DWORD read = 0;
    bool whole = false;
    if (sizeHigh == 0 && size != 0 && size <= kLargestFile) {
        bytes.resize(size);
        whole = ReadFile(file, bytes.data(), size, &read, nullptr) && read == size;
    }
    CloseHandle(file);
    return whole;
}

}  // namespace

HBITMAP SHLoadDIBitmap(LPCWSTR fileName)
{
    if (!fileName) return nullptr;
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(fileName, bytes) || !HasAllPixels(bytes)) return nullptr;
    int width = 0, height = 0, channels = 0;
    stbi_uc* rgba = stbi_load_from_memory(bytes.data(), int(bytes.size()), &width, &height, &channels, 4);
    if (!rgba) return nullptr;

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap) {
        // The decoder's rows run down; the DIB's run up from its bits.
        for (int y = 0; y < height; ++y) {
            const stbi_uc* in = rgba + size_t(y) * width * 4;
            uint8_t* out = static_cast<uint8_t*>(bits) + size_t(height - 1 - y) * width * 4;
            for (int x = 0; x < width; ++x, in += 4, out += 4) {
                out[0] = in[2];
                out[1] = in[1];
                out[2] = in[0];
                out[3] = 0;
            }
        }
    }
    stbi_image_free(rgba);
    return bitmap;
}
