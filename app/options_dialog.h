// The options dialog (resource 116): modal, owned by the main window, started by ID_OPTIONS.
#pragma once

#include <cstdint>

#include "platform/win32.h"

// Runs the options dialog. 1 when confirmed with OK (the options applied and saved), 0 when
// cancelled, -1 when the dialog cannot be made.
INT_PTR RunOptionsDialog(HWND owner);

// Reads a color typed into an options field: a signed decimal number, spaces around it allowed,
// accepted only when it lies in 0..255. False for anything else (the color then keeps its
// value).
bool ParseColorText(const char* text, int32_t* color);
