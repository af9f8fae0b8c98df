// The command dispatcher of the main window and the save-changes prompt.
#pragma once

#include "platform/win32.h"

// Carries out command `id` (menu item, toolbar button, frame-rate box); `value` is the second
// parameter of the WM_COMMAND (the frames per second of ID_FPS_CHANGED). Other numbers are ignored.
void DispatchCommand(HWND window, int id, LPARAM value);

// The save-changes question shared by New and Open Sprite. IDYES (go on, saved or nothing to
// save), IDNO (go on, changes dropped) or IDCANCEL (abandon the command).
int ConfirmDiscard(HWND window);

// The tool-tip text of a toolbar command, "Unknown" for any other number.
const char* CommandTip(int id);
