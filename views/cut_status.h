// The status line in cut mode: where the mouse is on the sheet and what is there.
#pragma once

#include "platform/win32.h"
#include "sprite/box_rect.h"

// Shows the page point `at` and the sheet's palette index there ("좌표(x,y) = 12, 34   색상 = 5"),
// and with `dragged` (a rectangle being drawn or moved) its size ("   크기 = 16 x 24"). Outside
// the sheet the index is left out; outside it with nothing dragged the line reads "Ready".
void ShowCutStatus(POINT at, const PixelRect* dragged);
