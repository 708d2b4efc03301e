// Windows: creation and destruction, showing, placing and stacking, the
// extra bytes, and the default window procedure.
//
// Sections: the window records and z-order; surfaces; Win32 window calls.
#include <algorithm>
#include <cstring>
#include <memory>
#include <unordered_map>

#include "platform/host/display/Display.h"
#include "platform/host/gdi/raster.h"
#include "platform/host/user/Window.h"

namespace host::user {
namespace {

// Windows larger than this are cut to it, so that a broken size never asks
// for more surface memory than exists; positions stay far enough inside the
// integer range that no edge overflows.
constexpr int kLargestSide = 8192;
constexpr int kFarthestPosition = 1 << 24;

struct Windows {
    std::unordered_map<HWND, std::unique_ptr<Window>> byHandle;
    // Topmost first, as the display is told; the topmost band comes first.
    std::vector<StackedWindow> zOrder;
    // The display has not yet heard of the latest change of the z-order.
    bool stackChanged = false;
    // Handles are never reused, so a stale one is never taken for a new window.
    uintptr_t lastHandle = 0x10000;
};

// Windows still open when the process ends go with it, as on Windows: they
// get no WM_DESTROY, and what their procedures keep stays reachable.
Windows& All()
{
    static Windows& windows = *new Windows;
    return windows;
}

int ClampedSide(int side)
{
    return std::clamp(side, 0, kLargestSide);
}

int ClampedPosition(int position)
{
    return std::clamp(position, -kFarthestPosition, kFarthestPosition);
}

// The display hears of it at the next TellStackIfChanged: many windows
// restacked at once (all panels shown at start-up) cost one telling.
void StackChanged()
{
    All().stackChanged = true;
}

size_t PlaceInStack(HWND handle)
{
    const auto& order = All().zOrder;
    return std::find_if(order.begin(), order.end(), [handle](const StackedWindow& entry) {
               return entry.window == handle;
           }) - order.begin();
}

// The place at the top of the band (topmost or not) of the z-order.
size_t TopOfBand(bool topmost)
{
    if (topmost)
        return 0;
    const auto& order = All().zOrder;
    return std::partition_point(order.begin(), order.end(), [](const StackedWindow& entry) { return entry.topmost; }) -
           order.begin();
}

void Restack(Window& window, HWND insertAfter)
{
    auto& order = All().zOrder;
    Window* after = nullptr;
    if (insertAfter == HWND_TOPMOST) {
        window.topmost = true;
    } else if (insertAfter == HWND_NOTOPMOST || insertAfter == HWND_BOTTOM) {
        window.topmost = false;
    } else if (insertAfter != HWND_TOP) {
        after = FindWindow(insertAfter);
        if (!after || after == &window)
            return;
        window.topmost = after->topmost;
    }
    const size_t was = PlaceInStack(window.handle);
    const bool wasTopmost = order[was].topmost;
    order.erase(order.begin() + was);
    size_t place = TopOfBand(window.topmost);
    if (insertAfter == HWND_BOTTOM)
        place = order.size();
    else if (after)
        place = PlaceInStack(after->handle) + 1;
    order.insert(order.begin() + place, {window.handle, window.topmost});
    if (place != was || wasTopmost != window.topmost)
        StackChanged();
}

void Resize(Window& window, int width, int height)
{
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
    const int keptWidth = std::min(width, window.surface.width);
    for (int y = 0; keptWidth > 0 && y < std::min(height, window.surface.height); ++y)
        std::memcpy(pixels.data() + static_cast<size_t>(y) * width, window.surface.Row(y), keptWidth * sizeof(uint32_t));
    window.pixels.swap(pixels);
    window.surface = {width, height, reinterpret_cast<uint8_t*>(window.pixels.data()),
                      static_cast<ptrdiff_t>(width) * 4};
}

// After a size change: the whole window with CS_HREDRAW/CS_VREDRAW in the
// direction that changed, otherwise only what was uncovered.
void InvalidateAfterResize(Window& window, int oldWidth, int oldHeight)
{
    const int width = window.surface.width;
    const int height = window.surface.height;
    const UINT style = window.windowClass->style;
    if (((style & CS_HREDRAW) && width != oldWidth) || ((style & CS_VREDRAW) && height != oldHeight)) {
        Invalidate(window, nullptr, TRUE);
        return;
    }
    const RECT right{oldWidth, 0, width, height};
    const RECT below{0, oldHeight, width, height};
    Invalidate(window, &right, TRUE);
    Invalidate(window, &below, TRUE);
}

// Shows or hides; returns whether the window was visible.
bool SetVisible(HWND handle, bool visible)
{
    Window* window = FindWindow(handle);
    const bool was = window->visible;
    if (was == visible)
        return was;
    SendMessageW(handle, WM_SHOWWINDOW, visible, 0);
    window = FindWindow(handle);
    if (!window)
        return was;
    window->visible = visible;
    if (visible)
        Invalidate(*window, nullptr, TRUE);
    NotePaintState(*window);
    TheDisplay().WindowShown(handle, visible);
    return was;
}

size_t ExtraBytesFor(const WindowClass& windowClass)
{
    // Slot 0 holds a pointer whenever the class has room for a LONG there.
    const size_t asked = static_cast<size_t>(windowClass.windowExtraBytes);
    return asked >= sizeof(LONG) ? std::max(asked, sizeof(LONG_PTR)) : asked;
}

// The bytes of a slot of `size` bytes at `index`, or null when the window
// has no such slot. Slots need not be aligned: they are copied, never cast.
uint8_t* ExtraSlot(HWND handle, int index, size_t size)
{
    Window* window = FindWindow(handle);
    if (!window || index < 0 || static_cast<size_t>(index) + size > window->extraBytes.size())
        return nullptr;
    return window->extraBytes.data() + index;
}

template <typename Value>
Value ReadSlot(HWND handle, int index)
{
    Value value{};
    if (uint8_t* slot = ExtraSlot(handle, index, sizeof(Value)))
        std::memcpy(&value, slot, sizeof(Value));
    return value;
}

template <typename Value>
Value WriteSlot(HWND handle, int index, Value value)
{
    Value previous{};
    if (uint8_t* slot = ExtraSlot(handle, index, sizeof(Value))) {
        std::memcpy(&previous, slot, sizeof(Value));
        std::memcpy(slot, &value, sizeof(Value));
    }
    return previous;
}

// How the display is to put the window over what lies below it.
LayeredStyle LayeredStyleOf(const Window& window)
{
    LayeredStyle style;
    if (!(window.exStyle & WS_EX_LAYERED))
        return style;
    if (window.layeredFlags & LWA_ALPHA)
        style.alpha = window.layeredAlpha;
    if (window.layeredFlags & LWA_COLORKEY) {
        style.keyed = true;
        style.key = gdi::raster::PixelOf(window.layeredKey);
    }
    style.clickThrough = (window.exStyle & WS_EX_TRANSPARENT) != 0;
    return style;
}

void SetExStyle(Window& window, DWORD exStyle)
{
    const LayeredStyle was = LayeredStyleOf(window);
    // Layering taken away and given again starts without attributes, as on Windows.
    if (!(exStyle & WS_EX_LAYERED))
        window.layeredFlags = 0;
    window.exStyle = exStyle;
    if (!(LayeredStyleOf(window) == was))
        TheDisplay().WindowLayered(window.handle, LayeredStyleOf(window));
}

// A point over a layered window passes through where the window lets taps
// through, where its key colour lies and where it is wholly transparent.
bool PassesThrough(const Window& window, POINT point)
{
    const LayeredStyle style = LayeredStyleOf(window);
    if (style.clickThrough || style.alpha == 0)
        return true;
    if (!style.keyed)
        return false;
    const uint32_t pixel = window.surface.Row(point.y - window.rect.top)[point.x - window.rect.left];
    return (pixel & 0xFFFFFF) == style.key;
}

}  // namespace

Window* FindWindow(HWND handle)
{
    const auto found = All().byHandle.find(handle);
    return found == All().byHandle.end() ? nullptr : found->second.get();
}

void TellStackIfChanged()
{
    if (!All().stackChanged)
        return;
    All().stackChanged = false;
    TheDisplay().WindowsStacked(All().zOrder);
}

const std::vector<StackedWindow>& ZOrder()
{
    return All().zOrder;
}

HWND WindowAt(POINT point)
{
    for (const StackedWindow& entry : All().zOrder) {
        const Window* window = FindWindow(entry.window);
        if (window->visible && PtInRect(&window->rect, point) && !PassesThrough(*window, point))
            return entry.window;
    }
    return nullptr;
}

void DestroyAllWindows()
{
    // A window procedure may make windows while others go away.
    while (!All().zOrder.empty()) {
        if (!DestroyWindow(All().zOrder.front().window))
            break;
    }
}

Surface* WindowSurface(HWND handle)
{
    Window* window = FindWindow(handle);
    return window ? &window->surface : nullptr;
}

}  // namespace host::user

