// The private messages between a switching button, its panel and the panel
// that replaces it.
#pragma once

#include "platform/win32.h"

// Posted to a panel: open another panel file in its place.
// wParam: the full path of the panel file (the sender's own stored text,
// valid until the message is handled); lParam: the AnimationKind with which
// this panel closes and the new one opens. Result 0.
constexpr UINT WM_OPENPANEL = WM_APP + 1;

// Sent by the panel that handles WM_OPENPANEL to the panel it has just made:
// fly in. wParam 0; lParam: the AnimationKind of the opening. Result: the
// receiver's AnimationTime in ms, so that both animations last equally long.
constexpr UINT WM_BEGINENTRANCE = WM_APP + 2;
