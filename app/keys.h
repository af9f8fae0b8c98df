// The program's keys: one accelerator table, applied to every message meant for the main window
// or any window inside it (the edit-mode panel's controls included), so a key works wherever the
// focus is.
#pragma once

#include "platform/win32.h"

// Turns a key of the table into its command for the main window. True when the message was a
// key of the table and has been handled.
bool TranslateProgramKeys(MSG* message);
