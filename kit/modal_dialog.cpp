#include "kit/modal_dialog.h"


INT_PTR RunModalDialog(HWND owner, int resourceId, DLGPROC procedure, void* record)
{
    // The wide call: the controls get the template's UTF-16 texts as they are, so Korean reads
    // right whatever the system's code page. The templates are the program's own resources.
    return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resourceId), owner, procedure,
                           reinterpret_cast<LPARAM>(record));
}
