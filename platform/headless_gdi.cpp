// Headless stand-in for the two GDI palette calls the core makes (native build only).
#include "platform/win32.h"

#include <cstring>
#include <new>

struct HeadlessPalette {
    unsigned count;
    PALETTEENTRY entries[1];
};

HPALETTE CreatePalette(const LOGPALETTE* logPalette)
{
    if (logPalette == nullptr || logPalette->palVersion != 0x300) return nullptr;
    unsigned count = logPalette->palNumEntries;
    size_t bytes = sizeof(HeadlessPalette) + (count ? count - 1 : 0) * sizeof(PALETTEENTRY);
    auto* palette = static_cast<HeadlessPalette*>(::operator new(bytes, std::nothrow));
    if (palette == nullptr) return nullptr;
    palette->count = count;
    if (count) std::memcpy(palette->entries, logPalette->palPalEntry, count * sizeof(PALETTEENTRY));
    return palette;
}

BOOL DeleteObject(HGDIOBJ object)
{
    if (object == nullptr) return FALSE;
    ::operator delete(object);
    return TRUE;
}

BOOL GetHeadlessPaletteEntry(HPALETTE palette, unsigned index, PALETTEENTRY* entry)
{
    if (palette == nullptr || entry == nullptr || index >= palette->count) return FALSE;
    *entry = palette->entries[index];
    return TRUE;
}
