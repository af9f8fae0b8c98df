#include "render/sprite_draw.h"

// Nothing in the program fills the tables: they stay zero unless a caller writes them.
uint8_t BlendTables[kBlendTableCount * kBlendTableSize] = {};
