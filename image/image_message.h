// The picture's own failure channel: a text formatted with the file name into `message`.
#pragma once

#include "image/image_buffer.h"

// Formats `format` (which takes the file name as its one %s, or ignores it) into
// image.message, cut to fit without leaving half of a double-byte character at the end.
// Returns 0, the result of every failed read.
int SetImageMessage(ImageBuffer& image, const char* format);

// Copies `text` (no format) into image.message, cut the same way. Returns 0.
int SetImageText(ImageBuffer& image, const char* text);

// Copies `path` into image.fileName, cut to fit; a null path gives an empty name.
void SetImageFileName(ImageBuffer& image, const char* path);
