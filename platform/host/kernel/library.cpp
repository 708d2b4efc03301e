// Modules: the one library the program loads at run time is the handheld's
// core library, which the host provides itself. Every other library is
// missing, as it would be on a device without it.
#include <string>

#include "platform/host/kernel/fakes.h"
#include "platform/host/kernel/power.h"
#include "platform/win32.h"

namespace {

// The module handle of the core library: an address that no other handle has.
char g_coreLibrary;

HMODULE CoreLibrary()
{
    return reinterpret_cast<HMODULE>(&g_coreLibrary);
}

bool EqualsIgnoringCase(LPCWSTR text, std::u16string_view expected)
{
    size_t i = 0;
    for (; text[i] && i < expected.size(); ++i) {
        const WCHAR c = text[i] >= u'A' && text[i] <= u'Z' ? text[i] - u'A' + u'a' : text[i];
        if (c != expected[i])
            return false;
    }
    return !text[i] && i == expected.size();
}

}  // namespace

// Windows adds ".dll" to a name without an extension.
HMODULE LoadLibraryW(LPCWSTR fileName)
{
    if (fileName && (EqualsIgnoringCase(fileName, u"coredll.dll") || EqualsIgnoringCase(fileName, u"coredll")))
        return CoreLibrary();
    return nullptr;
}

FARPROC GetProcAddressW(HMODULE module, LPCWSTR procName)
{
    // A name below 0x10000 is an ordinal; the core library exports none by number here.
    if (module != CoreLibrary() || reinterpret_cast<ULONG_PTR>(procName) < 0x10000 || host::Fakes().noPowerEntryPoint)
        return nullptr;
    if (std::u16string_view(procName) == u"GetSystemPowerStatusEx2")
        return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(&GetSystemPowerStatusEx2));
    return nullptr;
}

BOOL FreeLibrary(HMODULE module)
{
    return module == CoreLibrary() ? TRUE : FALSE;
}
