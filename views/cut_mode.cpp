// Cut mode: the rectangle dragged over the picture sheet, moved, confirmed with a double click
// (which cuts it into a new sprite) or thrown away with a right click.
//
// States: 0 idle (no rectangle), 1 drawing (left button held after a press in idle), 2 shown
// (rectangle present, button up), 3 moving (left button held after a press in state 2). The
// rectangle is kept as drawn, in bitmap-page pixels: x1, y1 the press point, x2, y2 the point the
// mouse reached; its corners are ordered only when it is drawn or cut.
#include "views/canvas.h"

#include "app/pages.h"
#include "app/picture.h"
#include "views/auto_scroll.h"
#include "views/canvas_mouse.h"
#include "views/cut_step.h"

namespace {

constexpr int kIdle = 0;
constexpr int kDrawing = 1;
constexpr int kShown = 2;
constexpr int kMoving = 3;

constexpr int kCutRectColor = 10;  // not used by an inverting frame

bool PictureOpen() { return pictureSet.sprites != nullptr; }

}  // namespace

void BmpChildWindow::DrawCutRect()
{
    if (cutState == kIdle) return;
    g_bmpPage.DrawFrame(cutRect.x1, cutRect.y1, cutRect.x2, cutRect.y2, kCutRectColor, kInvertMode);
}

void BmpChildWindow::CutMouse(HWND mouseWindow, UINT message, WPARAM, LPARAM lParam)
{
    if (message == WM_NCMOUSEMOVE) {
        SetCursor(arrowCursor);
        return;
    }
    if (playing) return;  // the bitmap page is not shown

    POINT at = MousePagePoint(g_bmpPage, lParam);
    POINT mouse = MouseWindowPoint(lParam);
    switch (message) {
    case WM_MOUSEMOVE:
        if (cutState == kIdle) {
            if (InsidePage(g_bmpPage, at)) {
                FollowWithCrossHair(mouseWindow, at);
            } else {
                SetCursor(arrowCursor);
                crossVisible = 0;
            }
        } else if (cutState == kShown) {
            SetCursor(InsidePage(g_bmpPage, at) ? moveCursor : arrowCursor);
            crossVisible = 0;
        } else if (cutState == kDrawing) {
            cutRect.x2 = at.x;
            cutRect.y2 = at.y;
            PostPaint(mouseWindow);
            TestAutoScroll(mouse.x, mouse.y);
        } else if (cutState == kMoving) {
            int dx = at.x - dragX, dy = at.y - dragY;
            cutRect = {cutRect.x1 + dx, cutRect.y1 + dy, cutRect.x2 + dx, cutRect.y2 + dy};
            dragX = at.x;
            dragY = at.y;
            PostPaint(mouseWindow);
            TestAutoScroll(mouse.x, mouse.y);
        }
        break;
    case WM_LBUTTONDOWN:
        if (!PictureOpen()) break;
        if (cutState == kIdle) {
            cutState = kDrawing;
            crossVisible = 0;
            SetCapture(mouseWindow);
            cutRect = {at.x, at.y, at.x, at.y};
        } else if (cutState == kShown) {
            // A press anywhere starts a move, inside the rectangle or not.
            cutState = kMoving;
            SetCapture(mouseWindow);
            dragX = at.x;
            dragY = at.y;
            savedCutRect = cutRect;
        }
        break;
    case WM_LBUTTONUP:
        if (cutState == kDrawing || cutState == kMoving) {
            cutState = kShown;
            ReleaseCapture();
            SetCursor(moveCursor);
        }
        g_autoScroll.End();
        break;
    case WM_LBUTTONDBLCLK:
        // The double click's own press and release made a move; put the rectangle back where
        // that move began, then cut it. The rectangle stays shown.
        if (cutState != kShown) break;
        cutRect = savedCutRect;
        CutSprite(mouseWindow, cutRect.x1, cutRect.y1, cutRect.x2, cutRect.y2);
        break;
    case WM_RBUTTONDOWN:
        if (cutState == kIdle) break;
        cutState = kIdle;
        // A cancel in the middle of a drag also lets the mouse go, so the rest of the program
        // gets its clicks again at once.
        if (GetCapture() == mouseWindow) ReleaseCapture();
        g_autoScroll.End();
        SetCursor(cutCursor);
        PostPaint(mouseWindow);
        break;
    default: break;  // WM_SETCURSOR and the other buttons are swallowed
    }
}
