// Device contexts: creation and deletion, object selection and the state
// that drawing calls read (colours, background mode).
#include "platform/host/gdi/dc.h"

namespace host::gdi {
namespace {

HDC NewDC(Surface* window, bool memory)
{
    auto dc = std::make_unique<DeviceContext>();
    dc->window = window;
    dc->memory = memory;
    dc->pen = static_cast<HPEN>(GetStockObject(BLACK_PEN));
    dc->brush = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    dc->font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    if (memory) dc->bitmap = StockBitmap();
    for (HGDIOBJ held : {HGDIOBJ(dc->pen), HGDIOBJ(dc->brush), HGDIOBJ(dc->font), HGDIOBJ(dc->bitmap)}) Hold(held);
    return static_cast<HDC>(AddObject(std::move(dc)));
}

BOOL DeleteAnyDC(HDC handle)
{
    DeviceContext* dc = LookupDC(handle);
    if (!dc) return FALSE;
    for (HGDIOBJ held : {HGDIOBJ(dc->pen), HGDIOBJ(dc->brush), HGDIOBJ(dc->font), HGDIOBJ(dc->bitmap)}) Release(held);
    FreeObject(handle);
    return TRUE;
}

// Swaps `handle` into `slot`, keeping the selection counts right; returns
// the previous object.
template <class H>
HGDIOBJ Swap(H& slot, HGDIOBJ handle)
{
    H previous = slot;
    Hold(handle);
    slot = static_cast<H>(handle);
    Release(previous);
    return previous;
}

const Surface kNoSurface;

}  // namespace

const Surface& DeviceContext::Target() const
{
    if (window) return *window;
    if (Bitmap* selected = Lookup<Bitmap>(bitmap)) return selected->surface;
    return kNoSurface;
}

RECT DeviceContext::Clip(const RECT& r) const
{
    const Surface& surface = Target();
    const RECT onSurface = Intersect(r, RECT{0, 0, surface.width, surface.height});
    return clipped ? Intersect(onSurface, clip) : onSurface;
}

// Selected objects are held, so they outlive a DeleteObject until they are
// deselected.
Pen& DeviceContext::CurrentPen() const { return *Lookup<Pen>(pen); }
Brush& DeviceContext::CurrentBrush() const { return *Lookup<Brush>(brush); }
Font& DeviceContext::CurrentFont() const { return *Lookup<Font>(font); }

HDC CreateSurfaceDC(Surface* surface) { return NewDC(surface, false); }

void DeleteSurfaceDC(HDC dc) { DeleteAnyDC(dc); }

void ClipSurfaceDC(HDC handle, const RECT& area)
{
    if (DeviceContext* dc = LookupDC(handle)) {
        dc->clipped = true;
        dc->clip = area;
    }
}

RECT DrawnBounds(HDC handle)
{
    DeviceContext* dc = LookupDC(handle);
    return dc ? dc->drawn.Bounds() : RECT{};
}

RectList DrawnRects(HDC handle)
{
    DeviceContext* dc = LookupDC(handle);
    return dc ? dc->drawn : RectList{};
}

}  // namespace host::gdi

using namespace host::gdi;

HDC CreateCompatibleDC(HDC dc)
{
    if (dc && !LookupDC(dc)) return nullptr;
    return NewDC(nullptr, true);
}

BOOL DeleteDC(HDC dc) { return DeleteAnyDC(dc); }

HGDIOBJ SelectObject(HDC handle, HGDIOBJ object)
{
    DeviceContext* dc = LookupDC(handle);
    GdiObject* target = FindObject(object);
    if (!dc || !target) return nullptr;
    switch (target->kind) {
    case ObjectKind::Pen:
        return Swap(dc->pen, object);
    case ObjectKind::Brush:
        return Swap(dc->brush, object);
    case ObjectKind::Font:
        return Swap(dc->font, object);
    case ObjectKind::Bitmap:
        // Only memory DCs take bitmaps, and a bitmap lives in one DC at a
        // time (the shared stock bitmap excepted).
        if (!dc->memory) return nullptr;
        if (object == dc->bitmap) return object;
        if (!target->stock && target->selections > 0) return nullptr;
        return Swap(dc->bitmap, object);
    case ObjectKind::DC:
        break;
    }
    return nullptr;
}

COLORREF SetTextColor(HDC handle, COLORREF color)
{
    DeviceContext* dc = LookupDC(handle);
    if (!dc) return CLR_INVALID;
    COLORREF previous = dc->textColor;
    dc->textColor = color & 0xFFFFFF;
    return previous;
}

COLORREF GetTextColor(HDC handle)
{
    DeviceContext* dc = LookupDC(handle);
    return dc ? dc->textColor : CLR_INVALID;
}

COLORREF SetBkColor(HDC handle, COLORREF color)
{
    DeviceContext* dc = LookupDC(handle);
    if (!dc) return CLR_INVALID;
    COLORREF previous = dc->bkColor;
    dc->bkColor = color & 0xFFFFFF;
    return previous;
}

COLORREF GetBkColor(HDC handle)
{
    DeviceContext* dc = LookupDC(handle);
    return dc ? dc->bkColor : CLR_INVALID;
}

int SetBkMode(HDC handle, int mode)
{
    DeviceContext* dc = LookupDC(handle);
    if (!dc || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
    int previous = dc->bkMode;
    dc->bkMode = mode;
    return previous;
}

int GetBkMode(HDC handle)
{
    DeviceContext* dc = LookupDC(handle);
    return dc ? dc->bkMode : 0;
}
