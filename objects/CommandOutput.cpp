#include "objects/CommandOutput.h"

#include <algorithm>

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// The next code point of bytes[at, size), or U+FFFD for a broken piece;
// moves `at` past what it took. A broken piece is the longest start of a
// well-formed sequence (at least one byte), so the byte that breaks a
// sequence begins the next piece.
char32_t DecodeUtf8(const BYTE* bytes, UINT size, UINT& at)
{
    const BYTE lead = bytes[at++];
    if (lead < 0x80)
        return lead;
    UINT following;
    char32_t value;
    BYTE low = 0x80, high = 0xBF;  // the range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        following = 1;
        value = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        following = 2;
        value = lead & 0x0F;
        if (lead == 0xE0)
            low = 0xA0;  // no overlong forms
        else if (lead == 0xED)
            high = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        following = 3;
        value = lead & 0x07;
        if (lead == 0xF0)
            low = 0x90;
        else if (lead == 0xF4)
            high = 0x8F;  // nothing above U+10FFFF
    } else {
        return kReplacement;
    }
    for (UINT i = 0; i < following; ++i) {
        if (at >= size || bytes[at] < low || bytes[at] > high)
            return kReplacement;
        value = (value << 6) | (bytes[at++] & 0x3F);
        low = 0x80;
        high = 0xBF;
    }
    return value;
}

bool IsDropped(char32_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

void AppendUtf16(std::basic_string<WCHAR>& text, char32_t c)
{
    if (c < 0x10000) {
        text += static_cast<WCHAR>(c);
        return;
    }
    c -= 0x10000;
    text += static_cast<WCHAR>(0xD800 + (c >> 10));
    text += static_cast<WCHAR>(0xDC00 + (c & 0x3FF));
}

}  // namespace

void CommandOutput::Append(const BYTE* bytes, UINT count)
{
    const UINT room = mostBytes_ - Size();
    bytes_.insert(bytes_.end(), bytes, bytes + std::min(count, room));
}

std::basic_string<WCHAR> CommandOutput::Lines(UINT lines) const
{
    std::basic_string<WCHAR> text;
    const UINT size = Size();
    UINT ended = 0;
    for (UINT at = 0; at < size;) {
        const char32_t c = DecodeUtf8(bytes_.data(), size, at);
        if (c == TEXT('\n')) {
            if (++ended >= std::max(lines, 1u))
                return text;
            if (at == size)
                return text;  // a final line feed ends the last line
            text += TEXT('\n');
        } else if (c == TEXT('\t')) {
            text += TEXT(' ');
        } else if (!IsDropped(c)) {
            AppendUtf16(text, c);
        }
    }
    return text;
}
