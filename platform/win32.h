// The one door to Windows for the platform-free core.
//
// In the Windows build this is <windows.h>. Everywhere else it declares the few Win32 records the
// core keeps (bitmap headers, color tables, logical palettes) with Windows' exact layouts, and a
// headless stand-in for the only two GDI calls the core makes: CreatePalette and DeleteObject.
// Nothing from user32 belongs here; code that needs more of Windows belongs in the shell.
#pragma once

#ifdef _WIN32

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#else  // !_WIN32

#include <cstdint>

typedef uint8_t BYTE;
typedef uint16_t WORD;
typedef uint32_t DWORD;
typedef int32_t LONG;
typedef int BOOL;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

#define BI_RGB 0L
#define BI_RLE8 1L
#define BI_RLE4 2L
#define BI_BITFIELDS 3L

struct RGBQUAD {
    BYTE rgbBlue;
    BYTE rgbGreen;
    BYTE rgbRed;
    BYTE rgbReserved;
};

#pragma pack(push, 2)
struct BITMAPFILEHEADER {
    WORD bfType;
    DWORD bfSize;
    WORD bfReserved1;
    WORD bfReserved2;
    DWORD bfOffBits;
};
#pragma pack(pop)

struct BITMAPINFOHEADER {
    DWORD biSize;
    LONG biWidth;
    LONG biHeight;
    WORD biPlanes;
    WORD biBitCount;
    DWORD biCompression;
    DWORD biSizeImage;
    LONG biXPelsPerMeter;
    LONG biYPelsPerMeter;
    DWORD biClrUsed;
    DWORD biClrImportant;
};

struct BITMAPINFO {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[1];
};

struct PALETTEENTRY {
    BYTE peRed;
    BYTE peGreen;
    BYTE peBlue;
    BYTE peFlags;
};

struct LOGPALETTE {
    WORD palVersion;
    WORD palNumEntries;
    PALETTEENTRY palPalEntry[1];
};

// A palette handle off Windows is a private block holding a copy of the logical palette, so
// that ownership mistakes (double deletes, leaks) show up under the sanitizers.
struct HeadlessPalette;
typedef HeadlessPalette* HPALETTE;
typedef void* HGDIOBJ;

HPALETTE CreatePalette(const LOGPALETTE* logPalette);
BOOL DeleteObject(HGDIOBJ object);

// Reads entry `index` of a headless palette; for tests. Returns FALSE past the end.
BOOL GetHeadlessPaletteEntry(HPALETTE palette, unsigned index, PALETTEENTRY* entry);

#endif  // _WIN32

static_assert(sizeof(RGBQUAD) == 4, "RGBQUAD layout");
static_assert(sizeof(BITMAPFILEHEADER) == 14, "BITMAPFILEHEADER layout");
static_assert(sizeof(BITMAPINFOHEADER) == 40, "BITMAPINFOHEADER layout");
static_assert(sizeof(PALETTEENTRY) == 4, "PALETTEENTRY layout");
static_assert(sizeof(LOGPALETTE) == 8, "LOGPALETTE layout");
