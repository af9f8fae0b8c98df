// Indexed PNG through libspng: 8 bits per pixel, the palette's 256 colors in PLTE, and index 0
// fully transparent through a one-entry tRNS (every other index opaque).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "image/palette.h"

// Encodes `height` rows of `width` palette indices (top row first, no padding). False with the
// library's text in *error.
bool EncodeIndexedPng(const uint8_t* pixels, int width, int height, const Palette& palette,
                      std::vector<uint8_t>* png, std::string* error);
