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

// Sent by the file watcher to a panel whose file changed: load the file
// again and show it in place of the panel, without animation. wParam and
// lParam 0. Result: 1 when the panel was replaced, 0 when it stays (the file
// is unreadable or half saved, the panel is in an animation).
constexpr UINT WM_RELOADPANEL = WM_APP + 3;

// Posted by a COMMAND object to its panel when a run has ended and its text
// changed: refresh the due objects as the refresh timer does. wParam and
// lParam 0. Result 0.
constexpr UINT WM_COMMANDOUTPUT = WM_APP + 4;
