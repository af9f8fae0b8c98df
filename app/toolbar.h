// The toolbar along the top of the main window: the file commands, the four view modes, the
// canvas zoom, playback, and the options, with room in between on which the frame-rate box lies.
// Its tool tips come from the main window (CommandTip).
#pragma once

#include "platform/win32.h"

// Makes the toolbar on `mainWindow` and has it carry the frame-rate box's ID_FPS_CHANGED on to the
// main window. The toolbar, or null when it cannot be made.
HWND CreateToolbar(HWND mainWindow);

// Checks the button of `command`; the other buttons of its check group come unchecked.
void CheckToolbarButton(int command);

extern HWND g_toolbar;
