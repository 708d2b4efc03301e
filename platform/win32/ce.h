// What desktop Windows lacks of the handheld platform, mapped onto the
// desktop API. Included by platform/win32.h after <windows.h>, so that the
// core calls the handheld names unchanged:
//  - SHLoadDIBitmap: a .bmp file as a DIB section (LoadImageW);
//  - GetProcAddressW: the handheld's wide-name lookup (GetProcAddress);
//  - the power status: LoadLibraryW(TEXT("coredll.dll")) yields a stand-in
//    module whose "GetSystemPowerStatusEx2" answers from GetSystemPowerStatus;
//    every other library goes to the real LoadLibraryW;
//  - GetSysColor: accepts indices marked with SYS_COLOR_INDEX_FLAG;
//  - _snwprintf, which the handheld's core library exports;
//  - GetIdleTime: the processors' idle time from GetSystemTimes;
//  - new device contexts hold the handheld's stock font, the 13-pixel GUI
//    font, instead of the desktop's 16-pixel System font, so that text that
//    chooses no font measures as on the handheld.
#pragma once

// On the desktop _snwprintf comes from the C runtime.
#include <wchar.h>

// Desktop Windows has no meaning for 0x04000000 in the extended style (it
// lies between WS_EX_COMPOSITED and WS_EX_NOACTIVATE and is undocumented), and
// its popup windows have no opening animation to suppress: pass nothing.
#define WS_EX_NOANIMATION 0

// The handheld platform marks system colour indices with this flag.
#define SYS_COLOR_INDEX_FLAG 0x40000000

#include "platform/PowerStatusEx2.h"

// The handheld's idle time: milliseconds that the processors spent idle
// since boot, shared out among them (so that it grows at most as fast as the
// tick count), wrapping at 2^32; MAXDWORD when it cannot be read.
DWORD GetIdleTime();

namespace ce {

// Null on any failure, like the handheld's call.
HBITMAP LoadDIBitmap(LPCWSTR fileName);
HMODULE LoadLibraryW(LPCWSTR fileName);
BOOL FreeLibrary(HMODULE module);
FARPROC GetProcAddressW(HMODULE module, LPCWSTR procName);
DWORD GetSysColor(int index);
HDC GetDC(HWND window);
HDC GetWindowDC(HWND window);
HDC BeginPaint(HWND window, LPPAINTSTRUCT paint);
HDC CreateCompatibleDC(HDC dc);

}  // namespace ce

#define SHLoadDIBitmap(fileName) ce::LoadDIBitmap(fileName)
#define LoadLibraryW(fileName) ce::LoadLibraryW(fileName)
#define FreeLibrary(module) ce::FreeLibrary(module)
#define GetProcAddressW(module, procName) ce::GetProcAddressW(module, procName)
#define GetSysColor(index) ce::GetSysColor(index)
#define GetDC(window) ce::GetDC(window)
#define GetWindowDC(window) ce::GetWindowDC(window)
#define BeginPaint(window, paint) ce::BeginPaint(window, paint)
#define CreateCompatibleDC(dc) ce::CreateCompatibleDC(dc)
