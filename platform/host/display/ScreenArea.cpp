#include "platform/host/display/ScreenArea.h"

#include <algorithm>
#include <cstdint>

namespace host {
namespace {

// Rounded towards minus infinity, so that points left of or above the
// origin fall into the block they lie in.
LONG FloorDivide(LONG value, int divisor)
{
    const LONG quotient = value / divisor;
    return quotient * divisor > value ? quotient - 1 : quotient;
}

LONG CeilDivide(LONG value, int divisor)
{
    return -FloorDivide(-value, divisor);
}

LONG Real(LONG origin, LONG program, int scale)
{
    // Program coordinates are kept well inside the range of int by the window
    // manager; the product is taken wide all the same.
    return static_cast<LONG>(std::clamp<int64_t>(origin + int64_t{program} * scale, INT32_MIN, INT32_MAX));
}

}  // namespace

SIZE ScreenArea::ProgramSize() const
{
    return {std::max<LONG>(size.cx / scale, 1), std::max<LONG>(size.cy / scale, 1)};
}

RECT ScreenArea::ToReal(const RECT& program) const
{
    return {Real(origin.x, program.left, scale), Real(origin.y, program.top, scale),
            Real(origin.x, program.right, scale), Real(origin.y, program.bottom, scale)};
}

POINT ScreenArea::ToProgram(POINT real) const
{
    return {FloorDivide(real.x - origin.x, scale), FloorDivide(real.y - origin.y, scale)};
}

RECT CoveringRect(const RECT& real, int scale)
{
    return {FloorDivide(real.left, scale), FloorDivide(real.top, scale), CeilDivide(real.right, scale),
            CeilDivide(real.bottom, scale)};
}

}  // namespace host
