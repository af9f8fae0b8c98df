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

constexpr char kOptionsFileName[] = "OPTION.CFG";
constexpr int kOptionsFileSize = 36;

// The options as they are when no OPTION.CFG can be read.
constexpr Options kDefaultOptions = {1, 1018, 0, 3, 5, 8, 0, 1, 0};

// The animation and edit page size of a resolution mode (1014..1020); any other number gives
// 640 x 480.
struct PageSize {
    int width;
    int height;
};
PageSize PageSizeOfMode(int mode);

// Reads OPTION.CFG from the current directory into g_options, or sets the defaults when the file
// is missing, unreadable or shorter than 36 bytes; then sets the canvas's animation page size
// from the resolution mode. Always 1.
int LoadOptions();

// Writes g_options to OPTION.CFG in the current directory. The file is replaced only once all
// 36 bytes are written, so a failure keeps the old file. 1 when written, 0 otherwise (nothing
// is shown: the caller reports it).
int SaveOptions();
