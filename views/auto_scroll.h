// The auto-scroll repeater: while a drag is held outside the canvas or the selection strip, the
// idle loop's Tick posts one scroll step per direction every 60 ms to the target window.
#pragma once

#include "platform/win32.h"

constexpr DWORD kAutoScrollPeriod = 60;  // milliseconds between steps

class AutoScroll {
public:
    HWND target = nullptr;
    int active = 0;
    int dx = 0;          // -1, 0 or +1
    int dy = 0;
    DWORD lastTick = 0;  // milliseconds of the last step
    DWORD now = 0;

    void Begin(HWND target, int dx, int dy);
    void End();
    void Tick();
    // Milliseconds until Tick has a step to post: 0 when one is due now, INFINITE while the
    // repeater is idle.
    DWORD NextStepIn() const;
};

extern AutoScroll g_autoScroll;
