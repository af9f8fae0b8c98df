// Checks the picture fuzz targets share: a loaded picture is whole and in the one layout, and
// copies out of it stay inside it.
#pragma once

#include <cstdint>
#include <cstdlib>

#include "image/image_buffer.h"

// Pictures up to this many pixel bytes are touched and copied whole. Of larger ones (a few bytes
// of run-length data may describe 256 MiB of pixels) only the last byte is touched, which is
// where a block shorter than its header claims would show (the block is one allocation), and
// only the top and bottom rows are copied, so the run keeps its pace.
constexpr int64_t kWholePictureBytes = int64_t(1) << 20;

// Touches the bytes the loaded picture says it has, so the sanitizers see any block that is
// shorter than its header claims: the info header, a full 256-entry color table and the rows.
inline void TouchPicture(const ImageBuffer& picture)
{
    if (picture.block == nullptr) return;
    volatile uint8_t sink = 0;
    const uint8_t* table = reinterpret_cast<const uint8_t*>(picture.ColorTable());
    for (int i = 0; i < 1024; ++i) sink = sink ^ table[i];
    const uint8_t* pixels = picture.Pixels();
    const int64_t bytes = int64_t(picture.stride) * picture.Height();
    if (bytes <= kWholePictureBytes) {
        for (int64_t i = 0; i < bytes; i += 7) sink = sink ^ pixels[i];
    }
    if (bytes > 0) sink = sink ^ pixels[bytes - 1];
    if (picture.Width() <= 0 || picture.Height() <= 0 || picture.info->biHeight <= 0 ||
        picture.info->biSize != 40)
        __builtin_trap();  // a loaded picture is always in the one layout
}

// Copies the whole picture (or, when it is large, its top and bottom rows) and a few rectangles
// taken from the input's last bytes (some of them outside the picture), and checks each copy
// against the stored rows.
inline void CopyRegions(ImageBuffer& picture, const uint8_t* data, size_t size)
{
    int w = picture.Width(), h = picture.Height();
    auto check = [&](int x, int y, int cw, int ch) {
        uint8_t* copy = picture.CopyRegion(x, y, cw, ch);
        if (copy == nullptr) return;
        int p = picture.bitCount / 8;
        if (x < 0 || y < 0 || cw <= 0 || ch <= 0 || x + int64_t(cw) > w || y + int64_t(ch) > h) __builtin_trap();
        int lastRow = ch - 1, lastCol = cw - 1;
        const uint8_t* stored = picture.Pixels() + int64_t(h - 1 - (y + lastRow)) * picture.stride;
        if (copy[(int64_t(lastRow) * cw + lastCol) * p] != stored[int64_t(x + lastCol) * p]) __builtin_trap();
        std::free(copy);
    };
    if (int64_t(picture.stride) * h <= kWholePictureBytes) {
        check(0, 0, w, h);
    } else {
        check(0, 0, w, 2);
        check(0, h - 2, w, 2);
    }
    for (size_t i = 0; i + 4 <= size && i < 16; i += 4) {
        const uint8_t* b = data + size - 4 - i;
        check(b[0] % (w + 2) - 1, b[1] % (h + 2) - 1, b[2] % (w + 2), b[3] % (h + 2));
    }
}
