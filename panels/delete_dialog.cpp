#include "panels/delete_dialog.h"

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>

#include "app/document.h"
#include "kit/modal_dialog.h"
#include "kit/text.h"
#include "panels/sprite_info_window.h"
#include "resources/resource.h"
#include "views/canvas.h"
#include "views/selection.h"

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

// The views that show the set, after sprites went.
void RefreshAfterDeletion()
{
    g_selChild.UpdateScroll();
    HWND views[] = {g_sprInfo.window, g_selChild.window, g_bmpChild.window};
    for (HWND view : views)
        if (view != nullptr) InvalidateRect(view, nullptr, TRUE);
    if (g_bmpChild.window != nullptr) UpdateWindow(g_bmpChild.window);
}

int EditNumber(HWND dialog, int id)
{
    BOOL read = FALSE;
    return int(GetDlgItemInt(dialog, id, &read, TRUE));
}

// Asks, then deletes from the first to the last number. Every deletion at i moves the following
// sprites down, so the sprite now at i goes next: both ends step back one after each success.
void DeleteRange(HWND dialog)
{
    int first = EditNumber(dialog, IDC_RANGE_FIRST);
    int last = EditNumber(dialog, IDC_RANGE_LAST);
    char question[kConfirmSize];
    std::snprintf(question, sizeof question, "%d번부터 %d번까지 %d개의 스프라이트를 지울까요?", first,
                  last, last - first + 1);
    if (MessageBoxText(dialog, question, "Delete sprite", MB_ICONQUESTION | MB_YESNO) != IDYES)
        return;
    for (int i = first, j = last; i <= j; ++i) {
        if (workSet.Delete(i)) {
            --i;
            --j;
        } else {
            workSet.ShowMessage(dialog);
        }
    }
    const int lastNumber = SpriteCount() - 1;
    g_currentSprite = std::abs(g_currentSprite) < lastNumber ? std::abs(g_currentSprite) : lastNumber;
    g_modified = 1;
    SelectSprite(g_currentSprite);
    // An emptied set has no sprite to select; the views still show what went.
    RefreshAfterDeletion();
}

void OnInitDelete(HWND dialog, const DeleteDialog* state)
{
    SetDlgItemInt(dialog, IDC_RANGE_FIRST, UINT(g_currentSprite), TRUE);
    SetDlgItemInt(dialog, IDC_RANGE_LAST, UINT(g_currentSprite), TRUE);
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
            DeleteSingleSprite(g_currentSprite);
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
    workSet.Delete(n);
    const int count = SpriteCount();
    if (g_currentSprite >= count) g_currentSprite = count - 1;
    RefreshAfterDeletion();
    g_modified = 1;
}
