#include "app/commands.h"

#include "app/about_box.h"
#include "app/document.h"
#include "panels/info_window.h"
#include "app/frame_rate_box.h"
#include "app/options_dialog.h"
#include "app/toolbar.h"
#include "app/view_modes.h"
#include "kit/show_info.h"
#include "kit/text.h"
#include "panels/edit_mode_window.h"
#include "panels/sprite_info_window.h"
#include "panels/work_windows.h"
#include "resources/resource.h"
#include "views/animation.h"
#include "views/canvas.h"
#include "views/selection.h"

namespace {

struct CommandTipEntry {
    int id;
    const char* tip;
};

// Tool tips of the toolbar's commands.
const CommandTipEntry kCommandTips[] = {
    {ID_NEW, "New"},
    {ID_OPEN_BITMAP, "Open Bitmap files"},
    {ID_SAVE_SPRITE, "Save Sprite"},
    {ID_OPEN_SPRITE, "Open Sprite"},
    {ID_VIEW_ALL, "View All Window"},
    {ID_VIEW_BITMAP, "View Only Bitmap Window"},
    {ID_VIEW_INFO, "View Only Information Window"},
    {ID_VIEW_SELECTION, "View Only Selection Window"},
    {ID_ZOOM_IN, "Zoom In"},
    {ID_ZOOM_OUT, "Zoom Out"},
    {ID_ADJUST_VIEW, "Adjust view position"},
    {ID_PLAY, "Play"},
    {ID_STOP, "Stop"},
    {ID_PAUSE, "Pause"},
    {ID_BACK, "Back"},
    {ID_FORWARD, "Forward"},
    {ID_OPTIONS, "Option"},
};

void Invalidate(HWND window, BOOL erase)
{
    if (window != nullptr) InvalidateRect(window, nullptr, erase);
}

void SendStop(HWND window) { SendMessageA(window, WM_COMMAND, ID_STOP, 0); }

void ZoomIn()
{
    ShownPage shown = g_bmpChild.Shown();
    if (*shown.zoom >= shown.maxZoom) return;
    ++*shown.zoom;
    g_bmpChild.viewX *= 2;
    g_bmpChild.viewY *= 2;
    g_bmpChild.RefreshPage();
    Invalidate(g_bmpChild.window, TRUE);
}

void ZoomOut()
{
    ShownPage shown = g_bmpChild.Shown();
    if (*shown.zoom <= kMinZoom) return;
    --*shown.zoom;
    g_bmpChild.viewX /= 2;
    g_bmpChild.viewY /= 2;
    g_bmpChild.RefreshPage();
    Invalidate(g_bmpChild.window, TRUE);
}

void OnNew(HWND window)
{
    if (ConfirmDiscard(window) == IDCANCEL) return;
    workSet.Clear();
    Invalidate(g_selChild.window, TRUE);
    Invalidate(g_bmpChild.window, TRUE);
    Invalidate(g_sprInfo.window, TRUE);
    Invalidate(g_editMode.window, TRUE);
    if (g_bmpChild.window != nullptr) UpdateWindow(g_bmpChild.window);
    SelectInfoTab(kSpriteInfoPage);
}

void OnOpenBitmap(HWND window)
{
    SendStop(window);
    if (g_bmpChild.OpenBitmap()) SelectInfoTab(kSpriteInfoPage);
}

void OnOpenSprite(HWND window)
{
    if (ConfirmDiscard(window) == IDCANCEL) return;
    SendStop(window);
    g_modified = 0;
    g_bmpChild.OpenSprite();
}

void OnPlay(HWND window)
{
    if (workSet.sprites == nullptr) {
        ShowInfo(window, "스프라이트 파일을 먼저 읽으세요");
        SendStop(window);
        return;
    }
    g_bmpChild.playing = 1;
    g_bmpChild.paused = 0;
    g_bmpChild.fps = FrameRateForPlay();
    if (g_bmpChild.fps != 0) SetFrameInterval(g_bmpChild.fps);
    StartFrameClock();
    g_bmpChild.RefreshPage();
    Invalidate(g_bmpChild.window, TRUE);
    g_bmpChild.StartAnimPage();
    CheckToolbarButton(ID_PLAY);
}

void OnStop()
{
    g_bmpChild.playing = 0;
    g_bmpChild.paused = 0;
    g_bmpChild.RefreshPage();
    Invalidate(g_bmpChild.window, TRUE);
    CheckToolbarButton(ID_STOP);
}

void OnPause(HWND window)
{
    if (!g_bmpChild.playing) {
        SendStop(window);
        return;
    }
    g_bmpChild.paused = 1;
    CheckToolbarButton(ID_PAUSE);
}

void OnAdjustView()
{
    if (!g_bmpChild.editMode && !g_bmpChild.playing) return;
    g_bmpChild.adjustView = 1;
    Invalidate(g_bmpChild.window, TRUE);
}

}  // namespace

