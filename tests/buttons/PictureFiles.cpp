#include "tests/buttons/PictureFiles.h"

#include "tests/support/TestFiles.h"

namespace picturefiles {

namespace {

void PutWord(std::string& out, unsigned value)
{
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

void PutDword(std::string& out, unsigned value)
{
    PutWord(out, value & 0xFFFF);
    PutWord(out, value >> 16);
}

void PutInfoHeader(std::string& out, int width, int height, int bitCount)
{
    PutDword(out, 40);
    PutDword(out, static_cast<unsigned>(width));
    PutDword(out, static_cast<unsigned>(height));
    PutWord(out, 1);
    PutWord(out, static_cast<unsigned>(bitCount));
    for (int i = 0; i < 6; ++i)
        PutDword(out, 0);
}

// Header, bottom-up BGRA rows and a clear AND mask, as an icon stores them.
std::string IconImageBytes(const IconEntry& entry)
{
    const int width = entry.width == 0 ? 256 : entry.width;
    const int height = entry.height == 0 ? 256 : entry.height;
    std::string out;
    PutInfoHeader(out, width, 2 * height, entry.bitCount);
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x)
            PutDword(out, entry.pixel(x, y));
    }
    out.append(static_cast<size_t>((width + 31) / 32 * 4 * height), '\0');
    return out;
}

}  // namespace

PixelFunction Solid(DWORD argb)
{
    return [argb](int, int) { return argb; };
}

std::string WriteIcon(const std::string& name, const std::vector<IconEntry>& entries)
{
    std::string directory, images;
    const unsigned firstImage = 6 + 16 * static_cast<unsigned>(entries.size());
    for (const IconEntry& entry : entries) {
        const std::string image = IconImageBytes(entry);
        directory += static_cast<char>(entry.width);
        directory += static_cast<char>(entry.height);
        directory += std::string(2, '\0');
        PutWord(directory, 1);
        PutWord(directory, static_cast<unsigned>(entry.bitCount));
        PutDword(directory, static_cast<unsigned>(image.size()));
        PutDword(directory, firstImage + static_cast<unsigned>(images.size()));
        images += image;
    }
    std::string file;
    PutWord(file, 0);
    PutWord(file, 1);
    PutWord(file, static_cast<unsigned>(entries.size()));
    return testfiles::WriteBytes(name, file + directory + images);
}

std::string WriteBitmap(const std::string& name, int width, int height, const PixelFunction& pixel)
{
    const int stride = (width * 3 + 3) & ~3;
    std::string rows;
    for (int y = height - 1; y >= 0; --y) {
        std::string row;
        for (int x = 0; x < width; ++x) {
            const DWORD argb = pixel(x, y);
            row += static_cast<char>(argb & 0xFF);
            row += static_cast<char>((argb >> 8) & 0xFF);
            row += static_cast<char>((argb >> 16) & 0xFF);
        }
        row.resize(static_cast<size_t>(stride), '\0');
        rows += row;
    }
    std::string file = "BM";
    PutDword(file, static_cast<unsigned>(54 + rows.size()));
    PutDword(file, 0);
    PutDword(file, 54);
    PutInfoHeader(file, width, height, 24);
    return testfiles::WriteBytes(name, file + rows);
}

}  // namespace picturefiles
