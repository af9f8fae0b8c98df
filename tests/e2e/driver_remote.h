// Asking Quillon's common controls for rectangles and buttons from another process: the answer
// goes through a buffer allocated in Quillon's own memory, as the controls write into it there.
#pragma once

#include <windows.h>

#include <vector>

// Sends `message` (index, pointer to a RECT in Quillon's memory) to `control` and reads the
// rectangle back (client coordinates of the control). False when it could not be had.
bool RemoteItemRect(HWND control, UINT message, WPARAM index, RECT* rect);
// The command numbers of the toolbar's buttons in order, separators left out.
std::vector<int> ToolbarCommands(HWND toolbar);
// The screen point at the middle of the toolbar button of `command`; false when none.
bool ToolbarButtonCenter(HWND toolbar, int command, POINT* at);
// The text of part 0 of a status bar (SB_GETTEXTA into Quillon's memory), or "" when none.
void StatusBarText(HWND statusBar, char* text, int size);
