#include "panels/copy_boxes_dialog.h"

#include <cstdio>

#include "app/document.h"
#include "kit/modal_dialog.h"
#include "kit/show_info.h"
#include "kit/text.h"
#include "resources/resource.h"

namespace {

// What survives between openings: the last choices confirmed or clicked.
struct CopyBoxesDialog {
    int target = IDC_COPY_TO_NEXT;
    bool hit = true;
    bool attack = true;
    int mode = IDC_COPY_REPLACE;
};

CopyBoxesDialog g_copyBoxesDialog;

void EnableRange(HWND dialog, bool enable)
{
    EnableWindow(GetDlgItem(dialog, IDC_COPY_FIRST), enable);
    EnableWindow(GetDlgItem(dialog, IDC_COPY_LAST), enable);
}

// The number typed in an edit; false (and the edit focused) when it holds none.
bool ReadNumber(HWND dialog, int id, int* value)
{
    BOOL read = FALSE;
    *value = int(GetDlgItemInt(dialog, id, &read, TRUE));
    if (read) return true;
    MessageBoxText(dialog, "복사할 범위에 스프라이트 번호를 넣으세요", "Copy boxes", MB_OK | MB_ICONWARNING);
    SetFocus(GetDlgItem(dialog, id));
    SendDlgItemMessageA(dialog, id, EM_SETSEL, 0, -1);
    return false;
}

void OnInitCopyBoxes(HWND dialog, const CopyBoxesDialog* state)
{
    const int current = g_document.Current();
    char caption[64];
    std::snprintf(caption, sizeof caption, "Copy boxes of sprite %d", current);
    SetWindowTextText(dialog, caption);
    // The range proposed: the sprites after the current one.
    const int last = g_document.Count() - 1;
    SetDlgItemInt(dialog, IDC_COPY_FIRST, UINT(current + 1), TRUE);
    SetDlgItemInt(dialog, IDC_COPY_LAST, UINT(last > current ? last : current + 1), TRUE);
    CheckRadioButton(dialog, IDC_COPY_TO_NEXT, IDC_COPY_TO_RANGE, state->target);
    EnableRange(dialog, state->target == IDC_COPY_TO_RANGE);
    CheckDlgButton(dialog, IDC_COPY_HIT_BOXES, state->hit ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_COPY_ATCK_BOXES, state->attack ? BST_CHECKED : BST_UNCHECKED);
    CheckRadioButton(dialog, IDC_COPY_REPLACE, IDC_COPY_ADD, state->mode);
    SetFocus(GetDlgItem(dialog, IDOK));
}

// Copies as the dialog says. False when the dialog should stay open: a number missing from the
// range, or the copy refused (its reason shown).
bool Copy(HWND dialog, CopyBoxesDialog* state)
{
    state->hit = IsDlgButtonChecked(dialog, IDC_COPY_HIT_BOXES) == BST_CHECKED;
    state->attack = IsDlgButtonChecked(dialog, IDC_COPY_ATCK_BOXES) == BST_CHECKED;
    const int from = g_document.Current();
    int first = from + 1, last = from + 1;
    if (state->target == IDC_COPY_TO_ALL) {
        first = 0;
        last = g_document.Count() - 1;
    } else if (state->target == IDC_COPY_TO_RANGE) {
        if (!ReadNumber(dialog, IDC_COPY_FIRST, &first) || !ReadNumber(dialog, IDC_COPY_LAST, &last)) return false;
    }
    const unsigned kinds = (state->hit ? kHitBoxes : 0u) | (state->attack ? kAttackBoxes : 0u);
    bool missing = false;
    const int copied = g_document.CopyBoxes(from, first, last, kinds, state->mode == IDC_COPY_REPLACE, &missing);
    if (!copied || missing) workSet.ShowMessage(dialog);
    return copied != 0;
}

BOOL OnCopyBoxesCommand(HWND dialog, CopyBoxesDialog* state, WPARAM wParam)
{
    switch (LOWORD(wParam)) {
    case IDC_COPY_TO_NEXT:
    case IDC_COPY_TO_ALL:
    case IDC_COPY_TO_RANGE:
        state->target = LOWORD(wParam);
        EnableRange(dialog, state->target == IDC_COPY_TO_RANGE);
        return TRUE;
    case IDC_COPY_REPLACE:
    case IDC_COPY_ADD: state->mode = LOWORD(wParam); return TRUE;
    case IDCANCEL: EndDialog(dialog, 0); return TRUE;
    case IDOK:
        if (Copy(dialog, state)) EndDialog(dialog, 1);
        return TRUE;
    default: return FALSE;
    }
}

INT_PTR CALLBACK CopyBoxesDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    CopyBoxesDialog* state = DialogRecord<CopyBoxesDialog>(dialog, message, lParam);
    if (state == nullptr) return FALSE;
    switch (message) {
    case WM_INITDIALOG: OnInitCopyBoxes(dialog, state); return FALSE;
    case WM_COMMAND: return OnCopyBoxesCommand(dialog, state, wParam);
    default: return FALSE;
    }
}

}  // namespace

INT_PTR RunCopyBoxesDialog(HWND owner)
{
    if (g_document.CurrentSprite() == nullptr) {
        ShowInfo(owner, "스프라이트 파일을 먼저 읽으세요");
        return 0;
    }
    return RunModalDialog(owner, IDD_COPY_BOXES, CopyBoxesDialogProc, &g_copyBoxesDialog);
}
