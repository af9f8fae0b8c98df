// Palette files: any file gives a palette of its first 1024 bytes (zeros past a short file),
// and saving it writes exactly those 1024 bytes.
#include <cstdlib>
#include <cstring>

#include "fuzz/fuzz_temp_file.h"
#include "image/palette_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string path = WriteFuzzInput("palette", data, size);
    if (path.empty()) return 0;
    Palette* palette = ReadPaletteFile(path.c_str());
    if (palette == nullptr) __builtin_trap();  // a readable file always gives a palette
    uint8_t expected[kPaletteFileSize] = {};
    if (size > 0) std::memcpy(expected, data, size < sizeof expected ? size : sizeof expected);
    std::string saved = path + ".saved";
    if (WritePaletteFile(saved.c_str(), *palette) == 1) {
        uint8_t written[kPaletteFileSize + 1];
        std::FILE* file = std::fopen(saved.c_str(), "rb");
        size_t count = file != nullptr ? std::fread(written, 1, sizeof written, file) : 0;
        if (file != nullptr) std::fclose(file);
        if (count != kPaletteFileSize || std::memcmp(written, expected, kPaletteFileSize) != 0) __builtin_trap();
        std::remove(saved.c_str());
    }
    std::free(palette);
    return 0;
}
