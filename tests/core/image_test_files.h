// Builders of small BMP and PCX files for the picture tests: every header field settable, so a
// test can make both files of today's tools and broken ones.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "sprite/file_io.h"
#include "tests/core/test_files.h"

// Pixels of a picture, top row first, one byte per pixel (8 bits) or three (blue, green, red).
struct TestPicture {
    int width = 0;
    int height = 0;
    int bytesPerPixel = 1;
    Bytes pixels;

    uint8_t At(int x, int y, int channel = 0) const { return pixels[(size_t(y) * width + x) * bytesPerPixel + channel]; }
};

// A picture whose every pixel differs from its neighbours, so misplaced rows and columns show.
inline TestPicture PatternPicture(int width, int height, int bytesPerPixel = 1)
{
    TestPicture picture{width, height, bytesPerPixel, {}};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < bytesPerPixel; ++c) picture.pixels.push_back(uint8_t(x * 7 + y * 31 + c * 101 + 1));
    return picture;
}

inline size_t RowBytes(int width, int bits) { return size_t((int64_t(width) * bits + 31) / 32 * 4); }

// Rows as a BMP stores them: bottom row first (top row first when topDown), padded to 4 bytes.
inline Bytes StoredRows(const TestPicture& picture, bool topDown = false)
{
    size_t row = RowBytes(picture.width, picture.bytesPerPixel * 8);
    Bytes rows(row * picture.height, 0);
    for (int y = 0; y < picture.height; ++y) {
        int stored = topDown ? y : picture.height - 1 - y;
        std::copy_n(picture.pixels.begin() + size_t(y) * picture.width * picture.bytesPerPixel,
                    size_t(picture.width) * picture.bytesPerPixel, rows.begin() + stored * row);
    }
    return rows;
}

inline Bytes TestColorTable(int entries)
{
    Bytes table;
    for (int i = 0; i < entries; ++i) {
        table.push_back(uint8_t(i * 3));        // blue
        table.push_back(uint8_t(255 - i));      // green
        table.push_back(uint8_t(i * 5 + 1));    // red
        table.push_back(0);
    }
    return table;
}

struct BmpFields {
    int32_t width = 0;
    int32_t height = 0;
    uint16_t bits = 8;
    uint32_t infoSize = 40;
    uint32_t compression = 0;
    uint32_t colorsUsed = 0;
    Bytes table;                 // written right after the info header
    Bytes pixels;                // written at the pixel offset
    int64_t pixelOffset = -1;    // -1: right after the table
    int64_t sizeField = -1;      // -1: the file's length
    uint16_t signature = 0x4D42;
};

inline Bytes MakeBmp(const BmpFields& f)
{
    Bytes file(14 + f.infoSize, 0);
    WriteLe16(&file[0], f.signature);
    if (f.infoSize >= 40) {
        uint8_t* info = &file[14];
        WriteLe32(info, f.infoSize);
        WriteLe32(info + 4, uint32_t(f.width));
        WriteLe32(info + 8, uint32_t(f.height));
        WriteLe16(info + 12, 1);
        WriteLe16(info + 14, f.bits);
        WriteLe32(info + 16, f.compression);
        WriteLe32(info + 20, uint32_t(f.pixels.size()));
        WriteLe32(info + 24, 2835);
        WriteLe32(info + 28, 2835);
        WriteLe32(info + 32, f.colorsUsed);
    } else if (f.infoSize >= 4) {
        WriteLe32(&file[14], f.infoSize);
    }
    file.insert(file.end(), f.table.begin(), f.table.end());
    int64_t offset = f.pixelOffset >= 0 ? f.pixelOffset : int64_t(file.size());
    if (int64_t(file.size()) < offset) file.resize(size_t(offset), 0xEE);
    file.insert(file.end(), f.pixels.begin(), f.pixels.end());
    WriteLe32(&file[2], uint32_t(f.sizeField >= 0 ? f.sizeField : int64_t(file.size())));
    WriteLe32(&file[10], uint32_t(offset));
    return file;
}

// A plain 8-bit BMP of the classic kind: 40-byte header, 256 colors, bottom-up rows.
inline Bytes MakeBmp8(const TestPicture& picture)
{
    BmpFields f;
    f.width = picture.width;
    f.height = picture.height;
    f.table = TestColorTable(256);
    f.pixels = StoredRows(picture);
    return MakeBmp(f);
}

