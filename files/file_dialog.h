// Shell code. The common file dialogs of the File commands: one shared OPENFILENAMEW record, filled
// afresh before each dialog. The dialogs are the wide ones, so a name in any script can be chosen;
// the program keeps the names in UTF-8 (see sprite/file_io.h).
#pragma once

#include "platform/win32.h"

#include <commdlg.h>

constexpr int kFilePathSize = 260;   // capacity of a path given to the file dialogs, in characters
constexpr int kFileTitleSize = 512;  // capacity of a file title given to the file dialogs
// The same in UTF-8 bytes, the size of the program's name buffers: a UTF-16 unit takes at most
// three bytes (a pair of them four), and the terminating zero one.
constexpr int kFilePathBytes = 3 * kFilePathSize;
constexpr int kFileTitleBytes = 3 * kFileTitleSize;

// Flags of the open dialogs and of the save dialogs. An open dialog takes only a file that
// exists; a save dialog asks before it creates a file or replaces one.
constexpr DWORD kOpenDialogFlags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;   // 0x1804
constexpr DWORD kSaveDialogFlags = OFN_CREATEPROMPT | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY;  // 0x2006

// Filters: pairs of a description and its patterns, each zero-terminated, and a final zero.
constexpr const char kBitmapFilter[] =
    "All image files (*.bmp;*.pcx;*.png)\0*.bmp;*.pcx;*.png\0Bitmap files (*.bmp)\0*.bmp\0"
    "PCX files    (*.pcx)\0*.pcx\0PNG files    (*.png)\0*.png\0All files(*.*)\0*.*\0";
constexpr const char kSpriteFilter[] = "Sprite Files (*.spr)\0*.spr\0All Files(*.*)\0*.*\0";
constexpr const char kOpenPaletteFilter[] = "Palette Files (*.pal)\0*.pal\0All Files(*.*)\0*.*\0";
constexpr const char kSavePaletteFilter[] = "palette Files (*.pal)\0*.pal\0All Files(*.*)\0*.*\0";

// Default extensions, added to a name typed without one.
constexpr const char kBitmapExtension[] = "bmp";
constexpr const char kSpriteExtension[] = "spr";
constexpr const char kPaletteExtension[] = "pal";

extern OPENFILENAMEW g_fileDialog;

// Asks for a file to open, or a name to save under. g_fileDialog is filled afresh: the owner, the
// filter (pairs of zero-terminated texts), a path buffer of 260 characters holding the name
// proposed, a title buffer of 512, the flags of the kind and the default extension; every other
// member zero. `path` and `title` are UTF-8 buffers of kFilePathBytes and kFileTitleBytes; the
// path's content is the name proposed. True when a name was chosen: `path` and `title` hold it.
bool AskOpenFile(HWND owner, const char* filter, char* path, char* title, const char* extension);
bool AskSaveFile(HWND owner, const char* filter, char* path, char* title, const char* extension);

// The file title of a path: the name after its last folder.
const char* FileTitleOf(const char* path);
