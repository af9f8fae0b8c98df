// Cutting rectangles of a loaded sheet into sprites with the window's own cut step (sprite/cut.h).
#pragma once

#include <vector>

#include "image/image_buffer.h"
#include "image/regions.h"
#include "sprite/cut.h"
#include "sprite/sprite_set.h"

// Appends one sprite per rectangle to `set`, in order. Returns 1, or 0 with the set's message when
// the core refuses one (a rectangle outside the picture, a full set, no memory); the set is then
// as it was.
int CutSprites(ImageBuffer& sheet, const std::vector<PixelRect>& rects, const CutOptions& options, SpriteSet& set);
