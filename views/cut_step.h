// The cut step of the window: the rectangle confirmed on the sheet becomes a new last sprite of
// the document, made by the creation options; the document makes it current. Cut All does the
// same for every figure found on the sheet.
#pragma once

#include "platform/win32.h"
#include "sprite/box_rect.h"

// The gap between figures that Cut All uses, as `quillon-cli build --auto --gap N` takes it:
// figures are cut apart wherever a blank pixel separates them (rectangles that overlap are still
// one sprite).
constexpr int kCutAllGap = 0;

// Cuts the rectangle with corners (x1, y1) and (x2, y2), both inclusive and in any order, out of
// g_picture. A refusal is shown in a message box owned by `owner`. 1 when a sprite was added.
int CutSprite(HWND owner, int x1, int y1, int x2, int y2);

// Cuts every figure of g_picture, or of the part inside `area` when it is given, into new last
// sprites in reading order, as one step; the first of them becomes current. No picture, no
// figure or a refusal is said in a message box owned by `owner`. 1 when sprites were added.
int CutFigures(HWND owner, const PixelRect* area);
