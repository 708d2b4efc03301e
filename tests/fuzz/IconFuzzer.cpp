// An icon file's bytes: the best picture for a few sizes, transformed and
// blended onto a surface it overhangs.
#include "buttons/IconImage.h"
#include "gauges/DibSurface.h"
#include "tests/fuzz/FuzzRun.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::FuzzRun run;
    const testfiles::WString path = fuzz::WriteInput("fuzz.ico", data, size);
    DibSurface surface;
    surface.Create(40, 40);
    static constexpr UINT kWanted[][2] = {{32, 32}, {16, 16}, {48, 24}, {0xFFFFFFFF, 0xFFFFFFFF}};
    for (const auto& wanted : kWanted) {
        IconImage image = LoadIconImage(path.c_str(), wanted[0], wanted[1]);
        ScaleChannels(image, 1.5f, 0.5f, 2.0f, 0.75f);
        AddToChannels(image, 300, -300, 20, -20);
        MakeGray(image);
        BlendOnto(image, surface, -5, 30);
    }
    return 0;
}
