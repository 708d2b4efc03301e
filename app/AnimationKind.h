// The window animations with which a panel opens and closes.
#pragma once

#include "platform/win32.h"

enum AnimationKind : int {
    NoAnimation = 0,
    FlyRight = 1,
    FlyDown = 2,
    FlyLeft = 3,
    FlyUp = 4,
    FlyDiagRightDown = 5,
    FlyDiagRightUp = 6,
    FlyDiagLeftDown = 7,
    FlyDiagLeftUp = 8,
    RollDown = 9,
};

// Reads the animation name that `text` begins with (case-sensitive, over
// the name's own length) into `kind`. False, `kind` unchanged, when the text
// names none.
bool ParseAnimationName(const WCHAR* text, AnimationKind& kind);

// The animation names, separated by ", ", for messages.
const WCHAR* AnimationNameList();
