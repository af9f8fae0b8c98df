#include "panels/delete_dialog.h"

#include <commctrl.h>

#include <cstdio>

#include "app/document.h"
#include "app/main_window.h"
#include "kit/modal_dialog.h"
#include "kit/text.h"
#include "resources/resource.h"

namespace {

constexpr int kConfirmSize = 256;

// The five controls that only the range mode uses.
constexpr int kRangeControls[] = {IDC_RANGE_GROUP, IDC_RANGE_FIRST, IDC_RANGE_LAST,
                                  IDC_RANGE_FIRST_SPIN, IDC_RANGE_LAST_SPIN};

// What survives between openings: the mode last clicked, even in a dialog then cancelled.
struct DeleteDialog {
    int mode = IDC_DELETE_SELECTED;
};

DeleteDialog g_deleteDialog;

int SpriteCount() { return workSet.sprites != nullptr ? workSet.Count() : 0; }

void EnableRangeControls(HWND dialog, BOOL enable)
{
    for (int id : kRangeControls) EnableWindow(GetDlgItem(dialog, id), enable);
}

int EditNumber(HWND dialog, int id)
{
    BOOL read = FALSE;
    return int(GetDlgItemInt(dialog, id, &read, TRUE));
}

// Asks, then deletes the sprites first..last, as one step of the history. Numbers past either end
// of the set are named in one message; those that exist are deleted.
void DeleteRange(HWND dialog)
{
    int first = EditNumber(dialog, IDC_RANGE_FIRST);
    int last = EditNumber(dialog, IDC_RANGE_LAST);
    char question[kConfirmSize];
    std::snprintf(question, sizeof question, "%d번부터 %d번까지 %d개의 스프라이트를 지울까요?", first,
                  last, last - first + 1);
    if (MessageBoxText(dialog, question, "Delete sprite", MB_ICONQUESTION | MB_YESNO) != IDYES)
        return;
    bool missing = false;
    g_document.DeleteRange(first, last, &missing);
    if (missing) workSet.ShowMessage(dialog);
}

void OnInitDelete(HWND dialog, const DeleteDialog* state)
{
    const int current = g_document.Current() >= 0 ? g_document.Current() : 0;
    SetDlgItemInt(dialog, IDC_RANGE_FIRST, UINT(current), TRUE);
    SetDlgItemInt(dialog, IDC_RANGE_LAST, UINT(current), TRUE);
    CheckRadioButton(dialog, IDC_DELETE_SELECTED, IDC_DELETE_RANGE, state->mode);
    if (state->mode != IDC_DELETE_RANGE) EnableRangeControls(dialog, FALSE);
    SetFocus(GetDlgItem(dialog, IDOK));
}

BOOL OnDeleteCommand(HWND dialog, DeleteDialog* state, WPARAM wParam)
{
    switch (LOWORD(wParam)) {
    case IDC_DELETE_SELECTED:
    case IDC_DELETE_RANGE:
        EnableRangeControls(dialog, LOWORD(wParam) == IDC_DELETE_RANGE);
        state->mode = int(wParam);
        return TRUE;
    case IDCANCEL: EndDialog(dialog, 0); return TRUE;
    case IDOK:
        if (state->mode == IDC_DELETE_SELECTED) {
            DeleteSingleSprite(g_document.Current());
            EndDialog(dialog, 1);
        } else {
            DeleteRange(dialog);
            EndDialog(dialog, 0);
        }
        return TRUE;
    default: return FALSE;
    }
}

// An arrow of an up-down steps its edit, never out of 0 .. number of sprites - 1.
BOOL OnDeleteNotify(HWND dialog, const NMHDR* header)
{
    if (header->code != UDN_DELTAPOS) return FALSE;
    int edit = 0;
    if (header->idFrom == IDC_RANGE_FIRST_SPIN) edit = IDC_RANGE_FIRST;
    else if (header->idFrom == IDC_RANGE_LAST_SPIN) edit = IDC_RANGE_LAST;
    else return FALSE;
    const auto* change = reinterpret_cast<const NMUPDOWN*>(header);
    const int value = EditNumber(dialog, edit) - change->iDelta;
    if (value >= 0 && value < SpriteCount()) SetDlgItemInt(dialog, edit, UINT(value), TRUE);
    return TRUE;
}

INT_PTR CALLBACK DeleteDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    DeleteDialog* state = DialogRecord<DeleteDialog>(dialog, message, lParam);
    if (state == nullptr) return FALSE;
    switch (message) {
    case WM_INITDIALOG: OnInitDelete(dialog, state); return FALSE;
    case WM_COMMAND: return OnDeleteCommand(dialog, state, wParam);
    case WM_NOTIFY: return OnDeleteNotify(dialog, reinterpret_cast<const NMHDR*>(lParam));
    default: return FALSE;
    }
}

}  // namespace

INT_PTR RunDeleteDialog(HWND owner)
{
    return RunModalDialog(owner, IDD_DELETE, DeleteDialogProc, &g_deleteDialog);
}

void DeleteSingleSprite(int n)
{
    if (n < 0 || n >= SpriteCount()) return;
    if (!g_document.Delete(n)) workSet.ShowMessage(g_mainWnd);
}
