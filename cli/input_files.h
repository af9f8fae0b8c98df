// The files the command line reads: sprite files, picture sheets (BMP, PCX) and palette files,
// recognised by their extension, by their first bytes, or as the user says.
#pragma once

#include <string>

#include "image/image_buffer.h"
#include "image/palette.h"

enum class FileKind { kUnknown, kSprite, kBmp, kPcx };

// "spr", "bmp" or "pcx" (any case); kUnknown for anything else.
FileKind KindFromName(const std::string& name);
// By the extension of `path`, else by the file's first bytes; kUnknown when neither tells.
FileKind KindOfFile(const std::string& path);

// Loads a BMP or PCX picture. Returns 1, or 0 with the reader's text in picture.message.
int LoadPicture(ImageBuffer& picture, const std::string& path, FileKind kind);

// A palette for writing pictures, and where it came from (for the user and sprites.json).
struct PaletteSource {
    Palette palette{};
    std::string origin;   // "grey ramp", or the path of the palette file or sheet
    bool grey = false;
};

// Index i as grey level i.
PaletteSource GreyRamp();
// Reads a palette file (its first 1024 bytes). False with a UTF-8 text, also for a file shorter
// than 1024 bytes.
bool PaletteFromFile(const std::string& path, PaletteSource* source, std::string* error);
// Takes the color table of a BMP or PCX sheet. False with a UTF-8 text for a sheet that cannot
// be read or has no color table (24 bits per pixel).
bool PaletteFromSheet(const std::string& path, PaletteSource* source, std::string* error);
