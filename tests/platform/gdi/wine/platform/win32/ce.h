// Stand-in for the handheld shims while the GDI tests are built for Windows
// on their own (see run-under-wine.sh); the project's own
// platform/win32/ce.h, once it exists, is found first.
#pragma once

#ifndef SYS_COLOR_INDEX_FLAG
#define SYS_COLOR_INDEX_FLAG 0x40000000
#endif

inline DWORD CeGetSysColor(int index) { return (GetSysColor)(index & ~SYS_COLOR_INDEX_FLAG); }
#define GetSysColor CeGetSysColor

inline HBITMAP SHLoadDIBitmap(LPCWSTR fileName)
{
    return static_cast<HBITMAP>(LoadImageW(nullptr, fileName, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
}
