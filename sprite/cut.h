// The cut step: a rectangle of the loaded picture becomes a sprite, as the window's double click
// and `quillon-cli build` make it. One rule for both.
#pragma once

#include <vector>

#include "sprite/box_rect.h"
#include "sprite/sprite_set.h"

class ImageBuffer;

// The creation options of a cut ("스프라이트 압축", "충돌상자 자동생성", "공격상자 자동생성").
struct CutOptions {
    bool compress = false;
    bool hitBox = false;
    bool attackBox = false;
};

// Copies the rectangle with corners (x1, y1) and (x2, y2), both inclusive and in any order, out
// of an 8-bit `picture` and puts it into `set` at `index` as a new sprite: raw, no coordinates
// moved, center in the middle; then compressed and given a whole-sprite hit box and attack box as
// `options` say. All or nothing: 1, or 0 with the reason in the set's message and the set as it
// was (a rectangle larger than the file can hold, one outside the picture, a full set, no memory).
int CutRegion(SpriteSet& set, int index, ImageBuffer& picture, const PixelRect& rect, const CutOptions& options);

// Every rectangle as CutRegion cuts it, appended to `set` in order, all or nothing: 1, or 0 with
// the reason of the first refusal in the set's message and the set as it was. The sprites are
// made first and put in at once, so cutting thousands of figures costs what their pixels cost.
int CutRegions(SpriteSet& set, ImageBuffer& picture, const std::vector<PixelRect>& rects, const CutOptions& options);
