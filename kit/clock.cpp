#include "kit/clock.h"

#include <mmsystem.h>

namespace {

constexpr UINT kFinePeriod = 1;  // milliseconds
bool g_fineTimer = false;

DWORD SystemMilliseconds() { return timeGetTime(); }

}  // namespace

MillisecondClock g_clock = SystemMilliseconds;

void UseFineTimer(bool fine)
{
    if (fine == g_fineTimer) return;
    // A period the system refuses is simply not held: pacing keeps its rate on the coarse tick.
    if (fine)
        g_fineTimer = timeBeginPeriod(kFinePeriod) == TIMERR_NOERROR;
    else {
        timeEndPeriod(kFinePeriod);
        g_fineTimer = false;
    }
}

bool FineTimerInUse() { return g_fineTimer; }
