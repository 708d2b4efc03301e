#include "app/RefreshMemo.h"

#include "app/Layout.h"
#include "gauges/CoolBarMemo.h"
#include "objects/DesktopObject.h"

namespace {

bool memoEnabled = true;

}  // namespace

void RefreshMemo::Enable(bool enabled)
{
    memoEnabled = enabled;
    CoolBarMemo::Enable(enabled);
}

bool RefreshMemo::Unchanged(const Objects& objects, size_t index)
{
    if (!memoEnabled)
        return false;
    entries_.resize(objects.size());
    Entry& entry = entries_[index];
    scratch_.Clear();
    if (!objects[index]->DescribeLook(scratch_)) {
        entry.shown = entry.pending = false;
        return false;
    }
    // Describing may have measured the object anew.
    const RECT rect = ObjectRect(*objects[index]);
    if (entry.shown && EqualRect(&entry.rect, &rect) && entry.look == scratch_)
        return true;
    entry.look.Swap(scratch_);
    entry.rect = rect;
    entry.shown = false;
    entry.pending = true;
    return false;
}

void RefreshMemo::Drawn(const Objects& objects, const DesktopObject& object, const RECT& rect)
{
    if (entries_.empty())
        return;
    entries_.resize(objects.size());
    for (size_t i = 0; i < objects.size(); ++i) {
        Entry& entry = entries_[i];
        if (objects[i].get() == &object) {
            entry.shown = entry.pending && EqualRect(&entry.rect, &rect);
            entry.pending = false;
            continue;
        }
        const RECT other = ObjectRect(*objects[i]);
        RECT overlap;
        if (IntersectRect(&overlap, &other, &rect))
            entry.shown = false;
    }
}
