// A fixture for drawing tests: a fresh host and a surface of the given size
// filled with the marker, drawn on transparently as a panel's back buffer is.
#pragma once

#include <gtest/gtest.h>

#include "gauges/DibSurface.h"
#include "platform/host/testing.h"
#include "tests/gauges/SurfacePixels.h"

namespace surfacetest {

class SurfaceTest : public ::testing::Test {
protected:
    SurfaceTest(int width, int height) : width_(width), height_(height) {}

    void SetUp() override
    {
        host::testing::ResetHost();
        ASSERT_TRUE(surface.Create(width_, height_));
        Fill(surface, kMarker);
        SetBkMode(surface.Dc(), TRANSPARENT);
    }

    DibSurface surface;

private:
    int width_;
    int height_;
};

}  // namespace surfacetest