using namespace host::user;
using host::LayeredStyle;
using host::TheDisplay;

HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y,
                     int width, int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param)
{
    const WindowClass* windowClass = FindClass(className);
    if (!windowClass)
        return nullptr;
    auto made = std::make_unique<Window>();
    Window& window = *made;
    window.handle = reinterpret_cast<HWND>(All().lastHandle += 0x10);
    window.windowClass = windowClass;
    window.style = style & ~WS_VISIBLE;
    window.exStyle = exStyle;
    window.topmost = (exStyle & WS_EX_TOPMOST) != 0;
    window.extraBytes.resize(ExtraBytesFor(*windowClass));
    width = ClampedSide(width);
    height = ClampedSide(height);
    x = ClampedPosition(x);
    y = ClampedPosition(y);
    window.rect = {x, y, x + width, y + height};
    Resize(window, width, height);

    const HWND handle = window.handle;
    All().byHandle.emplace(handle, std::move(made));
    All().zOrder.insert(All().zOrder.begin() + TopOfBand(window.topmost), {handle, window.topmost});
    TheDisplay().WindowCreated(handle, window.rect, &window.surface);
    if (!(LayeredStyleOf(window) == LayeredStyle{}))
        TheDisplay().WindowLayered(handle, LayeredStyleOf(window));
    StackChanged();

    CREATESTRUCTW create{param, instance, menu, parent, height, width, y, x, static_cast<LONG>(style),
                         windowName, className, exStyle};
    if (SendMessageW(handle, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)) == -1) {
        DestroyWindow(handle);
        return nullptr;
    }
    if (!IsWindow(handle))
        return nullptr;
    if (style & WS_VISIBLE)
        ShowWindow(handle, SW_SHOW);
    return handle;
}

