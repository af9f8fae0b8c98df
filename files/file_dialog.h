// Shell code. The common file dialogs of the File commands: one shared OPENFILENAME record, filled afresh
// before each dialog.
#pragma once

#include "platform/win32.h"

#include <commdlg.h>

constexpr int kFilePathSize = 260;   // capacity of a path given to the file dialogs
constexpr int kFileTitleSize = 512;  // capacity of a file title given to the file dialogs

// Flags of the open dialogs and of the save dialogs.
constexpr DWORD kOpenDialogFlags = OFN_CREATEPROMPT | OFN_HIDEREADONLY;                        // 0x2004
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

extern OPENFILENAMEA g_fileDialog;

// Fills g_fileDialog for one dialog: the owner, the filter (pairs of zero-terminated texts), the
// path buffer (260 characters; its content is the name proposed), the title buffer (512), the
// flags and the default extension; every other member zero.
void PrepareFileDialog(HWND owner, const char* filter, char* path, char* title, DWORD flags,
                       const char* extension);
