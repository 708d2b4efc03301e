// The object of a SPACE section: an invisible square of "Space" pixels
// (4 by default) that only takes room between other objects.
#pragma once

#include "objects/DesktopObject.h"

class Space : public DesktopObject {
public:
    // "Space", then the DesktopObject keys.
    bool ParseKey(const WCHAR* line, UINT length, bool showErrors) override;
    // Width and Height both become the space size, whatever the section set.
    void Measure(HDC dc) override;
    // Draw stays the base's: nothing.

private:
    int spaceSize_ = 4;
};
