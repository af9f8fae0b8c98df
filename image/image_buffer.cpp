// The picture buffer: ownership of the picture block and its palettes, the accessors, and the
// copying of rectangles out of the picture.
#include "image/image_buffer.h"

#include <cstdlib>
#include <cstring>

#include "image/image_layout.h"
#include "image/image_message.h"
#include "image/log_palette.h"

namespace {

const char kPaletteMemoryText[] = "%s 팔레트 메모리가 부족합니다.";

int32_t AbsoluteOrZero(LONG value)
{
    // The minimum 32-bit value has no positive twin; no reader lets it into a block.
    if (value == INT32_MIN) return 0;
    return value < 0 ? -value : value;
}

int32_t ColorCountForBits(int bits)
{
    switch (bits) {
    case 1: return 2;
    case 4: return 16;
    case 8: return kPaletteEntries;
    default: return 0;
    }
}

}  // namespace

ImageBuffer::ImageBuffer()
    : info(nullptr), bitmapInfo(nullptr), block(nullptr), logPalette(nullptr), paletteHandle(nullptr),
      colorCount(0), bitCount(0), width(0), height(0), stride(0), sheetColors(0)
{
    fileName[0] = '\0';
    message[0] = '\0';
    std::memset(&fileHeader, 0, sizeof fileHeader);
}

ImageBuffer::~ImageBuffer() { Unload(); }

void ImageBuffer::Unload()
{
    std::free(block);
    block = nullptr;
    info = nullptr;
    bitmapInfo = nullptr;
    std::free(logPalette);
    logPalette = nullptr;
    if (paletteHandle != nullptr) DeleteObject(paletteHandle);
    paletteHandle = nullptr;
    colorCount = 0;
    bitCount = 0;
    width = 0;
    height = 0;
    stride = 0;
    sheetColors = 0;
}

int ImageBuffer::BuildPalette()
{
    if (info == nullptr) return 0;
    // A second call replaces the palettes of the first.
    std::free(logPalette);
    logPalette = nullptr;
    if (paletteHandle != nullptr) DeleteObject(paletteHandle);
    paletteHandle = nullptr;

    width = AbsoluteOrZero(info->biWidth);
    height = AbsoluteOrZero(info->biHeight);
    bitCount = info->biBitCount;
    colorCount = ColorCountForBits(bitCount);
    if (colorCount == 0) return 1;

    logPalette = NewLogPalette(ColorTable(), colorCount);
    if (logPalette == nullptr) return SetImageMessage(*this, kPaletteMemoryText);
    paletteHandle = CreatePalette(logPalette);
    if (paletteHandle == nullptr) return SetImageMessage(*this, kPaletteMemoryText);
    return 1;
}

int32_t ImageBuffer::Width() const { return block != nullptr ? width : 0; }

int32_t ImageBuffer::Height() const { return block != nullptr ? height : 0; }

uint8_t* ImageBuffer::Pixels() const
{
    if (block == nullptr) return nullptr;
    return block + kInfoHeaderSize + int64_t(colorCount) * kColorEntrySize;
}

RGBQUAD* ImageBuffer::ColorTable() const
{
    if (block == nullptr) return nullptr;
    return reinterpret_cast<RGBQUAD*>(block + kInfoHeaderSize);
}

uint8_t* ImageBuffer::CopyRegion(int x, int y, int w, int h)
{
    if (block == nullptr || info == nullptr) return nullptr;
    int bits = info->biBitCount;
    if (bits != 8 && bits != 24) return nullptr;
    // An empty or negative rectangle has nothing to copy.
    if (x < 0 || y < 0 || w <= 0 || h <= 0) return nullptr;
    if (int64_t(x) + w > width || int64_t(y) + h > height) return nullptr;

    int64_t bytesPerPixel = bits / 8;
    stride = int32_t(StoredRowBytes(width, bits));
    int64_t rowBytes = int64_t(w) * bytesPerPixel;
    auto* copy = static_cast<uint8_t*>(std::malloc(size_t(rowBytes * h)));
    if (copy == nullptr) return nullptr;
    const uint8_t* pixels = Pixels();
    for (int64_t i = 0; i < h; ++i) {
        const uint8_t* source = pixels + (int64_t(height) - 1 - (y + i)) * stride + x * bytesPerPixel;
        std::memcpy(copy + i * rowBytes, source, size_t(rowBytes));
    }
    return copy;
}
