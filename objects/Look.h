// What an object shows, written down so that the panel can tell whether
// drawing it again would change a pixel: the values that its Draw's pixels
// depend on besides its rectangle and its settings, in the order written.
// Equal looks of one object draw equal pixels.
#pragma once

#include <cstring>
#include <type_traits>
#include <vector>

#include "platform/win32.h"

class Look {
public:
    void Clear() { bytes_.clear(); }

    template <class T>
        requires std::is_arithmetic_v<T>
    void Add(T value)
    {
        const auto* bytes = reinterpret_cast<const unsigned char*>(&value);
        bytes_.insert(bytes_.end(), bytes, bytes + sizeof(T));
    }
    // The characters and their count, so that "ab" + "c" differs from "a" + "bc".
    void AddText(const WCHAR* text)
    {
        UINT length = 0;
        while (text && text[length])
            ++length;
        Add(length);
        const auto* bytes = reinterpret_cast<const unsigned char*>(text);
        if (length)
            bytes_.insert(bytes_.end(), bytes, bytes + length * sizeof(WCHAR));
    }

    bool operator==(const Look& other) const = default;
    void Swap(Look& other) { bytes_.swap(other.bytes_); }

private:
    std::vector<unsigned char> bytes_;
};
