// Rectangles of the sprite data: the stored hit/attack box and the four-number rectangle that
// callers hand to the box operations.
#pragma once

#include <cstdint>

// One hit or attack box as kept in memory and in the sprite file: six 16-bit words. Corners are
// sprite-local, inclusive and ordered (x1 <= x2, y1 <= y2). The reserved words carry no meaning;
// a new box has them zero and a loaded box keeps the bytes it was read with.
struct BoxRect {
    int16_t reserved0;
    int16_t x1;
    int16_t y1;
    int16_t x2;
    int16_t y2;
    int16_t reserved1;
};
static_assert(sizeof(BoxRect) == 12, "BoxRect is 12 bytes on disk and in memory");

// Four 32-bit signed numbers, both corners inclusive, in any order unless a caller says otherwise.
struct PixelRect {
    int32_t x1;
    int32_t y1;
    int32_t x2;
    int32_t y2;
};
