// Common ground of the button tests: a fresh host with a hidden panel window
// that collects what buttons post, key lines fed as the loader feeds them,
// and a marker-filled drawing surface.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gauges/DibSurface.h"
#include "objects/SectionHandler.h"
#include "platform/host/testing.h"

class ButtonTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    HWND Panel() const { return panel_; }

    // Hands `line` (UTF-8) to the handler's ParseKey.
    static bool Feed(SectionHandler& handler, const std::string& line, bool showErrors = true);

    // An executable file at `name` inside the test's temporary folder, so
    // that the shell starts it (recorded); returns its full path.
    static std::string MakeProgram(const std::string& name);

    // The messages posted to the panel window so far, oldest first; they are
    // taken from its queue.
    std::vector<MSG> TakePostedMessages();

    // A surface of the given size, every byte 0xCC.
    static void MakeMarkedSurface(DibSurface& surface, int width, int height);
    // The colour at (x, y), y counted from the top.
    static COLORREF PixelAt(const DibSurface& surface, int x, int y);
    // Whether any pixel of the rectangle differs from the marker.
    static bool AnyPixelDrawn(const DibSurface& surface, int left, int top, int right, int bottom);

    static constexpr COLORREF kMarker = 0xCCCCCC;

private:
    HWND panel_ = nullptr;
};
