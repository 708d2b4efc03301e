// The window animations: a panel flies or rolls onto the screen when it
// opens and away when it closes. Each step places the window by the time
// elapsed since the animation started, so the animation lasts AnimationTime
// however often its 20 ms timer fires.
#pragma once

#include "app/AnimationKind.h"
#include "platform/win32.h"

class Panel;

// Where the window stands during an animation.
struct AnimationFrame {
    int x;
    int y;
    int width;
    int height;
};

// The frame of an animation of `kind` for a window of width x height whose
// resting place is (x, y), `elapsed` ms after it started and lasting
// `duration` ms. Accelerated animations square both times, so they start
// slowly: half-way through the time a quarter of the way is covered. False
// when the animation is over (elapsed > duration, or duration 0).
bool AnimationFrameAt(AnimationKind kind, bool opening, int x, int y, int width, int height, DWORD elapsed,
                      DWORD duration, bool accelerated, AnimationFrame& frame);

// One step of the panel's opening (StartUpTimer) or closing (ShutDownTimer)
// animation. At its end an opening leaves the window at its place; a closing
// quits the program or, after a hand-over, removes only this window (the
// Panel is then gone when this returns).
void AnimationStep(HWND window, Panel& panel, bool opening);
