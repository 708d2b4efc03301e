// A program's output: bytes in, the text a COMMAND shows out. The bytes come
// in pieces, as reads from a pipe do; the text must hold no control
// character but its line feeds, no more lines than asked for, and only
// well-formed UTF-16.
#include <cstdint>
#include <algorithm>
#include <cstdlib>

#include "objects/CommandOutput.h"

namespace {

void Check(const std::basic_string<WCHAR>& text, UINT lines)
{
    UINT breaks = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const WCHAR c = text[i];
        if (c == TEXT('\n'))
            ++breaks;
        else if (c < 0x20 || (c >= 0x7F && c <= 0x9F))
            abort();
        else if (c >= 0xD800 && c <= 0xDBFF && (++i == text.size() || text[i] < 0xDC00 || text[i] > 0xDFFF))
            abort();
        else if (c >= 0xDC00 && c <= 0xDFFF)
            abort();
    }
    if (breaks >= lines)
        abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    // The first byte cuts the rest into pieces and picks a small limit, so
    // that the cut at the limit falls inside sequences too.
    const UINT piece = data[0] % 7 + 1;
    CommandOutput output(data[0] < 128 ? CommandOutput::kMostBytes : data[0] % 16 + 1);
    for (size_t at = 1; at < size; at += piece)
        output.Append(data + at, static_cast<UINT>(std::min<size_t>(piece, size - at)));
    for (UINT lines : {1u, 3u, 20u})
        Check(output.Lines(lines), lines);
    return 0;
}
