// The BMP reader. A BMP file is a 14-byte file header, an info header (40 bytes, or 108/124 in
// the later versions), an optional color table, and the pixel rows at the file header's pixel
// offset: bottom row first (top row first when the height is negative), each padded to a
// multiple of 4 bytes, or run-length encoded (8 and 4 bits per pixel).
//
// Whatever the file holds, the reader builds the one layout the rest of the program knows: a
// 40-byte info header with a positive height and no compression, the full color table
// (2, 16 or 256 entries; entries the file does not hold are zero), then the rows bottom row
// first. A file already in that layout loads byte for byte. True-colour files (24 bits, 32 bits
// blue-green-red with the fourth byte as alpha, or 32 bits with byte-wide bit fields) are
// indexed to 8 bits (image/true_color.h). Every size is checked against the file's length and
// the caps before anything is allocated. The reader parses bytes in memory; LoadBmp reads the
// whole file first.
#include "image/image_buffer.h"

#include <cstdlib>
#include <cstring>

#include "image/image_layout.h"
#include "image/image_message.h"
#include "image/true_color.h"
#include "sprite/file_io.h"

namespace {

constexpr uint16_t kBmpSignature = 0x4D42;  // "BM"
constexpr int kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;    // the old OS/2 header, which we do not read
// The channel masks of a bit-field file: inside the info header from its 52-byte form on (alpha
// from the 56-byte form on), otherwise the three 4-byte masks right after a 40-byte header.
constexpr int kMaskOffset = 40;
constexpr int kAlphaMaskOffset = 52;
constexpr int kHeaderWithMasks = 52;
constexpr int kHeaderWithAlphaMask = 56;
constexpr int kMaskBytes = 12;

const char kMissingText[] = "%s 파일이 없습니다.";
const char kHeaderText[] = "%s BMP헤더를 읽을수 없읍니다.";
const char kNotBmpText[] = "%s BMP파일이 아닙니다.";
const char kMemoryText[] = "%s 메모리가 부족합니다.";
const char kReadText[] = "%s 파일을 읽을수 없습니다.";
const char kBadHeaderText[] = "%s BMP헤더가 잘못되었습니다.";
const char kUnsupportedText[] = "%s 지원하지 않는 BMP형식입니다.";

// Run-length encoded rows (8 or 4 bits per pixel), bottom row first. A code pair (n, v) with
// n > 0 is a run of n pixels (of v, or of v's two nibbles in turn); (0, 0) ends the line,
// (0, 1) ends the picture, (0, 2, dx, dy) moves right and up, and (0, n >= 3) is followed by n
// literal pixels padded to an even number of bytes. Pixels a code places outside the picture are
// dropped; pixels no code reaches stay 0. False when the data ends before the picture does.
class RleDecoder {
public:
    RleDecoder(ByteReader& stream, uint8_t* pixels, int64_t rowBytes, int64_t width, int64_t height, int bits)
        : stream_(stream), pixels_(pixels), rowBytes_(rowBytes), width_(width), height_(height), bits_(bits)
    {
    }

    bool Decode()
    {
        for (;;) {
            if (y_ >= height_) return true;  // every later pixel would fall outside
            int count = stream_.Next();
            int value = stream_.Next();
            if (value < 0) return false;
            if (count > 0) {
                Run(count, uint8_t(value));
                continue;
            }
            switch (value) {
            case 0:  // end of line
                x_ = 0;
                ++y_;
                break;
            case 1:  // end of picture
                return true;
            case 2: {  // delta
                int dx = stream_.Next();
                int dy = stream_.Next();
                if (dy < 0) return false;
                x_ += dx;
                y_ += dy;
                break;
            }
            default:
                if (!Literal(value)) return false;
                break;
            }
        }
    }

private:
    void Put(int64_t x, uint8_t index)
    {
        if (x >= width_) return;
        uint8_t* row = pixels_ + y_ * rowBytes_;
        if (bits_ == 8) {
            row[x] = index;
        } else if (x % 2 == 0) {
            row[x / 2] = uint8_t((row[x / 2] & 0x0F) | (index << 4));
        } else {
            row[x / 2] = uint8_t((row[x / 2] & 0xF0) | index);
        }
    }

