// Edit mode: the current sprite on the edit page (g_animPage) at the anchor point, with the
// anchor cross, its center mark, hit boxes and attack boxes, and the mouse that moves its
// relative or center coordinate or draws and removes its boxes with the edit-mode dialog's tool.
//
// Coordinates: a page point p is the sprite-local point p - anchor - (rx, ry). While a drag is
// held, the sprite-local points are taken against the relative coordinate as it was at the press,
// so moving rx, ry during the drag does not feed back into the drag.
//
// States (editState): 0 idle, 1 dragging (left button held), 2 released after a drag; 2 behaves
// like 0 for mouse moves.
#include <cstdio>

#include "app/document.h"
#include "app/options.h"
#include "app/pages.h"
#include "app/picture.h"
#include "kit/show_info.h"
#include "kit/status_bar.h"
#include "panels/edit_mode_window.h"
#include "resources/resource.h"
#include "views/auto_scroll.h"
#include "views/canvas.h"
#include "views/canvas_mouse.h"
#include "views/edit_mode_dialog.h"

namespace {

constexpr int kIdle = 0;
constexpr int kDragging = 1;
constexpr int kReleased = 2;

constexpr int kCenterArm = 7;                    // the center mark reaches this far each way
constexpr int kCenterLength = 2 * kCenterArm + 1;  // 15 pixels per line
constexpr int kStatusSize = 256;

// The current sprite of the document, or null while there is none.
Sprite* CurrentSprite()
{
    if (workSet.sprites == nullptr || g_currentSprite < 0 || g_currentSprite >= workSet.Count())
        return nullptr;
    return &workSet.sprites[g_currentSprite];
}

bool BoxTool(int tool) { return tool == IDC_TOOL_HIT_BOX || tool == IDC_TOOL_ATCK_BOX; }

void DrawBoxes(DibPage& page, const BoxRect* boxes, int count, int left, int top, int color)
{
    for (int i = 0; i < count; ++i)
        page.DrawFrame(left + boxes[i].x1, top + boxes[i].y1, left + boxes[i].x2, top + boxes[i].y2, color,
                       kSolidMode);
}

}  // namespace

void BmpChildWindow::StartEditPage()
{
    if (!g_animPage.Create(animWidth, animHeight, 8, g_palette)) ShowInfo(window, "Edit Page 초기화 실패");
    pageWidth = animWidth;
    pageHeight = animHeight;
    // An anchor that fits the page stays, also across resolution changes.
    if (anchorX <= 0 || anchorX >= animWidth) anchorX = animWidth / 2;
    if (anchorY <= 0 || anchorY >= animHeight) anchorY = animHeight / 2;
    RefreshPage();
}

void BmpChildWindow::DrawEditPage(int n)
{
    if (!editMode || workSet.sprites == nullptr || n < 0 || n >= workSet.Count()) return;
    if (g_animPage.pixels == nullptr) {
        ShowInfo(window, "페이지가 초기화 되지 않았습니다.");
        editMode = 0;
        return;
    }
    DibPage& page = g_animPage;
    page.FillBox(0, 0, page.width, page.height, g_options.backColor);

    editAnchorX = anchorX;
    editAnchorY = anchorY;
    const Sprite& s = workSet.sprites[n];
    const int left = editAnchorX + s.rx, top = editAnchorY + s.ry;  // the sprite's top-left pixel
    if (!page.DrawSprite(left, top, &s, 0, 0, 0)) workSet.ShowMessage(window);

    // What covers what: the boxes over the anchor lines over the sprite, the cross-hair last.
    if (showAnchor) {
        page.DrawHLine(0, editAnchorY, page.width, g_options.relCrossColor, kSolidMode);
        page.DrawVLine(editAnchorX, 0, page.height, g_options.relCrossColor, kSolidMode);
    }
    if (showCenter) {
        const int cx = left + s.mx, cy = top + s.my;
        page.DrawHLine(cx - kCenterArm, cy, kCenterLength, 0, kInvertMode);
        page.DrawVLine(cx, cy - kCenterArm, kCenterLength, 0, kInvertMode);
    }
    if (showHitBoxes) DrawBoxes(page, s.hitBoxes, s.hitCount, left, top, g_options.hitBoxColor);
    if (showAtckBoxes) DrawBoxes(page, s.atckBoxes, s.atckCount, left, top, g_options.atckBoxColor);
    if (g_options.crossHair && crossVisible) DrawCrossHair(crossX, crossY);

    if (!page.FlipAt(window, pageLeft, pageTop, editZoom)) ShowInfo(window, "페이지 플리핑 실패");
}

