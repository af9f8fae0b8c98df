#include "app/modal_dialog.h"

#include "app/globals.h"

INT_PTR RunModalDialog(HWND owner, int resourceId, DLGPROC procedure, void* record)
{
    // The wide call: the controls get the template's UTF-16 texts as they are, so Korean reads
    // right whatever the system's code page.
    return DialogBoxParamW(g_instance, MAKEINTRESOURCEW(resourceId), owner, procedure,
                           reinterpret_cast<LPARAM>(record));
}
