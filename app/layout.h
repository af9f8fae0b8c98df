// Where the main window's children go when it changes size: the toolbar across the top with the
// frame-rate box on it, the status bar across the bottom, and the work area between them.
#pragma once

#include "platform/win32.h"

void LayoutMainWindow(HWND mainWindow);
