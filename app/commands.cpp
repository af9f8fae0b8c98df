#include "app/commands.h"

#include "app/about_box.h"
#include "app/document.h"
#include "app/frame_rate_box.h"
#include "app/keys.h"
#include "app/main_window.h"
#include "app/open_files.h"
#include "app/options_dialog.h"
#include "app/toolbar.h"
#include "app/view_modes.h"
#include "files/export_command.h"
#include "kit/show_info.h"
#include "kit/text.h"
#include "panels/copy_boxes_dialog.h"
#include "panels/info_window.h"
#include "panels/work_windows.h"
#include "resources/resource.h"
#include "views/canvas.h"

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

void SendStop(HWND window) { SendMessageA(window, WM_COMMAND, ID_STOP, 0); }

// The document's file names back to a new, unnamed set.
void ForgetSpriteFile()
{
    lstrcpyA(g_bmpChild.spritePath, kNoName);
    lstrcpyA(g_bmpChild.spriteTitle, kNoName);
}

void OnNew(HWND window)
{
    if (ConfirmDiscard(window) == IDCANCEL) return;
    g_document.New();  // the names stay, for the next save's dialog
    if (g_bmpChild.window != nullptr) UpdateWindow(g_bmpChild.window);
    SelectInfoTab(kSpriteInfoPage);
}

void OnPlay(HWND window)
{
    if (workSet.sprites == nullptr) {
        ShowInfo(window, "스프라이트 파일을 먼저 읽으세요");
        SendStop(window);
        return;
    }
    g_bmpChild.Play(FrameRateForPlay());
}

void OnPause(HWND window)
{
    if (!g_bmpChild.playing) {
        SendStop(window);
        return;
    }
    g_bmpChild.Pause();
}

// The preview's mirroring, switched one way at a time; the View menu shows it with check marks.
void OnFlip(int flip)
{
    g_bmpChild.SetPreviewFlips(g_bmpChild.previewFlips ^ flip);
    const int on = g_bmpChild.previewFlips;
    CheckMenuItem(g_mainMenu, ID_FLIP_HORIZONTAL, (on & kFlipHorizontal) ? MF_CHECKED : MF_UNCHECKED);
    CheckMenuItem(g_mainMenu, ID_FLIP_VERTICAL, (on & kFlipVertical) ? MF_CHECKED : MF_UNCHECKED);
}

// Undo and Redo; a step that cannot be taken (no memory to put sprites back) says why.
void OnHistory(HWND window, int (Document::*step)())
{
    const bool possible = step == &Document::Undo ? g_document.CanUndo() : g_document.CanRedo();
    if (possible && !(g_document.*step)()) workSet.ShowMessage(window);
}

}  // namespace

int OpenBitmapCommand(HWND window, const char* path)
{
    SendStop(window);
    const int opened = path != nullptr ? g_bmpChild.OpenBitmapFile(path) : g_bmpChild.OpenBitmap();
    if (opened) SelectInfoTab(kSpriteInfoPage);
    return opened;
}

int OpenSpriteCommand(HWND window, const char* path)
{
    if (ConfirmDiscard(window) == IDCANCEL) return 0;
    SendStop(window);
    return path != nullptr ? g_bmpChild.OpenSpriteFile(path) : g_bmpChild.OpenSprite();
}

const char* CommandTip(int id)
{
    for (const CommandTipEntry& entry : kCommandTips)
        if (entry.id == id) return entry.tip;
    return "Unknown";
}

int ConfirmDiscard(HWND window)
{
    if (!g_document.Modified()) {
        SendStop(window);
        return IDYES;
    }
    int answer = MessageBoxText(window, "변경된 스프라이트 파일을 저장할까요?", "New",
                                MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer == IDNO) {
        SendStop(window);
        ForgetSpriteFile();
        return IDNO;
    }
    if (answer != IDYES) return IDCANCEL;
    if (!g_bmpChild.SaveSprite()) return IDCANCEL;
    ForgetSpriteFile();
    SendStop(window);
    return IDYES;
}

void DispatchCommand(HWND window, int id, LPARAM value)
{
    switch (id) {
    case ID_NEW: OnNew(window); break;
    case ID_OPEN_BITMAP: OpenBitmapCommand(window, nullptr); break;
    case ID_SAVE_SPRITE: g_bmpChild.SaveSprite(); break;
    case ID_EXIT: PostMessageA(window, WM_CLOSE, 0, 0); break;
    case ID_OPEN_SPRITE: OpenSpriteCommand(window, nullptr); break;
    case ID_ABOUT: RunAboutBox(window); break;
    case ID_VIEW_ALL:
    case ID_VIEW_BITMAP:
    case ID_VIEW_INFO:
    case ID_VIEW_SELECTION: SetViewMode(id); break;
    case ID_ZOOM_IN: g_bmpChild.ZoomIn(); break;
    case ID_ZOOM_OUT: g_bmpChild.ZoomOut(); break;
    case ID_ADJUST_VIEW: g_bmpChild.StartAdjustView(); break;
    case ID_PLAY: OnPlay(window); break;
    case ID_STOP: g_bmpChild.Stop(); break;
    case ID_PAUSE: OnPause(window); break;
    case ID_BACK: g_bmpChild.Step(-1); break;
    case ID_FORWARD: g_bmpChild.Step(1); break;
    case ID_OPTIONS: RunOptionsDialog(window); break;
    case ID_OPEN_PALETTE: g_bmpChild.OpenPalette(); break;
    case ID_SAVE_PALETTE: g_bmpChild.SavePalette(); break;
    case ID_EXPORT: RunExportCommand(window); break;
    case ID_SEL_ZOOM_IN: SendMessageA(g_subWork2.window, WM_COMMAND, kStripZoomIn, 0); break;
    case ID_SEL_ZOOM_OUT: SendMessageA(g_subWork2.window, WM_COMMAND, kStripZoomOut, 0); break;
    case ID_FPS_CHANGED: g_bmpChild.SetFrameRate(int(value)); break;
    case ID_UNDO: OnHistory(window, &Document::Undo); break;
    case ID_FLIP_HORIZONTAL: OnFlip(kFlipHorizontal); break;
    case ID_FLIP_VERTICAL: OnFlip(kFlipVertical); break;
    case ID_REDO: OnHistory(window, &Document::Redo); break;
    case ID_COPY_BOXES: RunCopyBoxesDialog(window); break;
    case ID_CUT_ALL: g_bmpChild.CutAll(window); break;
    case ID_SAVE: g_bmpChild.Save(); break;
    case ID_PLAY_STOP:
    case ID_PREVIOUS_SPRITE:
    case ID_NEXT_SPRITE:
    case ID_FIRST_SPRITE:
    case ID_LAST_SPRITE:
    case ID_DELETE_SPRITE:
    case ID_CANCEL: RunKeyCommand(window, id); break;
    default:
        if (id >= ID_RECENT_FILE && id <= ID_RECENT_FILE_LAST) OpenRecentFile(window, id);
        break;
    }
}
