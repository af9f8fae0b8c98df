// The PCX reader. A PCX file is a 128-byte header, the run-length encoded scan lines (top line
// first; each line holds every color plane in turn, `bytes per line` bytes a plane, which
// encoders may pad beyond the width), and for 8-bit pictures a marker byte and 768 bytes of
// palette (red, green, blue triples) at the end.
//
// The reader builds the picture layout of the BMP reader: 1 plane of 8 bits becomes an 8-bit
// picture with a 256-entry color table, rows bottom row first; 3 planes of 8 bits (red, green,
// blue) are a true-colour picture, indexed to 8 bits (image/true_color.h). The reader parses
// bytes in memory; LoadPcx reads the whole file first.
#include "image/image_buffer.h"

#include <cstdlib>
#include <cstring>

#include "image/image_layout.h"
#include "image/image_message.h"
#include "image/true_color.h"
#include "sprite/file_io.h"

namespace {

constexpr int kPcxHeaderSize = 128;
constexpr uint8_t kPcxManufacturer = 10;
constexpr uint8_t kPcxVersion = 5;
constexpr int kManufacturerOffset = 0;
constexpr int kVersionOffset = 1;
constexpr int kBitsPerPixelOffset = 3;
constexpr int kXminOffset = 4;
constexpr int kYminOffset = 6;
constexpr int kXmaxOffset = 8;
constexpr int kYmaxOffset = 10;
constexpr int kPlanesOffset = 65;
constexpr int kBytesPerLineOffset = 66;
constexpr int kPcxBitsPerPixel = 8;
constexpr int kPlanesIndexed = 1;
constexpr int kPlanesTrueColor = 3;
constexpr int kPcxPaletteBytes = 768;
constexpr uint8_t kRunFlags = 0xC0;
constexpr uint8_t kRunCountMask = 0x3F;
constexpr int64_t kLongestRun = 63;  // the most bytes one encoded byte can stand for

const char kMissingText[] = "파일이 존재하지 않습니다.(%s)";
const char kNotPcxText[] = "%s는 PCX파일이 아닙니다.";
const char kDepthText[] = "PCX파일이 8비트 혹은 24비트 컬러가 아닙니다";
const char kMemoryText[] = "메모리가 부족합니다";
const char kSizeText[] = "%s PCX파일의 그림 크기가 잘못되었습니다.";
const char kLineText[] = "%s PCX파일의 한 줄 바이트 수가 잘못되었습니다.";
const char kReadText[] = "%s 파일을 읽을수 없습니다.";

// Decodes PCX run-length data. A byte whose two top bits are set is a run: its low six bits
// count copies of the byte that follows. Any other byte stands for itself. A run that passes
// the end of one request carries on into the next, so runs may cross scan lines. `Source` gives
// the encoded bytes one by one through Next(), -1 at the end.
template <class Source>
class RunReader {
public:
    explicit RunReader(Source& stream) : stream_(stream) {}

