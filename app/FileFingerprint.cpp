#include "app/FileFingerprint.h"

ULONGLONG FileFingerprint(const WCHAR* path)
{
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    const ULONGLONG hash = FileFingerprint(file);
    CloseHandle(file);
    return hash;
}

ULONGLONG FileFingerprint(HANDLE file)
{
    const DWORD position = SetFilePointer(file, 0, nullptr, FILE_CURRENT);
    if (position == INVALID_SET_FILE_POINTER || SetFilePointer(file, 0, nullptr, FILE_BEGIN) != 0)
        return 0;
    ULONGLONG hash = 14695981039346656037ull;
    BYTE buffer[4096];
    DWORD read = 0;
    bool readable = true;
    while ((readable = ReadFile(file, buffer, sizeof(buffer), &read, nullptr) != FALSE) && read > 0) {
        for (DWORD i = 0; i < read; ++i)
            hash = (hash ^ buffer[i]) * 1099511628211ull;
    }
    if (SetFilePointer(file, static_cast<LONG>(position), nullptr, FILE_BEGIN) != position)
        return 0;
    return readable ? hash | 1 : 0;
}
