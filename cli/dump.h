// One sprite drawn as the program draws it: through DibPage and its sprite routines, with the
// boxes outlined as the edit view outlines them, then magnified by a whole number.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "image/palette.h"
#include "sprite/sprite_set.h"

// The colors of the options' defaults, which the window uses until the user picks others.
constexpr int kDefaultBackColor = 0;
constexpr int kDefaultHitBoxColor = 5;
constexpr int kDefaultAttackBoxColor = 8;
constexpr int kMaxZoom = 64;

struct DumpOptions {
    int flags = 0;        // DRAW_HFLIP, DRAW_VFLIP
    bool boxes = false;   // outline the hit boxes, then the attack boxes
    int zoom = 1;
};

struct DumpPicture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;  // width x height palette indices, top row first
};

// Draws the sprite on a page just large enough for it (and, with boxes, for every box), its
// top-left pixel at the page's (0, 0) unless a box reaches further up or left. A mirrored sprite
// has its boxes mirrored with it. False with a text when the page cannot be made.
bool DumpSprite(const Sprite& sprite, const Palette& palette, const DumpOptions& options, DumpPicture* picture,
                std::string* error);
