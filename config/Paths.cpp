#include "config/Paths.h"

#include "config/TextParsing.h"
#include "objects/SectionHandler.h"

namespace {

bool StartsWithParentStep(const WCHAR* path)
{
    return path[0] == TEXT('.') && path[1] == TEXT('.') && IsPathSeparator(path[2]);
}

}  // namespace

bool IsPathSeparator(WCHAR ch)
{
    return ch == TEXT('\\') || ch == TEXT('/');
}

UINT FolderLength(const WCHAR* path)
{
    UINT length = TextLength(path);
    while (length > 0 && !IsPathSeparator(path[length - 1]))
        --length;
    return length;
}

UINT JoinPath(WCHAR* destination, UINT capacity, const WCHAR* relative, const WCHAR* base)
{
    UINT length = CopyText(base, destination, capacity);
    if (length > 0 && !IsPathSeparator(destination[length - 1]) && length + 1 < capacity) {
        destination[length++] = TEXT('\\');
        destination[length] = 0;
    }
    if (IsPathSeparator(relative[0]))
        ++relative;
    while (length > 0 && StartsWithParentStep(relative)) {
        relative += 3;
        --length;
        while (length > 0 && !IsPathSeparator(destination[length - 1]))
            --length;
        destination[length] = 0;
    }
    return length + CopyText(relative, destination + length, capacity - length);
}

UINT ExeRelativePath(WCHAR* destination, UINT capacity, const WCHAR* relative)
{
    WCHAR folder[kMaxPath];
    const DWORD length = GetModuleFileNameW(GetModuleHandleW(nullptr), folder, kMaxPath);
    if (length == 0) {
        MessageBoxW(nullptr, TEXT("Der Pfad zum Programm konnte nicht ermittelt werden."), TEXT("Fehler"),
                    MB_SETFOREGROUND | MB_ICONERROR);
        return 0;
    }
    UINT cut = length < kMaxPath ? length : kMaxPath - 1;
    while (cut > 1 && !IsPathSeparator(folder[cut - 1]))
        --cut;
    folder[cut] = 0;
    return JoinPath(destination, capacity, relative, folder);
}

UINT ObjectRelativePath(const SectionHandler& object, const WCHAR* relative, WCHAR* destination, UINT capacity)
{
    if (!object.BaseFolder())
        return 0;
    if (IsPathSeparator(relative[0]))
        return CopyText(relative, destination, capacity);
    return JoinPath(destination, capacity, relative, object.BaseFolder());
}
