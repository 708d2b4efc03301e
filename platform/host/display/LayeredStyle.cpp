#include "platform/host/display/LayeredStyle.h"

namespace host {
namespace {

uint32_t Mix(uint32_t over, uint32_t under, uint32_t alpha)
{
    return (over * alpha + under * (255 - alpha) + 127) / 255;
}

}  // namespace

uint32_t BlendOver(uint32_t pixel, uint32_t below, const LayeredStyle& style)
{
    pixel &= 0xFFFFFF;
    if (style.keyed && pixel == style.key)
        return below & 0xFFFFFF;
    uint32_t blended = 0;
    for (int shift = 0; shift <= 16; shift += 8)
        blended |= Mix((pixel >> shift) & 0xFF, (below >> shift) & 0xFF, style.alpha) << shift;
    return blended;
}

uint32_t Premultiplied(uint32_t pixel, const LayeredStyle& style)
{
    pixel &= 0xFFFFFF;
    if (style.keyed && pixel == style.key)
        return 0;
    uint32_t result = uint32_t{style.alpha} << 24;
    for (int shift = 0; shift <= 16; shift += 8)
        result |= Mix((pixel >> shift) & 0xFF, 0, style.alpha) << shift;
    return result;
}

}  // namespace host
