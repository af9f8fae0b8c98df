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
#include "panels/edit_mode_window.h"
#include "resources/resource.h"
#include "views/auto_scroll.h"
#include "views/canvas.h"
#include "views/canvas_mouse.h"
#include "views/edit_mode_dialog.h"

namespace {

constexpr int kStatusSize = 256;

const Sprite* CurrentSprite() { return g_document.CurrentSprite(); }

bool BoxTool(int tool) { return tool == IDC_TOOL_HIT_BOX || tool == IDC_TOOL_ATCK_BOX; }

BoxKind ToolBoxKind(int tool) { return tool == IDC_TOOL_HIT_BOX ? BoxKind::kHit : BoxKind::kAttack; }

int BoxCount(const Sprite& sprite, int tool) { return tool == IDC_TOOL_HIT_BOX ? sprite.hitCount : sprite.atckCount; }

// The boxes of the tool's kind; null (and 0) for a coordinate tool.
const BoxRect* ToolBoxes(const Sprite& sprite, int tool, int* count)
{
    *count = BoxTool(tool) ? BoxCount(sprite, tool) : 0;
    if (!BoxTool(tool)) return nullptr;
    return tool == IDC_TOOL_HIT_BOX ? sprite.hitBoxes : sprite.atckBoxes;
}

// How near a box's edge a press takes the edge: about two window pixels, never less than one
// page pixel.
constexpr int kReachWindowPixels = 2;
int PartReach(int zoom) { return zoom > 0 ? (kReachWindowPixels + zoom - 1) / zoom : kReachWindowPixels; }

}  // namespace

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
            const BoxRect& b = s->hitBoxes[selectedBox >= 0 && selectedBox < s->hitCount ? selectedBox : s->hitCount - 1];
            std::snprintf(line, sizeof line, "현재 그리는 중의 충돌상자 좌표(x1,y1,x2,y2) = %d, %d, %d, %d", b.x1, b.y1,
                          b.x2, b.y2);
        }
        break;
    case IDC_TOOL_ATCK_BOX:
        if (s->atckCount > 0) {
            const BoxRect& b =
                s->atckBoxes[selectedBox >= 0 && selectedBox < s->atckCount ? selectedBox : s->atckCount - 1];
            std::snprintf(line, sizeof line, "현재 그리는 중의 공격상자 좌표(x1,y1,x2,y2) = %d, %d, %d, %d", b.x1, b.y1,
                          b.x2, b.y2);
        }
        break;
    default: break;
    }
    SetStatusText(line);
}

POINT BmpChildWindow::EditLocalPoint(POINT page, POINT relative) const
{
    // Counted from the anchor, mirrored back when the preview is mirrored (the mirror is its own
    // inverse), then from the sprite's top-left.
    const int x = FlippedAnchorColumn(page.x - anchorX, previewFlips);
    const int y = FlippedAnchorRow(page.y - anchorY, previewFlips);
    return {x - relative.x, y - relative.y};
}

LPCSTR BmpChildWindow::PartCursor(POINT page)
{
    const Sprite* s = CurrentSprite();
    int count = 0;
    const BoxRect* boxes = s != nullptr ? ToolBoxes(*s, editTool, &count) : nullptr;
    const POINT local = EditLocalPoint(page, s != nullptr ? POINT{s->rx, s->ry} : POINT{0, 0});
    BoxPart part = BoxPart::kNone;
    if (BoxAt(boxes, count, selectedBox, local.x, local.y, PartReach(editZoom), &part) < 0) return nullptr;
    switch (part) {
    case BoxPart::kInside: return IDC_SIZEALL;
    case BoxPart::kLeft:
    case BoxPart::kRight: return IDC_SIZEWE;
    case BoxPart::kTop:
    case BoxPart::kBottom: return IDC_SIZENS;
    // Mirrored once, a corner's diagonal turns the other way on the screen.
    case BoxPart::kTopLeft:
    case BoxPart::kBottomRight:
        return previewFlips == kFlipHorizontal || previewFlips == kFlipVertical ? IDC_SIZENESW : IDC_SIZENWSE;
    default: return previewFlips == kFlipHorizontal || previewFlips == kFlipVertical ? IDC_SIZENWSE : IDC_SIZENESW;
    }
}

void BmpChildWindow::SelectBox(int box)
{
    if (selectedBox == box) return;
    selectedBox = box;
    SelectBoxRow(g_editMode.boxList, box);
    if (window != nullptr) InvalidateRect(window, nullptr, FALSE);
    UpdateStatus();
}

