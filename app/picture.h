// The picture sheet: the loaded picture, the same picture as the one sprite the canvas draws, and
// the colors in use.
#pragma once

#include "image/image_buffer.h"
#include "image/palette.h"
#include "sprite/sprite_set.h"

extern ImageBuffer g_picture;  // the loaded picture sheet
extern SpriteSet pictureSet;   // the loaded picture as one sprite
extern Palette* g_palette;     // colors in use: the picture's table, a palette file, or none
