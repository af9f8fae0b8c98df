// The cut step: a rectangle of the loaded picture becomes a new last sprite of the sprite set.
#pragma once

#include "platform/win32.h"

// The sprite file keeps widths and heights (and the boxes' corners) in signed 16 bits.
constexpr int kMaxSpriteSide = 32767;

// Copies the rectangle with corners (x1, y1) and (x2, y2), both inclusive and in any order, out
// of g_picture and appends it to workSet; applies the creation options (compress, whole-sprite
// hit box, whole-sprite attack box), marks the document changed, and makes the new sprite
// current. Failures are shown in message boxes owned by `owner`. 1 when a sprite was added.
int CutSprite(HWND owner, int x1, int y1, int x2, int y2);
