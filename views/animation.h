// Playback's pacing and measuring: the frame gate that lets a frame through once the frame
// interval has run out, and the frame meter behind the rate in the status line. The frames
// themselves are the canvas's (StartAnimPage and AnimStep).
#pragma once

#include "platform/win32.h"

// 1 when a frame is due: at least g_frameInterval milliseconds since the gate last opened
// (unsigned difference of clock readings); the opening time is then taken afresh. Else 0.
int FrameGate();

// Stores 1000 / fps in g_frameInterval; a zero fps (no delay) leaves it as it is.
void SetFrameInterval(int fps);

// Counts one frame and returns the measured frames per second. Once a measuring window of
// 1000 ms or more has run, the rate becomes the window's frames plus their share of the time
// past 1000 ms, and a new window begins.
int FrameMeter();

// The sprite to show next in a set of `count` sprites, `step` places on from `frame`, wrapped
// once: past the end gives the first, before the start the last (a step overshooting by more
// than one place lands there, not on the remainder).
int WrapFrame(int frame, int step, int count);

// Sets the status line of playback: the sprite shown and the measured rate (one frame counted).
void ShowPlayStatus(int frame);

extern int g_frameInterval;    // milliseconds per frame: 1000 / frames per second
extern DWORD g_lastFrameTime;  // clock reading at which the frame gate last opened
extern int g_meterFrames;      // frames counted in the frame meter's current window
extern DWORD g_meterStart;     // clock reading at which that window began
extern int g_measuredFps;      // the rate the status line shows
