// Palette files (.pal): 256 RGBQUAD entries, 1024 bytes, no header.
#pragma once

#include <cstddef>
#include <cstdint>

#include "image/palette.h"

constexpr int kPaletteFileSize = 1024;

// Reads the first 1024 bytes of the file into a new palette (std::malloc, the caller owns it).
// A shorter file leaves the entries it does not hold zero. Null when the file cannot be opened
// or read (or there is no memory).
Palette* ReadPaletteFile(const char* path);

// The same from a file's bytes in memory; null only when there is no memory.
Palette* ReadPaletteFromMemory(const uint8_t* data, size_t size);

// The 1024 bytes a palette file holds for `palette`.
void PaletteFileBytes(const Palette& palette, uint8_t* bytes);

// Writes exactly 1024 bytes; the previous file stays whole unless everything was written.
// Returns 1, or 0 on any failure.
int WritePaletteFile(const char* path, const Palette& palette);
