// Palette files: 256 entries of blue, green, red, reserved in palette-index order, no header.
#include "image/palette_file.h"

#include <cstdlib>
#include <cstring>

#include "sprite/file_io.h"

namespace {

constexpr int kEntryBytes = 4;
static_assert(kPaletteEntries * kEntryBytes == kPaletteFileSize, "one palette fills one file");

}  // namespace

Palette* ReadPaletteFile(const char* path)
{
    // Only the first 1024 bytes are read. A read that fails (a folder, a device error) gives no
    // palette rather than a made-up one.
    FileBytes file;
    if (file.Read(path, kPaletteFileSize) != FileBytes::kRead) return nullptr;
    return ReadPaletteFromMemory(file.Data(), file.Size());
}

Palette* ReadPaletteFromMemory(const uint8_t* data, size_t size)
{
    // Bytes a shorter file does not hold stay zero; anything past 1024 bytes is not read.
    uint8_t bytes[kPaletteFileSize] = {};
    if (data != nullptr && size > 0) std::memcpy(bytes, data, size < sizeof bytes ? size : sizeof bytes);
    auto* palette = static_cast<Palette*>(std::malloc(sizeof(Palette)));
    if (palette == nullptr) return nullptr;
    for (int i = 0; i < kPaletteEntries; ++i) {
        const uint8_t* entry = bytes + i * kEntryBytes;
        palette->entries[i].rgbBlue = entry[0];
        palette->entries[i].rgbGreen = entry[1];
        palette->entries[i].rgbRed = entry[2];
        palette->entries[i].rgbReserved = entry[3];
    }
    return palette;
}

void PaletteFileBytes(const Palette& palette, uint8_t* bytes)
{
    for (int i = 0; i < kPaletteEntries; ++i) {
        uint8_t* entry = bytes + i * kEntryBytes;
        entry[0] = palette.entries[i].rgbBlue;
        entry[1] = palette.entries[i].rgbGreen;
        entry[2] = palette.entries[i].rgbRed;
        entry[3] = palette.entries[i].rgbReserved;
    }
}

int WritePaletteFile(const char* path, const Palette& palette)
{
    uint8_t bytes[kPaletteFileSize];
    PaletteFileBytes(palette, bytes);
    SafeFileWriter writer;
    if (!writer.Open(path) || !writer.Write(bytes, sizeof bytes) || !writer.Commit()) return 0;
    return 1;
}