inline Bytes MakeBmp24(const TestPicture& picture)
{
    BmpFields f;
    f.width = picture.width;
    f.height = picture.height;
    f.bits = 24;
    f.pixels = StoredRows(picture);
    return MakeBmp(f);
}

// PCX run-length encoding of one stream of bytes: runs of 2 or more, and single bytes that
// look like run codes, become (0xC0 | count, value).
inline Bytes PcxEncode(const Bytes& raw)
{
    Bytes out;
    for (size_t i = 0; i < raw.size();) {
        size_t run = 1;
        while (i + run < raw.size() && raw[i + run] == raw[i] && run < 63) ++run;
        if (run > 1 || raw[i] >= 0xC0) {
            out.push_back(uint8_t(0xC0 | run));
            out.push_back(raw[i]);
        } else {
            out.push_back(raw[i]);
        }
        i += run;
    }
    return out;
}

struct PcxFields {
    int16_t xmin = 0, ymin = 0, xmax = 0, ymax = 0;
    uint8_t manufacturer = 10;
    uint8_t version = 5;
    uint8_t bits = 8;
    uint8_t planes = 1;
    uint16_t bytesPerLine = 0;   // 0: the width
    Bytes data;                  // encoded scan lines
    bool palette = true;         // marker 0x0C and 768 bytes for 1-plane files
};

inline Bytes PcxTestPalette()
{
    Bytes palette;
    for (int i = 0; i < 256; ++i) {
        palette.push_back(uint8_t(i));          // red
        palette.push_back(uint8_t(255 - i));    // green
        palette.push_back(uint8_t(i * 7));      // blue
    }
    return palette;
}

inline Bytes MakePcx(const PcxFields& f)
{
    Bytes file(128 + f.data.size(), 0);
    std::copy(f.data.begin(), f.data.end(), file.begin() + 128);
    file[0] = f.manufacturer;
    file[1] = f.version;
    file[2] = 1;
    file[3] = f.bits;
    WriteLe16(&file[4], uint16_t(f.xmin));
    WriteLe16(&file[6], uint16_t(f.ymin));
    WriteLe16(&file[8], uint16_t(f.xmax));
    WriteLe16(&file[10], uint16_t(f.ymax));
    file[65] = f.planes;
    WriteLe16(&file[66], f.bytesPerLine ? f.bytesPerLine : uint16_t(f.xmax - f.xmin + 1));
    if (f.palette && f.planes == 1) {
        file.push_back(0x0C);
        Bytes palette = PcxTestPalette();
        file.insert(file.end(), palette.begin(), palette.end());
    }
    return file;
}

// Scan lines of a picture as a PCX stores them before encoding: top line first; 8-bit pictures
// one plane, 24-bit ones red, green and blue planes; each plane padded to bytesPerLine.
inline Bytes PcxLines(const TestPicture& picture, int bytesPerLine)
{
    Bytes raw;
    int planes = picture.bytesPerPixel;
    for (int y = 0; y < picture.height; ++y)
        for (int p = 0; p < planes; ++p) {
            int channel = planes == 1 ? 0 : 2 - p;  // the picture holds blue, green, red
            for (int x = 0; x < bytesPerLine; ++x) raw.push_back(x < picture.width ? picture.At(x, y, channel) : 0x5A);
        }
    return raw;
}

inline Bytes MakePcxOf(const TestPicture& picture, int bytesPerLine = 0)
{
    PcxFields f;
    f.xmax = int16_t(picture.width - 1);
    f.ymax = int16_t(picture.height - 1);
    f.planes = uint8_t(picture.bytesPerPixel);
    f.bytesPerLine = uint16_t(bytesPerLine ? bytesPerLine : picture.width);
    f.data = PcxEncode(PcxLines(picture, f.bytesPerLine));
    return MakePcx(f);
}

// Steps through the lengths of a file to cut: every byte near both ends, where the headers, the
// first rows and the palette of a PCX lie, and every 13th byte of the long middle.
inline size_t CutStep(size_t length, size_t size) { return length < 200 || length + 200 > size ? 1 : 13; }
