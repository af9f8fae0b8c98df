// Table number to blend table, for the blend and tint routines.
#pragma once

#include <cstddef>
#include <cstdint>

#include "render/sprite_draw.h"

// The 65536-byte table `number`, or null when the number is not 0 to 6 (nothing is then drawn).
inline const uint8_t* BlendTableOrNull(int number)
{
    if (number < 0 || number >= kBlendTableCount) return nullptr;
    return BlendTables + ptrdiff_t(number) * kBlendTableSize;
}