bool BmpChildWindow::ChooseClickedBox()
{
    const Sprite* s = CurrentSprite();
    int count = 0;
    const BoxRect* boxes = s != nullptr ? ToolBoxes(*s, editTool, &count) : nullptr;
    // Only a new box that never left its press point, made where another box already lies.
    if (boxes == nullptr || boxDragPart != BoxPart::kNone || editCur.x != editStart.x || editCur.y != editStart.y)
        return false;
    const int under = BoxUnder(boxes, count - 1, editStart.x, editStart.y);
    if (under < 0) return false;
    g_document.CancelGesture();
    SelectBox(under);
    return true;
}

bool BmpChildWindow::NudgeSelectedBox(int dx, int dy)
{
    const Sprite* s = CurrentSprite();
    int count = 0;
    const BoxRect* boxes = s != nullptr ? ToolBoxes(*s, editTool, &count) : nullptr;
    if (!editMode || playing || boxes == nullptr || selectedBox < 0 || selectedBox >= count) return false;
    // The arrows move the box as it lies on the screen: mirrored, the other way in the set.
    if (previewFlips & kFlipHorizontal) dx = -dx;
    if (previewFlips & kFlipVertical) dy = -dy;
    if (!g_document.SetBox(g_document.Current(), ToolBoxKind(editTool), selectedBox,
                           DraggedBox(boxes[selectedBox], BoxPart::kInside, dx, dy)))
        workSet.ShowMessage(window);
    return true;
}

bool BmpChildWindow::DeleteSelectedBox()
{
    const Sprite* s = CurrentSprite();
    int count = 0;
    if (!editMode || s == nullptr || ToolBoxes(*s, editTool, &count) == nullptr || selectedBox < 0 ||
        selectedBox >= count)
        return false;
    const int box = selectedBox;
    SelectBox(-1);
    if (!g_document.RemoveBox(g_document.Current(), ToolBoxKind(editTool), box)) workSet.ShowMessage(window);
    return true;
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
        editStart = editCur = EditLocalPoint(at, editRelAtPress);
        boxDragPart = BoxPart::kNone;
        if (BoxTool(editTool)) {
            // A press on the chosen box takes it (its inside moves it, an edge or a corner resizes
            // it); anywhere else a new box is drawn (a click without a drag chooses the box under
            // it instead, on the release).
            int count = 0;
            const BoxRect* boxes = ToolBoxes(*s, editTool, &count);
            BoxPart part = BoxPart::kNone;
            const int hit = BoxAt(boxes, count, selectedBox, editStart.x, editStart.y, PartReach(editZoom), &part);
            if (hit >= 0) {
                boxDragPart = part;
                boxAtPress = boxes[hit];
                SelectBox(hit);
            } else {
                const PixelRect rect = {editStart.x, editStart.y, editCur.x, editCur.y};
                if (g_document.AddBox(n, ToolBoxKind(editTool), count, rect)) SelectBox(count);
            }
        }
        UpdateStatus();
        break;
    }
    case WM_MOUSEMOVE:
        if (editState == kEditDragging) {
            const Sprite* s = CurrentSprite();
            if (s == nullptr) break;
            const int n = g_document.Current();
            editCur = EditLocalPoint(at, editRelAtPress);
            const PixelRect rect = boxDragPart == BoxPart::kNone
                                       ? PixelRect{editStart.x, editStart.y, editCur.x, editCur.y}
                                       : DraggedBox(boxAtPress, boxDragPart, editCur.x - editStart.x,
                                                    editCur.y - editStart.y);
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
                g_document.SetBox(n, ToolBoxKind(editTool), selectedBox, rect);
                break;
            default: break;
            }
            UpdateStatus();
            PostPaint(mouseWindow);
            TestAutoScroll(mouse.x, mouse.y);
            break;
        }
        if (InsidePage(g_animPage, at)) {
            const LPCSTR sizing = BoxTool(editTool) ? PartCursor(at) : nullptr;
            if (!BoxTool(editTool)) {
                SetCursor(moveCursor);
                crossVisible = 0;
            } else if (sizing != nullptr) {
                SetCursor(LoadCursorA(nullptr, sizing));  // over a box: what a press would do to it
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
            if (!ChooseClickedBox()) g_document.EndGesture();  // the whole drag, one step
        }
        g_autoScroll.End();
        break;
    case WM_RBUTTONDOWN: {
        // A right click in the middle of a drag ends it: the mouse is let go at once, so the rest
        // of the program gets its clicks again. A box being drawn goes (what a right click does
        // to the newest box), a box being moved or resized goes back; a coordinate being moved
        // stays where it got to.
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
