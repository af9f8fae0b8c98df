// The canvas's verbs: what the commands, the pages of the information window and the options ask
// of it, and what it does when the document changes.
#include "views/canvas.h"

#include "app/document.h"
#include "app/pages.h"
#include "app/toolbar.h"
#include "resources/resource.h"
#include "views/animation.h"
#include "views/auto_scroll.h"
#include "views/edit_mode_dialog.h"

namespace {

void Invalidate(HWND window)
{
    if (window != nullptr) InvalidateRect(window, nullptr, TRUE);
}

}  // namespace

void BmpChildWindow::Play(int framesPerSecond)
{
    playing = 1;
    paused = 0;
    fps = framesPerSecond;
    SetFrameInterval(fps);
    RefreshPage();
    Invalidate(window);
    StartAnimPage();
    CheckToolbarButton(ID_PLAY);
}

void BmpChildWindow::Stop()
{
    playing = 0;
    paused = 0;
    RefreshPage();
    Invalidate(window);
    CheckToolbarButton(ID_STOP);
}

void BmpChildWindow::Pause()
{
    paused = 1;
    CheckToolbarButton(ID_PAUSE);
}

void BmpChildWindow::Step(int delta)
{
    if (paused) pendingStep += delta;
}

void BmpChildWindow::SetFrameRate(int framesPerSecond)
{
    fps = framesPerSecond;
    SetFrameInterval(fps);
}

void BmpChildWindow::EnterEditMode()
{
    editMode = 1;
    StartEditPage();
}

void BmpChildWindow::LeaveEditMode()
{
    CancelDrag();
    editMode = 0;
}

void BmpChildWindow::ZoomIn()
{
    ShownPage shown = Shown();
    if (*shown.zoom >= shown.maxZoom) return;
    ++*shown.zoom;
    viewX *= 2;
    viewY *= 2;
    RefreshPage();
    Invalidate(window);
}

void BmpChildWindow::ZoomOut()
{
    ShownPage shown = Shown();
    if (*shown.zoom <= kMinZoom) return;
    --*shown.zoom;
    viewX /= 2;
    viewY /= 2;
    RefreshPage();
    Invalidate(window);
}

void BmpChildWindow::StartAdjustView()
{
    if (!editMode && !playing) return;
    adjustView = 1;
    Invalidate(window);
}

void BmpChildWindow::EndAdjustView()
{
    if (adjustDrag) CancelDrag();
    adjustView = 0;
}

void BmpChildWindow::SetPageSize(int width, int height)
{
    animWidth = width;
    animHeight = height;
}

bool BmpChildWindow::CancelDrag()
{
    bool cancelled = false;
    if (cutState == kCutDrawing) {
        cutState = kCutIdle;  // the new rectangle goes
        cancelled = true;
    } else if (cutState == kCutMoving) {
        cutRect = savedCutRect;  // back where the move began
        cutState = kCutShown;
        cancelled = true;
    }
    if (editState == kEditDragging) {
        editState = kEditIdle;
        g_document.CancelGesture();
        cancelled = true;
    }
    if (adjustDrag) {
        anchorX = adjustPressAnchor.x;
        anchorY = adjustPressAnchor.y;
        adjustDrag = 0;
        cancelled = true;
    }
    if (!cancelled) return false;
    crossVisible = 0;
    g_autoScroll.End();
    // Set the states first: letting the mouse go tells this window its capture is lost.
    if (window != nullptr && GetCapture() == window) ReleaseCapture();
    Invalidate(window);
    return true;
}

bool BmpChildWindow::DropCutRect()
{
    if (cutState != kCutShown) return false;
    cutState = kCutIdle;
    Invalidate(window);
    return true;
}

void BmpChildWindow::SetPreviewFlips(int flips)
{
    previewFlips = flips & (kFlipHorizontal | kFlipVertical);
    Invalidate(window);
}

void BmpChildWindow::OnDocumentChanged(const DocumentChange& change)
{
    // A chosen box belongs to the current sprite as it is: another sprite, or a list without it
    // (an undo, a deletion), and nothing is chosen.
    const Sprite* sprite = g_document.CurrentSprite();
    const int boxes = sprite == nullptr ? 0 : editTool == IDC_TOOL_HIT_BOX ? sprite->hitCount : sprite->atckCount;
    if ((change.what & (kChangeCurrent | kChangeStructure)) || selectedBox >= boxes) SelectBox(-1);
    // The edit page shows the current sprite with its coordinates and boxes; the sheet and the
    // animation page show nothing of the set between frames.
    if (editMode && !playing && (change.what & ~(kChangeModified | kChangeHistory)) != 0) {
        Invalidate(window);
        UpdateStatus();
    }
}
