// Shell code: the record that every File command's dialog is made from.
#include "files/file_dialog.h"

#include <cstddef>
#include <cstring>

OPENFILENAMEA g_fileDialog;

static_assert(sizeof(void*) != 8 ||
                  offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR) == 136,
              "the 64-bit pre-Windows 2000 record is 136 bytes");

void PrepareFileDialog(HWND owner, const char* filter, char* path, char* title, DWORD flags,
                       const char* extension)
{
    std::memset(&g_fileDialog, 0, sizeof g_fileDialog);
    // The pre-Windows 2000 record (no places bar, as the program has always looked), at its
    // size in this 64-bit build: 136 bytes, where the 32-bit record was 76.
    g_fileDialog.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    g_fileDialog.hwndOwner = owner;
    g_fileDialog.lpstrFilter = filter;
    g_fileDialog.lpstrFile = path;
    g_fileDialog.nMaxFile = kFilePathSize;
    g_fileDialog.lpstrFileTitle = title;
    g_fileDialog.nMaxFileTitle = kFileTitleSize;
    g_fileDialog.Flags = flags;
    g_fileDialog.lpstrDefExt = extension;
}
