// The millisecond clock behind frame pacing, the frame meter and auto-scrolling. A function
// pointer so that tests can drive time without sleeping; it is timeGetTime in the program.
#pragma once

#include "platform/win32.h"

using MillisecondClock = DWORD (*)();
extern MillisecondClock g_clock;
