// Feeding key lines, written in UTF-8, to an object's parser.
#pragma once

#include <initializer_list>
#include <string>

#include "objects/DesktopObject.h"
#include "tests/support/TestFiles.h"

namespace keylines {

inline bool Parse(SectionHandler& handler, const std::string& line)
{
    const std::u16string text = testfiles::Utf16(line);
    return handler.ParseKey(text.c_str(), static_cast<UINT>(text.size()), true);
}

inline void ParseAll(SectionHandler& handler, std::initializer_list<const char*> lines)
{
    for (const char* line : lines)
        Parse(handler, line);
}

// Measures with a screen DC, as the panel does after loading.
inline void MeasureOnScreen(DesktopObject& object)
{
    HDC screen = GetDC(nullptr);
    object.Measure(screen);
    ReleaseDC(nullptr, screen);
}

}  // namespace keylines
