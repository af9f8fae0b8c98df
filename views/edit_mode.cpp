// Edit mode: the current sprite on the edit page (g_animPage) at the anchor point, with the
// anchor cross, its center mark, hit boxes and attack boxes, and the mouse that moves its
// relative or center coordinate or draws and removes its boxes with the edit-mode dialog's tool.
//
// Coordinates: a page point p is the sprite-local point p - anchor - (rx, ry). While a drag is
// held, the sprite-local points are taken against the relative coordinate as it was at the press,
// so moving rx, ry during the drag does not feed back into the drag.
//
// Every change goes through the document; a drag is one gesture, so it is one step of the history
// and a lost drag is taken back whole.
#include <cstdio>

#include "app/document.h"
#include "app/options.h"
#include "app/pages.h"
#include "app/picture.h"
#include "kit/show_info.h"
#include "kit/status_bar.h"
#include "resources/resource.h"
#include "views/auto_scroll.h"
#include "views/canvas.h"
#include "views/canvas_mouse.h"
#include "views/edit_mode_dialog.h"

namespace {

constexpr int kCenterArm = 7;                    // the center mark reaches this far each way
constexpr int kCenterLength = 2 * kCenterArm + 1;  // 15 pixels per line
constexpr int kStatusSize = 256;

const Sprite* CurrentSprite() { return g_document.CurrentSprite(); }

bool BoxTool(int tool) { return tool == IDC_TOOL_HIT_BOX || tool == IDC_TOOL_ATCK_BOX; }

BoxKind ToolBoxKind(int tool) { return tool == IDC_TOOL_HIT_BOX ? BoxKind::kHit : BoxKind::kAttack; }

int BoxCount(const Sprite& sprite, int tool) { return tool == IDC_TOOL_HIT_BOX ? sprite.hitCount : sprite.atckCount; }

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
    if (!editMode) return;
    if (g_animPage.pixels == nullptr) {
        // Out of edit mode before the box comes up: the box's own message loop paints the canvas,
        // which would otherwise come here again and raise another box.
        editMode = 0;
        ShowInfo(window, "페이지가 초기화 되지 않았습니다.");
        return;
    }
    DibPage& page = g_animPage;
    page.FillBox(0, 0, page.width, page.height, g_options.backColor);

    editAnchorX = anchorX;
    editAnchorY = anchorY;
    // With no sprite (the last one deleted) the page shows the anchor alone.
    const Sprite* sprite = g_document.SpriteAt(n);
    static const Sprite kNoSprite = {};
    const Sprite& s = sprite != nullptr ? *sprite : kNoSprite;
    const int left = editAnchorX + s.rx, top = editAnchorY + s.ry;  // the sprite's top-left pixel
    if (sprite != nullptr && !page.DrawSprite(left, top, sprite, 0, 0, 0)) workSet.ShowMessage(window);

    // What covers what: the boxes over the anchor lines over the sprite, the cross-hair last.
    if (showAnchor) {
        page.DrawHLine(0, editAnchorY, page.width, g_options.relCrossColor, kSolidMode);
        page.DrawVLine(editAnchorX, 0, page.height, g_options.relCrossColor, kSolidMode);
    }
    if (showCenter && sprite != nullptr) {
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
        const Sprite* s = CurrentSprite();
        if (s == nullptr) break;
        const int n = g_document.Current();
        editState = kEditDragging;
        crossVisible = 0;
        SetCapture(mouseWindow);
        g_document.BeginGesture();
        editRelAtPress = {s->rx, s->ry};
        editStart = editCur = {at.x - anchorX - editRelAtPress.x, at.y - anchorY - editRelAtPress.y};
        const PixelRect rect = {editStart.x, editStart.y, editCur.x, editCur.y};
        if (BoxTool(editTool)) g_document.AddBox(n, ToolBoxKind(editTool), BoxCount(*s, editTool), rect);
        UpdateStatus();
        break;
    }
    case WM_MOUSEMOVE:
        if (editState == kEditDragging) {
            const Sprite* s = CurrentSprite();
            if (s == nullptr) break;
            const int n = g_document.Current();
            editCur = {at.x - anchorX - editRelAtPress.x, at.y - anchorY - editRelAtPress.y};
            const PixelRect rect = {editStart.x, editStart.y, editCur.x, editCur.y};
            const int dx = editCur.x - editStart.x, dy = editCur.y - editStart.y;
            switch (editTool) {
            case IDC_TOOL_RELATIVE:
                g_document.SetRelative(n, s->rx + dx, s->ry + dy);
                editStart = editCur;
                break;
            case IDC_TOOL_CENTER:
                g_document.SetCenter(n, s->mx + dx, s->my + dy);
                editStart = editCur;
                break;
            case IDC_TOOL_HIT_BOX:
            case IDC_TOOL_ATCK_BOX:
                g_document.SetBox(n, ToolBoxKind(editTool), BoxCount(*s, editTool) - 1, rect);
                break;
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
        if (editState == kEditDragging) {
            editState = kEditReleased;
            ReleaseCapture();
            SetCursor(moveCursor);
            g_document.EndGesture();  // the whole drag, one step
        }
        g_autoScroll.End();
        break;
    case WM_RBUTTONDOWN: {
        // A right click in the middle of a drag ends it: the mouse is let go at once, so the rest
        // of the program gets its clicks again. A box being drawn goes (what a right click does
        // to the newest box); a coordinate being moved stays where it got to.
        const bool dragging = editState == kEditDragging;
        editState = kEditIdle;
        if (dragging && GetCapture() == mouseWindow) ReleaseCapture();
        g_autoScroll.End();
        SetCursor(cutCursor);
        const Sprite* s = CurrentSprite();
        if (dragging && BoxTool(editTool)) {
            g_document.CancelGesture();
        } else {
            g_document.EndGesture();
            if (s != nullptr && BoxTool(editTool) && BoxCount(*s, editTool) > 0)
                g_document.RemoveBox(g_document.Current(), ToolBoxKind(editTool), BoxCount(*s, editTool) - 1);
        }
        PostPaint(mouseWindow);
        break;
    }
    default: break;  // WM_SETCURSOR and the other buttons are swallowed
    }
}