    size_t Read(uint8_t* destination, size_t length)
    {
        size_t produced = 0;
        while (produced < length) {
            if (pending_ > 0) {
                size_t take = pending_ < length - produced ? pending_ : length - produced;
                std::memset(destination + produced, pendingValue_, take);
                produced += take;
                pending_ -= take;
                continue;
            }
            int code = stream_.Next();
            if (code < 0) break;
            if ((code & kRunFlags) == kRunFlags) {
                int value = stream_.Next();
                if (value < 0) break;
                pending_ = size_t(code & kRunCountMask);
                pendingValue_ = uint8_t(value);
            } else {
                destination[produced++] = uint8_t(code);
            }
        }
        return produced;
    }

private:
    Source& stream_;
    size_t pending_ = 0;
    uint8_t pendingValue_ = 0;
};

// The encoded bytes of a C stream.
struct StreamSource {
    std::FILE* stream;
    int Next() { return std::getc(stream); }
};

int32_t Extent(const uint8_t* header, int minOffset, int maxOffset)
{
    return int32_t(int16_t(ReadLe16(header + maxOffset))) - int16_t(ReadLe16(header + minOffset)) + 1;
}

int ReadPcx(ImageBuffer& image, ByteReader& file)
{
    uint8_t header[kPcxHeaderSize];
    if (!file.Read(header, sizeof header) || header[kManufacturerOffset] != kPcxManufacturer ||
        header[kVersionOffset] != kPcxVersion)
        return SetImageMessage(image, kNotPcxText);  // the previous picture stays

    image.Unload();
    int planes = header[kPlanesOffset];
    if ((planes != kPlanesIndexed && planes != kPlanesTrueColor) || header[kBitsPerPixelOffset] != kPcxBitsPerPixel)
        return SetImageMessage(image, kDepthText);
    int64_t width = Extent(header, kXminOffset, kXmaxOffset);
    int64_t height = Extent(header, kYminOffset, kYmaxOffset);
    if (width <= 0 || height <= 0) return SetImageMessage(image, kSizeText);
    int64_t bytesPerLine = ReadLe16(header + kBytesPerLineOffset);
    if (bytesPerLine < width) return SetImageMessage(image, kLineText);

    bool indexed = planes == kPlanesIndexed;
    // An indexed file's rows go straight into the picture; a true-colour file's into blue, green,
    // red pixels, top row first, which are then indexed.
    int bits = indexed ? kPcxBitsPerPixel : kPcxBitsPerPixel * kPlanesTrueColor;
    PictureSize rows;
    if (!CheckPictureSize(width, height, bits, &rows)) return SetImageMessage(image, kMemoryText);
    const int64_t stride = indexed ? rows.rowBytes : 3 * width;

    // Even a file of nothing but the longest runs cannot fill more than this; a shorter file is
    // cut short, and is refused before the picture is allocated.
    int64_t lineBytes = bytesPerLine * planes;
    const int64_t fileLength = int64_t(file.Size());
    if ((fileLength - kPcxHeaderSize) * kLongestRun < lineBytes * height) return SetImageMessage(image, kReadText);

    int64_t tableBytes = indexed ? kPaletteBytes : 0;
    int64_t layoutBytes = indexed ? kInfoHeaderSize + tableBytes + rows.bytes : stride * height;
    auto* block = static_cast<uint8_t*>(std::calloc(size_t(indexed ? PictureBlockBytes(layoutBytes) : layoutBytes), 1));
    if (block == nullptr) return SetImageMessage(image, kMemoryText);
    auto* line = static_cast<uint8_t*>(std::malloc(size_t(lineBytes)));  // at most 3 * 65535 bytes
    if (line == nullptr) {
        std::free(block);
        return SetImageMessage(image, kMemoryText);
    }
    uint8_t* table = indexed ? block + kInfoHeaderSize : nullptr;
    uint8_t* pixels = indexed ? table + tableBytes : block;

    // Scan line i becomes stored row height - 1 - i of an indexed picture, row i of a true-colour
    // one; only the first `width` bytes of each plane are pixels, the rest of the line is the
    // encoder's padding.
    RunReader<ByteReader> runs(file);
    bool complete = true;
    for (int64_t i = 0; i < height && complete; ++i) {
        complete = runs.Read(line, size_t(lineBytes)) == size_t(lineBytes);
        if (!complete) break;
        if (indexed) {
            std::memcpy(pixels + (height - 1 - i) * stride, line, size_t(width));
            continue;
        }
        uint8_t* row = pixels + i * stride;
        const uint8_t* red = line;
        const uint8_t* green = red + bytesPerLine;
        const uint8_t* blue = green + bytesPerLine;
        for (int64_t x = 0; x < width; ++x) {
            row[3 * x] = blue[x];
            row[3 * x + 1] = green[x];
            row[3 * x + 2] = red[x];
        }
    }
    std::free(line);
    if (complete && indexed) {
        uint8_t triples[kPcxPaletteBytes];
        complete = file.Next() >= 0 && file.Read(triples, sizeof triples);
        for (int i = 0; complete && i < kPaletteEntries; ++i) {
            RGBQUAD& entry = reinterpret_cast<RGBQUAD*>(table)[i];
            entry.rgbRed = triples[3 * i];
            entry.rgbGreen = triples[3 * i + 1];
            entry.rgbBlue = triples[3 * i + 2];
            entry.rgbReserved = 0;
        }
    }
    if (!complete) {
        std::free(block);
        return SetImageMessage(image, kReadText);
    }
    if (!indexed) {
        const TrueColorPixels rgb{block, stride, int32_t(width), int32_t(height), 3, 2, 1, 0, -1, false};
        const int indexedOk = IndexTrueColor(image, rgb);
        std::free(block);
        return indexedOk;
    }

    BITMAPINFOHEADER info;
    std::memset(&info, 0, sizeof info);
    info.biSize = kInfoHeaderSize;
    info.biWidth = LONG(width);
    info.biHeight = LONG(height);
    info.biPlanes = 1;
    info.biBitCount = WORD(bits);
    info.biCompression = BI_RGB;
    std::memcpy(block, &info, sizeof info);

    image.block = block;
    image.info = reinterpret_cast<BITMAPINFOHEADER*>(block);
    image.bitmapInfo = reinterpret_cast<BITMAPINFO*>(block);
    image.colorCount = kPaletteEntries;
    image.bitCount = bits;
    image.stride = int32_t(stride);
    image.BuildPalette();  // a palette failure leaves its text but the picture stands
    return 1;
}

}  // namespace

int ImageBuffer::LoadPcx(const char* path)
{
    SetImageFileName(*this, path);
    FileBytes file;
    switch (file.Read(path)) {
    case FileBytes::kCannotOpen:
        return SetImageMessage(*this, kMissingText);  // the previous picture stays
    case FileBytes::kNoMemory:
        return SetImageMessage(*this, kMemoryText);  // nothing read yet: the previous picture stays
    case FileBytes::kRead:
    case FileBytes::kReadError:  // the bytes before the error, which the checks refuse or take
        break;
    }
    ByteReader bytes(file.Data(), file.Size());
    return ReadPcx(*this, bytes);
}

int ImageBuffer::LoadPcxFromMemory(const uint8_t* data, size_t size, const char* name)
{
    SetImageFileName(*this, name);
    ByteReader bytes(data, size);
    return ReadPcx(*this, bytes);
}

size_t ReadPcxRle(uint8_t* destination, size_t length, std::FILE* stream)
{
    if (destination == nullptr || stream == nullptr) return 0;
    StreamSource source{stream};
    return RunReader<StreamSource>(source).Read(destination, length);
}

size_t ReadPcxRleFromMemory(uint8_t* destination, size_t length, const uint8_t* data, size_t size)
{
    if (destination == nullptr) return 0;
    ByteReader source(data, size);
    return RunReader<ByteReader>(source).Read(destination, length);
}
