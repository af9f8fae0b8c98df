// True-colour sheets become 8-bit pictures. Sprites are palette indices, so a sheet saved in true
// colour (24- or 32-bit BMP, 24-bit PCX, a PNG that is not indexed) is indexed on loading, exactly
// and the same way whatever file it came from:
//
// - A pixel whose alpha is 0 is transparent; any other alpha counts as opaque with its colour
//   (partial alpha is dropped, not blended). All transparent pixels are one colour, whatever
//   their red, green and blue.
// - Index 0 is the background: the transparent colour when the sheet has a transparent pixel,
//   otherwise the colour of the top-left pixel. Its table entry is the red, green and blue of the
//   first transparent pixel (top row first, left to right), or the top-left colour.
// - Every other colour takes the next index in the order it first appears, top row first, each
//   row left to right. The color table holds the colours found; entries past them are zero.
// - A sheet of more than 256 colours (counting the transparent one) is refused, with a text that
//   says how many it has and what to do.
//
// The result is the picture layout of image_buffer.h (8 bits, 256-entry color table, rows bottom
// row first, padded to 4 bytes), so nothing after loading knows the sheet was true colour.
#pragma once

#include <cstdint>

#include "image/image_buffer.h"

// The most colours an 8-bit picture holds.
constexpr int kMaxSheetColors = kPaletteEntries;

// A true-colour picture as a reader holds it in memory.
struct TrueColorPixels {
    const uint8_t* topRow;   // first byte of the top row
    int64_t rowStep;         // bytes from a row to the one below it; negative for bottom-up rows
    int32_t width;
    int32_t height;
    int bytesPerPixel;       // 3 or 4
    int red, green, blue;    // byte offsets of the channels within a pixel
    int alpha;               // byte offset of alpha, or -1 when every pixel is opaque
    // True where a file's fourth byte may be unused (32-bit BMP): alpha bytes that are all 0
    // then mean an opaque sheet rather than an empty one.
    bool zeroAlphaMeansOpaque;
};

// Indexes the pixels into a new 8-bit picture in `image` (whose previous picture is released).
// Returns 1; or 0 with the reason in image.message and no picture. image.sheetColors becomes the
// number of distinct colours, also when there are too many.
int IndexTrueColor(ImageBuffer& image, const TrueColorPixels& pixels);

// Places an already indexed picture (indices top row first, `width` bytes a row; `entries`
// colours of table, the rest of the 256 zero) into `image` in the same layout. 1, or 0 with the
// memory text and no picture.
int StoreIndexed(ImageBuffer& image, const uint8_t* indices, int32_t width, int32_t height, const RGBQUAD* table,
                 int entries);
