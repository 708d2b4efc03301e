// DrawFrameControl push buttons and the system colours they are drawn in.
#include <gtest/gtest.h>

#include "platform/win32.h"
#include "tests/platform/gdi/DibCanvas.h"

using gditest::DibCanvas;
using gditest::kMarker;

TEST(DrawFrameControl, PushButtonsHaveTwoRingsAndAFace)
{
    struct Case {
        UINT state;
        int outerTopLeft, outerBottomRight, innerTopLeft, innerBottomRight;
    } cases[] = {
        {DFCS_BUTTONPUSH, COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW, COLOR_3DLIGHT, COLOR_BTNSHADOW},                // raised
        {DFCS_BUTTONPUSH | DFCS_PUSHED, COLOR_3DDKSHADOW, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW, COLOR_3DLIGHT},  // sunken
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.state);
        DibCanvas canvas(14, 12);
        RECT r{1, 1, 11, 9};  // 10 x 8
        EXPECT_TRUE(DrawFrameControl(canvas.dc(), &r, DFC_BUTTON, c.state));
        struct Probe {
            int x, y, color;
        } probes[] = {
            {1, 1, c.outerTopLeft},       // top-left corner
            {9, 1, c.outerTopLeft},       // top edge, last pixel before the corner
            {10, 1, c.outerBottomRight},  // top-right corner belongs to the far side
            {1, 7, c.outerTopLeft},       // left edge
            {1, 8, c.outerBottomRight},   // bottom-left corner belongs to the far side
            {10, 8, c.outerBottomRight},  // bottom-right corner
            {2, 2, c.innerTopLeft},       // inner ring
            {9, 2, c.innerBottomRight},
            {2, 7, c.innerBottomRight},
            {8, 6, COLOR_BTNFACE},        // the face
            {3, 3, COLOR_BTNFACE},
        };
        for (const Probe& p : probes) EXPECT_EQ(canvas.Pixel(p.x, p.y), GetSysColor(p.color)) << p.x << "," << p.y;
        EXPECT_EQ(canvas.Bounds(), r);  // nothing outside
    }
}

TEST(DrawFrameControl, RefusesWhatItDoesNotDraw)
{
    DibCanvas canvas(8, 8);
    RECT r{0, 0, 8, 8};
    EXPECT_FALSE(DrawFrameControl(canvas.dc(), &r, 1, DFCS_BUTTONPUSH));  // DFC_CAPTION
    EXPECT_FALSE(DrawFrameControl(canvas.dc(), &r, DFC_BUTTON, 0));      // a check box
    EXPECT_FALSE(DrawFrameControl(canvas.dc(), nullptr, DFC_BUTTON, DFCS_BUTTONPUSH));
    EXPECT_FALSE(DrawFrameControl(nullptr, &r, DFC_BUTTON, DFCS_BUTTONPUSH));
    RECT tiny{2, 2, 3, 3};  // 1 x 1: only what fits
    EXPECT_TRUE(DrawFrameControl(canvas.dc(), &tiny, DFC_BUTTON, DFCS_BUTTONPUSH));
    EXPECT_EQ(canvas.Bounds(), tiny);
    EXPECT_EQ(canvas.Count(kMarker), 63);
}

TEST(GetSysColor, ClassicColoursWithOrWithoutTheIndexFlag)
{
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(212, 208, 200));
    EXPECT_EQ(GetSysColor(COLOR_BTNSHADOW), RGB(128, 128, 128));
    EXPECT_EQ(GetSysColor(COLOR_BTNHIGHLIGHT), RGB(255, 255, 255));
    EXPECT_EQ(GetSysColor(COLOR_WINDOWTEXT), RGB(0, 0, 0));
    EXPECT_EQ(GetSysColor(0x4000000F), GetSysColor(COLOR_BTNFACE));  // the handheld's flagged index
    EXPECT_EQ(GetSysColor(-1), 0u);
    EXPECT_EQ(GetSysColor(1000), 0u);
}
