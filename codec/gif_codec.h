// Animated GIF files out, through giflib (both builds). The frames come laid out in palette
// indices (render/gif_frames.h); giflib does the compression.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "render/gif_frames.h"

// Encodes the frames as a GIF89a of the canvas's size with the palette's 256 colors, the
// transparent index marked in every frame, each frame's delay, every frame cleared to transparent
// before the next (so nothing of a sprite shows through the next one), looping forever. False with
// the library's text in *error.
bool EncodeAnimatedGif(const GifFrames& frames, std::vector<uint8_t>* gif, std::string* error);