    void Run(int count, uint8_t value)
    {
        if (bits_ == 8) {
            int64_t end = x_ + count < width_ ? x_ + count : width_;
            if (end > x_) std::memset(pixels_ + y_ * rowBytes_ + x_, value, size_t(end - x_));
        } else {
            for (int i = 0; i < count && x_ + i < width_; ++i) Put(x_ + i, (i % 2 == 0) ? value >> 4 : value & 0x0F);
        }
        x_ += count;
    }

    bool Literal(int count)
    {
        int bytes = bits_ == 8 ? count : (count + 1) / 2;
        int padded = bytes + (bytes % 2);
        uint8_t data[256];
        if (!stream_.Read(data, size_t(padded))) return false;
        for (int i = 0; i < count; ++i) {
            uint8_t index = bits_ == 8 ? data[i] : (i % 2 == 0 ? data[i / 2] >> 4 : data[i / 2] & 0x0F);
            Put(x_ + i, index);
        }
        x_ += count;
        return true;
    }

    ByteReader& stream_;
    uint8_t* pixels_;
    int64_t rowBytes_;
    int64_t width_;
    int64_t height_;
    int bits_;
    int64_t x_ = 0;
    int64_t y_ = 0;
};

bool IsKnownDepth(int bits)
{
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// The byte of a 32-bit pixel that a channel mask covers: 0 to 3, or -1 for a mask of any other
// shape (fewer or more than 8 bits, or not on a byte).
int MaskByte(uint32_t mask)
{
    for (int byte = 0; byte < 4; ++byte)
        if (mask == uint32_t(0xFF) << (8 * byte)) return byte;
    return -1;
}

// Where the channels of a 24- or 32-bit file are, and the first pixel row in the file (bottom or
// top, as the file stores them). False for bit fields this reader does not take: masks that are
// not whole distinct bytes.
bool DescribeTrueColor(ByteReader& file, const uint8_t* infoBytes, int64_t infoSize, int64_t tableStart,
                       int64_t pixelOffset, TrueColorPixels* pixels)
{
    const int bits = ReadLe16(infoBytes + 14);
    pixels->bytesPerPixel = bits / 8;
    pixels->blue = 0;
    pixels->green = 1;
    pixels->red = 2;
    // A fourth byte that many writers leave 0: alpha when any pixel sets it.
    pixels->alpha = bits == 32 ? 3 : -1;
    pixels->zeroAlphaMeansOpaque = true;
    if (ReadLe32(infoBytes + 16) == BI_BITFIELDS) {
        uint8_t masks[kMaskBytes];
        if (infoSize >= kHeaderWithMasks) {
            std::memcpy(masks, infoBytes + kMaskOffset, sizeof masks);
        } else if (!file.Seek(uint64_t(tableStart)) || !file.Read(masks, sizeof masks)) {
            return false;
        }
        pixels->red = MaskByte(ReadLe32(masks));
        pixels->green = MaskByte(ReadLe32(masks + 4));
        pixels->blue = MaskByte(ReadLe32(masks + 8));
        const uint32_t alphaMask = infoSize >= kHeaderWithAlphaMask ? ReadLe32(infoBytes + kAlphaMaskOffset) : 0;
        pixels->alpha = alphaMask != 0 ? MaskByte(alphaMask) : -1;
        const int r = pixels->red, g = pixels->green, b = pixels->blue, a = pixels->alpha;
        if (r < 0 || g < 0 || b < 0 || r == g || r == b || g == b || (alphaMask != 0 && (a < 0 || a == r || a == g || a == b)))
            return false;
    }
    if (!file.Seek(uint64_t(pixelOffset))) return false;
    pixels->topRow = file.Take(0);
    return pixels->topRow != nullptr;
}

int ReadBmp(ImageBuffer& image, ByteReader& file)
{
    uint8_t fileHeader[kFileHeaderSize];
    if (!file.Read(fileHeader, sizeof fileHeader)) return SetImageMessage(image, kHeaderText);
    BITMAPFILEHEADER& header = image.fileHeader;
    header.bfType = ReadLe16(fileHeader);
    header.bfSize = ReadLe32(fileHeader + 2);
    header.bfReserved1 = ReadLe16(fileHeader + 6);
    header.bfReserved2 = ReadLe16(fileHeader + 8);
    header.bfOffBits = ReadLe32(fileHeader + 10);
    if (header.bfType != kBmpSignature) return SetImageMessage(image, kNotBmpText);

    // The file must hold as many bytes as its header says, and the info header.
    const int64_t fileLength = int64_t(file.Size());
    if (int64_t(header.bfSize) > fileLength) return SetImageMessage(image, kReadText);
    uint8_t infoBytes[kHeaderWithAlphaMask] = {};
    if (fileLength < kFileHeaderSize + 4 || !file.Seek(kFileHeaderSize) || !file.Read(infoBytes, 4))
        return SetImageMessage(image, kReadText);
    int64_t infoSize = ReadLe32(infoBytes);
    if (infoSize == kCoreHeaderSize) return SetImageMessage(image, kUnsupportedText);
    if (infoSize < kInfoHeaderSize) return SetImageMessage(image, kBadHeaderText);
    const int64_t infoRead = infoSize < kHeaderWithAlphaMask ? infoSize : kHeaderWithAlphaMask;
    if (kFileHeaderSize + infoSize > fileLength || !file.Read(infoBytes + 4, uint64_t(infoRead - 4)))
        return SetImageMessage(image, kReadText);

    BITMAPINFOHEADER info;
    info.biSize = kInfoHeaderSize;
    info.biWidth = LONG(ReadLe32(infoBytes + 4));
    info.biHeight = LONG(ReadLe32(infoBytes + 8));
    info.biPlanes = ReadLe16(infoBytes + 12);
    info.biBitCount = ReadLe16(infoBytes + 14);
    info.biCompression = ReadLe32(infoBytes + 16);
    info.biSizeImage = ReadLe32(infoBytes + 20);
    info.biXPelsPerMeter = LONG(ReadLe32(infoBytes + 24));
    info.biYPelsPerMeter = LONG(ReadLe32(infoBytes + 28));
    info.biClrUsed = ReadLe32(infoBytes + 32);
    info.biClrImportant = ReadLe32(infoBytes + 36);

    // The kind of pixel data first: a file holding a JPEG or a PNG (compression 4 or 5) says bit
    // count 0, and is a kind we do not read rather than a damaged header.
    const DWORD compression = info.biCompression;
    if (compression != BI_RGB && compression != BI_RLE8 && compression != BI_RLE4 && compression != BI_BITFIELDS)
        return SetImageMessage(image, kUnsupportedText);
    int bits = info.biBitCount;
    if (info.biWidth <= 0 || info.biHeight == 0 || info.biHeight == INT32_MIN || !IsKnownDepth(bits))
        return SetImageMessage(image, kBadHeaderText);
    bool topDown = info.biHeight < 0;
    int64_t width = info.biWidth;
    int64_t height = topDown ? -int64_t(info.biHeight) : int64_t(info.biHeight);
    bool rle = compression == BI_RLE8 || compression == BI_RLE4;
    if ((compression == BI_RLE8 && bits != 8) || (compression == BI_RLE4 && bits != 4) || (rle && topDown) ||
        (compression == BI_BITFIELDS && bits != 32))
        return SetImageMessage(image, kUnsupportedText);

    PictureSize rows;
    if (!CheckPictureSize(width, height, bits, &rows)) return SetImageMessage(image, kMemoryText);
    const int64_t rowBytes = rows.rowBytes;

    // The color table follows the info header, whatever its size; a color count below the
    // full table means a shorter table. The pixels start at the file's pixel offset, unless
    // that points back into the headers: then they follow the color table.
    int64_t colorCount = bits <= 8 ? int64_t(1) << bits : 0;
    int64_t entriesInFile = colorCount;
    if (info.biClrUsed > 0 && info.biClrUsed < colorCount) entriesInFile = info.biClrUsed;
    int64_t tableStart = kFileHeaderSize + infoSize;
    int64_t tableEnd = tableStart + entriesInFile * kColorEntrySize;
    if (compression == BI_BITFIELDS && infoSize < kHeaderWithMasks) tableEnd += kMaskBytes;
    if (tableEnd > fileLength) return SetImageMessage(image, kReadText);
    int64_t pixelOffset = header.bfOffBits >= tableEnd ? int64_t(header.bfOffBits) : tableEnd;
    if (rle ? pixelOffset >= fileLength : pixelOffset + rows.bytes > fileLength)
        return SetImageMessage(image, kReadText);

    if (bits == 24 || bits == 32) {
        TrueColorPixels pixels;
        if (!DescribeTrueColor(file, infoBytes, infoSize, tableStart, pixelOffset, &pixels))
            return SetImageMessage(image, kUnsupportedText);
        pixels.width = int32_t(width);
        pixels.height = int32_t(height);
        pixels.rowStep = topDown ? rowBytes : -rowBytes;
        if (!topDown) pixels.topRow += (height - 1) * rowBytes;
        return IndexTrueColor(image, pixels);
    }

    if (info.biClrUsed != 0 && info.biClrUsed != colorCount) info.biClrUsed = 0;  // the table is full now
    if (topDown) info.biHeight = LONG(height);
    if (rle) {
        info.biCompression = BI_RGB;
        info.biSizeImage = DWORD(rows.bytes);
    }

    int64_t tableBytes = colorCount * kColorEntrySize;
    int64_t layoutBytes = kInfoHeaderSize + tableBytes + rows.bytes;
    auto* block = static_cast<uint8_t*>(std::calloc(size_t(PictureBlockBytes(layoutBytes)), 1));
    if (block == nullptr) return SetImageMessage(image, kMemoryText);
    std::memcpy(block, &info, sizeof info);
    uint8_t* table = block + kInfoHeaderSize;
    uint8_t* pixels = table + tableBytes;

    bool complete = file.Seek(uint64_t(tableStart)) && file.Read(table, uint64_t(entriesInFile * kColorEntrySize)) &&
                    file.Seek(uint64_t(pixelOffset));
    if (complete && rle) {
        complete = RleDecoder(file, pixels, rowBytes, width, height, bits).Decode();
    } else if (complete && topDown) {
        for (int64_t row = height - 1; row >= 0 && complete; --row)
            complete = file.Read(pixels + row * rowBytes, uint64_t(rowBytes));
    } else if (complete) {
        complete = file.Read(pixels, uint64_t(rows.bytes));
    }
    if (!complete) {
        std::free(block);
        return SetImageMessage(image, kReadText);
    }

    image.block = block;
    image.info = reinterpret_cast<BITMAPINFOHEADER*>(block);
    image.bitmapInfo = reinterpret_cast<BITMAPINFO*>(block);
    image.stride = int32_t(rowBytes);
    image.BuildPalette();  // a palette failure leaves its text but the picture stands
    return 1;
}

}  // namespace

int ImageBuffer::LoadBmp(const char* path)
{
    SetImageFileName(*this, path);
    Unload();
    FileBytes file;
    switch (file.Read(path)) {
    case FileBytes::kCannotOpen:
        return SetImageMessage(*this, kMissingText);
    case FileBytes::kNoMemory:
        return SetImageMessage(*this, kMemoryText);
    case FileBytes::kRead:
    case FileBytes::kReadError:  // the bytes before the error, which the checks refuse or take
        break;
    }
    ByteReader bytes(file.Data(), file.Size());
    return ReadBmp(*this, bytes);
}

int ImageBuffer::LoadBmpFromMemory(const uint8_t* data, size_t size, const char* name)
{
    SetImageFileName(*this, name);
    Unload();
    ByteReader bytes(data, size);
    return ReadBmp(*this, bytes);
}
