#include "app/program_keys.h"

#include "app/document.h"
#include "app/main_window.h"
#include "panels/edit_mode_window.h"
#include "panels/work_windows.h"
#include "resources/resource.h"
#include "views/canvas.h"
#include "views/selection.h"

namespace {

HACCEL s_keys = nullptr;

HACCEL Keys()
{
    if (s_keys == nullptr) s_keys = LoadAcceleratorsA(g_instance, MAKEINTRESOURCEA(IDR_KEYS));
    return s_keys;
}

bool InsideMainWindow(HWND window)
{
    return g_mainWnd != nullptr && window != nullptr && (window == g_mainWnd || IsChild(g_mainWnd, window));
}

bool IsKeyMessage(UINT message) { return message >= WM_KEYFIRST && message <= WM_KEYLAST; }

// A control answers WM_GETDLGCODE with the keys it wants; the program's own windows with none.
bool IsControl(HWND window) { return SendMessageA(window, WM_GETDLGCODE, 0, 0) != 0; }

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

// Left and Right: a step of the paused animation, else another current sprite.
void StepOrSelect(HWND mainWindow, int step)
{
    if (g_bmpChild.playing && g_bmpChild.paused) SendCommand(mainWindow, step < 0 ? ID_BACK : ID_FORWARD);
    else SelectSprite(g_currentSprite + step);
}

// Esc. Until the canvas has a cancel of its own, it is what a right click does in the modes where
// a right click only lets go (cut mode and adjust-view mode); in edit mode a right click takes
// the last box back, which Esc does not do.
void CancelOnCanvas()
{
    if (g_bmpChild.window == nullptr || (g_bmpChild.editMode && !g_bmpChild.adjustView)) return;
    g_bmpChild.RouteMouse(g_bmpChild.window, WM_RBUTTONDOWN, 0, 0);
}

}  // namespace

bool TranslateProgramKeys(MSG* message)
{
    SendWheelUnderMouse(message);
    if (!IsKeyMessage(message->message) || !InsideMainWindow(message->hwnd)) return false;
    const bool plain = !Held(VK_CONTROL) && !Held(VK_MENU);
    if (!(plain && IsControl(message->hwnd)) && TranslateAcceleratorA(g_mainWnd, Keys(), message)) return true;
    return g_editMode.dialog != nullptr && IsDialogMessageA(g_editMode.dialog, message);
}

void RunKeyCommand(HWND mainWindow, int id)
{
    switch (id) {
    case ID_PLAY_STOP:
        SendCommand(mainWindow, g_bmpChild.playing && !g_bmpChild.paused ? ID_STOP : ID_PLAY);
        break;
    case ID_PREVIOUS_SPRITE: StepOrSelect(mainWindow, -1); break;
    case ID_NEXT_SPRITE: StepOrSelect(mainWindow, 1); break;
    case ID_FIRST_SPRITE: SelectSprite(0); break;
    case ID_LAST_SPRITE: SelectSprite(workSet.Count() - 1); break;
    case ID_DELETE_SPRITE:
        if (workSet.sprites != nullptr) SendMessageA(g_subWork2.window, WM_COMMAND, kDeleteSprites, 0);
        break;
    case ID_CANCEL: CancelOnCanvas(); break;
    default: break;
    }
}
