// Modules: the one library the program loads at run time is the handheld's
// core library, which the host provides itself. Every other library is
// missing, as it would be on a device without it.
#include <strings.h>

#include <string>

#include "platform/host/kernel/fakes.h"
#include "platform/host/kernel/power.h"
#include "platform/host/kernel/sensors.h"
#include "platform/host/kernel/unicode.h"
#include "platform/win32.h"

namespace {

// The module handle of the core library: an address that no other handle has.
char g_coreLibrary;

HMODULE CoreLibrary()
{
    return reinterpret_cast<HMODULE>(&g_coreLibrary);
}

}  // namespace

// Windows adds ".dll" to a name without an extension.
HMODULE LoadLibraryW(LPCWSTR fileName)
{
    const std::string name = fileName ? host::ToUtf8(fileName) : std::string();
    if (strcasecmp(name.c_str(), "coredll.dll") == 0 || strcasecmp(name.c_str(), "coredll") == 0)
        return CoreLibrary();
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
}

FARPROC GetProcAddressW(HMODULE module, LPCWSTR procName)
{
    // A name below 0x10000 is an ordinal; the core library exports none by number here.
    if (module != CoreLibrary()) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    if (reinterpret_cast<ULONG_PTR>(procName) >= 0x10000) {
        const std::u16string_view name(procName);
        if (!host::Fakes().noPowerEntryPoint && name == u"GetSystemPowerStatusEx2")
            return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(&GetSystemPowerStatusEx2));
        if (name == u"GetSensorTemperature")
            return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(&GetSensorTemperature));
    }
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
}

BOOL FreeLibrary(HMODULE module)
{
    if (module == CoreLibrary())
        return TRUE;
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
}
