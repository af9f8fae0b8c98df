// What the two PNG back ends share: the size check before decoding and the widening of packed
// palette indices.
#pragma once

#include <cstddef>
#include <cstdint>

#include "codec/png_codec.h"

// Whether a picture of this size may be decoded: kOk, or kTooLarge past the caps every picture
// reader keeps (4 bytes a pixel for true colour, 1 for indices).
PngStatus CheckDecodedSize(int64_t width, int64_t height, bool indexed);

// Widens `height` rows of `width` indices of `bits` bits (1, 2, 4 or 8), packed as a PNG packs
// them (leftmost pixel in the high bits, each row starting on a byte, `rowBytes` bytes a row),
// to one byte a pixel. `widened` holds width * height bytes.
void WidenIndices(const uint8_t* packed, size_t rowBytes, int width, int height, int bits, uint8_t* widened);
