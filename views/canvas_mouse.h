// What the canvas's mouse handlers share: reading a message's mouse point, turning it into a
// page point, and asking for a repaint.
#pragma once

#include "platform/win32.h"
#include "render/dib_page.h"

// The window point of a mouse message: the low and high words of its second parameter, each a
// signed 16-bit number (negative left of and above the client area while the mouse is captured).
inline POINT MouseWindowPoint(LPARAM lParam)
{
    return {short(LOWORD(lParam)), short(HIWORD(lParam))};
}

// The page pixel under a mouse message's point, through the page's view (position and zoom).
inline POINT MousePagePoint(const DibPage& page, LPARAM lParam)
{
    POINT at = MouseWindowPoint(lParam);
    int x = 0, y = 0;
    page.WindowToPage(at.x, at.y, &x, &y);
    return {x, y};
}

// A page without pixels has no inside.
inline bool InsidePage(const DibPage& page, POINT point)
{
    return page.pixels != nullptr && point.x >= 0 && point.x < page.width && point.y >= 0 &&
           point.y < page.height;
}

inline void PostPaint(HWND window) { PostMessageA(window, WM_PAINT, 0, 0); }
