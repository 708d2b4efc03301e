#include "platform/host/display/PngFile.h"

#include <fcntl.h>
#include <png.h>
#include <unistd.h>

#include <csetjmp>
#include <cstdio>
#include <memory>
#include <vector>

#include "platform/host/kernel/file.h"

namespace host {
namespace {

struct FileCloser {
    void operator()(FILE* file) const { fclose(file); }
};

// Everything libpng touches after setjmp lives outside the function that
// calls it, so a longjmp out of libpng leaves nothing half-made.
bool WriteRows(FILE* file, const Surface& surface, std::vector<png_byte>& row)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png)
        return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, surface.width, surface.height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < surface.height; ++y) {
        const uint32_t* pixels = surface.Row(y);
        for (int x = 0; x < surface.width; ++x) {
            row[3 * x] = static_cast<png_byte>(pixels[x] >> 16);
            row[3 * x + 1] = static_cast<png_byte>(pixels[x] >> 8);
            row[3 * x + 2] = static_cast<png_byte>(pixels[x]);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

bool WritePng(const char* path, const Surface& surface)
{
    if (surface.width <= 0 || surface.height <= 0)
        return false;
    const int descriptor = OpenRegularFile(path, O_WRONLY | O_CREAT | O_TRUNC);
    if (descriptor < 0)
        return false;
    std::unique_ptr<FILE, FileCloser> file(fdopen(descriptor, "wb"));
    if (!file) {
        close(descriptor);
        return false;
    }
    std::vector<png_byte> row(static_cast<size_t>(surface.width) * 3);
    const bool written = WriteRows(file.get(), surface, row);
    return fclose(file.release()) == 0 && written;
}

}  // namespace host
