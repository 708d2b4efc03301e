// Placeholder program entry until the panel list start-up lands.
#include "platform/win32.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int)
{
    return 1;
}
