// A .bmp file's bytes: decoded by SHLoadDIBitmap and copied onto a surface.
#include "gauges/DibSurface.h"
#include "tests/fuzz/FuzzRun.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::FuzzRun run;
    const testfiles::WString path = fuzz::WriteInput("fuzz.bmp", data, size);
    HBITMAP bitmap = SHLoadDIBitmap(path.c_str());
    if (!bitmap)
        return 0;
    DibSurface surface;
    surface.Create(40, 40);
    HDC pictureDc = CreateCompatibleDC(surface.Dc());
    HGDIOBJ previous = SelectObject(pictureDc, bitmap);
    BitBlt(surface.Dc(), -3, -3, 46, 46, pictureDc, 1, 1, SRCCOPY);
    SelectObject(pictureDc, previous);
    DeleteDC(pictureDc);
    DeleteObject(bitmap);
    return 0;
}
