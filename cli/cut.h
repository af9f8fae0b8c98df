// Cutting rectangles of a loaded sheet into sprites with the window's own cut step (sprite/cut.h).
#pragma once

#include <vector>

#include "cli/regions.h"
#include "image/image_buffer.h"
#include "sprite/cut.h"
#include "sprite/sprite_set.h"

// The sheet as rows from the top. Its `top` is null unless the picture has 8 bits per pixel.
SheetView ViewOfSheet(const ImageBuffer& sheet);

// Appends one sprite per rectangle to `set`, in order. Returns 1, or 0 with the set's message when
// the core refuses one (a rectangle outside the picture, a full set, no memory); the sprites cut
// before it stay in the set.
int CutSprites(ImageBuffer& sheet, const std::vector<PixelRect>& rects, const CutOptions& options, SpriteSet& set);
