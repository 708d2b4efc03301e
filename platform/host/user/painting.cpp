// Painting: update areas, BeginPaint/EndPaint, window and screen DCs.
//
// The update area is kept as its bounding rectangle, which is what rcPaint
// reports anyway. DCs are made by the GDI on the window's surface; what is
// drawn through them is presented when they are given back, and only that:
// a refresh that changed the seconds sends the seconds. A paint that erases
// (the screen lost the area, or the window was shown or sized) presents its
// whole area, drawn on or not.
#include <algorithm>
#include <map>
#include <vector>

#include "platform/host/display/Display.h"
#include "platform/host/user/MessageQueue.h"
#include "platform/host/user/Window.h"

namespace host::user {
namespace {

struct LentDC {
    HDC dc;
    HWND window;  // null: a screen DC for measuring
    bool erased = false;  // BeginPaint's, for an area that must be sent whole
};

std::vector<LentDC>& Lent()
{
    static std::vector<LentDC> lent;
    return lent;
}

// Windows waiting for WM_PAINT, by ticket; so a paint is found at once
// however many windows there are.
struct PaintQueue {
    std::map<uint64_t, HWND> waiting;
    uint64_t lastTicket = 0;
};

PaintQueue& Queue()
{
    static PaintQueue queue;
    return queue;
}

HDC Lend(HWND window)
{
    Window* target = FindWindow(window);
    if (window && !target)
        return nullptr;
    const HDC dc = gdi::CreateSurfaceDC(target ? &target->surface : nullptr);
    if (dc)
        Lent().push_back({dc, window});
    return dc;
}

// Takes the DC back; false when it was not lent (or its window went away).
bool GiveBack(HDC dc, LentDC& returned)
{
    auto& lent = Lent();
    const auto found = std::find_if(lent.begin(), lent.end(), [dc](const LentDC& l) { return l.dc == dc; });
    if (!dc || found == lent.end())
        return false;
    returned = *found;
    lent.erase(found);
    return true;
}

void PresentPart(HWND window, RECT rect)
{
    const Window* target = FindWindow(window);
    if (!target)
        return;
    const RECT whole = WholeWindow(*target);
    if (IntersectRect(&rect, &rect, &whole))
        TheDisplay().Present(window, rect);
}

// What was drawn through `dc` on `window`, within `area`.
void PresentDrawn(HWND window, HDC dc, const RECT& area)
{
    for (RECT drawn : host::gdi::DrawnRects(dc)) {
        if (IntersectRect(&drawn, &drawn, &area))
            PresentPart(window, drawn);
    }
}

// Takes `cut` off the update area where the area stays a rectangle.
void Validate(Window& window, const RECT& rect)
{
    RECT& update = window.update;
    RECT cut;
    if (!IntersectRect(&cut, &update, &rect))
        return;
    if (EqualRect(&cut, &update)) {
        update = {};
    } else if (cut.top == update.top && cut.bottom == update.bottom) {
        if (cut.left == update.left)
            update.left = cut.right;
        else if (cut.right == update.right)
            update.right = cut.left;
    } else if (cut.left == update.left && cut.right == update.right) {
        if (cut.top == update.top)
            update.top = cut.bottom;
        else if (cut.bottom == update.bottom)
            update.bottom = cut.top;
    }
    if (IsRectEmpty(&update))
        window.erase = false;
    NotePaintState(window);
}

}  // namespace

RECT WholeWindow(const Window& window)
{
    return {0, 0, window.surface.width, window.surface.height};
}

void Invalidate(Window& window, const RECT* rect, bool erase)
{
    RECT area = WholeWindow(window);
    if (rect && !IntersectRect(&area, &area, rect))
        return;
    if (IsRectEmpty(&area))
        return;
    UnionRect(&window.update, &window.update, &area);
    window.erase = window.erase || erase;
    NotePaintState(window);
}

void NotePaintState(Window& window)
{
    const bool waits = window.visible && !IsRectEmpty(&window.update);
    if (waits && !window.paintTicket) {
        window.paintTicket = ++Queue().lastTicket;
        Queue().waiting.emplace(window.paintTicket, window.handle);
    } else if (!waits && window.paintTicket) {
        Queue().waiting.erase(window.paintTicket);
        window.paintTicket = 0;
    }
}

bool TakePaint(const MessageFilter& filter, MSG& msg)
{
    HWND waiting = nullptr;
    if (filter.window) {
        const Window* window = FindWindow(filter.window);
        waiting = window && window->paintTicket ? filter.window : nullptr;
    } else if (!Queue().waiting.empty()) {
        waiting = Queue().waiting.begin()->second;
    }
    if (!waiting || !filter.Accepts(waiting, WM_PAINT))
        return false;
    msg = {waiting, WM_PAINT, 0, 0, 0, {}};
    return true;
}

void ForgetWindowDCs(HWND window)
{
    // The surface goes away with the window, so its DCs must go first.
    std::erase_if(Lent(), [window](const LentDC& lent) {
        if (lent.window != window)
            return false;
        gdi::DeleteSurfaceDC(lent.dc);
        return true;
    });
}

void ResetPainting()
{
    Queue() = {};
    for (const LentDC& lent : Lent())
        gdi::DeleteSurfaceDC(lent.dc);
    Lent().clear();
}

}  // namespace host::user

