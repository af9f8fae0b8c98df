// Cut mode: the rectangle dragged over the picture sheet, moved, confirmed with a double click
// (which cuts it into a new sprite) or thrown away with a right click.
//
// States (canvas.h): idle (no rectangle), drawing (left button held after a press in idle), shown
// (rectangle present, button up), moving (left button held after a press while shown). The
// rectangle is kept as drawn, in bitmap-page pixels: x1, y1 the press point, x2, y2 the point the
// mouse reached; its corners are ordered only when it is drawn or cut.
#include "views/canvas.h"

#include "app/pages.h"
#include "app/picture.h"
#include "views/auto_scroll.h"
#include "views/canvas_mouse.h"
#include "views/cut_status.h"
#include "views/cut_step.h"

namespace {

constexpr int kCutRectColor = 10;  // not used by an inverting frame

bool PictureOpen() { return pictureSet.sprites != nullptr; }

}  // namespace

void BmpChildWindow::DrawCutRect()
{
    if (cutState == kCutIdle) return;
    g_bmpPage.DrawFrame(cutRect.x1, cutRect.y1, cutRect.x2, cutRect.y2, kCutRectColor, kInvertMode);
}

int BmpChildWindow::CutAll(HWND owner) { return CutFigures(owner, cutState != kCutIdle ? &cutRect : nullptr); }

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
        if (cutState == kCutIdle) {
            if (InsidePage(g_bmpPage, at)) {
                FollowWithCrossHair(mouseWindow, at);
            } else {
                SetCursor(arrowCursor);
                crossVisible = 0;
            }
        } else if (cutState == kCutShown) {
            SetCursor(InsidePage(g_bmpPage, at) ? moveCursor : arrowCursor);
            crossVisible = 0;
        } else if (cutState == kCutDrawing) {
            cutRect.x2 = at.x;
            cutRect.y2 = at.y;
            PostPaint(mouseWindow);
            TestAutoScroll(mouse.x, mouse.y);
        } else if (cutState == kCutMoving) {
            int dx = at.x - dragX, dy = at.y - dragY;
            cutRect = {cutRect.x1 + dx, cutRect.y1 + dy, cutRect.x2 + dx, cutRect.y2 + dy};
            dragX = at.x;
            dragY = at.y;
            PostPaint(mouseWindow);
            TestAutoScroll(mouse.x, mouse.y);
        }
        if (PictureOpen()) ShowCutStatus(at, cutState == kCutDrawing || cutState == kCutMoving ? &cutRect : nullptr);
        break;
    case WM_LBUTTONDOWN:
        if (!PictureOpen()) break;
        if (cutState == kCutIdle) {
            cutState = kCutDrawing;
            cutMoveBegan = 0;
            crossVisible = 0;
            SetCapture(mouseWindow);
            cutRect = {at.x, at.y, at.x, at.y};
        } else if (cutState == kCutShown) {
            // A press anywhere starts a move, inside the rectangle or not.
            cutState = kCutMoving;
            cutMoveBegan = 1;
            SetCapture(mouseWindow);
            dragX = at.x;
            dragY = at.y;
            savedCutRect = cutRect;
        }
        break;
    case WM_LBUTTONUP:
        if (cutState == kCutDrawing || cutState == kCutMoving) {
            cutState = kCutShown;
            ReleaseCapture();
            SetCursor(moveCursor);
        }
        g_autoScroll.End();
        break;
    case WM_LBUTTONDBLCLK:
        // The double click's own press and release made a move; put the rectangle back where
        // that move began, then cut it. The rectangle stays shown. Pressed where no rectangle
        // was shown, the press began a new one and there is nothing to cut.
        if (cutState != kCutShown || !cutMoveBegan) break;
        cutRect = savedCutRect;
        CutSprite(mouseWindow, cutRect.x1, cutRect.y1, cutRect.x2, cutRect.y2);
        break;
    case WM_RBUTTONDOWN:
        if (cutState == kCutIdle) break;
        cutState = kCutIdle;
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
