// The edit-mode dialog: the control surface of edit mode, a modeless child dialog (resource 120)
// hosted by the edit-mode panel. It chooses the edit tool, switches the edit page's four marks,
// compresses or decompresses the current sprite, and lists the current sprite's hit or attack
// boxes, one row per box with its four coordinates.
//
// The edit settings it keeps (editTool and the four show flags) are globals of the program.
#pragma once

#include "platform/win32.h"

INT_PTR CALLBACK EditModeDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Rebuilds the box list for the current sprite and the edit tool: with a box tool, five columns
// and one row per box; with a coordinate tool, no columns and the list greyed. A null list
// (no dialog) is left alone.
void RefreshBoxList(HWND list);

// The compression box shows whether the current sprite is compressed (unchecked with none).
void SyncCompressCheck(HWND dialog);

// The list's row of box `row` shown chosen (-1: none).
void SelectBoxRow(HWND list, int row);

// Typing numbers (edit_mode_fields.cpp): the four coordinate fields made to take Enter and Esc
// and filled; filled again from the current sprite (the field being typed in too, or not);
// a box list cell opened for typing, and closed without applying.
void PrepareCoordinateFields(HWND dialog);
void RefreshCoordinateFields(HWND dialog, bool evenTheFocused);
void StartCellEdit(HWND list, int row, int column);
void CancelCellEdit();
HWND CellEditor();

// The number of columns of the list view `list`.
int CountColumns(HWND list);

// The edit settings of the edit-mode dialog: the tool (one of its four radio buttons, 1040..1043)
// and the edit page's four marks.
extern int editTool;
extern int showAnchor;
extern int showCenter;
extern int showHitBoxes;
extern int showAtckBoxes;
