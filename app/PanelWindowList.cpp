#include "app/PanelWindowList.h"

#include <algorithm>

void PanelWindowList::Append(HWND window)
{
    List().push_back(window);
}

void PanelWindowList::Remove(HWND window)
{
    std::vector<HWND>& list = List();
    const auto found = std::find(list.begin(), list.end(), window);
    if (found != list.end())
        list.erase(found);
}

bool PanelWindowList::IsEmpty()
{
    return List().empty();
}

const std::vector<HWND>& PanelWindowList::Windows()
{
    return List();
}

void PanelWindowList::Clear()
{
    List().clear();
    List().shrink_to_fit();
}

std::vector<HWND>& PanelWindowList::List()
{
    static std::vector<HWND> windows;
    return windows;
}
