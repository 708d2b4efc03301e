#include "platform/win32.h"

#include <algorithm>
#include <cstring>
#include <string>

// The definitions below call the desktop functions of the same names.
#undef LoadLibraryW
#undef FreeLibrary
#undef GetProcAddressW
#undef GetSysColor
#undef GetDC
#undef GetWindowDC
#undef BeginPaint
#undef CreateCompatibleDC

namespace {

// The stand-in for the handheld's core library: an address that no module has.
char g_coreLibrary;

HMODULE CoreLibrary()
{
    return reinterpret_cast<HMODULE>(&g_coreLibrary);
}

bool IsOrdinal(LPCWSTR procName)
{
    return reinterpret_cast<ULONG_PTR>(procName) < 0x10000;
}

// The record that GetSystemPowerStatus cannot fill reads as unknown: no backup
// battery, no chemistry, no electrical figures.
DWORD WINAPI PowerStatusEx2(PSYSTEM_POWER_STATUS_EX2 status, DWORD length, BOOL)
{
    SYSTEM_POWER_STATUS desktop;
    if (!status || length == 0 || !GetSystemPowerStatus(&desktop))
        return 0;
    SYSTEM_POWER_STATUS_EX2 reading = {};
    reading.ACLineStatus = desktop.ACLineStatus;
    reading.BatteryFlag = desktop.BatteryFlag;
    reading.BatteryLifePercent = desktop.BatteryLifePercent;
    reading.BatteryLifeTime = desktop.BatteryLifeTime;
    reading.BatteryFullLifeTime = desktop.BatteryFullLifeTime;
    reading.BackupBatteryFlag = BATTERY_FLAG_UNKNOWN;
    reading.BackupBatteryLifePercent = BATTERY_PERCENTAGE_UNKNOWN;
    reading.BackupBatteryLifeTime = BATTERY_LIFE_UNKNOWN;
    reading.BackupBatteryFullLifeTime = BATTERY_LIFE_UNKNOWN;
    reading.BatteryChemistry = BATTERY_CHEMISTRY_UNKNOWN;
    const DWORD filled = std::min<DWORD>(length, sizeof reading);
    std::memcpy(status, &reading, filled);
    return filled;
}

// A stock object needs no release: the DC may be released with it selected.
HDC WithHandheldFont(HDC dc)
{
    if (dc)
        SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    return dc;
}

}  // namespace

// GetSystemTimes sums the idle time of every processor, in units of 100 ns.
DWORD GetIdleTime()
{
    FILETIME idle;
    FILETIME kernel;
    FILETIME user;
    if (!GetSystemTimes(&idle, &kernel, &user))
        return MAXDWORD;
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    const ULONGLONG hundredNanoseconds = (static_cast<ULONGLONG>(idle.dwHighDateTime) << 32) | idle.dwLowDateTime;
    return static_cast<DWORD>(hundredNanoseconds / 10000 / std::max<DWORD>(system.dwNumberOfProcessors, 1));
}

HBITMAP ce::LoadDIBitmap(LPCWSTR fileName)
{
    return static_cast<HBITMAP>(
        LoadImageW(nullptr, fileName, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
}

// Windows adds ".dll" to a name without an extension.
HMODULE ce::LoadLibraryW(LPCWSTR fileName)
{
    if (fileName && (lstrcmpiW(fileName, TEXT("coredll.dll")) == 0 || lstrcmpiW(fileName, TEXT("coredll")) == 0))
        return CoreLibrary();
    return ::LoadLibraryW(fileName);
}

BOOL ce::FreeLibrary(HMODULE module)
{
    return module == CoreLibrary() ? TRUE : ::FreeLibrary(module);
}

FARPROC ce::GetProcAddressW(HMODULE module, LPCWSTR procName)
{
    if (module == CoreLibrary()) {
        if (!IsOrdinal(procName) && lstrcmpW(procName, TEXT("GetSystemPowerStatusEx2")) == 0)
            return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(&PowerStatusEx2));
        SetLastError(ERROR_PROC_NOT_FOUND);
        return nullptr;
    }
    if (IsOrdinal(procName))
        return ::GetProcAddress(module, reinterpret_cast<LPCSTR>(procName));
    // Export names are ASCII: a name with any other character names nothing.
    std::string name;
    for (const WCHAR* c = procName; *c; ++c) {
        if (*c >= 0x80) {
            SetLastError(ERROR_PROC_NOT_FOUND);
            return nullptr;
        }
        name += static_cast<char>(*c);
    }
    return ::GetProcAddress(module, name.c_str());
}

DWORD ce::GetSysColor(int index)
{
    return ::GetSysColor(index & ~SYS_COLOR_INDEX_FLAG);
}

HDC ce::GetDC(HWND window)
{
    return WithHandheldFont(::GetDC(window));
}

HDC ce::GetWindowDC(HWND window)
{
    return WithHandheldFont(::GetWindowDC(window));
}

HDC ce::BeginPaint(HWND window, LPPAINTSTRUCT paint)
{
    return WithHandheldFont(::BeginPaint(window, paint));
}

HDC ce::CreateCompatibleDC(HDC dc)
{
    return WithHandheldFont(::CreateCompatibleDC(dc));
}
