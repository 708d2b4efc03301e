// Device contexts: where a drawing call draws and with what. A window DC
// draws on a surface the window manager owns, a memory DC on the bitmap
// selected into it, and a screen DC only measures.
#pragma once

#include "platform/host/gdi/object.h"
#include "platform/host/gdi/rects.h"

namespace host::gdi {

struct DeviceContext : GdiObject {
    static constexpr ObjectKind kKind = ObjectKind::DC;
    DeviceContext() : GdiObject(kKind) {}

    Surface* window = nullptr;  // the surface of a window DC
    bool memory = false;

    HBITMAP bitmap{};
    HPEN pen{};
    HBRUSH brush{};
    HFONT font{};
    COLORREF textColor = RGB(0, 0, 0);
    COLORREF bkColor = RGB(255, 255, 255);
    int bkMode = OPAQUE;
    POINT position{};
    RectList drawn;
    bool clipped = false;
    RECT clip{};  // with `clipped`: the only area drawn on

    // What this context draws on; empty for a screen DC.
    const Surface& Target() const;

    // The part of `r` that lies on the surface and within the clip: the only
    // rectangles the primitives are ever given.
    RECT Clip(const RECT& r) const;

    // Records that `r` (already clipped) was drawn on.
    void Touch(const RECT& r) { drawn.Add(r); }

    Pen& CurrentPen() const;
    Brush& CurrentBrush() const;
    Font& CurrentFont() const;
};

inline DeviceContext* LookupDC(HDC dc) { return Lookup<DeviceContext>(dc); }

}  // namespace host::gdi
