// The shared 256-color palette: entry i describes palette index i (blue, green, red, reserved).
#pragma once

#include "platform/win32.h"

constexpr int kPaletteEntries = 256;

struct Palette {
    RGBQUAD entries[kPaletteEntries];
};
static_assert(sizeof(Palette) == 1024, "a palette is 1024 bytes, as in a palette file");