const char* CommandTip(int id)
{
    for (const CommandTipEntry& entry : kCommandTips)
        if (entry.id == id) return entry.tip;
    return "Unknown";
}

void SetFrameInterval(int fps)
{
    if (fps == 0) return;
    g_frameInterval = 1000 / fps;
    g_framePeriod = 1000000 / fps;
}

int ConfirmDiscard(HWND window)
{
    if (!g_modified) {
        SendStop(window);
        g_modified = 0;
        return IDYES;
    }
    int answer = MessageBoxText(window, "변경된 스프라이트 파일을 저장할까요?", "New",
                                MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer == IDNO) {
        SendStop(window);
        lstrcpyA(g_bmpChild.spritePath, kNoName);
        lstrcpyA(g_bmpChild.spriteTitle, kNoName);
        g_modified = 0;
        return IDNO;
    }
    if (answer != IDYES) return IDCANCEL;
    if (!g_bmpChild.SaveSprite()) return IDCANCEL;
    lstrcpyA(g_bmpChild.spritePath, kNoName);
    lstrcpyA(g_bmpChild.spriteTitle, kNoName);
    SendStop(window);
    g_modified = 0;
    return IDYES;
}

void DispatchCommand(HWND window, int id, LPARAM value)
{
    switch (id) {
    case ID_NEW: OnNew(window); break;
    case ID_OPEN_BITMAP: OnOpenBitmap(window); break;
    case ID_SAVE_SPRITE: g_bmpChild.SaveSprite(); break;
    case ID_EXIT: PostMessageA(window, WM_CLOSE, 0, 0); break;
    case ID_OPEN_SPRITE: OnOpenSprite(window); break;
    case ID_ABOUT: RunAboutBox(window); break;
    case ID_VIEW_ALL:
    case ID_VIEW_BITMAP:
    case ID_VIEW_INFO:
    case ID_VIEW_SELECTION: SetViewMode(id); break;
    case ID_ZOOM_IN: ZoomIn(); break;
    case ID_ZOOM_OUT: ZoomOut(); break;
    case ID_ADJUST_VIEW: OnAdjustView(); break;
    case ID_PLAY: OnPlay(window); break;
    case ID_STOP: OnStop(); break;
    case ID_PAUSE: OnPause(window); break;
    case ID_BACK:
        if (g_bmpChild.paused) --g_bmpChild.pendingStep;
        break;
    case ID_FORWARD:
        if (g_bmpChild.paused) ++g_bmpChild.pendingStep;
        break;
    case ID_OPTIONS: RunOptionsDialog(window); break;
    case ID_OPEN_PALETTE: g_bmpChild.OpenPalette(); break;
    case ID_SAVE_PALETTE: g_bmpChild.SavePalette(); break;
    case ID_SEL_ZOOM_IN: SendMessageA(g_subWork2.window, WM_COMMAND, kStripZoomIn, 0); break;
    case ID_SEL_ZOOM_OUT: SendMessageA(g_subWork2.window, WM_COMMAND, kStripZoomOut, 0); break;
    case ID_FPS_CHANGED:
        g_bmpChild.fps = int(value);
        SetFrameInterval(g_bmpChild.fps);
        StartFrameClock();
        break;
    default: break;
    }
}
