// The cut step of the window: the rectangle confirmed on the sheet becomes a new last sprite of
// the document, made by the creation options; the document makes it current.
#pragma once

#include "platform/win32.h"

// Cuts the rectangle with corners (x1, y1) and (x2, y2), both inclusive and in any order, out of
// g_picture. A refusal is shown in a message box owned by `owner`. 1 when a sprite was added.
int CutSprite(HWND owner, int x1, int y1, int x2, int y2);
