// Rectangles. As in Win32, a rectangle holds left … right − 1 and
// top … bottom − 1, so it is empty when right ≤ left or bottom ≤ top.
#include <algorithm>

#include "platform/win32.h"

namespace {

// Coordinates wrap around as on Windows instead of overflowing.
LONG Moved(LONG value, int by)
{
    return static_cast<LONG>(static_cast<uint32_t>(value) + static_cast<uint32_t>(by));
}

}  // namespace

BOOL SetRect(LPRECT rect, int left, int top, int right, int bottom)
{
    if (!rect)
        return FALSE;
    *rect = {left, top, right, bottom};
    return TRUE;
}

BOOL InflateRect(LPRECT rect, int dx, int dy)
{
    if (!rect)
        return FALSE;
    *rect = {Moved(rect->left, -dx), Moved(rect->top, -dy), Moved(rect->right, dx), Moved(rect->bottom, dy)};
    return TRUE;
}

BOOL OffsetRect(LPRECT rect, int dx, int dy)
{
    if (!rect)
        return FALSE;
    *rect = {Moved(rect->left, dx), Moved(rect->top, dy), Moved(rect->right, dx), Moved(rect->bottom, dy)};
    return TRUE;
}

BOOL PtInRect(const RECT* rect, POINT point)
{
    return rect && point.x >= rect->left && point.x < rect->right && point.y >= rect->top && point.y < rect->bottom;
}

BOOL IsRectEmpty(const RECT* rect)
{
    return !rect || rect->right <= rect->left || rect->bottom <= rect->top;
}

BOOL EqualRect(const RECT* a, const RECT* b)
{
    return a && b && a->left == b->left && a->top == b->top && a->right == b->right && a->bottom == b->bottom;
}

BOOL IntersectRect(LPRECT destination, const RECT* a, const RECT* b)
{
    if (!destination || !a || !b)
        return FALSE;
    const RECT common{std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
                      std::min(a->bottom, b->bottom)};
    *destination = IsRectEmpty(&common) ? RECT{} : common;
    return !IsRectEmpty(destination);
}

BOOL UnionRect(LPRECT destination, const RECT* a, const RECT* b)
{
    if (!destination || !a || !b)
        return FALSE;
    // An empty rectangle adds nothing, wherever it lies.
    if (IsRectEmpty(a)) {
        *destination = IsRectEmpty(b) ? RECT{} : *b;
    } else if (IsRectEmpty(b)) {
        *destination = *a;
    } else {
        *destination = {std::min(a->left, b->left), std::min(a->top, b->top), std::max(a->right, b->right),
                        std::max(a->bottom, b->bottom)};
    }
    return !IsRectEmpty(destination);
}
