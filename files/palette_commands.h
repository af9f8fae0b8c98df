// Shell code. The palette in use (g_palette) and how it reaches the three pages.
#pragma once

#include "image/image_buffer.h"
#include "image/palette.h"
#include "platform/win32.h"

// Makes `palette` (or none) the palette in use and gives it to g_bmpPage, g_animPage and
// g_selPage in this order; each page that refuses it is reported, owned by `owner`.
void UsePalette(HWND owner, Palette* palette);

// The picture's colors as a whole 256-entry palette: the picture's own table when it holds 256
// entries; a 2- or 16-entry table copied into a block of the palette commands with the other
// entries black (so nothing reads past the picture's table); null for a picture without a table.
Palette* PicturePalette(const ImageBuffer& picture);
