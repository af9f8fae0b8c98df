// Picture sheets of every kind the program opens, read into the one picture layout of
// image/image_buffer.h: BMP and PCX through the core's readers, PNG through the codec of this
// folder. An indexed PNG keeps its indices and palette; any other PNG is true colour, indexed by
// the rule of image/true_color.h like a 24- or 32-bit BMP or a 24-bit PCX.
#pragma once

#include <cstddef>
#include <cstdint>

#include "image/image_buffer.h"

// Reads a PNG file into `picture`, releasing the picture held before. 1, or 0 with the reason
// in picture.message and no picture.
int LoadPng(ImageBuffer& picture, const char* path);
// The same on a file's bytes in memory; `name` stands for the path in the texts.
int LoadPngFromMemory(ImageBuffer& picture, const uint8_t* data, size_t size, const char* name);

// Reads a sheet of any kind: by the name's ending, bmp as BMP, pcx as PCX, png as PNG (any
// case); any other name as PNG when the file starts as one, otherwise as BMP and, when that
// fails, as PCX. 1, or 0 with the last reader's reason in picture.message.
int LoadSheet(ImageBuffer& picture, const char* path);
