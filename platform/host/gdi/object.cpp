// The handle table, stock objects, pens and brushes, and the calls that
// work on any kind of object (DeleteObject, GetObjectW).
#include "platform/host/gdi/object.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <unordered_map>

#include "platform/host/gdi/dc.h"
#include "platform/host/gdi/font.h"
#include "platform/host/gdi/raster.h"
#include "platform/host/testing.h"

namespace host::gdi {
namespace {

struct ObjectTable {
    std::unordered_map<uintptr_t, std::unique_ptr<GdiObject>> objects;
    // Handles are never reused, and start high enough not to be taken for
    // the small system-colour brush values.
    uintptr_t nextHandle = 0x10000;
    int live = 0;
};

ObjectTable& Table()
{
    static ObjectTable table;
    return table;
}

struct StockObjects {
    std::array<HGDIOBJ, DEFAULT_GUI_FONT + 1> byIndex{};
    HBITMAP bitmap{};
};

HGDIOBJ AddStock(std::unique_ptr<GdiObject> object)
{
    object->stock = true;
    return AddObject(std::move(object));
}

HGDIOBJ StockBrush(bool null, COLORREF color)
{
    auto brush = std::make_unique<Brush>();
    brush->null = null;
    brush->color = color;
    return AddStock(std::move(brush));
}

HGDIOBJ StockPen(bool null, COLORREF color)
{
    auto pen = std::make_unique<Pen>();
    pen->null = null;
    pen->color = color;
    return AddStock(std::move(pen));
}

// A sans face whose cell is 13 pixels high: character height 11.
HGDIOBJ StockFont()
{
    auto font = std::make_unique<Font>();
    font->logFont.lfHeight = -11;
    font->logFont.lfWeight = FW_NORMAL;
    return AddStock(std::move(font));
}

const StockObjects& Stock()
{
    static const StockObjects stock = [] {
        StockObjects s;
        s.byIndex[WHITE_BRUSH] = StockBrush(false, RGB(255, 255, 255));
        s.byIndex[LTGRAY_BRUSH] = StockBrush(false, RGB(192, 192, 192));
        s.byIndex[GRAY_BRUSH] = StockBrush(false, RGB(128, 128, 128));
        s.byIndex[DKGRAY_BRUSH] = StockBrush(false, RGB(64, 64, 64));
        s.byIndex[BLACK_BRUSH] = StockBrush(false, RGB(0, 0, 0));
        s.byIndex[NULL_BRUSH] = StockBrush(true, 0);
        s.byIndex[WHITE_PEN] = StockPen(false, RGB(255, 255, 255));
        s.byIndex[BLACK_PEN] = StockPen(false, RGB(0, 0, 0));
        s.byIndex[NULL_PEN] = StockPen(true, 0);
        s.byIndex[SYSTEM_FONT] = StockFont();
        s.byIndex[DEFAULT_GUI_FONT] = StockFont();

        auto bitmap = std::make_unique<Bitmap>();
        bitmap->memory = std::make_unique<uint8_t[]>(4);
        bitmap->surface = {1, 1, bitmap->memory.get(), 4};
        s.bitmap = static_cast<HBITMAP>(AddStock(std::move(bitmap)));
        return s;
    }();
    return stock;
}

}  // namespace

HGDIOBJ AddObject(std::unique_ptr<GdiObject> object)
{
    ObjectTable& table = Table();
    uintptr_t handle = table.nextHandle;
    table.nextHandle += 16;
    if (!object->stock) ++table.live;
    table.objects.emplace(handle, std::move(object));
    return reinterpret_cast<HGDIOBJ>(handle);
}

GdiObject* FindObject(const void* handle)
{
    ObjectTable& table = Table();
    auto found = table.objects.find(reinterpret_cast<uintptr_t>(handle));
    return found == table.objects.end() ? nullptr : found->second.get();
}

void FreeObject(const void* handle)
{
    ObjectTable& table = Table();
    auto found = table.objects.find(reinterpret_cast<uintptr_t>(handle));
    if (found == table.objects.end()) return;
    if (!found->second->stock) --table.live;
    table.objects.erase(found);
}

void Hold(HGDIOBJ handle)
{
    if (GdiObject* object = FindObject(handle)) ++object->selections;
}

void Release(HGDIOBJ handle)
{
    GdiObject* object = FindObject(handle);
    if (!object) return;
    if (--object->selections == 0 && object->deletePending) FreeObject(handle);
}

HBITMAP StockBitmap() { return Stock().bitmap; }

}  // namespace host::gdi

using namespace host::gdi;

int host::testing::LiveGdiObjects() { return Table().live; }

HGDIOBJ GetStockObject(int index)
{
    const StockObjects& stock = Stock();
    if (index < 0 || index >= static_cast<int>(stock.byIndex.size())) return nullptr;
    return stock.byIndex[index];
}

HPEN CreatePen(int style, int width, COLORREF color)
{
    constexpr int kNullStyle = 5;  // PS_NULL
    if (style != PS_SOLID && style != kNullStyle) return nullptr;
    auto pen = std::make_unique<Pen>();
    pen->null = style == kNullStyle;
    // Width 0 and below draw one pixel wide, as on Windows; a pen wider
    // than any surface is narrowed to that width.
    pen->width = std::clamp(width, 1, raster::kWidestPen);
    pen->color = color & 0xFFFFFF;
    return static_cast<HPEN>(AddObject(std::move(pen)));
}

HBRUSH CreateSolidBrush(COLORREF color)
{
    auto brush = std::make_unique<Brush>();
    brush->color = color & 0xFFFFFF;
    return static_cast<HBRUSH>(AddObject(std::move(brush)));
}

BOOL DeleteObject(HGDIOBJ handle)
{
    GdiObject* object = FindObject(handle);
    if (!object || object->kind == ObjectKind::DC) return FALSE;
    if (object->stock) return TRUE;
    if (object->selections > 0) {
        object->deletePending = true;
        return TRUE;
    }
    FreeObject(handle);
    return TRUE;
}

int GetObjectW(HANDLE handle, int size, LPVOID buffer)
{
    GdiObject* object = FindObject(handle);
    if (!object) return 0;
    if (auto* bitmap = Lookup<Bitmap>(handle)) {
        if (!buffer) return sizeof(BITMAP);
        if (size < static_cast<int>(sizeof(BITMAP))) return 0;
        BITMAP record{};
        record.bmWidth = bitmap->surface.width;
        record.bmHeight = bitmap->surface.height;
        record.bmWidthBytes = bitmap->surface.width * 4;
        record.bmPlanes = 1;
        record.bmBitsPixel = 32;
        if (bitmap->dibSection) {
            // The bits start at the lowest address, whichever way the rows run.
            uint8_t* origin = bitmap->surface.origin;
            record.bmBits = bitmap->surface.stride < 0 ? origin + (bitmap->surface.height - 1) * bitmap->surface.stride
                                                       : origin;
        }
        std::memcpy(buffer, &record, sizeof record);
        return sizeof(BITMAP);
    }
    if (auto* font = Lookup<Font>(handle)) {
        if (!buffer) return sizeof(LOGFONTW);
        if (size < static_cast<int>(sizeof(LOGFONTW))) return 0;
        std::memcpy(buffer, &font->logFont, sizeof(LOGFONTW));
        return sizeof(LOGFONTW);
    }
    return 0;
}

// Drawing is never batched, so there is nothing to flush.
BOOL GdiFlush() { return TRUE; }
