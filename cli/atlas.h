// Packing sprites into one atlas sheet: shelves of frames, tallest first, in a sheet about as wide
// as it is high, with a transparent gap between frames so that filtering in an engine never
// bleeds one frame into the next.
#pragma once

#include <vector>

#include "sprite/box_rect.h"

struct AtlasLayout {
    int width = 0;
    int height = 0;
    // One rectangle per size given, in the same order; sizes with a side of 0 get no place
    // (an empty rectangle, x2 < x1).
    std::vector<PixelRect> frames;
};

struct FrameSize {
    int width;
    int height;
};

// Places every frame; no two overlap, and each lies inside width x height. `padding` blank pixels
// separate neighbours.
AtlasLayout PackAtlas(const std::vector<FrameSize>& sizes, int padding);
