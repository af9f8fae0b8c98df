// The delete dialog: removes the current sprite, or a numbered range of sprites after asking,
// from the sprite set. Which of the two it does is remembered for the whole run.
#pragma once

#include "platform/win32.h"

// Runs the dialog modally, owned by `owner` (the lower work pane). Open it only while the sprite
// set holds sprites. 1 after a single deletion, 0 when cancelled or after a range.
INT_PTR RunDeleteDialog(HWND owner);

// Removes sprite `n` when it exists, keeps the current number inside the set and refreshes the
// views; the set counts as modified afterwards.
void DeleteSingleSprite(int n);
