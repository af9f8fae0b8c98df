// Cutting rectangles of a loaded sheet into sprites, as the window's cut step does: each
// rectangle is copied out of the picture, appended raw to the set, then compressed and given
// whole-sprite boxes as the options say.
#pragma once

#include <vector>

#include "cli/regions.h"
#include "image/image_buffer.h"
#include "sprite/sprite_set.h"

// The window's creation options ("스프라이트 압축", "충돌상자 자동생성", "공격상자 자동생성").
struct CutOptions {
    bool compress = false;
    bool hitBox = false;
    bool attackBox = false;
};

// The sheet as rows from the top. Its `top` is null unless the picture has 8 bits per pixel.
SheetView ViewOfSheet(const ImageBuffer& sheet);

// Appends one sprite per rectangle to `set`, in order. Returns 1, or 0 with the set's message when
// the core refuses one (a rectangle outside the picture, a full set, no memory); the sprites cut
// before it stay in the set.
int CutSprites(ImageBuffer& sheet, const std::vector<PixelRect>& rects, const CutOptions& options, SpriteSet& set);
