// The About box (resource 104): modal, owned by the main window, started by ID_ABOUT.
#pragma once

#include "platform/win32.h"

// Runs the About box; any command (its OK, Escape) closes it. 0 once closed, -1 when it cannot
// be made.
INT_PTR RunAboutBox(HWND owner);
