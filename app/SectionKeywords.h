// The section keywords of a panel file and what each one makes. A header
// line begins with its keyword (case-sensitive, anything after it ignored);
// the keywords are tried in table order and the first match wins.
#pragma once

#include <memory>
#include <span>

#include "platform/win32.h"

class DesktopObject;

struct SectionKeyword {
    const WCHAR* keyword;
    // Makes the section's object for the panel `window` (buttons post to
    // it); null for GLOBALSETTINGS, whose lines go to the panel's settings.
    std::unique_ptr<DesktopObject> (*create)(HWND window);
};

// The keyword that `line` begins with, or null when it is no header.
const SectionKeyword* FindSectionKeyword(const WCHAR* line);

// Every keyword, in table order.
std::span<const SectionKeyword> SectionKeywords();
