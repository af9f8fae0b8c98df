#include "views/edit_mode_dialog.h"

#include <commctrl.h>

#include <cstdio>
#include <string>

#include "app/document.h"
#include "app/options.h"
#include "kit/text.h"
#include "panels/edit_mode_window.h"
#include "resources/resource.h"
#include "views/canvas.h"

namespace {

constexpr int kNameColumnWidth = 70;
constexpr int kCoordinateColumnWidth = 50;
constexpr int kCellSize = 32;
constexpr const char* kCoordinateHeaders[] = {"X1", "Y1", "X2", "Y2"};

// The four view boxes and the flags they toggle.
struct ShowSwitch {
    int id;
    int* flag;
};
const ShowSwitch kShowSwitches[] = {
    {IDC_SHOW_ANCHOR, &showAnchor},
    {IDC_SHOW_CENTER, &showCenter},
    {IDC_SHOW_HIT_BOXES, &showHitBoxes},
    {IDC_SHOW_ATCK_BOXES, &showAtckBoxes},
};

void InsertColumn(HWND list, int index, int width, const char* header)
{
    std::wstring text = WideFromText(header);
    LVCOLUMNW column = {};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    column.cx = width;
    column.pszText = const_cast<wchar_t*>(text.c_str());
    column.iSubItem = index;
    SendMessageW(list, LVM_INSERTCOLUMNW, WPARAM(index), reinterpret_cast<LPARAM>(&column));
}

void InsertRow(HWND list, int row, const char* label)
{
    std::wstring text = WideFromText(label);
    LVITEMW item = {};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

void SetCell(HWND list, int row, int column, int value)
{
    char cell[kCellSize];
    std::snprintf(cell, sizeof cell, "%d", value);
    std::wstring text = WideFromText(cell);
    LVITEMW item = {};
    item.iSubItem = column;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(list, LVM_SETITEMTEXTW, WPARAM(row), reinterpret_cast<LPARAM>(&item));
}

void OnInitDialog(HWND dialog)
{
    CheckRadioButton(dialog, IDC_TOOL_RELATIVE, IDC_TOOL_ATCK_BOX, editTool);
    for (const ShowSwitch& view : kShowSwitches) CheckDlgButton(dialog, view.id, BST_CHECKED);
    SyncCompressCheck(dialog);
    CheckDlgButton(dialog, IDC_ONION_PREVIOUS, g_editorOptions.onionPrevious ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_ONION_NEXT, g_editorOptions.onionNext ? BST_CHECKED : BST_UNCHECKED);
    PrepareCoordinateFields(dialog);
    g_editMode.boxList = GetDlgItem(dialog, IDC_BOX_LIST);
    SendMessageW(g_editMode.boxList, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    RefreshBoxList(g_editMode.boxList);
}

// The onion skin's two boxes, remembered in the editor's own settings file.
void OnOnion(HWND dialog)
{
    g_editorOptions.onionPrevious = IsDlgButtonChecked(dialog, IDC_ONION_PREVIOUS) == BST_CHECKED;
    g_editorOptions.onionNext = IsDlgButtonChecked(dialog, IDC_ONION_NEXT) == BST_CHECKED;
    SaveEditorOptions();
}

// The list tells which row the user chose (the box on the canvas follows) and which cell was
// double-clicked (it opens for typing).
INT_PTR OnNotify(const NMHDR* header)
{
    if (header->hwndFrom != g_editMode.boxList) return FALSE;
    if (header->code == LVN_ITEMCHANGED) {
        const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
        if ((change->uChanged & LVIF_STATE) && (change->uNewState & LVIS_SELECTED) && !(change->uOldState & LVIS_SELECTED))
            g_bmpChild.SelectBox(change->iItem);
    } else if (header->code == NM_DBLCLK) {
        const auto* click = reinterpret_cast<const NMITEMACTIVATE*>(header);
        LVHITTESTINFO hit = {};
        hit.pt = click->ptAction;
        if (SendMessageW(header->hwndFrom, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit)) >= 0) {
            g_bmpChild.SelectBox(hit.iItem);
            StartCellEdit(header->hwndFrom, hit.iItem, hit.iSubItem);
        }
    }
    return FALSE;
}

// The box asks the document; with no sprite there is nothing to compress, and the box stays as
// the sprite is.
void OnCompress(HWND dialog)
{
    const int n = g_document.Current();
    if (g_document.CurrentSprite() != nullptr &&
        !g_document.SetCompressed(n, IsDlgButtonChecked(dialog, IDC_EDIT_COMPRESS) == BST_CHECKED))
        workSet.ShowMessage(dialog);
    SyncCompressCheck(dialog);
}

// Only button clicks act: the identifier is compared with the whole first parameter, so a
// notification code other than 0 matches nothing.
void OnCommand(HWND dialog, WPARAM command)
{
    switch (command) {
    case IDC_TOOL_RELATIVE:
    case IDC_TOOL_CENTER:
    case IDC_TOOL_HIT_BOX:
    case IDC_TOOL_ATCK_BOX:
        g_bmpChild.EndAdjustView();  // choosing a tool leaves the adjust-view mode
        CancelCellEdit();
        g_bmpChild.SelectBox(-1);
        editTool = int(command);
        RefreshBoxList(GetDlgItem(dialog, IDC_BOX_LIST));
        break;
    case IDC_EDIT_COMPRESS: OnCompress(dialog); break;
    case IDC_DELETE_BOX: g_bmpChild.DeleteSelectedBox(); break;
    case IDC_ONION_PREVIOUS:
    case IDC_ONION_NEXT: OnOnion(dialog); break;
    case IDCANCEL: CancelCellEdit(); break;
    default:
        for (const ShowSwitch& view : kShowSwitches)
            if (command == WPARAM(view.id)) *view.flag = !*view.flag;
        break;
    }
    if (g_bmpChild.window != nullptr) InvalidateRect(g_bmpChild.window, nullptr, TRUE);
}

}  // namespace

void SyncCompressCheck(HWND dialog)
{
    if (dialog == nullptr) return;
    const Sprite* sprite = g_document.CurrentSprite();
    CheckDlgButton(dialog, IDC_EDIT_COMPRESS, sprite != nullptr && sprite->compressed != 0 ? BST_CHECKED : BST_UNCHECKED);
}

int CountColumns(HWND list)
{
    int count = 0;
    LVCOLUMNA column = {};
    column.mask = LVCF_WIDTH;
    while (SendMessageA(list, LVM_GETCOLUMNA, WPARAM(count), reinterpret_cast<LPARAM>(&column))) ++count;
    return count;
}

void RefreshBoxList(HWND list)
{
    if (list == nullptr) return;
    for (int column = CountColumns(list) - 1; column >= 0; --column)
        SendMessageA(list, LVM_DELETECOLUMN, WPARAM(column), 0);
    const bool hit = editTool == IDC_TOOL_HIT_BOX;
    if (!hit && editTool != IDC_TOOL_ATCK_BOX) {
        EnableWindow(list, FALSE);  // the rows stay, but no column shows them
        return;
    }
    EnableWindow(list, TRUE);
    InsertColumn(list, 0, kNameColumnWidth, hit ? "충돌상자" : "공격상자");
    for (int column = 1; column <= 4; ++column)
        InsertColumn(list, column, kCoordinateColumnWidth, kCoordinateHeaders[column - 1]);
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    const Sprite* sprite = g_document.CurrentSprite();
    if (sprite == nullptr) return;

    const Sprite& s = *sprite;
    const BoxRect* boxes = hit ? s.hitBoxes : s.atckBoxes;
    const int count = hit ? s.hitCount : s.atckCount;
    for (int i = 0; i < count; ++i) {
        char label[kCellSize];
        std::snprintf(label, sizeof label, "Num %d", i);
        InsertRow(list, i, label);
        SetCell(list, i, 1, boxes[i].x1);
        SetCell(list, i, 2, boxes[i].y1);
        SetCell(list, i, 3, boxes[i].x2);
        SetCell(list, i, 4, boxes[i].y2);
    }
    SelectBoxRow(list, g_bmpChild.selectedBox);
}

INT_PTR CALLBACK EditModeDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: OnInitDialog(dialog); return TRUE;
    case WM_COMMAND: OnCommand(dialog, wParam); return TRUE;
    case WM_NOTIFY: return OnNotify(reinterpret_cast<const NMHDR*>(lParam));
    case WM_CLOSE: DestroyWindow(dialog); return TRUE;
    case WM_SIZE: return TRUE;
    default: return FALSE;
    }
}
