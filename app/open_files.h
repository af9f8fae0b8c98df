// Files named without a dialog: on the command line, dropped on the main window, chosen from the
// recent files. Each opens as its command opens the file its dialog gives, questions and all:
// .spr as Open Sprite, .bmp, .pcx and .png as Open Bitmap, .pal as Open Palette
// (settings/file_kinds.h).
#pragma once

#include <string>
#include <vector>

#include "platform/win32.h"

// Opens `names` (UTF-8 paths) together, in the order PlanOpening gives: the sheet, the palette,
// then the sprite file. Names it refuses (one of no known kind, two of a kind) open nothing, and
// a message names the one refused.
void OpenNamedFiles(HWND mainWindow, const std::vector<std::string>& names);

// The names after the program's own on a command line (as GetCommandLineW gives it), as full
// paths in UTF-8.
std::vector<std::string> CommandLineFiles(const wchar_t* commandLine);

// WM_DROPFILES: the files dropped open as OpenNamedFiles opens them; the drop is released.
void OnDropFiles(HWND mainWindow, HDROP drop);

// A recent-files command: its file opens; one that is no longer there is said to be missing and
// leaves the list.
void OpenRecentFile(HWND mainWindow, int command);
