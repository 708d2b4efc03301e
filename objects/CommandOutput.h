// What a program printed on one of its outputs during one run, and the text
// that a panel shows of it. The bytes are read as UTF-8: a byte that cannot
// belong to a well-formed sequence becomes U+FFFD (one for each maximal
// broken piece, as the Unicode standard recommends); a line feed ends a line
// and a final one opens no line of its own; a tab becomes a blank; every
// other control character (carriage returns, escape sequences' ESC, C1
// controls) is dropped. At most a fixed number of bytes is kept a run: what
// comes after is read from the pipe and thrown away.
#pragma once

#include <string>
#include <vector>

#include "platform/win32.h"

class CommandOutput {
public:
    static constexpr UINT kMostBytes = 64 * 1024;

    explicit CommandOutput(UINT mostBytes = kMostBytes) : mostBytes_(mostBytes) {}

    // Keeps what fits below the limit of bytes; drops the rest.
    void Append(const BYTE* bytes, UINT count);
    UINT Size() const { return static_cast<UINT>(bytes_.size()); }

    // The first `lines` lines (at least one) as text to show, joined by line
    // feeds; empty when nothing was printed.
    std::basic_string<WCHAR> Lines(UINT lines) const;

private:
    UINT mostBytes_;
    std::vector<BYTE> bytes_;
};
