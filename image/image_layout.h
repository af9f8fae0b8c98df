// Sizes shared by the picture buffer and its readers: the in-memory layout of a picture, and the
// caps every reader checks before it allocates anything.
#pragma once

#include <cstdint>

#include "image/palette.h"

constexpr int kInfoHeaderSize = 40;           // BITMAPINFOHEADER, first in every picture block
constexpr int kColorEntrySize = 4;            // one RGBQUAD
constexpr int kPaletteBytes = kPaletteEntries * kColorEntrySize;
constexpr uint16_t kLogPaletteVersion = 0x300;

// No picture sheet is larger than this; anything beyond is refused with the memory text before
// a byte is allocated.
constexpr int64_t kMaxImageSide = 32768;
constexpr int64_t kMaxPixelBytes = int64_t(256) << 20;

// Bytes of one stored pixel row: `width` pixels of `bits` bits, rounded up to a multiple of 4.
inline int64_t StoredRowBytes(int64_t width, int64_t bits) { return (width * bits + 31) / 32 * 4; }

// Bytes to allocate for a picture block whose layout needs `layoutBytes`. At least a full
// 256-entry colour table always lies inside the block, so code that takes 256 colours from
// ColorTable() never reads past it, whatever the picture's depth.
inline int64_t PictureBlockBytes(int64_t layoutBytes)
{
    int64_t minimum = kInfoHeaderSize + kPaletteBytes;
    return layoutBytes > minimum ? layoutBytes : minimum;
}
