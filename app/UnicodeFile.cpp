#include "app/UnicodeFile.h"

#include "config/Paths.h"
#include "config/TextParsing.h"

HANDLE OpenUnicodeFile(const WCHAR* path, const WCHAR* missingCaption, DWORD attributes)
{
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, attributes, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        MessageBoxW(nullptr, path, missingCaption, MB_SETFOREGROUND | MB_ICONERROR);
        return INVALID_HANDLE_VALUE;
    }
    BYTE mark[2] = {};
    DWORD read = 0;
    if (!ReadFile(file, mark, sizeof(mark), &read, nullptr) || read != sizeof(mark) || mark[0] != 0xFF ||
        mark[1] != 0xFE) {
        static constexpr WCHAR kMessage[] = TEXT("Die Datei ist leer oder nicht im Unicode Format:\n");
        WCHAR text[sizeof(kMessage) / sizeof(WCHAR) + kMaxPath];
        const UINT length = CopyText(kMessage, text, sizeof(text) / sizeof(WCHAR));
        CopyText(path, text + length, kMaxPath);
        MessageBoxW(nullptr, text, TEXT("Fehler"), MB_SETFOREGROUND | MB_ICONERROR);
        CloseHandle(file);
        return INVALID_HANDLE_VALUE;
    }
    return file;
}

bool HasMoreLines(HANDLE file)
{
    const DWORD position = SetFilePointer(file, 0, nullptr, FILE_CURRENT);
    return position != INVALID_SET_FILE_POINTER && position < GetFileSize(file, nullptr);
}

UINT FolderLength(const WCHAR* path)
{
    UINT length = TextLength(path);
    while (length > 0 && !IsPathSeparator(path[length - 1]))
        --length;
    return length;
}
