// Shell code. The recent-files list in the File menu, above Exit: read at start from RECENT.CFG
// beside OPTION.CFG (settings/recent_files.h), written again at every change, each entry a
// command from ID_RECENT_FILE on, the latest first.
#pragma once

#include "platform/win32.h"

// Reads the list from RECENT.CFG in the current folder and shows it in the first menu of `menu`.
// The file stays in that folder (the one OPTION.CFG was read from) for the whole run, wherever
// the file dialogs move the current folder.
void LoadRecentFiles(HMENU menu);

// `path` (UTF-8) was opened or saved: it becomes the latest entry. Only names that a recent-files
// command can open again (by their ending) are kept.
void NoteRecentFile(const char* path);
// `path` is no longer to be offered.
void ForgetRecentFile(const char* path);

// The name behind a recent-files command, or null for any other number.
const char* RecentFileOf(int command);
