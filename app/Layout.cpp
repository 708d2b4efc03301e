#include "app/Layout.h"

#include <cstdint>

#include "app/GlobalSettings.h"
#include "objects/DesktopObject.h"

namespace {

int Wrap(int64_t value)
{
    return static_cast<int>(value);
}

}  // namespace

void ArrangeObjects(GlobalSettings& settings)
{
    const int border = settings.Border();
    switch (settings.Arrange()) {
    case ArrangeVertical: {
        int64_t y = border;
        for (const auto& object : settings.Objects()) {
            object->SetX(border);
            object->SetY(Wrap(y));
            object->SetWidth(Wrap(int64_t{settings.Width()} - 2 * int64_t{border}));
            y = Wrap(y + object->Height() + settings.Distance());
        }
        break;
    }
    case ArrangeHorizontal: {
        int64_t x = border;
        for (const auto& object : settings.Objects()) {
            object->SetX(Wrap(x));
            object->SetY(border);
            x = Wrap(x + object->Width() + settings.Distance());
        }
        break;
    }
    case ArrangeNone:
        for (const auto& object : settings.Objects()) {
            if (object->X() < 0)
                object->SetX(Wrap(int64_t{object->X()} + settings.Width() - object->Width()));
            if (object->Y() < 0)
                object->SetY(Wrap(int64_t{object->Y()} + settings.Height() - object->Height()));
        }
        break;
    }
}

int PanelHeight(GlobalSettings& settings)
{
    const auto& objects = settings.Objects();
    const int64_t borders = 2 * int64_t{settings.Border()};
    switch (settings.Arrange()) {
    case ArrangeVertical: {
        int64_t height = borders;
        for (const auto& object : objects)
            height += object->Height();
        if (!objects.empty())
            height += int64_t{settings.Distance()} * static_cast<int64_t>(objects.size() - 1);
        settings.SetHeight(Wrap(height));
        break;
    }
    case ArrangeHorizontal: {
        // Compared as unsigned: a negative height counts as the tallest.
        UINT tallest = 0;
        for (const auto& object : objects) {
            if (static_cast<UINT>(object->Height()) > tallest)
                tallest = static_cast<UINT>(object->Height());
        }
        settings.SetHeight(Wrap(static_cast<int>(tallest) + borders));
        break;
    }
    case ArrangeNone:
        break;
    }
    return settings.Height();
}

int PanelWidth(const GlobalSettings& settings)
{
    return Wrap(int64_t{settings.Width()} + 2 * int64_t{settings.Border()});
}

bool PanelFitsScreen(int width, int height)
{
    return width <= kLargestPanelScreens * int64_t{GetSystemMetrics(SM_CXSCREEN)} &&
           height <= kLargestPanelScreens * int64_t{GetSystemMetrics(SM_CYSCREEN)};
}

int ScreenPosition(int position, int windowExtent, int screenExtent)
{
    if (position >= 0)
        return position;
    return Wrap(int64_t{position} + screenExtent - windowExtent);
}

POINT RestingPlace(const GlobalSettings& settings, int width, int height)
{
    return {ScreenPosition(settings.X(), width, GetSystemMetrics(SM_CXSCREEN)),
            ScreenPosition(settings.Y(), height, GetSystemMetrics(SM_CYSCREEN))};
}

RECT ObjectRect(const DesktopObject& object)
{
    RECT rect;
    rect.left = object.X();
    rect.top = object.Y();
    rect.right = Wrap(int64_t{object.X()} + object.Width());
    rect.bottom = Wrap(int64_t{object.Y()} + object.Height());
    return rect;
}

int RectWidth(const RECT& rect)
{
    return Wrap(int64_t{rect.right} - rect.left);
}

int RectHeight(const RECT& rect)
{
    return Wrap(int64_t{rect.bottom} - rect.top);
}

DesktopObject* ObjectAt(const GlobalSettings& settings, int x, int y)
{
    for (const auto& object : settings.Objects()) {
        if (object->Contains(x, y))
            return object.get();
    }
    return nullptr;
}
