// The document being edited: the sprite set of the sprite file, the current sprite and whether it
// differs from the file.
#pragma once

#include "sprite/sprite_set.h"

extern SpriteSet workSet;     // the sprite file being edited
extern int g_modified;        // the sprite set has unsaved changes
extern int g_currentSprite;   // number of the current sprite, from 0
