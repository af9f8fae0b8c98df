#include "app/modal_dialog.h"

#include "app/globals.h"

INT_PTR RunModalDialog(HWND owner, int resourceId, DLGPROC procedure, void* record)
{
    return DialogBoxParamA(g_instance, MAKEINTRESOURCEA(resourceId), owner, procedure,
                           reinterpret_cast<LPARAM>(record));
}