void BmpChildWindow::UpdateEditStatus()
{
    const Sprite* s = CurrentSprite();
    if (s == nullptr) {
        SetStatusText("Ready");
        return;
    }
    char line[kStatusSize] = "Edit Mode Ready";
    switch (editTool) {
    case IDC_TOOL_RELATIVE: std::snprintf(line, sizeof line, "상대좌표(rx,ry) = %d, %d", s->rx, s->ry); break;
    case IDC_TOOL_CENTER: std::snprintf(line, sizeof line, "중심좌표(mx,my) = %d, %d", s->mx, s->my); break;
    case IDC_TOOL_HIT_BOX:
        if (s->hitCount > 0) {
            const BoxRect& b = s->hitBoxes[s->hitCount - 1];
            std::snprintf(line, sizeof line, "현재 그리는 중의 충돌상자 좌표(x1,y1,x2,y2) = %d, %d, %d, %d", b.x1, b.y1,
                          b.x2, b.y2);
        }
        break;
    case IDC_TOOL_ATCK_BOX:
        if (s->atckCount > 0) {
            const BoxRect& b = s->atckBoxes[s->atckCount - 1];
            std::snprintf(line, sizeof line, "현재 그리는 중의 공격상자 좌표(x1,y1,x2,y2) = %d, %d, %d, %d", b.x1, b.y1,
                          b.x2, b.y2);
        }
        break;
    default: break;
    }
    SetStatusText(line);
}

void BmpChildWindow::EditMouse(HWND mouseWindow, UINT message, WPARAM, LPARAM lParam)
{
    if (message == WM_NCMOUSEMOVE) {
        SetCursor(arrowCursor);
        return;
    }
    if (playing) return;  // the animation page is shown

    const POINT at = MousePagePoint(g_animPage, lParam);
    const POINT mouse = MouseWindowPoint(lParam);
    switch (message) {
    case WM_LBUTTONDOWN: {
        // Accepted anywhere in the window, inside the page or not.
        Sprite* s = CurrentSprite();
        if (s == nullptr) break;
        editState = kDragging;
        crossVisible = 0;
        SetCapture(mouseWindow);
        editRelAtPress = {s->rx, s->ry};
        editStart = editCur = {at.x - anchorX - editRelAtPress.x, at.y - anchorY - editRelAtPress.y};
        const PixelRect rect = {editStart.x, editStart.y, editCur.x, editCur.y};
        if (editTool == IDC_TOOL_HIT_BOX) workSet.InsertHitBox(g_currentSprite, s->hitCount, rect);
        else if (editTool == IDC_TOOL_ATCK_BOX) workSet.InsertAtckBox(g_currentSprite, s->atckCount, rect);
        g_modified = 1;
        UpdateStatus();
        break;
    }
    case WM_MOUSEMOVE:
        if (editState == kDragging) {
            Sprite* s = CurrentSprite();
            if (s == nullptr) break;
            editCur = {at.x - anchorX - editRelAtPress.x, at.y - anchorY - editRelAtPress.y};
            const PixelRect rect = {editStart.x, editStart.y, editCur.x, editCur.y};
            switch (editTool) {
            case IDC_TOOL_RELATIVE:
                s->rx += editCur.x - editStart.x;
                s->ry += editCur.y - editStart.y;
                editStart = editCur;
                break;
            case IDC_TOOL_CENTER:
                s->mx += editCur.x - editStart.x;
                s->my += editCur.y - editStart.y;
                editStart = editCur;
                break;
            case IDC_TOOL_HIT_BOX: workSet.SetHitBox(g_currentSprite, s->hitCount - 1, rect); break;
            case IDC_TOOL_ATCK_BOX: workSet.SetAtckBox(g_currentSprite, s->atckCount - 1, rect); break;
            default: break;
            }
            UpdateStatus();
            PostPaint(mouseWindow);
            TestAutoScroll(mouse.x, mouse.y);
            break;
        }
        if (InsidePage(g_animPage, at)) {
            if (!BoxTool(editTool)) {
                SetCursor(moveCursor);
                crossVisible = 0;
            } else {
                FollowWithCrossHair(mouseWindow, at);
            }
        } else {
            SetCursor(arrowCursor);
            crossVisible = 0;
        }
        UpdateStatus();
        break;
    case WM_LBUTTONUP:
        if (editState == kDragging) {
            editState = kReleased;
            ReleaseCapture();
            SetCursor(moveCursor);
            RefreshBoxList(g_editMode.boxList);
        }
        g_autoScroll.End();
        break;
    case WM_RBUTTONDOWN: {
        // A right click in the middle of a drag ends it: the mouse is let go at once, so the rest
        // of the program gets its clicks again.
        if (editState == kDragging && GetCapture() == mouseWindow) ReleaseCapture();
        g_autoScroll.End();
        editState = kIdle;
        SetCursor(cutCursor);
        const Sprite* s = CurrentSprite();
        int deleted = 0;
        if (s != nullptr && editTool == IDC_TOOL_HIT_BOX)
            deleted = workSet.DeleteHitBox(g_currentSprite, s->hitCount - 1);
        else if (s != nullptr && editTool == IDC_TOOL_ATCK_BOX)
            deleted = workSet.DeleteAtckBox(g_currentSprite, s->atckCount - 1);
        if (deleted) g_modified = 1;
        PostPaint(mouseWindow);
        RefreshBoxList(g_editMode.boxList);
        break;
    }
    default: break;  // WM_SETCURSOR and the other buttons are swallowed
    }
}
