// A panel file's bytes: loaded with its objects, painted on the headless
// screen, run, tapped and double-tapped.
#include "app/PanelWindows.h"
#include "tests/fuzz/FuzzRun.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::FuzzRun run;
    const testfiles::WString path = fuzz::WriteInput("fuzz.ini", data, size);
    if (CreatePanelWindow(path.c_str(), GetModuleHandleW(nullptr)))
        run.ShowAndTapPanels();
    return 0;
}
