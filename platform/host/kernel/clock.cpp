// The clock: GetTickCount and Sleep run on the display's clock, which is
// virtual on the headless display unless the run asks for real time.
#include "platform/host/display/Display.h"

DWORD GetTickCount()
{
    return host::TheDisplay().TickCount();
}

void Sleep(DWORD milliseconds)
{
    host::TheDisplay().Sleep(milliseconds);
}
