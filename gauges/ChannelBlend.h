// Integer channel arithmetic shared by the pixel painters.
#pragma once

#include "platform/win32.h"

// Moves `channel` towards `target` by weight/256 of the distance. The shift
// is arithmetic (floors), so moving down overshoots by at most one step
// where moving up falls one step short.
inline BYTE BlendChannel(int channel, int target, int weight)
{
    return static_cast<BYTE>(channel + (((target - channel) * weight) >> 8));
}

// A colour's channels in pixel byte order: blue, green, red.
struct PixelChannels {
    int value[3];
};

inline PixelChannels ChannelsOf(COLORREF color)
{
    return PixelChannels{{GetBValue(color), GetGValue(color), GetRValue(color)}};
}
