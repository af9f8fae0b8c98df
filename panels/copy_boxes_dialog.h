// The copy-boxes dialog (Edit > Copy Boxes...): the current sprite's hit boxes, attack boxes or
// both, copied to the next sprite, to every sprite or to a typed range, replacing their boxes of
// those kinds or added after them, as one step of the history. Its choices are remembered for the
// whole run.
#pragma once

#include "platform/win32.h"

// Runs the dialog modally, owned by `owner`. With no current sprite it says so instead. 1 after
// a copy, 0 when cancelled (or nothing was there to copy from).
INT_PTR RunCopyBoxesDialog(HWND owner);
