#include "config/TextParsing.h"

#include <algorithm>

#include "config/Diagnostics.h"

namespace {

bool IsBlank(WCHAR ch)
{
    return ch == TEXT(' ') || ch == TEXT('\t') || ch == TEXT('\r') || ch == TEXT('\n');
}

WCHAR LowerCase(WCHAR ch)
{
    return ch >= TEXT('A') && ch <= TEXT('Z') ? static_cast<WCHAR>(ch - TEXT('A') + TEXT('a')) : ch;
}

bool IsDigit(WCHAR ch)
{
    return ch >= TEXT('0') && ch <= TEXT('9');
}

bool IsHexDigit(WCHAR ch)
{
    return IsDigit(ch) || (ch >= TEXT('A') && ch <= TEXT('F'));
}

bool IsLetterOrDigit(WCHAR ch)
{
    return IsDigit(ch) || (LowerCase(ch) >= TEXT('a') && LowerCase(ch) <= TEXT('z'));
}

void CheckNumber(const WCHAR* text)
{
    if (!DiagnosticPlace::Current() || IsDigit(text[0]) || text[0] == TEXT('-'))
        return;
    ReportWarning({TEXT("\""), text,
                   TEXT("\" is not a number (it begins with no digit and no \"-\"), so it is read as 0; write "
                        "digits, for example 120")});
}

void CheckColor(const WCHAR* text)
{
    if (!DiagnosticPlace::Current())
        return;
    if (text[0] == TEXT('#')) {
        ReportWarning({TEXT("\""), text,
                       TEXT("\" is not a colour: a leading \"#\" is read as the digit 0 and shifts the others; "
                            "write the six digits RRGGBB alone, for example 203040")});
        return;
    }
    if (IsColor(text))
        return;
    ReportWarning({TEXT("\""), text,
                   TEXT("\" is not a colour of six hexadecimal digits RRGGBB (0-9 and capital A-F), so the panel "
                        "shows another colour; write for example FFFFFF")});
}

}  // namespace

UINT TextLength(const WCHAR* text)
{
    UINT length = 0;
    while (text[length] != 0)
        ++length;
    return length;
}

UINT CopyText(const WCHAR* source, WCHAR* destination, UINT capacity)
{
    UINT copied = 0;
    while (copied + 1 < capacity && source[copied] != 0) {
        destination[copied] = source[copied];
        ++copied;
    }
    destination[copied] = 0;
    return copied;
}

std::unique_ptr<WCHAR[]> CopyValue(const WCHAR* value)
{
    const UINT capacity = TextLength(value) + 1;
    auto copy = std::make_unique<WCHAR[]>(capacity);
    CopyText(value, copy.get(), capacity);
    return copy;
}

int CompareChars(const WCHAR* a, const WCHAR* b, UINT count)
{
    for (UINT i = 0; i < count; ++i) {
        const auto ca = static_cast<WORD>(a[i]);
        const auto cb = static_cast<WORD>(b[i]);
        if (ca != cb)
            return ca > cb ? 1 : -1;
    }
    return 0;
}

bool IsKey(const WCHAR* line, const WCHAR* key)
{
    return CompareChars(line, key, TextLength(key)) == 0;
}

bool IsKeyIgnoringCase(const WCHAR* line, const WCHAR* key)
{
    for (; *key; ++line, ++key) {
        if (LowerCase(*line) != LowerCase(*key))
            return false;
    }
    return true;
}

UINT KeyDistance(const WCHAR* line, const WCHAR* key)
{
    constexpr UINT kFar = 3;
    constexpr UINT kLongest = 40;
    UINT wordLength = 0;
    while (line[wordLength] && line[wordLength] != TEXT(' ') && line[wordLength] != TEXT('\t') &&
           line[wordLength] != TEXT('=') && wordLength <= kLongest)
        ++wordLength;
    const UINT keyLength = TextLength(key);
    if (wordLength > kLongest || keyLength > kLongest ||
        (wordLength > keyLength ? wordLength - keyLength : keyLength - wordLength) >= kFar)
        return kFar;
    // Edit distance, two neighbouring letters swapped counting as one change.
    UINT table[kLongest + 1][kLongest + 1];
    for (UINT i = 0; i <= wordLength; ++i) {
        for (UINT j = 0; j <= keyLength; ++j) {
            if (i == 0 || j == 0) {
                table[i][j] = i + j;
                continue;
            }
            const WCHAR a = LowerCase(line[i - 1]);
            const WCHAR b = LowerCase(key[j - 1]);
            UINT best = table[i - 1][j - 1] + (a == b ? 0 : 1);
            best = std::min({best, table[i - 1][j] + 1, table[i][j - 1] + 1});
            if (i > 1 && j > 1 && a == LowerCase(key[j - 2]) && LowerCase(line[i - 2]) == b)
                best = std::min(best, table[i - 2][j - 2] + 1);
            table[i][j] = best;
        }
    }
    return std::min(table[wordLength][keyLength], kFar);
}

const WCHAR* FindChar(const WCHAR* text, WCHAR ch, UINT count)
{
    for (UINT i = 0; i < count; ++i) {
        if (text[i] == ch)
            return text + i;
    }
    return nullptr;
}

const WCHAR* SkipBlanks(const WCHAR* text, UINT count)
{
    UINT i = 0;
    while (i < count && IsBlank(text[i]))
        ++i;
    return text + i;
}

const WCHAR* FindValue(const WCHAR* line, UINT length, UINT minimum)
{
    const WCHAR* equals = FindChar(line, TEXT('='), length);
    if (!equals)
        return nullptr;
    const UINT remaining = length - static_cast<UINT>(equals - line);
    if (remaining < minimum + 1)
        return nullptr;
    const WCHAR* value = SkipBlanks(equals + 1, remaining - 1);
    if (static_cast<UINT>(line + length - value) < minimum)
        return nullptr;
    return value;
}

int ParseInt(const WCHAR* text)
{
    CheckNumber(text);
    const bool negative = text[0] == TEXT('-');
    if (negative)
        ++text;
    DWORD value = 0;
    for (; *text >= TEXT('0') && *text <= TEXT('9'); ++text) {
        if (value > 241591910u)
            break;
        value = value * 10 + static_cast<DWORD>(*text - TEXT('0'));
    }
    // Ten-digit values above INT_MAX wrap like the 32-bit register they came from.
    return static_cast<int>(negative ? 0u - value : value);
}

int HexDigitValue(WCHAR ch)
{
    if (ch >= TEXT('1') && ch <= TEXT('9'))
        return ch - TEXT('0');
    if (ch >= TEXT('A') && ch <= TEXT('F'))
        return ch - TEXT('A') + 10;
    return 0;
}

bool IsColor(const WCHAR* text)
{
    for (int i = 0; i < 6; ++i) {
        if (!IsHexDigit(text[i]))
            return false;
    }
    return !IsLetterOrDigit(text[6]);
}

COLORREF ParseColor(const WCHAR* text)
{
    CheckColor(text);
    int channel[3] = {0, 0, 0};
    // A short text counts as padded with zero digits: nothing past its end is read.
    for (int i = 0; i < 6 && text[i] != 0; ++i)
        channel[i / 2] += (i % 2 == 0 ? 16 : 1) * HexDigitValue(text[i]);
    return RGB(channel[0], channel[1], channel[2]);
}

bool ParseFlag(const WCHAR* text)
{
    return text[0] == TEXT('1') || text[0] == TEXT('j') || text[0] == TEXT('y');
}