BOOL DestroyWindow(HWND handle)
{
    Window* window = FindWindow(handle);
    if (!window || window->destroying)
        return FALSE;
    window->destroying = true;
    if (window->visible) {
        window->visible = false;
        NotePaintState(*window);
        TheDisplay().WindowShown(handle, false);
    }
    SendMessageW(handle, WM_DESTROY, 0, 0);
    ForgetWindowTimers(handle);
    ForgetWindowInput(handle);
    ForgetWindowDCs(handle);
    ForgetWindowMessages(handle);
    All().zOrder.erase(All().zOrder.begin() + PlaceInStack(handle));
    TheDisplay().WindowDestroyed(handle);
    All().byHandle.erase(handle);
    return TRUE;
}

BOOL IsWindow(HWND handle)
{
    return FindWindow(handle) != nullptr;
}

BOOL ShowWindow(HWND handle, int command)
{
    if (!FindWindow(handle))
        return FALSE;
    return SetVisible(handle, command != SW_HIDE);
}

BOOL IsWindowVisible(HWND handle)
{
    const Window* window = FindWindow(handle);
    return window && window->visible;
}

BOOL SetForegroundWindow(HWND handle)
{
    Window* window = FindWindow(handle);
    if (!window)
        return FALSE;
    Restack(*window, HWND_TOP);
    return TRUE;
}

