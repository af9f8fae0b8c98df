#include "kit/clock.h"

#include <mmsystem.h>

static DWORD SystemMilliseconds() { return timeGetTime(); }

MillisecondClock g_clock = SystemMilliseconds;
