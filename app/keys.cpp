#include "app/keys.h"

#include "app/document.h"
#include "app/main_window.h"
#include "panels/edit_mode_window.h"
#include "panels/work_windows.h"
#include "resources/resource.h"
#include "views/canvas.h"
#include "views/selection.h"

namespace {

HACCEL ProgramKeys()
{
    static HACCEL keys = LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_KEYS));
    return keys;
}

bool InsideMainWindow(HWND window)
{
    return g_mainWnd != nullptr && window != nullptr && (window == g_mainWnd || IsChild(g_mainWnd, window));
}

bool IsKeyMessage(UINT message) { return message >= WM_KEYFIRST && message <= WM_KEYLAST; }

// A control answers WM_GETDLGCODE with the keys it wants; the program's own windows with none.
bool IsControl(HWND window) { return SendMessageW(window, WM_GETDLGCODE, 0, 0) != 0; }

bool Held(int key) { return GetKeyState(key) < 0; }

// The wheel goes to the focus; the window under the mouse, when it is one of the main window's,
// gets it instead (a window that does not take it hands it to its parent).
void SendWheelUnderMouse(MSG* message)
{
    if (message->message != WM_MOUSEWHEEL && message->message != WM_MOUSEHWHEEL) return;
    const POINT at = {short(LOWORD(message->lParam)), short(HIWORD(message->lParam))};
    HWND under = WindowFromPoint(at);
    if (InsideMainWindow(under)) message->hwnd = under;
}

void SendCommand(HWND mainWindow, int id) { SendMessageA(mainWindow, WM_COMMAND, WPARAM(id), 0); }

// Left and Right: the box chosen on the Edit Mode page a pixel that way; else a step of the
// paused animation; else another current sprite.
void StepOrSelect(int step)
{
    if (g_bmpChild.NudgeSelectedBox(step, 0)) return;
    if (g_bmpChild.playing && g_bmpChild.paused) g_bmpChild.Step(step);
    else SelectSprite(g_document.Current() + step);
}

// Esc: a drag under way ends as if it never began; else the cut rectangle shown on the sheet goes;
// else adjust-view mode ends.
void Cancel()
{
    if (g_selChild.CancelDrag() || g_bmpChild.CancelDrag()) return;
    if (!g_bmpChild.editMode && !g_bmpChild.playing && g_bmpChild.DropCutRect()) return;
    if (g_bmpChild.adjustView) g_bmpChild.EndAdjustView();
}

// The arrows move a box chosen on the Edit Mode page, a pixel a press (with Shift, eight). True
// when one was moved; with none chosen Left and Right go on to the table, and Up and Down to the
// window that has the focus, as they always did.
constexpr int kShiftNudge = 8;

bool NudgeChosenBox(const MSG& message)
{
    if (message.message != WM_KEYDOWN) return false;
    int dx = 0, dy = 0;
    switch (message.wParam) {
    case VK_LEFT: dx = -1; break;
    case VK_RIGHT: dx = 1; break;
    case VK_UP: dy = -1; break;
    case VK_DOWN: dy = 1; break;
    default: return false;
    }
    const int step = Held(VK_SHIFT) ? kShiftNudge : 1;
    return g_bmpChild.NudgeSelectedBox(dx * step, dy * step);
}

}  // namespace

bool TranslateProgramKeys(MSG* message)
{
    SendWheelUnderMouse(message);
    if (!IsKeyMessage(message->message) || !InsideMainWindow(message->hwnd) || ProgramKeys() == nullptr)
        return false;
    const bool plain = !Held(VK_CONTROL) && !Held(VK_MENU);
    if (plain && !IsControl(message->hwnd) && NudgeChosenBox(*message)) return true;
    if (!(plain && IsControl(message->hwnd)) && TranslateAcceleratorW(g_mainWnd, ProgramKeys(), message))
        return true;
    return g_editMode.dialog != nullptr && IsDialogMessageW(g_editMode.dialog, message);
}

void RunKeyCommand(HWND mainWindow, int id)
{
    switch (id) {
    case ID_PLAY_STOP:
        SendCommand(mainWindow, g_bmpChild.playing && !g_bmpChild.paused ? ID_STOP : ID_PLAY);
        break;
    case ID_PREVIOUS_SPRITE: StepOrSelect(-1); break;
    case ID_NEXT_SPRITE: StepOrSelect(1); break;
    case ID_FIRST_SPRITE: SelectSprite(0); break;
    case ID_LAST_SPRITE: SelectSprite(g_document.Count() - 1); break;
    case ID_DELETE_SPRITE:
        if (g_bmpChild.DeleteSelectedBox()) break;
        if (g_document.Count() > 0) SendMessageA(g_subWork2.window, WM_COMMAND, kDeleteSprites, 0);
        break;
    case ID_CANCEL: Cancel(); break;
    default: break;
    }
}
