#include "panels/tree_window.h"

#include "kit/window_object.h"
#include "panels/info_panel.h"

namespace {

LRESULT CALLBACK TreeWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
    case WM_SIZE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_KEYDOWN:
    case WM_COMMAND: return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

TreeWin::TreeWin() { background = CreateSolidBrush(GetSysColor(COLOR_BTNFACE)); }

int TreeWin::Create(HWND parentWindow)
{
    lstrcpyA(className, "TreeWin");
    parent = parentWindow;
    instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE));
    window = CreateInfoPanel(instance, parent, className, TreeWindowProc, background, "Tree Window",
                             "Can't Create Tree Window", this);
    return window != nullptr ? 1 : 0;
}

void TreeWin::Show(int flag) { ShowInfoPanel(window, &visible, flag); }

void TreeWin::Place() { PlaceInfoPanel(window, visible); }