using namespace host::user;

HDC BeginPaint(HWND window, LPPAINTSTRUCT paint)
{
    Window* target = FindWindow(window);
    if (!target || !paint)
        return nullptr;
    const bool erase = target->erase;
    *paint = {};
    paint->rcPaint = target->update;
    target->update = {};
    target->erase = false;
    NotePaintState(*target);
    paint->hdc = Lend(window);
    if (paint->hdc) {
        host::gdi::ClipSurfaceDC(paint->hdc, paint->rcPaint);
        Lent().back().erased = erase;
    }
    if (erase)
        paint->fErase = SendMessageW(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(paint->hdc), 0) == 0;
    return paint->hdc;
}

BOOL EndPaint(HWND window, const PAINTSTRUCT* paint)
{
    LentDC returned;
    if (!paint || !GiveBack(paint->hdc, returned))
        return TRUE;
    if (returned.erased)
        PresentPart(window, paint->rcPaint);
    else
        PresentDrawn(window, returned.dc, paint->rcPaint);
    host::gdi::DeleteSurfaceDC(returned.dc);
    return TRUE;
}

HDC GetDC(HWND window)
{
    return Lend(window);
}

HDC GetWindowDC(HWND window)
{
    // Windows here have no frame: the window DC and the client DC are alike.
    return Lend(window);
}

int ReleaseDC(HWND, HDC dc)
{
    LentDC returned;
    if (!GiveBack(dc, returned))
        return 0;
    if (returned.window)
        PresentDrawn(returned.window, dc, RECT{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX});
    host::gdi::DeleteSurfaceDC(dc);
    return 1;
}

BOOL InvalidateRect(HWND window, const RECT* rect, BOOL erase)
{
    if (!window) {
        for (const host::StackedWindow& entry : ZOrder())
            Invalidate(*FindWindow(entry.window), nullptr, erase);
        return TRUE;
    }
    Window* target = FindWindow(window);
    if (!target)
        return FALSE;
    Invalidate(*target, rect, erase);
    return TRUE;
}

BOOL ValidateRect(HWND window, const RECT* rect)
{
    Window* target = FindWindow(window);
    if (!target)
        return FALSE;
    Validate(*target, rect ? *rect : WholeWindow(*target));
    return TRUE;
}

BOOL UpdateWindow(HWND window)
{
    const Window* target = FindWindow(window);
    if (!target)
        return FALSE;
    if (target->visible && !IsRectEmpty(&target->update))
        SendMessageW(window, WM_PAINT, 0, 0);
    return TRUE;
}
