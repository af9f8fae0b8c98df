// The one shape of the program's modal dialogs (options, About, delete): a record that holds the
// dialog's data, a static dialog procedure that finds the record through the dialog's user data
// (kept at WM_INITDIALOG), and one entry function that runs the dialog and returns its result.
// The edit-mode dialog is modeless and lives in its panel; it does not use this.
#pragma once

#include "platform/win32.h"

// Runs dialog resource `resourceId` modally, owned by `owner`, handing `record` to the procedure
// with WM_INITDIALOG. The dialog is a Unicode window: its texts are the resource's own. The
// dialog's result, or -1 when it cannot be made.
INT_PTR RunModalDialog(HWND owner, int resourceId, DLGPROC procedure, void* record);

// The record of `dialog`: kept from WM_INITDIALOG's parameter on that message, read back on every
// later one. Null for the few messages that come before WM_INITDIALOG.
template <class Record>
Record* DialogRecord(HWND dialog, UINT message, LPARAM lParam)
{
    if (message == WM_INITDIALOG) SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    return reinterpret_cast<Record*>(GetWindowLongPtrA(dialog, DWLP_USER));
}
