// The indexing of true-colour sheets: the first bytes choose the layout a reader could hand over
// (bytes a pixel, where each channel is, alpha or not, rows up or down, the width), the rest are
// the pixels. A sheet of at most 256 colours becomes an 8-bit picture in the one layout whose
// every pixel shows its own colour (transparent ones index 0) and whose indices first appear in
// order; any other is refused with its count and no picture.
#include "fuzz/picture_checks.h"
#include "image/true_color.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 4) return 0;
    const uint8_t shape = data[0];
    const int width = 1 + ((data[1] | (data[2] << 8)) % 1024);
    const uint8_t order = data[3];
    data += 4;
    size -= 4;

    TrueColorPixels in;
    in.bytesPerPixel = shape & 1 ? 4 : 3;
    // A permutation of the channel bytes, 24 of them.
    int bytes[4] = {0, 1, 2, 3};
    for (int i = 3, o = order; i > 0; --i) {
        const int j = o % (i + 1);
        o /= i + 1;
        const int t = bytes[i];
        bytes[i] = bytes[j];
        bytes[j] = t;
    }
    if (in.bytesPerPixel == 3) {
        // Three of the bytes 0 to 2, in the permutation's order.
        int k = 0;
        for (int b : bytes)
            if (b < 3) bytes[k++] = b;
    }
    in.red = bytes[0];
    in.green = bytes[1];
    in.blue = bytes[2];
    in.alpha = in.bytesPerPixel == 4 && (shape & 2) ? bytes[3] : -1;
    in.zeroAlphaMeansOpaque = (shape & 4) != 0;
    const bool bottomUp = (shape & 8) != 0;
    const int64_t rowBytes = int64_t(width) * in.bytesPerPixel + ((shape >> 4) & 3);  // some padding
    const int64_t height = int64_t(size) / rowBytes;
    if (height == 0) return 0;
    in.width = width;
    in.height = int32_t(height);
    in.rowStep = bottomUp ? -rowBytes : rowBytes;
    in.topRow = data + (bottomUp ? (height - 1) * rowBytes : 0);

    ImageBuffer picture;
    if (IndexTrueColor(picture, in) != 1) {
        if (picture.message[0] == '\0' || picture.block != nullptr || picture.sheetColors <= kMaxSheetColors)
            __builtin_trap();  // a refusal says why, counts past 256, and leaves no picture
        return 0;
    }
    TouchPicture(picture);
    CopyRegions(picture, data, size);

    // Whether any pixel is transparent, as the rule decides it.
    bool transparency = false, anyAlpha = false;
    for (int64_t y = 0; y < height && in.alpha >= 0; ++y)
        for (int64_t x = 0; x < width; ++x) {
            const uint8_t a = in.topRow[y * in.rowStep + x * in.bytesPerPixel + in.alpha];
            transparency = transparency || a == 0;
            anyAlpha = anyAlpha || a != 0;
        }
    if (in.zeroAlphaMeansOpaque && !anyAlpha) transparency = false;

    const RGBQUAD* table = picture.ColorTable();
    const uint8_t* rows = picture.Pixels();
    // The next index to appear for the first time; with transparency, index 0 is taken before the
    // first pixel, by the transparent colour.
    int next = transparency ? 1 : 0;
    for (int64_t y = 0; y < height; ++y)
        for (int64_t x = 0; x < width; ++x) {
            const uint8_t* pixel = in.topRow + y * in.rowStep + x * in.bytesPerPixel;
            const uint8_t index = rows[(height - 1 - y) * picture.stride + x];
            if (index >= picture.sheetColors || index > next) __builtin_trap();
            if (index == next) ++next;
            if (transparency && pixel[in.alpha] == 0) {
                if (index != 0) __builtin_trap();
                continue;
            }
            if (transparency && index == 0) __builtin_trap();
            const RGBQUAD& c = table[index];
            if (c.rgbRed != pixel[in.red] || c.rgbGreen != pixel[in.green] || c.rgbBlue != pixel[in.blue])
                __builtin_trap();
        }
    if (next != picture.sheetColors) __builtin_trap();
    for (int i = next; i < kPaletteEntries; ++i)
        if (table[i].rgbRed != 0 || table[i].rgbGreen != 0 || table[i].rgbBlue != 0) __builtin_trap();
    return 0;
}
