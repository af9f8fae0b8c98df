// The animated GIF of the animation page: one frame per sprite, each frame the same canvas with
// the sprite drawn where the page draws it, at its relative coordinate from one anchor point. The
// canvas is the smallest rectangle that holds every sprite so placed; pixels no sprite covers, and
// a sprite's own pixels of index 0, are index 0, the GIF's transparent colour.
//
// This is layout only, in palette indices; the codec at the edge (codec/gif_codec.h) writes the
// file.
#pragma once

#include <cstdint>
#include <vector>

#include "image/palette.h"
#include "sprite/reason.h"
#include "sprite/sprite_set.h"

constexpr int kGifTransparentIndex = 0;
// The shortest delay that viewers honour; a shorter one is shown slower, not faster.
constexpr int kMinGifDelay = 2;  // centiseconds

struct GifFrames {
    int width = 0;                 // of the canvas, every frame's size
    int height = 0;
    int anchorX = 0;               // where the anchor point lies on the canvas
    int anchorY = 0;
    Palette palette{};
    int transparent = kGifTransparentIndex;
    // width x height indices a frame, top row first, one frame per sprite in the set's order.
    std::vector<std::vector<uint8_t>> frames;
    std::vector<int> delays;       // centiseconds, one a frame
};

// The delay of one frame at `fps` frames a second, in the GIF's hundredths of a second: 100 / fps
// rounded to the nearest, never below kMinGifDelay (so "no delay", fps 0, gives the minimum).
int GifDelay(int fps);

// Lays out the set as the animation page plays it, mirrored by `flips` (the preview's flips,
// kFlipHorizontal | kFlipVertical of sprite/box_geometry.h) about the anchor. Sprites without
// pixels take no room and give a blank frame. Returns Reason::kNone with *out filled, or:
// kNoSprites for an empty set, kNoImage when no sprite has pixels, kPictureTooLarge when the
// canvas or all the frames together pass the picture caps (image/image_layout.h), kNoMemory.
Reason LayOutGifFrames(const SpriteSet& set, const Palette& palette, int fps, int flips, GifFrames* out);
