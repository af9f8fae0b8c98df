// The millisecond clock behind frame pacing, the frame meter and auto-scrolling. A function
// pointer so that tests can drive time without sleeping; it is timeGetTime in the program.
#pragma once

#include "platform/win32.h"

using MillisecondClock = DWORD (*)();
extern MillisecondClock g_clock;

// While `fine` is true the program holds a timer period of 1 ms from the system
// (timeBeginPeriod), so that the clock reads to the millisecond and the message loop's timed
// waits end when asked rather than at the next tick of the default 15.6 ms. False gives it back
// (timeEndPeriod). Only a change reaches the system: calling it every loop pass costs nothing.
void UseFineTimer(bool fine);

// Whether the program holds the fine timer period now.
bool FineTimerInUse();
