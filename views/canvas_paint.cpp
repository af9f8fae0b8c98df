// Painting the canvas: the shown page is composed in memory (the picture, then the cut rectangle
// and the cross-hair inverted over it) and flipped into the window in one StretchDIBits.
#include "views/canvas.h"

#include "app/globals.h"
#include "app/show_info.h"
#include "app/status_bar.h"
#include "app/text.h"
#include "views/animation.h"

namespace {

constexpr COLORREF kNotLoadedColour = RGB(100, 250, 0);
constexpr int kInvertMode = 1;

// With no picture open: the text alone, centred in the client area, over the class background.
void PaintNotLoaded(HWND window)
{
    HDC context = GetDC(window);
    if (context == nullptr) return;
    RECT client;
    GetClientRect(window, &client);
    SetBkMode(context, TRANSPARENT);
    SetTextColor(context, kNotLoadedColour);
    DrawTextText(context, "Bitmap file not loaded.", &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    ReleaseDC(window, context);
}

}  // namespace

void BmpChildWindow::OnPaint(HWND paintWindow, UINT message, WPARAM wParam, LPARAM lParam)
{
    PAINTSTRUCT paint;
    BeginPaint(paintWindow, &paint);  // the class brush has erased the update region
    EndPaint(paintWindow, &paint);

    if (playing) {
        AnimStep();
        return;
    }
    if (editMode) {
        // The edit page is drawn here once edit mode exists; until then nothing is shown.
        return;
    }
    if (g_bmpPage.pixels == nullptr) {
        PaintNotLoaded(paintWindow);
        DefWindowProcA(paintWindow, message, wParam, lParam);
        return;
    }
    if (pictureSet.sprites != nullptr) {
        if (!g_bmpPage.DrawSpriteOpaque(0, 0, &pictureSet.sprites[0], 0, 0, 0))
            ShowInfo(paintWindow, "비트맵 찍기 실패");
        DrawCutRect();
        if (g_options.crossHair && crossVisible) DrawCrossHair(crossX, crossY);
    }
    if (!g_bmpPage.FlipAt(paintWindow, pageLeft, pageTop, curZoom)) ShowInfo(paintWindow, "페이지 플리핑 실패");
}

void BmpChildWindow::DrawCrossHair(int x, int y)
{
    DibPage& page = (editMode || playing) ? g_animPage : g_bmpPage;
    page.DrawHLine(0, y, page.width, 0, kInvertMode);
    page.DrawVLine(x, 0, page.height, 0, kInvertMode);
}

void BmpChildWindow::UpdateStatus()
{
    // The edit-mode lines (the current tool's coordinates) come with the edit-mode dialog.
    if (workSet.sprites == nullptr) SetStatusText("Ready");
    else if (playing) ShowPlayStatus(animFrame);
}
