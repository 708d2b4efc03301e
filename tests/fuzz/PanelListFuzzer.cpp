// A panel list's bytes: the listed panels (the bundled ones lie beside it)
// are made, shown, run and tapped.
#include "app/PanelList.h"
#include "tests/fuzz/FuzzRun.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::FuzzRun run;
    fuzz::WriteInput("fuzz-list.ini", data, size);
    ReadPanelList(GetModuleHandleW(nullptr), testfiles::Utf16("fuzz-list.ini").data());
    run.ShowAndTapPanels();
    return 0;
}
