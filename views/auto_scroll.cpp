#include "views/auto_scroll.h"

#include "kit/clock.h"

void AutoScroll::Begin(HWND window, int stepX, int stepY)
{
    target = window;
    dx = stepX;
    dy = stepY;
    active = 1;
}

void AutoScroll::End() { active = 0; }

void AutoScroll::Tick()
{
    if (!active) return;
    now = g_clock();
    if (now - lastTick < kAutoScrollPeriod) return;
    lastTick = now;
    if (dx < 0) PostMessageA(target, WM_HSCROLL, SB_LINEUP, 0);
    if (dx > 0) PostMessageA(target, WM_HSCROLL, SB_LINEDOWN, 0);
    if (dy < 0) PostMessageA(target, WM_VSCROLL, SB_LINEUP, 0);
    if (dy > 0) PostMessageA(target, WM_VSCROLL, SB_LINEDOWN, 0);
}

DWORD AutoScroll::NextStepIn() const
{
    if (!active) return INFINITE;
    const DWORD since = g_clock() - lastTick;
    return since >= kAutoScrollPeriod ? 0 : kAutoScrollPeriod - since;
}
