// Format strings for wsprintfW and _snwprintf. The input's first byte picks
// the arguments: numbers taken from the input (string conversions are then
// turned into %d, as a number is no string), or strings for every
// conversion. The format is cut before it could read more than kConversions
// arguments (each "%" and each "*" may read one).
#include <cstring>
#include <string>

#include "platform/win32.h"

namespace {

constexpr size_t kConversions = 8;

// A text that reads as a narrow string too ("O").
const WCHAR kText[] = TEXT("Ostrevia");

std::u16string FormatFrom(const uint8_t* data, size_t size, bool numbers)
{
    std::u16string format;
    size_t readers = 0;
    for (size_t i = 0; i + 1 < size; i += 2) {
        char16_t ch = static_cast<char16_t>(data[i] | data[i + 1] << 8);
        if (ch == 0)
            break;
        if ((ch == u'%' || ch == u'*') && ++readers > kConversions)
            break;
        if (numbers && (ch == u's' || ch == u'S' || ch == u'n' || ch == u'p' || ch == u'Z'))
            ch = u'd';
        format += ch;
    }
    return format;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1 + 8 * 9)
        return 0;
    const bool numbers = data[0] & 1;
    const size_t bufferSize = data[0] >> 1;
    long long integers[kConversions];
    double reals[kConversions];
    std::memcpy(integers, data + 1, sizeof(integers));
    std::memcpy(reals, data + 1, sizeof(reals));
    const std::u16string format = FormatFrom(data + 1 + sizeof(integers), size - 1 - sizeof(integers), numbers);

    WCHAR out[1100];
    if (numbers) {
        wsprintfW(out, format.c_str(), integers[0], integers[1], integers[2], integers[3], integers[4], integers[5],
                  integers[6], integers[7]);
        _snwprintf(out, bufferSize, format.c_str(), reals[0], reals[1], reals[2], reals[3], reals[4], reals[5],
                   reals[6], reals[7], integers[0], integers[1], integers[2], integers[3], integers[4], integers[5],
                   integers[6], integers[7]);
    } else {
        wsprintfW(out, format.c_str(), kText, kText, kText, kText, kText, kText, kText, kText);
        _snwprintf(out, bufferSize, format.c_str(), kText, kText, kText, kText, kText, kText, kText, kText);
    }
    return 0;
}
