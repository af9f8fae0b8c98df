// The edit-mode panel and the dialog it hosts. Unlike every other dialog of the program, which
// runs modally on the modal-dialog shape, this one is modeless: it is made once with the panel,
// lives for the whole run beside the canvas, and is shown and hidden with the Edit Mode page.
#include "panels/edit_mode_window.h"

#include <commctrl.h>

#include "kit/window_object.h"
#include "panels/info_panel.h"
#include "panels/info_window.h"
#include "resources/resource.h"
#include "views/edit_mode_dialog.h"

namespace {

LRESULT CALLBACK EditModeWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    EditModeWindow* panel = FindWindowObject<EditModeWindow>(window);
    switch (message) {
    case WM_SIZE:
        if (panel != nullptr && panel->dialog != nullptr)
            MoveWindow(panel->dialog, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    case WM_CREATE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_KEYDOWN:
    case WM_COMMAND: return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

EditModeWindow::EditModeWindow()
{
    background = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
}

EditModeWindow::~EditModeWindow()
{
    if (dialog != nullptr && IsWindow(dialog)) DestroyWindow(dialog);
}

int EditModeWindow::Create(HWND parentWindow)
{
    lstrcpyA(className, "EditModeWindow");
    parent = parentWindow;
    instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parentWindow, GWLP_HINSTANCE));

    window = CreateInfoPanel(instance, parent, className, EditModeWindowProc, background,
                             "Sprite Information Window", "Can't Create Edit Mode Window", this);
    if (window == nullptr) return 0;

    InitCommonControls();  // the dialog's list view
    // Modeless on purpose: the dialog stays up beside the canvas while the user edits.
    dialog = CreateDialogParamW(instance, MAKEINTRESOURCEW(IDD_EDIT_MODE), window, EditModeDialogProc, 0);
    if (dialog != nullptr) {
        RECT client;
        GetClientRect(window, &client);
        MoveWindow(dialog, 0, 0, client.right, client.bottom, TRUE);
        ShowWindow(dialog, SW_SHOW);
    }
    return 1;
}

void EditModeWindow::Show(int flag)
{
    ShowInfoPanel(window, &visible, flag);
    ShowInfoPanel(dialog, &visible, flag);
}

void EditModeWindow::Place()
{
    if (!visible || window == nullptr) return;
    // Placed as the other page panels are; the tab control only counts in the information window.
    HWND tabs = parent == g_infoChild.window ? g_infoChild.tabControl : nullptr;
    const PanelPlace place = InfoPanelPlace(parent, tabs);
    MoveWindow(window, place.x, place.y, place.width, place.height, TRUE);
}

void EditModeWindow::OnDocumentChanged(const DocumentChange& change)
{
    if (change.what & (kChangeBoxes | kChangeCurrent | kChangeStructure)) RefreshBoxList(boxList);
    if (change.what & (kChangeImage | kChangeCurrent | kChangeStructure)) SyncCompressCheck(dialog);
    if (change.what & (kChangeCoordinates | kChangeCurrent | kChangeStructure)) RefreshCoordinateFields(dialog, false);
}
