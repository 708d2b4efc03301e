#include "objects/ErrorText.h"

std::basic_string<WCHAR> ErrorText(const WCHAR* name, UINT length)
{
    std::basic_string<WCHAR> text(TEXT("Fehler: \""));
    text.append(name, length);
    text += TEXT('"');
    return text;
}
