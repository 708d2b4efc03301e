#include "config/LineReader.h"

UINT ReadLine(HANDLE file, WCHAR* buffer, UINT capacity, bool* lineEnded)
{
    if (lineEnded)
        *lineEnded = false;
    DWORD bytes = 0;
    if (!ReadFile(file, buffer, (capacity - 1) * 2, &bytes, nullptr) || bytes == 0) {
        buffer[0] = 0;
        return 0;
    }
    const UINT read = bytes / 2;
    UINT end = 0;
    while (end < read && buffer[end] != TEXT('\r') && buffer[end] != TEXT('\n'))
        ++end;

    UINT next = read;
    if (end < read) {
        const bool crlf = buffer[end] == TEXT('\r') && end + 1 < read && buffer[end + 1] == TEXT('\n');
        next = end + (crlf ? 2 : 1);
        if (lineEnded)
            *lineEnded = true;
    }
    buffer[end] = 0;

    // An odd last byte of the file belongs to no character; when the whole
    // read was used it stays consumed, so the caller reaches the file size.
    if (next < read)
        SetFilePointer(file, -static_cast<LONG>(bytes - next * 2), nullptr, FILE_CURRENT);
    return end;
}

bool HasMoreLines(HANDLE file)
{
    const DWORD position = SetFilePointer(file, 0, nullptr, FILE_CURRENT);
    return position != INVALID_SET_FILE_POINTER && position < GetFileSize(file, nullptr);
}
