// A half-tone blend table for a palette: entry [d * 256 + s] is the palette index nearest to the
// colour halfway between colours d and s. Drawn through it (the sprite routines' blend family), a
// sprite shows faintly over what is behind it, as the onion skin of the Edit Mode page does.
#pragma once

#include <cstdint>

#include "platform/win32.h"

// Fills the 65536-byte `table` for `palette` (256 entries). Index 0 takes no part as a colour to
// land on: it is the transparent index, so a blend never makes a pixel transparent.
void BuildHalfToneTable(const RGBQUAD* palette, uint8_t* table);
