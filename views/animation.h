// Playback's pacing and measuring: the frame schedule that lets a frame through when it is due,
// and the frame meter behind the rate in the status line. The frames themselves are the
// canvas's (StartAnimPage, AnimStep and RedrawFrame).
#pragma once

#include "platform/win32.h"

// 1 when a frame is due, else 0. Frames are due on a schedule of whole frame periods
// (g_framePeriod) from the moment pacing started: frame k at start + k periods. A frame that
// comes late because the clock or the wait is coarse, or the machine busy for a moment, does not
// push the frames after it back, so the rate holds on a 15.6 ms tick; a frame 100 ms late or
// more, and at least a whole period (playback held up by a dialog or an inactive spell), starts
// the schedule again from now instead of catching up in a burst.
int FrameGate();

// Milliseconds until the frame gate opens: 0 when it would open now.
DWORD FrameGateOpensIn();

// Stores 1000 / fps in g_frameInterval and the period to the microsecond in g_framePeriod; a zero
// fps (no delay) leaves both as they are.
void SetFrameInterval(int fps);

// Counts one frame and returns the measured frames per second: the frames of a measuring window
// of 1000 ms or more, times 1000, divided by the window's milliseconds, rounded. A window begins
// at the first frame after StartFrameClock, ends at the first frame that completes it (which also
// begins the next), and begins again at a frame that comes 1000 ms or more after the one before,
// so that neither the time before Play nor a long pause is measured. Until the first window
// ends the rate is 0.
int FrameMeter();

// Pacing and measuring start afresh (Play, a new frame rate): the next frame is due at once and
// the frame meter's first window begins with it.
void StartFrameClock();

// The sprite to show next in a set of `count` sprites, `step` places on from `frame`, wrapped
// once: past the end gives the first, before the start the last (a step overshooting by more
// than one place lands there, not on the remainder).
int WrapFrame(int frame, int step, int count);

// Sets the status line of playback: the sprite shown and the measured rate (one frame counted).
void ShowPlayStatus(int frame);

extern int g_frameInterval;    // milliseconds per frame: 1000 / frames per second
extern int g_framePeriod;      // microseconds per frame: 1000000 / frames per second
extern int g_meterFrames;      // frames counted in the frame meter's current window
extern DWORD g_meterStart;     // clock reading at which that window began
extern int g_measuredFps;      // the rate the status line shows
