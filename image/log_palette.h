// Logical palettes, the form in which GDI takes a palette: version 0x300, an entry count, then
// one entry of red, green, blue and flags per color. The picture buffer and the off-screen page
// both build theirs here from a color table.
#pragma once

#include "platform/win32.h"

constexpr WORD kLogPaletteVersion = 0x300;

// A new logical palette of `count` entries (0 to 256) taken from the color table `table`,
// flags 0, in a std::malloc block of 8 + 4 x count bytes. Null when out of memory.
LOGPALETTE* NewLogPalette(const RGBQUAD* table, int count);
