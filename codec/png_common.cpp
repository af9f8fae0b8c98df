#include "codec/png_common.h"

#include <cstring>

#include "image/image_layout.h"

bool HasPngSignature(const uint8_t* data, size_t size)
{
    static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    return data != nullptr && size >= sizeof kSignature && std::memcmp(data, kSignature, sizeof kSignature) == 0;
}

PngStatus CheckDecodedSize(int64_t width, int64_t height, bool indexed)
{
    PictureSize size;
    return CheckPictureSize(width, height, indexed ? 8 : 32, &size) ? PngStatus::kOk : PngStatus::kTooLarge;
}

void WidenIndices(const uint8_t* packed, size_t rowBytes, int width, int height, int bits, uint8_t* widened)
{
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = packed + size_t(y) * rowBytes;
        uint8_t* out = widened + size_t(y) * size_t(width);
        if (bits == 8) {
            std::memcpy(out, row, size_t(width));
            continue;
        }
        const int perByte = 8 / bits;
        const unsigned mask = (1u << bits) - 1;
        for (int x = 0; x < width; ++x) {
            const int shift = 8 - bits * (x % perByte + 1);
            out[x] = uint8_t((row[x / perByte] >> shift) & mask);
        }
    }
}
