// What each object of a panel showed when it was last drawn, so that a due
// object whose look has not changed is left as it stands: not drawn, not
// copied, not presented.
//
// An object is left alone only while its rectangle in the back buffer holds
// exactly what redrawing it would give (the background, then the object):
// after it was drawn with the look it now describes, and while no other
// object has been drawn over any part of it since. Composing the whole back
// buffer forgets every look.
#pragma once

#include <memory>
#include <vector>

#include "objects/Look.h"
#include "platform/win32.h"

class DesktopObject;

class RefreshMemo {
public:
    using Objects = std::vector<std::unique_ptr<DesktopObject>>;

    // Whether panels use the memo, and the gauges their CoolBarMemo (they do
    // unless a test compares against drawing every due object anew).
    static void Enable(bool enabled);

    // Every object must be drawn again.
    void Forget() { entries_.clear(); }

    // For the due object `objects[index]`: takes its look, and true when its
    // pixels already show it. False when it must be drawn (and its look, if
    // it has one, is kept for Drawn).
    bool Unchanged(const Objects& objects, size_t index);
    // `object` of `objects` was drawn at `rect`: its look is the one that
    // Unchanged just took, if any, and objects under `rect` lost theirs.
    void Drawn(const Objects& objects, const DesktopObject& object, const RECT& rect);

private:
    struct Entry {
        Look look;
        RECT rect{};
        bool shown = false;    // the back buffer shows `look` at `rect`
        bool pending = false;  // `look` was just taken, for the coming draw
    };

    std::vector<Entry> entries_;
    Look scratch_;
};
