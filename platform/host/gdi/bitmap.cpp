// Bitmaps: device-dependent bitmaps and 32-bit DIB sections. Both are BGRX
// pixel memory with a Surface over it; a DIB section's memory is what the
// caller gets as its bits, so the DC draws on exactly that memory.
#include <cstdint>
#include <new>

#include "platform/host/gdi/dc.h"

namespace host::gdi {
namespace {

// The largest pixel memory a bitmap may have (8192 x 8192 pixels). Larger
// requests fail like an allocation failure rather than exhausting memory.
constexpr int64_t kMaxBitmapBytes = int64_t{256} << 20;

// A zero-filled bitmap of width x height pixels, rows running down for a
// top-down bitmap and up in memory otherwise; null when the size is not
// positive or too large.
HBITMAP NewBitmap(int width, int height, bool topDown, bool dibSection)
{
    if (width <= 0 || height <= 0) return nullptr;
    // Checked before multiplying: width * 4 * height may exceed even 64 bits.
    const int64_t rowBytes = int64_t{width} * 4;
    if (rowBytes > kMaxBitmapBytes / height) return nullptr;
    const int64_t bytes = rowBytes * height;
    auto bitmap = std::make_unique<Bitmap>();
    bitmap->memory.reset(new (std::nothrow) uint8_t[bytes]());
    if (!bitmap->memory) return nullptr;
    uint8_t* base = bitmap->memory.get();
    bitmap->surface.width = width;
    bitmap->surface.height = height;
    bitmap->surface.origin = topDown ? base : base + (height - 1) * rowBytes;
    bitmap->surface.stride = topDown ? rowBytes : -rowBytes;
    bitmap->dibSection = dibSection;
    return static_cast<HBITMAP>(AddObject(std::move(bitmap)));
}

}  // namespace
}  // namespace host::gdi

using namespace host::gdi;
using host::Surface;

HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height)
{
    if (!LookupDC(dc)) return nullptr;
    // Windows answers a zero size with its 1 x 1 stock bitmap.
    if (width == 0 || height == 0) return StockBitmap();
    return NewBitmap(width, height, true, false);
}

HBITMAP CreateDIBSection(HDC, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section, DWORD)
{
    if (bits) *bits = nullptr;
    if (!info || usage != DIB_RGB_COLORS || section) return nullptr;
    const BITMAPINFOHEADER& header = info->bmiHeader;
    if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biPlanes != 1 || header.biBitCount != 32 ||
        header.biCompression != BI_RGB || header.biHeight == INT32_MIN)
        return nullptr;
    bool topDown = header.biHeight < 0;
    HBITMAP handle = NewBitmap(header.biWidth, topDown ? -header.biHeight : header.biHeight, topDown, true);
    if (handle && bits) {
        const Surface& surface = Lookup<Bitmap>(handle)->surface;
        *bits = topDown ? static_cast<void*>(surface.origin) : surface.Row(surface.height - 1);
    }
    return handle;
}
