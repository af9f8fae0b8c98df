// Sizes shared by the picture buffer, its readers and the off-screen page: the in-memory layout of
// a picture, and the one checked size computation that every reader and the page go through
// before they allocate anything.
#pragma once

#include <cstdint>

#include "image/palette.h"

constexpr int kInfoHeaderSize = 40;           // BITMAPINFOHEADER, first in every picture block
constexpr int kColorEntrySize = 4;            // one RGBQUAD
constexpr int kPaletteBytes = kPaletteEntries * kColorEntrySize;
// No picture sheet or page is larger than this; anything beyond is refused (the readers with the
// memory text) before a byte is allocated. Larger requests would only come from a damaged file
// or a wrapped size.
constexpr int64_t kMaxImageSide = 32768;
constexpr int64_t kMaxPixelBytes = int64_t(256) << 20;

// Bytes of one stored pixel row: `width` pixels of `bits` bits, rounded up to a multiple of 4.
inline int64_t StoredRowBytes(int64_t width, int64_t bits) { return (width * bits + 31) / 32 * 4; }

// The pixel rows of a picture: `height` rows of `width` pixels of `bits` bits each, every row
// padded to a multiple of 4 bytes.
struct PictureSize {
    int64_t rowBytes;
    int64_t bytes;
};

// Computes the size in 64 bits, so no product wraps. False (and `size` untouched) when a side is
// not positive or passes kMaxImageSide, the depth is not 1 to 32 bits, or the rows pass
// kMaxPixelBytes.
inline bool CheckPictureSize(int64_t width, int64_t height, int64_t bits, PictureSize* size)
{
    if (width <= 0 || height <= 0 || width > kMaxImageSide || height > kMaxImageSide) return false;
    if (bits <= 0 || bits > 32) return false;
    const int64_t rowBytes = StoredRowBytes(width, bits);
    if (rowBytes * height > kMaxPixelBytes) return false;
    *size = PictureSize{rowBytes, rowBytes * height};
    return true;
}

// Bytes to allocate for a picture block whose layout needs `layoutBytes`. At least a full
// 256-entry color table always lies inside the block, so code that takes 256 colors from
// ColorTable() never reads past it, whatever the picture's depth.
inline int64_t PictureBlockBytes(int64_t layoutBytes)
{
    int64_t minimum = kInfoHeaderSize + kPaletteBytes;
    return layoutBytes > minimum ? layoutBytes : minimum;
}
