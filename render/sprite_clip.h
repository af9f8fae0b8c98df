// Where a sprite rectangle meets the clip rectangle of the current DrawTarget. Shared by the raw
// and run-length routines; all arithmetic is 64-bit so no position or size can wrap round.
#pragma once

#include <algorithm>
#include <cstdint>

#include "render/draw_target.h"

struct SpriteClip {
    int left;    // destination columns cut off at the left of the sprite rectangle (L)
    int top;     // rows cut off at the top (T)
    int right;   // columns cut off at the right (R)
    int bottom;  // rows cut off at the bottom (B)
    int cols;    // visible columns: width - L - R
    int rows;    // visible rows: height - T - B
};

// False when nothing of the width x height rectangle at (x, y) is visible: an empty sprite, a
// rectangle wholly outside the clip rectangle, or a clip rectangle with crossed bounds.
inline bool ClipSprite(int x, int y, int width, int height, SpriteClip* clip)
{
    if (width <= 0 || height <= 0) return false;
    const DrawTarget& t = g_drawTarget;
    const int64_t x1 = x, y1 = y, x2 = x1 + width - 1, y2 = y1 + height - 1;
    if (x1 > t.clipX2 || y1 > t.clipY2 || x2 < t.clipX1 || y2 < t.clipY1) return false;
    const int64_t left = std::max<int64_t>(0, t.clipX1 - x1);
    const int64_t top = std::max<int64_t>(0, t.clipY1 - y1);
    const int64_t right = std::max<int64_t>(0, x2 - t.clipX2);
    const int64_t bottom = std::max<int64_t>(0, y2 - t.clipY2);
    const int64_t cols = width - left - right, rows = height - top - bottom;
    if (cols <= 0 || rows <= 0) return false;
    *clip = {int(left), int(top), int(right), int(bottom), int(cols), int(rows)};
    return true;
}
