#include "app/toolbar.h"

#include <commctrl.h>

#include <vector>

#include "resources/resource.h"

namespace {

constexpr DWORD kToolbarStyle =
    WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_TOOLTIPS | TBSTYLE_WRAPABLE | CCS_TOP;
constexpr int kToolbarImages = 17;  // of the eighteen pictures in the bitmap
constexpr int kImageWidth = 16;
constexpr int kImageHeight = 15;

// One run of the toolbar's entries: `separators` separators, or one button.
struct ToolbarEntry {
    int separators;
    int image;
    int command;
    BYTE style;
    BYTE state;
};

constexpr ToolbarEntry Separators(int count) { return {count, 0, 0, TBSTYLE_SEP, 0}; }
constexpr ToolbarEntry Button(int image, int command)
{
    return {0, image, command, TBSTYLE_BUTTON, 0};
}
constexpr ToolbarEntry Check(int image, int command, BYTE state = 0)
{
    return {0, image, command, TBSTYLE_CHECKGROUP, state};
}

const ToolbarEntry kToolbarEntries[] = {
    Separators(2),
    Button(0, ID_NEW),
    Button(1, ID_OPEN_BITMAP),
    Button(2, ID_OPEN_SPRITE),
    Button(3, ID_SAVE_SPRITE),
    Separators(3),
    Check(4, ID_VIEW_ALL, TBSTATE_CHECKED),
    Check(5, ID_VIEW_BITMAP),
    Check(6, ID_VIEW_INFO),
    Check(7, ID_VIEW_SELECTION),
    Separators(3),
    Button(8, ID_ZOOM_IN),
    Button(9, ID_ZOOM_OUT),
    Button(10, ID_ADJUST_VIEW),
    Separators(3),
    Check(11, ID_PLAY),
    Check(12, ID_STOP, TBSTATE_CHECKED),
    Check(13, ID_PAUSE),
    Button(14, ID_BACK),
    Button(15, ID_FORWARD),
    Separators(15),  // the room on which the frame-rate box lies
    Button(16, ID_OPTIONS),
};

// Every entry enabled, separators included.
std::vector<TBBUTTON> ToolbarButtons()
{
    std::vector<TBBUTTON> buttons;
    for (const ToolbarEntry& entry : kToolbarEntries) {
        TBBUTTON button = {};
        button.iBitmap = entry.image;
        button.idCommand = entry.command;
        button.fsState = BYTE(TBSTATE_ENABLED | entry.state);
        button.fsStyle = entry.style;
        for (int i = 0; i < (entry.separators > 0 ? entry.separators : 1); ++i)
            buttons.push_back(button);
    }
    return buttons;
}

WNDPROC g_toolbarProc = nullptr;

// The frame-rate box posts ID_FPS_CHANGED to the toolbar, its parent: the main window gets it
// first, then the toolbar's own procedure sees every message as before.
LRESULT CALLBACK ToolbarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && wParam == ID_FPS_CHANGED)
        SendMessageA(GetParent(window), message, wParam, lParam);
    return CallWindowProcA(g_toolbarProc, window, message, wParam, lParam);
}

}  // namespace

HWND CreateToolbar(HWND mainWindow)
{
    std::vector<TBBUTTON> buttons = ToolbarButtons();
    HINSTANCE instance =
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(mainWindow, GWLP_HINSTANCE));
    HWND toolbar = CreateToolbarEx(mainWindow, kToolbarStyle, IDC_TOOLBAR, kToolbarImages, instance,
                                   IDB_TOOLBAR, buttons.data(), int(buttons.size()), 0, 0,
                                   kImageWidth, kImageHeight, sizeof(TBBUTTON));
    if (toolbar == nullptr) return nullptr;
    g_toolbarProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(toolbar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ToolbarProc)));
    return toolbar;
}

void CheckToolbarButton(int command)
{
    if (g_toolbar != nullptr) SendMessageA(g_toolbar, TB_CHECKBUTTON, WPARAM(command), TRUE);
}
