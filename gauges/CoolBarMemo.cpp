#include "gauges/CoolBarMemo.h"

#include <cstring>

namespace {

bool memoEnabled = true;

size_t RowBytes(const RECT& bar)
{
    return 4 * static_cast<size_t>(bar.right - bar.left);
}

void Take(const DibSurface& surface, const RECT& bar, std::vector<uint32_t>& pixels)
{
    const size_t width = static_cast<size_t>(bar.right - bar.left);
    pixels.resize(width * static_cast<size_t>(bar.bottom - bar.top));
    for (LONG y = bar.top; y < bar.bottom; ++y)
        std::memcpy(&pixels[width * static_cast<size_t>(y - bar.top)], surface.CursorAt(bar.left, y).rowStart,
                    RowBytes(bar));
}

bool Holds(const DibSurface& surface, const RECT& bar, const std::vector<uint32_t>& pixels)
{
    const size_t width = static_cast<size_t>(bar.right - bar.left);
    for (LONG y = bar.top; y < bar.bottom; ++y) {
        if (std::memcmp(&pixels[width * static_cast<size_t>(y - bar.top)], surface.CursorAt(bar.left, y).rowStart,
                        RowBytes(bar)) != 0)
            return false;
    }
    return true;
}

void Put(const DibSurface& surface, const RECT& bar, const std::vector<uint32_t>& pixels)
{
    const size_t width = static_cast<size_t>(bar.right - bar.left);
    for (LONG y = bar.top; y < bar.bottom; ++y)
        std::memcpy(surface.CursorAt(bar.left, y).rowStart, &pixels[width * static_cast<size_t>(y - bar.top)],
                    RowBytes(bar));
}

}  // namespace

void CoolBarMemo::Enable(bool enabled)
{
    memoEnabled = enabled;
}

CoolBarMemo::Entry* CoolBarMemo::Find(const RECT& bar)
{
    for (Entry& entry : entries_) {
        if (EqualRect(&entry.bar, &bar))
            return &entry;
    }
    return nullptr;
}

bool CoolBarMemo::Recall(const DibSurface& surface, const RECT& bar, const Look& key)
{
    if (!memoEnabled)
        return false;
    Entry* entry = Find(bar);
    if (!entry) {
        entry = &entries_.emplace_back();
        entry->bar = bar;
    } else if (entry->painted && entry->key == key && Holds(surface, bar, entry->before)) {
        Put(surface, bar, entry->after);
        return true;
    }
    entry->key = key;
    Take(surface, bar, entry->before);
    entry->painted = false;
    return false;
}

void CoolBarMemo::Painted(const DibSurface& surface, const RECT& bar)
{
    Entry* entry = memoEnabled ? Find(bar) : nullptr;
    if (!entry)
        return;
    Take(surface, bar, entry->after);
    entry->painted = true;
}
