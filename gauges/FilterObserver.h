// Told of a filter's progress. This base is also the default observer: its
// notifications do nothing.
#pragma once

#include "platform/win32.h"

class DibSurface;

class FilterObserver {
public:
    virtual void FilterStarted(DibSurface&, const RECT&) {}
    virtual void PassStarting(DibSurface&, const RECT&, WORD /*pass*/) {}
    virtual void FilterFinished(DibSurface&, const RECT&) {}
    virtual ~FilterObserver() = default;
};
