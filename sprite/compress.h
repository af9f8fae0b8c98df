// The run-length form of a sprite image.
//
// An image of width x height palette indices, index 0 transparent, is stored as:
//
//   row table   height little-endian uint32 offsets, entry r = byte offset of row r's record
//               from the start of the form; row 0's record starts at 4 * height
//   row record  uint16 pair count n, then n pairs: one byte `skip` (transparent pixels passed
//               over), one byte `count` (opaque pixels that follow), then `count` pixel bytes
//
// Skip and count are at most 255 each. Within a row the pairs cover exactly `width` pixels.
// A pair may have skip 0 (the row or a continued opaque run starts opaque) or count 0 (a long
// transparent stretch continues in the next pair, or the row ends transparent).
#pragma once

#include <cstddef>
#include <cstdint>

// Compresses `height` rows of `width` bytes. Returns a new std::malloc block and its length in
// *length, or null with *length 0 when out of memory (or the arguments are not a picture).
uint8_t* CompressImage(const uint8_t* raw, int width, int height, uint32_t* length);

// Draws `rows` compressed rows into `dest`, one destination row per compressed row, advancing
// `dest` by `stride` after each row. Pixels no pair places are left as they were. The form must
// be one that ValidateCompressedImage accepts. Returns the position just after the last row read.
const uint8_t* DecompressImage(uint8_t* dest, int stride, int rows, const uint8_t* form);

// True when `form` (of `size` bytes) is a well-formed compressed image of width x height: the row
// table lies inside it, every row record starts where its entry says, and every row's pairs stay
// inside the form and cover exactly `width` pixels. Anything that passes can be drawn or
// decompressed without reading outside the form.
bool ValidateCompressedImage(const uint8_t* form, size_t size, int width, int height);
