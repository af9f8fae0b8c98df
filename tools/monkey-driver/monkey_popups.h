// The windows the program puts in front of its main window: dialogs and message boxes (the file
// dialogs among them), open menus and drop-down lists. The monkey answers them at random.
#pragma once

#include "monkey.h"

// The program's window that takes the input now: an open menu, a drop-down list, or its enabled
// dialog or message box; null when the main window does.
HWND ActivePopup(DWORD pid);
void PopupAction(Monkey& monkey, HWND popup);
