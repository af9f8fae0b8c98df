// A loaded picture sheet in device-independent bitmap layout: a 40-byte info header, the color
// table, then the pixel rows bottom row first, each `stride` bytes. The BMP and PCX readers (and
// the PNG reader at the edge, codec/) all build exactly this layout, true-colour sheets indexed
// to 8 bits on the way (image/true_color.h), so nothing after loading cares which kind of file
// it came from.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "image/palette.h"
#include "platform/win32.h"

constexpr int kImagePathSize = 260;
constexpr int kImageMessageSize = 80;

class ImageBuffer {
public:
    char fileName[kImagePathSize];
    char message[kImageMessageSize];
    BITMAPFILEHEADER fileHeader;
    BITMAPINFOHEADER* info;
    BITMAPINFO* bitmapInfo;
    uint8_t* block;           // info header, color table, pixel rows; null without a picture
    LOGPALETTE* logPalette;
    HPALETTE paletteHandle;
    int32_t colorCount;       // 2, 16, 256 or 0
    int32_t bitCount;
    int32_t width;
    int32_t height;
    int32_t stride;
    // Distinct colours of the true-colour sheet last read (set also when it is refused for
    // having more than 256); 0 after reading a picture that has a color table of its own.
    int32_t sheetColors;

    ImageBuffer();
    ~ImageBuffer();
    ImageBuffer(const ImageBuffer&) = delete;
    ImageBuffer& operator=(const ImageBuffer&) = delete;

    void Unload();
    int LoadBmp(const char* path);
    int LoadPcx(const char* path);
    // The same readers on a file's bytes in memory (the file functions read the file and call
    // these); `name` stands for the path in fileName and in the texts.
    int LoadBmpFromMemory(const uint8_t* data, size_t size, const char* name);
    int LoadPcxFromMemory(const uint8_t* data, size_t size, const char* name);
    int BuildPalette();

    int32_t Width() const;
    int32_t Height() const;
    uint8_t* Pixels() const;
    RGBQUAD* ColorTable() const;
    // A copy of the rectangle, top row first, w * bytes-per-pixel bytes a row, from std::malloc;
    // null when refused.
    uint8_t* CopyRegion(int x, int y, int w, int h);
};

// Decodes exactly `length` bytes of PCX run-length data from `stream` into `destination`.
// Returns the number of bytes produced (less than `length` only when the stream ended).
size_t ReadPcxRle(uint8_t* destination, size_t length, std::FILE* stream);
// The same from `size` encoded bytes in memory.
size_t ReadPcxRleFromMemory(uint8_t* destination, size_t length, const uint8_t* data, size_t size);
