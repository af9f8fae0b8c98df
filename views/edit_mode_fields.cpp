// Numbers typed in the edit-mode dialog: a box corner edited in place in its list cell (a double
// click opens the cell), and the current sprite's relative and center coordinates in their four
// fields. Enter applies the number through the document, Esc takes the typing back; a number the
// sprite file cannot hold is refused with a message and the typing stays for another try.
#include "platform/win32.h"

#include <commctrl.h>

#include <cstdio>
#include <string>

#include "app/document.h"
#include "kit/show_info.h"
#include "kit/text.h"
#include "panels/edit_mode_window.h"
#include "resources/resource.h"
#include "views/canvas.h"
#include "views/edit_mode_dialog.h"

namespace {

constexpr const char kBadNumber[] = "-32768부터 32767까지의 정수를 입력하세요";
constexpr int kNumberSize = 32;

// The four coordinate fields and what each sets.
struct CoordinateField {
    int id;
    bool center;  // the center coordinate, else the relative one
    bool y;       // its second number
};
const CoordinateField kCoordinateFields[] = {
    {IDC_EDIT_RX, false, false},
    {IDC_EDIT_RY, false, true},
    {IDC_EDIT_MX, true, false},
    {IDC_EDIT_MY, true, true},
};

// The cell being edited in place: its editor window, row and column (1..4: x1, y1, x2, y2).
struct CellEdit {
    HWND editor = nullptr;
    int row = -1;
    int column = 0;
    bool asking = false;  // a refusal's message is up: losing the focus to it ends nothing
};
CellEdit g_cell;

std::string TextOf(HWND edit)
{
    wchar_t wide[kNumberSize] = L"";
    GetWindowTextW(edit, wide, kNumberSize);
    return TextFromWide(wide);
}

void SetNumber(HWND edit, int value)
{
    char text[kNumberSize];
    std::snprintf(text, sizeof text, "%d", value);
    SetWindowTextW(edit, WideFromText(text).c_str());
}

// The number typed in `edit`, or false after saying why not (the typing stays, selected).
bool TypedNumber(HWND edit, int* value, bool* asking)
{
    if (ParseBoxNumber(TextOf(edit).c_str(), value)) return true;
    *asking = true;
    ShowInfo(GetParent(edit), "%s", kBadNumber);
    *asking = false;
    SetFocus(edit);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    return false;
}

void EndCellEdit()
{
    HWND editor = g_cell.editor;
    g_cell = CellEdit();
    if (editor != nullptr) DestroyWindow(editor);
}

// Enter: the corner takes the number (one step of the history); the list follows the document.
void ApplyCell()
{
    const Sprite* sprite = g_document.CurrentSprite();
    const bool hit = editTool == IDC_TOOL_HIT_BOX;
    const int count = sprite == nullptr ? 0 : hit ? sprite->hitCount : sprite->atckCount;
    int value = 0;
    if (sprite == nullptr || g_cell.row < 0 || g_cell.row >= count) return EndCellEdit();
    if (!TypedNumber(g_cell.editor, &value, &g_cell.asking)) return;
    const BoxRect& box = (hit ? sprite->hitBoxes : sprite->atckBoxes)[g_cell.row];
    PixelRect rect = {box.x1, box.y1, box.x2, box.y2};
    int32_t* corners[] = {&rect.x1, &rect.y1, &rect.x2, &rect.y2};
    *corners[g_cell.column - 1] = value;
    const int row = g_cell.row;
    EndCellEdit();
    if (!g_document.SetBox(g_document.Current(), hit ? BoxKind::kHit : BoxKind::kAttack, row, rect))
        workSet.ShowMessage(g_editMode.dialog);
}

// Enter in a coordinate field: the coordinate takes the number.
void ApplyField(HWND edit)
{
    const Sprite* sprite = g_document.CurrentSprite();
    const int id = GetDlgCtrlID(edit);
    int value = 0;
    bool asking = false;
    if (sprite == nullptr || !TypedNumber(edit, &value, &asking)) return;
    for (const CoordinateField& field : kCoordinateFields) {
        if (field.id != id) continue;
        const int x = field.y ? (field.center ? sprite->mx : sprite->rx) : value;
        const int y = field.y ? value : (field.center ? sprite->my : sprite->ry);
        const int n = g_document.Current();
        if (!(field.center ? g_document.SetCenter(n, x, y) : g_document.SetRelative(n, x, y)))
            workSet.ShowMessage(g_editMode.dialog);
    }
    // The field shows the number as the sprite took it ("-12" for "-012"), or the one it kept.
    RefreshCoordinateFields(GetParent(edit), true);
    SendMessageW(edit, EM_SETMODIFY, FALSE, 0);
    SendMessageW(edit, EM_SETSEL, 0, -1);
}

// The editors keep Enter and Esc for themselves (the dialog would take them otherwise).
LRESULT CALLBACK NumberEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR cell)
{
    switch (message) {
    case WM_GETDLGCODE: return DefSubclassProc(edit, message, wParam, lParam) | DLGC_WANTALLKEYS;
    case WM_KEYDOWN:
        if (wParam == VK_RETURN) {
            if (cell) ApplyCell();
            else ApplyField(edit);
            return 0;
        }
        if (wParam == VK_ESCAPE) {
            if (cell) EndCellEdit();
            else RefreshCoordinateFields(GetParent(edit), true);
            return 0;
        }
        break;
    case WM_CHAR:
        if (wParam == '\r' || wParam == 27) return 0;  // no beep for the keys handled above
        break;
    case WM_KILLFOCUS:
        // Leaving a cell without Enter takes the typing back; a field shows the sprite again.
        if (cell && !g_cell.asking) PostMessageW(GetParent(GetParent(edit)), WM_COMMAND, IDCANCEL, 0);
        if (!cell) RefreshCoordinateFields(GetParent(edit), true);
        break;
    case WM_NCDESTROY: RemoveWindowSubclass(edit, NumberEditProc, 0); break;
    }
    return DefSubclassProc(edit, message, wParam, lParam);
}

}  // namespace

