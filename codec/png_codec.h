// PNG files in and out. One interface, two back ends: in the Windows build the platform's own
// codec library (Windows Imaging Component, png_wic.cpp), elsewhere libspng (png_spng.cpp).
// Neither back end decodes or compresses anything itself.
//
// Decoding gives one of two kinds of pixels: an indexed PNG keeps its palette indices and its
// palette exactly as the file has them (indices of fewer than 8 bits are widened to one byte
// each); every other PNG (grey, grey with alpha, RGB, RGBA, 16 bits a channel, with or without a
// transparent colour) comes out as 8-bit channels with alpha, the transparent colour of a tRNS
// chunk as alpha 0 and 16-bit channels reduced to 8 bits by the codec library.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "image/palette.h"

// The eight bytes every PNG file starts with.
bool HasPngSignature(const uint8_t* data, size_t size);

struct DecodedPng {
    int width = 0;
    int height = 0;
    bool indexed = false;
    // Indexed: one palette index a pixel. True colour: four bytes a pixel, red, green, blue and
    // alpha in the order below. Top row first, no padding.
    std::vector<uint8_t> pixels;
    // Byte offsets of the channels within a true-colour pixel (the back ends differ).
    int red = 0, green = 1, blue = 2, alpha = 3;
    // Indexed: the file's palette (paletteCount entries; the rest stay zero).
    Palette palette{};
    int paletteCount = 0;
};

enum class PngStatus {
    kOk,
    kNotPng,      // no PNG signature
    kDamaged,     // a PNG the codec refuses: cut short, a bad chunk, a bad checksum
    kTooLarge,    // past the picture caps of image/image_layout.h, refused before decoding
    kNoMemory,
    kNoCodec,     // the platform's codec library cannot be started
};

// Decodes a whole PNG file held in memory. Anything but kOk leaves *picture empty; `detail`
// (may be null) then gets the codec's own words, in English, for the command line.
PngStatus DecodePng(const uint8_t* data, size_t size, DecodedPng* picture, std::string* detail);

// Encodes `height` rows of `width` palette indices (top row first, no padding) as an 8-bit
// indexed PNG with the palette's 256 colors, index 0 fully transparent and every other index
// opaque. False with the codec's text in *error.
bool EncodeIndexedPng(const uint8_t* pixels, int width, int height, const Palette& palette,
                      std::vector<uint8_t>* png, std::string* error);
