// The canvas's mouse: routing to the handler of the current mode, the adjust-view mode that drags
// the anchor of the edit and animation pages, and the auto-scroll test of every drag.
#include "views/canvas.h"

#include "app/document.h"
#include "app/options.h"
#include "app/pages.h"
#include "views/auto_scroll.h"
#include "views/canvas_mouse.h"

void BmpChildWindow::RouteMouse(HWND mouseWindow, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (adjustView && (editMode || playing)) {
        AdjustMouse(mouseWindow, message, wParam, lParam);
    } else if (editMode) {
        EditMouse(mouseWindow, message, wParam, lParam);
    } else {
        CutMouse(mouseWindow, message, wParam, lParam);
    }
}

void BmpChildWindow::FollowWithCrossHair(HWND mouseWindow, POINT at)
{
    SetCursor(cutCursor);
    if (g_options.crossHair) {
        crossVisible = 1;
        crossX = at.x;
        crossY = at.y;
        PostPaint(mouseWindow);
    } else {
        crossVisible = 0;
    }
}

void BmpChildWindow::TestAutoScroll(int windowX, int windowY)
{
    RECT client;
    GetClientRect(window, &client);
    int dx = windowX <= client.left ? -1 : windowX >= client.right ? 1 : 0;
    int dy = windowY <= client.top ? -1 : windowY >= client.bottom ? 1 : 0;
    if (dx != 0 || dy != 0) g_autoScroll.Begin(window, dx, dy);
    else g_autoScroll.End();
}

void BmpChildWindow::AdjustMouse(HWND mouseWindow, UINT message, WPARAM, LPARAM lParam)
{
    switch (message) {
    case WM_NCMOUSEMOVE: SetCursor(arrowCursor); break;
    case WM_MOUSEMOVE: {
        POINT at = MousePagePoint(g_animPage, lParam);
        if (adjustDrag) {
            anchorX = adjustPressAnchor.x + (at.x - adjustPress.x);
            anchorY = adjustPressAnchor.y + (at.y - adjustPress.y);
            PostPaint(mouseWindow);
            POINT mouse = MouseWindowPoint(lParam);
            TestAutoScroll(mouse.x, mouse.y);
        } else if (InsidePage(g_animPage, at)) {
            SetCursor(adjustCursor);
            crossVisible = 0;
        } else {
            SetCursor(arrowCursor);
        }
        break;
    }
    case WM_LBUTTONDOWN: {
        if (workSet.sprites == nullptr || !(editMode || playing)) break;
        POINT at = MousePagePoint(g_animPage, lParam);
        if (!InsidePage(g_animPage, at)) break;
        adjustDrag = 1;
        crossVisible = 0;
        SetCapture(mouseWindow);
        adjustPress = at;
        adjustPressAnchor = {anchorX, anchorY};
        break;
    }
    case WM_LBUTTONUP:
        if (adjustDrag) {
            adjustDrag = 0;
            ReleaseCapture();
        }
        g_autoScroll.End();
        PostPaint(mouseWindow);
        break;
    case WM_RBUTTONDOWN:
        adjustDrag = 0;
        ReleaseCapture();
        g_autoScroll.End();
        adjustView = 0;
        SetCursor(arrowCursor);
        PostPaint(mouseWindow);
        break;
    default: break;  // WM_SETCURSOR and the other buttons are swallowed
    }
}
