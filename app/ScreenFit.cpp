#include "app/ScreenFit.h"

#include "app/GlobalSettings.h"
#include "app/Layout.h"
#include "config/Diagnostics.h"

void ReportScreenFit(const GlobalSettings& settings, int width, int height)
{
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    WCHAR sizes[80];
    wsprintfW(sizes, TEXT("%d x %d pixels on a screen of %d x %d"), width, height, screenWidth, screenHeight);
    if (width > screenWidth || height > screenHeight) {
        ReportWarning({TEXT("the panel ("), sizes,
                       TEXT(") is larger than the screen, so part of it cannot be seen; make Width, Border or its "
                            "objects smaller")});
        return;
    }
    if (width <= 0 || height <= 0)
        return;
    const POINT rest = RestingPlace(settings, width, height);
    // Widened: configured positions may be huge.
    const long long left = rest.x, top = rest.y;
    if (left + width <= 0 || top + height <= 0 || left >= screenWidth || top >= screenHeight) {
        WCHAR place[40];
        wsprintfW(place, TEXT("%d, %d"), rest.x, rest.y);
        ReportWarning({TEXT("the panel ("), sizes, TEXT(") lies wholly off the screen, at "), place,
                       TEXT("; change X and Y in GLOBALSETTINGS (a negative value counts from the right or bottom "
                            "edge)")});
    }
}
