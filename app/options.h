// The user's settings: nine 32-bit integers, kept byte for byte in OPTION.CFG in the current
// directory (36 bytes, little-endian, no header).
#pragma once

#include <cstdint>

struct Options {
    int32_t crossHair;        // show the mouse cross-hair in the cut and edit views
    int32_t resolutionMode;   // the chosen resolution radio button, 1014..1020
    int32_t backColor;        // palette index clearing the animation and edit pages and the strip
    int32_t relCrossColor;    // palette index of the relative-coordinate cross
    int32_t hitBoxColor;      // palette index of hit boxes
    int32_t atckBoxColor;     // palette index of attack boxes
    int32_t compressSprites;  // compress a newly cut sprite at once
    int32_t autoHitBox;       // give a newly cut sprite a hit box over the whole sprite
    int32_t autoAtckBox;      // give a newly cut sprite an attack box over the whole sprite
};
static_assert(sizeof(Options) == 36, "OPTION.CFG is exactly the nine fields");
