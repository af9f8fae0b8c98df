// The files the command line reads: sprite files, picture sheets (BMP, PCX, PNG) and palette
// files, recognised by their extension, by their first bytes, or as the user says. Sheets are read
// as the window reads them (codec/sheet_reader.h): true-colour sheets of up to 256 colours are
// indexed on loading.
#pragma once

#include <string>

#include "image/image_buffer.h"
#include "export/palette_source.h"
#include "image/palette.h"

enum class FileKind { kUnknown, kSprite, kBmp, kPcx, kPng };

// "spr", "bmp", "pcx" or "png" (any case); kUnknown for anything else.
FileKind KindFromName(const std::string& name);
// By the extension of `path`, else by the file's first bytes; kUnknown when neither tells.
FileKind KindOfFile(const std::string& path);

// Loads a BMP, PCX or PNG sheet. Returns 1, or 0 with the reader's text in picture.message.
int LoadPicture(ImageBuffer& picture, const std::string& path, FileKind kind);
// The line for the user about a sheet that failed to load: the reader's text in UTF-8, or for a
// true-colour sheet of too many colours an English sentence with their count.
std::string SheetRefusal(const ImageBuffer& picture, const std::string& path);
// The sentence for a true-colour sheet of `colors` colours, more than sprites take.
std::string TooManyColorsSentence(int colors);
// "BMP", "PCX" or "PNG".
const char* SheetKindName(FileKind kind);

// Index i as grey level i.
PaletteSource GreyRamp();
// Reads a palette file (its first 1024 bytes). False with a UTF-8 text, also for a file shorter
// than 1024 bytes.
bool PaletteFromFile(const std::string& path, PaletteSource* source, std::string* error);
// Takes the color table of a sheet (that of a true-colour sheet is the one its indexing makes).
// False with a UTF-8 text for a sheet that cannot be read or has no color table.
bool PaletteFromSheet(const std::string& path, PaletteSource* source, std::string* error);
