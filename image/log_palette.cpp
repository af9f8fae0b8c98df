#include "image/log_palette.h"

#include <cstdint>
#include <cstdlib>

namespace {

constexpr size_t kHeaderBytes = 4;  // version and entry count
constexpr size_t kBlockExtra = 8;   // the block is 8 + 4 bytes per entry, never less than the record

}  // namespace

LOGPALETTE* NewLogPalette(const RGBQUAD* table, int count)
{
    if (count < 0 || count > 256 || (count > 0 && table == nullptr)) return nullptr;
    auto* palette = static_cast<LOGPALETTE*>(std::malloc(kBlockExtra + sizeof(PALETTEENTRY) * size_t(count)));
    if (palette == nullptr) return nullptr;
    palette->palVersion = kLogPaletteVersion;
    palette->palNumEntries = WORD(count);
    // Written through a plain pointer: the record ends in a one-element array that really holds
    // `count` entries.
    auto* entries = reinterpret_cast<PALETTEENTRY*>(reinterpret_cast<uint8_t*>(palette) + kHeaderBytes);
    for (int i = 0; i < count; ++i) entries[i] = PALETTEENTRY{table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, 0};
    return palette;
}
