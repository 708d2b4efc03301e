// Positions, sizes and offsets come from panel files and may be anything a
// 32-bit number holds: their sums wrap around like the 32-bit registers of
// the device instead of overflowing.
#pragma once

#include "platform/win32.h"

inline int AddWrapped(int a, int b)
{
    return static_cast<int>(static_cast<UINT>(a) + static_cast<UINT>(b));
}

inline int SubtractWrapped(int a, int b)
{
    return static_cast<int>(static_cast<UINT>(a) - static_cast<UINT>(b));
}
