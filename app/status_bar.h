// The status bar along the bottom of the main window: one part, "Ready" at start; the canvas
// writes its coordinates and the measured frame rate there.
#pragma once

#include "platform/win32.h"

// Makes the status bar on `mainWindow` and shows "Ready". The bar, or null when it cannot be made.
HWND CreateStatusBar(HWND mainWindow);

// Shows `text` (code page 949) in the status bar.
void SetStatusText(const char* text);
