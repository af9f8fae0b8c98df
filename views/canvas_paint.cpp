// Painting the canvas: the shown page is composed in memory (the picture, then the cut rectangle
// and the cross-hair inverted over it) and flipped into the window in one StretchDIBits.
#include "views/canvas.h"

#include <algorithm>

#include "app/document.h"
#include "app/options.h"
#include "app/pages.h"
#include "app/picture.h"
#include "kit/show_info.h"
#include "kit/status_bar.h"
#include "kit/text.h"
#include "views/animation.h"

namespace {

constexpr COLORREF kNotLoadedColor = RGB(100, 250, 0);

// With no picture open: the text alone, centred in the client area, over the class background.
void PaintNotLoaded(HWND window)
{
    HDC context = GetDC(window);
    if (context == nullptr) return;
    RECT client;
    GetClientRect(window, &client);
    SetBkMode(context, TRANSPARENT);
    SetTextColor(context, kNotLoadedColor);
    DrawTextText(context, "Bitmap file not loaded.", &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    ReleaseDC(window, context);
}

// Whether any part of the window waits to be painted: one trip to the window system.
bool HasUpdateRegion(HWND window)
{
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    if (region == nullptr) return true;  // cannot tell: validate as always
    const int kind = GetUpdateRgn(window, region, FALSE);
    DeleteObject(region);
    return kind == SIMPLEREGION || kind == COMPLEXREGION;
}

int FloorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

// The page pixels that the client area shows, at the page's placement and zoom. False when it
// shows none.
bool ShownPart(HWND window, const DibPage& page, int left, int top, int zoom, PixelRect* part)
{
    RECT client;
    GetClientRect(window, &client);
    *part = {std::max(0, FloorDiv(client.left - left, zoom)), std::max(0, FloorDiv(client.top - top, zoom)),
             std::min(page.width - 1, FloorDiv(client.right - 1 - left, zoom)),
             std::min(page.height - 1, FloorDiv(client.bottom - 1 - top, zoom))};
    return part->x1 <= part->x2 && part->y1 <= part->y2;
}

}  // namespace

// Only the part of the page that the window shows is composed and flipped: a large sheet costs
// what the window shows, not what the sheet holds. The composed part reaches one pixel beyond the
// shown part on every side, so an inverted outline that crosses the window's edge is drawn there
// exactly as on the whole page; pixels further out keep what the last paint that showed them
// left.
void BmpChildWindow::ComposeBitmapPage(const PixelRect& shown)
{
    g_bmpPage.ClipDrawing({shown.x1 - 1, shown.y1 - 1, shown.x2 + 1, shown.y2 + 1});
    if (!g_bmpPage.DrawSpriteOpaque(0, 0, &pictureSet.sprites[0], 0, 0, 0)) ShowInfo(window, "비트맵 찍기 실패");
    DrawCutRect();
    if (g_options.crossHair && crossVisible) DrawCrossHair(crossX, crossY);
    g_bmpPage.UnclipDrawing();
}

void BmpChildWindow::OnPaint(HWND paintWindow, UINT message, WPARAM wParam, LPARAM lParam)
{
    // Begin and end validate the update region, which the class brush has erased. The paints that
    // the mouse handlers post come with nothing invalid: there begin and end would validate
    // nothing and change no pixel, yet cost four trips to the window system on every mouse move
    // of a drag (the caret twice, the update region, the visible region), and a fifth for the
    // flip's device context, whose visible region BeginPaint's own context replaced.
    if (HasUpdateRegion(paintWindow)) {
        PAINTSTRUCT paint;
        BeginPaint(paintWindow, &paint);
        EndPaint(paintWindow, &paint);
    }

    if (playing) {
        // A paint between frames shows the last frame again: the class brush has erased the
        // window, and the next frame may be a long way off (paused, or at a low rate).
        if (NextFrameIn() == 0)
            AnimStep();
        else
            RedrawFrame();
        return;
    }
    if (editMode) {
        DrawEditPage(g_document.Current());
        return;
    }
    if (g_bmpPage.pixels == nullptr) {
        PaintNotLoaded(paintWindow);
        DefWindowProcA(paintWindow, message, wParam, lParam);
        return;
    }
    PixelRect shown;
    if (!ShownPart(paintWindow, g_bmpPage, pageLeft, pageTop, curZoom, &shown)) return;
    if (pictureSet.sprites != nullptr) ComposeBitmapPage(shown);
    g_bmpPage.SetView(pageLeft, pageTop, curZoom);
    const PixelRect target = {pageLeft + shown.x1 * curZoom, pageTop + shown.y1 * curZoom,
                              pageLeft + (shown.x2 + 1) * curZoom - 1, pageTop + (shown.y2 + 1) * curZoom - 1};
    if (!g_bmpPage.FlipRect(paintWindow, &target, &shown)) ShowInfo(paintWindow, "페이지 플리핑 실패");
}

void BmpChildWindow::DrawCrossHair(int x, int y)
{
    DibPage& page = (editMode || playing) ? g_animPage : g_bmpPage;
    page.DrawHLine(0, y, page.width, 0, kInvertMode);
    page.DrawVLine(x, 0, page.height, 0, kInvertMode);
}

void BmpChildWindow::UpdateStatus()
{
    if (workSet.sprites == nullptr)
        SetStatusText("Ready");
    else if (playing)
        ShowPlayStatus(animFrame);
    else
        UpdateEditStatus();
}
