// Helpers of the layout tests: where a window lies in its parent, resizing the main window to a
// client size, and dragging a split bar with the mouse messages a user's drag sends.
#pragma once

#include <windows.h>

#include "app/split_bar.h"
#include "tests/gui/gui_fixture.h"

// A window's rectangle in its parent's client coordinates.
inline RECT RectInParent(HWND window)
{
    RECT rect = {0, 0, 0, 0};
    GetWindowRect(window, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

inline RECT ClientOf(HWND window)
{
    RECT rect = {0, 0, 0, 0};
    GetClientRect(window, &rect);
    return rect;
}

inline int WidthOf(const RECT& rect) { return rect.right - rect.left; }
inline int HeightOf(const RECT& rect) { return rect.bottom - rect.top; }

// The window's own visible flag, whatever its parents'.
inline bool Shown(HWND window) { return (GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE) != 0; }

// Sizes the (restored) main window so that its client area is about `width` x `height`; the menu
// bar may wrap, so callers read the client rectangle back.
inline void ResizeMainClient(HWND main, int width, int height)
{
    RECT frame = {0, 0, width, height};
    AdjustWindowRectEx(&frame, DWORD(GetWindowLongA(main, GWL_STYLE)), TRUE,
                       DWORD(GetWindowLongA(main, GWL_EXSTYLE)));
    SetWindowPos(main, nullptr, 0, 0, WidthOf(frame), HeightOf(frame),
                 SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
    PumpMessages(30);
}

// A mouse message at (along, 0) or (0, along) of the bar's client area, as the bar's axis says.
inline LRESULT SendBarMouse(const SplitBarWindow& bar, UINT message, int along)
{
    const int x = bar.orientation == kSplitVertical ? along : 0;
    const int y = bar.orientation == kSplitVertical ? 0 : along;
    return SendMessageA(bar.window, message, message == WM_MOUSEMOVE ? 0 : MK_LBUTTON,
                        MAKELPARAM(WORD(short(x)), WORD(short(y))));
}

// Presses the button at `from` along the bar's axis, moves through `to` in a few steps, releases.
inline void DragBar(const SplitBarWindow& bar, int from, int to)
{
    SendBarMouse(bar, WM_LBUTTONDOWN, from);
    for (int step = 1; step <= 4; ++step)
        SendBarMouse(bar, WM_MOUSEMOVE, from + (to - from) * step / 4);
    SendBarMouse(bar, WM_LBUTTONUP, to);
    PumpMessages(20);
}
