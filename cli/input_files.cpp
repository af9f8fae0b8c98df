#include "cli/input_files.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "cli/console_text.h"
#include "cli/paths.h"
#include "cli/reasons.h"
#include "codec/png_codec.h"
#include "codec/sheet_reader.h"
#include "image/true_color.h"
#include "image/palette_file.h"
#include "sprite/file_io.h"
#include "sprite/sprite_set.h"

namespace {

std::string Lower(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return text;
}

FileKind KindFromContent(const std::string& path)
{
    std::FILE* file = OpenStream(path.c_str(), "rb");
    if (file == nullptr) return FileKind::kUnknown;
    uint8_t head[sizeof kSpriteSignature] = {};
    const size_t got = std::fread(head, 1, sizeof head, file);
    std::fclose(file);
    if (got == sizeof head && std::memcmp(head, kSpriteSignature, sizeof head) == 0) return FileKind::kSprite;
    if (got >= 2 && head[0] == 'B' && head[1] == 'M') return FileKind::kBmp;
    if (got >= 2 && head[0] == 0x0A && head[1] == 5) return FileKind::kPcx;
    if (HasPngSignature(head, got)) return FileKind::kPng;
    return FileKind::kUnknown;
}

}  // namespace

FileKind KindFromName(const std::string& name)
{
    const std::string lower = Lower(name);
    if (lower == "spr") return FileKind::kSprite;
    if (lower == "bmp") return FileKind::kBmp;
    if (lower == "pcx") return FileKind::kPcx;
    if (lower == "png") return FileKind::kPng;
    return FileKind::kUnknown;
}

FileKind KindOfFile(const std::string& path)
{
    const size_t dot = path.find_last_of('.');
    const size_t slash = LastSeparator(path);
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) {
        FileKind kind = KindFromName(path.substr(dot + 1));
        if (kind != FileKind::kUnknown) return kind;
    }
    return KindFromContent(path);
}

int LoadPicture(ImageBuffer& picture, const std::string& path, FileKind kind)
{
    if (kind == FileKind::kPcx) return picture.LoadPcx(path.c_str());
    if (kind == FileKind::kPng) return LoadPng(picture, path.c_str());
    return picture.LoadBmp(path.c_str());
}

std::string TooManyColorsSentence(int colors)
{
    return "the sheet has " + std::to_string(colors) +
           " colors; sprites take at most 256: reduce it to 256 colors in a paint program and try again";
}

std::string SheetRefusal(const ImageBuffer& picture, const std::string& path)
{
    // Too many colors is told with the count the indexing leaves; the rest by the reason code.
    if (picture.sheetColors > kMaxSheetColors) return path + ": " + TooManyColorsSentence(picture.sheetColors);
    return RefusalText(picture.reason, picture.message, path);
}

const char* SheetKindName(FileKind kind)
{
    switch (kind) {
    case FileKind::kPcx: return "PCX";
    case FileKind::kPng: return "PNG";
    default: return "BMP";
    }
}

PaletteSource GreyRamp()
{
    PaletteSource source;
    for (int i = 0; i < kPaletteEntries; ++i) {
        RGBQUAD& entry = source.palette.entries[i];
        entry.rgbRed = entry.rgbGreen = entry.rgbBlue = BYTE(i);
        entry.rgbReserved = 0;
    }
    source.origin = "grey ramp";
    source.grey = true;
    return source;
}

bool PaletteFromFile(const std::string& path, PaletteSource* source, std::string* error)
{
    // The window takes what a shorter file holds and leaves the rest black; an export with such
    // colors is garbage, so the command line refuses it.
    uint64_t size = 0;
    const PathKind kind = InspectPath(path, true, &size);
    if (kind == PathKind::kMissing) {
        *error = path + ": no such file";
        return false;
    }
    if (kind != PathKind::kRegular || size < uint64_t(kPaletteFileSize)) {
        *error = path + ": a palette file holds 1,024 bytes (256 colors of 4 bytes); this one " +
                 (kind == PathKind::kRegular ? "has " + std::to_string(size) : std::string("is not a regular file"));
        return false;
    }
    Palette* palette = ReadPaletteFile(path.c_str());
    if (palette == nullptr) {
        *error = path + ": cannot be read";
        return false;
    }
    source->palette = *palette;
    std::free(palette);
    source->origin = path;
    source->grey = false;
    return true;
}

bool PaletteFromSheet(const std::string& path, PaletteSource* source, std::string* error)
{
    FileKind kind = KindOfFile(path);
    if (kind != FileKind::kBmp && kind != FileKind::kPcx && kind != FileKind::kPng) {
        *error = path + ": not a BMP, PCX or PNG sheet";
        return false;
    }
    ImageBuffer sheet;
    if (!LoadPicture(sheet, path, kind)) {
        *error = SheetRefusal(sheet, path);
        return false;
    }
    if (sheet.colorCount <= 0) {
        *error = path + ": the sheet has no color table (" + std::to_string(sheet.bitCount) + " bits per pixel)";
        return false;
    }
    source->palette = Palette{};
    const RGBQUAD* table = sheet.ColorTable();
    for (int i = 0; i < sheet.colorCount && i < kPaletteEntries; ++i) source->palette.entries[i] = table[i];
    source->origin = path;
    source->grey = false;
    return true;
}
