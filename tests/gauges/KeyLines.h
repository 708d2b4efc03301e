// Feeding key lines, written in UTF-8, to an object's parser.
#pragma once

#include <initializer_list>
#include <string>

#include <gtest/gtest.h>

#include "objects/DesktopObject.h"
#include "platform/host/testing.h"
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

// `line` is refused with one warning box that shows it under `caption`.
inline void ExpectIgnored(SectionHandler& handler, const char* line, const char* caption)
{
    host::testing::ClearMessageBoxes();
    EXPECT_FALSE(Parse(handler, line)) << line;
    ASSERT_EQ(host::testing::MessageBoxes().size(), 1u) << line;
    const auto& box = host::testing::MessageBoxes()[0];
    EXPECT_EQ(testfiles::Utf8(box.caption), caption) << line;
    EXPECT_EQ(testfiles::Utf8(box.text), line);
    EXPECT_EQ(box.style, 0x10030u) << line;
}

// Measures with a screen DC, as the panel does after loading.
inline void MeasureOnScreen(DesktopObject& object)
{
    HDC screen = GetDC(nullptr);
    object.Measure(screen);
    ReleaseDC(nullptr, screen);
}

}  // namespace keylines