BOOL SetWindowPos(HWND handle, HWND insertAfter, int x, int y, int cx, int cy, UINT flags)
{
    Window* window = FindWindow(handle);
    if (!window)
        return FALSE;
    if (!(flags & SWP_NOZORDER))
        Restack(*window, insertAfter);

    RECT rect = window->rect;
    if (!(flags & SWP_NOMOVE))
        OffsetRect(&rect, ClampedPosition(x) - rect.left, ClampedPosition(y) - rect.top);
    if (!(flags & SWP_NOSIZE)) {
        rect.right = rect.left + ClampedSide(cx);
        rect.bottom = rect.top + ClampedSide(cy);
    }
    const bool moved = rect.left != window->rect.left || rect.top != window->rect.top;
    const int oldWidth = window->surface.width;
    const int oldHeight = window->surface.height;
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    const bool sized = width != oldWidth || height != oldHeight;
    if (moved || sized) {
        window->rect = rect;
        if (sized) {
            Resize(*window, width, height);
            if (!(flags & SWP_NOREDRAW))
                InvalidateAfterResize(*window, oldWidth, oldHeight);
        }
        TheDisplay().WindowMoved(handle, rect, &window->surface);
        if (moved)
            SendMessageW(handle, WM_MOVE, 0, MAKELPARAM(rect.left, rect.top));
        if (sized && IsWindow(handle))
            SendMessageW(handle, WM_SIZE, 0, MAKELPARAM(width, height));
    }
    if (flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW) && IsWindow(handle))
        SetVisible(handle, (flags & SWP_SHOWWINDOW) != 0);
    return TRUE;
}

BOOL GetWindowRect(HWND handle, LPRECT rect)
{
    const Window* window = FindWindow(handle);
    if (!window || !rect)
        return FALSE;
    *rect = window->rect;
    return TRUE;
}

BOOL GetClientRect(HWND handle, LPRECT rect)
{
    const Window* window = FindWindow(handle);
    if (!window || !rect)
        return FALSE;
    *rect = WholeWindow(*window);
    return TRUE;
}

LRESULT DefWindowProcW(HWND handle, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        BeginPaint(handle, &paint);
        EndPaint(handle, &paint);
        return 0;
    }
    case WM_ERASEBKGND: {
        const Window* window = FindWindow(handle);
        if (!window || !window->windowClass->background || !wParam)
            return 0;
        const RECT whole = WholeWindow(*window);
        FillRect(reinterpret_cast<HDC>(wParam), &whole, window->windowClass->background);
        return 1;
    }
    case WM_CLOSE:
        DestroyWindow(handle);
        return 0;
    default:
        return 0;
    }
}

LONG GetWindowLongW(HWND handle, int index)
{
    if (index == GWL_EXSTYLE) {
        const Window* window = FindWindow(handle);
        return window ? static_cast<LONG>(window->exStyle) : 0;
    }
    return ReadSlot<LONG>(handle, index);
}

LONG SetWindowLongW(HWND handle, int index, LONG value)
{
    if (index == GWL_EXSTYLE) {
        Window* window = FindWindow(handle);
        if (!window)
            return 0;
        const LONG previous = static_cast<LONG>(window->exStyle);
        SetExStyle(*window, static_cast<DWORD>(value));
        return previous;
    }
    return WriteSlot<LONG>(handle, index, value);
}

BOOL SetLayeredWindowAttributes(HWND handle, COLORREF key, BYTE alpha, DWORD flags)
{
    Window* window = FindWindow(handle);
    if (!window || !(window->exStyle & WS_EX_LAYERED))
        return FALSE;
    const LayeredStyle was = LayeredStyleOf(*window);
    window->layeredKey = key;
    window->layeredAlpha = alpha;
    window->layeredFlags = flags & (LWA_COLORKEY | LWA_ALPHA);
    const LayeredStyle now = LayeredStyleOf(*window);
    if (!(now == was))
        TheDisplay().WindowLayered(handle, now);
    return TRUE;
}

BOOL GetLayeredWindowAttributes(HWND handle, COLORREF* key, BYTE* alpha, DWORD* flags)
{
    const Window* window = FindWindow(handle);
    if (!window || !(window->exStyle & WS_EX_LAYERED))
        return FALSE;
    if (key)
        *key = window->layeredKey;
    if (alpha)
        *alpha = window->layeredAlpha;
    if (flags)
        *flags = window->layeredFlags;
    return TRUE;
}

LONG_PTR GetWindowLongPtrW(HWND handle, int index)
{
    return ReadSlot<LONG_PTR>(handle, index);
}

LONG_PTR SetWindowLongPtrW(HWND handle, int index, LONG_PTR value)
{
    return WriteSlot<LONG_PTR>(handle, index, value);
}
