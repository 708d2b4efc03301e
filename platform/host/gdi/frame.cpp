// DrawFrameControl: push buttons in the classic two-pixel 3-D style.
#include "platform/host/gdi/dc.h"

namespace host::gdi {
namespace {

// Fills `part` with a system colour; parts that a small frame turns inside
// out are left empty (FillRect would fill them the other way round).
void FillPart(HDC dc, const RECT& part, int colorIndex)
{
    if (!Empty(part)) FillRect(dc, &part, reinterpret_cast<HBRUSH>(static_cast<uintptr_t>(colorIndex + 1)));
}

// One ring of a 3-D edge: the top and left sides in one colour, the bottom
// and right sides (and so the far corners) in the other.
void DrawRing(HDC dc, const RECT& r, int topLeft, int bottomRight)
{
    FillPart(dc, RECT{r.left, r.top, r.right - 1, r.top + 1}, topLeft);
    FillPart(dc, RECT{r.left, r.top + 1, r.left + 1, r.bottom - 1}, topLeft);
    FillPart(dc, RECT{r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
    FillPart(dc, RECT{r.right - 1, r.top, r.right, r.bottom - 1}, bottomRight);
}

}  // namespace
}  // namespace host::gdi

BOOL DrawFrameControl(HDC dc, LPRECT rect, UINT type, UINT state)
{
    if (!host::gdi::LookupDC(dc) || !rect || type != DFC_BUTTON || !(state & DFCS_BUTTONPUSH)) return FALSE;
    RECT r = *rect;
    if (host::gdi::Empty(r)) return TRUE;
    // Raised: light outer and inner top-left, dark bottom-right; pushed:
    // the same rings sunken.
    const bool pushed = state & DFCS_PUSHED;
    host::gdi::DrawRing(dc, r, pushed ? COLOR_3DDKSHADOW : COLOR_BTNHIGHLIGHT,
                        pushed ? COLOR_BTNHIGHLIGHT : COLOR_3DDKSHADOW);
    RECT inner = host::gdi::WideRect(int64_t{r.left} + 1, int64_t{r.top} + 1, r.right - 1, r.bottom - 1);
    if (!host::gdi::Empty(inner))
        host::gdi::DrawRing(dc, inner, pushed ? COLOR_BTNSHADOW : COLOR_3DLIGHT, pushed ? COLOR_3DLIGHT : COLOR_BTNSHADOW);
    host::gdi::FillPart(
        dc, host::gdi::WideRect(int64_t{r.left} + 2, int64_t{r.top} + 2, int64_t{r.right} - 2, int64_t{r.bottom} - 2),
        COLOR_BTNFACE);
    return TRUE;
}
