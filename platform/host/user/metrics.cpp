// System metrics: the screen's size comes from the display.
#include "platform/host/display/Display.h"

int GetSystemMetrics(int index)
{
    const SIZE screen = host::TheDisplay().ScreenSize();
    switch (index) {
    case SM_CXSCREEN:
        return screen.cx;
    case SM_CYSCREEN:
        return screen.cy;
    default:
        return 0;
    }
}
