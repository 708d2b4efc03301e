// What the newer gauges are held to: a memory gauge's bar, and text drawn
// straight with DrawTextW.
#pragma once

#include <string>
#include <vector>

#include "gauges/MemoryInfo.h"
#include "tests/gauges/KeyLines.h"
#include "tests/gauges/SurfacePixels.h"

namespace surfacetest {

// A memory gauge's bar-only block (cool, with its percentage) filled to
// `fraction` of 1024: the surface's bytes after drawing that bar `width` wide at (0, 0) on the
// marker; the surface is left filled with the marker again.
inline std::vector<BYTE> MemoryBar(DibSurface& surface, UINT fraction, int width)
{
    host::testing::FakeMemory(fraction, 1024, 0, 0);
    MemoryInfo memory;
    keylines::ParseAll(memory, {"PhysMemString = 0", "PhysMemValue = 0"});
    keylines::Parse(memory, "Width = " + std::to_string(width));
    keylines::MeasureOnScreen(memory);
    Fill(surface, kMarker);
    memory.Draw(surface, 0, 0);
    std::vector<BYTE> bytes = Bytes(surface);
    Fill(surface, kMarker);
    return bytes;
}

// The surface's bytes after drawing `text` into `rect` with `format`, in
// black on the marker; the surface is left filled with the marker again.
inline std::vector<BYTE> TextDrawing(DibSurface& surface, const std::u16string& text, RECT rect, UINT format)
{
    Fill(surface, kMarker);
    const COLORREF previous = SetTextColor(surface.Dc(), RGB(0, 0, 0));
    DrawTextW(surface.Dc(), text.c_str(), static_cast<int>(text.size()), &rect, format);
    SetTextColor(surface.Dc(), previous);
    std::vector<BYTE> bytes = Bytes(surface);
    Fill(surface, kMarker);
    return bytes;
}

}  // namespace surfacetest
