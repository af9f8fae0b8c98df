// Palette files: any file gives a palette of its first 1024 bytes (zeros past a short file),
// and saving it gives exactly those 1024 bytes back.
#include <cstdlib>
#include <cstring>

#include "image/palette_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Palette* palette = ReadPaletteFromMemory(data, size);
    if (palette == nullptr) __builtin_trap();  // only a lack of memory gives no palette
    uint8_t expected[kPaletteFileSize] = {};
    if (size > 0) std::memcpy(expected, data, size < sizeof expected ? size : sizeof expected);
    uint8_t saved[kPaletteFileSize];
    PaletteFileBytes(*palette, saved);
    if (std::memcmp(saved, expected, kPaletteFileSize) != 0) __builtin_trap();
    std::free(palette);
    return 0;
}
