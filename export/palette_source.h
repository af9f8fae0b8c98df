// The palette an export writes its pictures with, and where it came from.
#pragma once

#include <string>

#include "image/palette.h"

// A palette for writing pictures, and where it came from (for the user and sprites.json).
struct PaletteSource {
    Palette palette{};
    std::string origin;   // "grey ramp", the path of the palette file or sheet, or the window's palette
    bool grey = false;
};