void SelectBoxRow(HWND list, int row)
{
    if (list == nullptr) return;
    LVITEMW item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = 0;
    SendMessageW(list, LVM_SETITEMSTATE, WPARAM(-1), reinterpret_cast<LPARAM>(&item));
    if (row < 0) return;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, WPARAM(row), reinterpret_cast<LPARAM>(&item));
    SendMessageW(list, LVM_ENSUREVISIBLE, WPARAM(row), FALSE);
}

void RefreshCoordinateFields(HWND dialog, bool evenTheFocused)
{
    if (dialog == nullptr) return;
    const Sprite* sprite = g_document.CurrentSprite();
    const HWND focus = GetFocus();
    for (const CoordinateField& field : kCoordinateFields) {
        HWND edit = GetDlgItem(dialog, field.id);
        // A field being typed in keeps its typing.
        if (edit == nullptr || (edit == focus && !evenTheFocused && SendMessageW(edit, EM_GETMODIFY, 0, 0))) continue;
        EnableWindow(edit, sprite != nullptr);
        if (sprite == nullptr) {
            SetWindowTextW(edit, L"");
            continue;
        }
        SetNumber(edit, field.center ? (field.y ? sprite->my : sprite->mx) : (field.y ? sprite->ry : sprite->rx));
    }
}

void PrepareCoordinateFields(HWND dialog)
{
    for (const CoordinateField& field : kCoordinateFields)
        if (HWND edit = GetDlgItem(dialog, field.id)) SetWindowSubclass(edit, NumberEditProc, 0, 0);
    RefreshCoordinateFields(dialog, true);
}

void StartCellEdit(HWND list, int row, int column)
{
    EndCellEdit();
    if (column < 1 || column > 4 || row < 0) return;
    RECT cell = {};
    cell.top = column;
    cell.left = LVIR_BOUNDS;
    if (!SendMessageW(list, LVM_GETSUBITEMRECT, WPARAM(row), reinterpret_cast<LPARAM>(&cell))) return;
    wchar_t text[kNumberSize] = L"";
    LVITEMW item = {};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = kNumberSize;
    SendMessageW(list, LVM_GETITEMTEXTW, WPARAM(row), reinterpret_cast<LPARAM>(&item));
    HWND editor = CreateWindowExW(0, L"EDIT", text, WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, cell.left,
                                  cell.top, cell.right - cell.left, cell.bottom - cell.top, list, nullptr,
                                  reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(list, GWLP_HINSTANCE)), nullptr);
    if (editor == nullptr) return;
    SendMessageW(editor, WM_SETFONT, SendMessageW(list, WM_GETFONT, 0, 0), FALSE);
    g_cell.editor = editor;
    g_cell.row = row;
    g_cell.column = column;
    SetWindowSubclass(editor, NumberEditProc, 0, 1);
    SetFocus(editor);
    SendMessageW(editor, EM_SETSEL, 0, -1);
}

void CancelCellEdit() { EndCellEdit(); }

HWND CellEditor() { return g_cell.editor; }
