// The indexing of true-colour sheets (rules in true_color.h). One pass over the pixels writes the
// indices while it collects the colours: a colour is a 25-bit key (red, green, blue, or the one
// transparent key), looked up in a small open-addressed table unless it repeats the pixel before,
// which on sprite sheets it mostly does. When a 257th colour appears the picture is refused, and
// the rest of it is only counted.
#include "image/true_color.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "image/image_layout.h"
#include "image/image_message.h"

namespace {

const char kMemoryText[] = "%s 메모리가 부족합니다.";
// Says how many colours the sheet has and what to do about it; no file name, so the advice is
// never cut off by a long path.
const char kTooManyColorsText[] = "그림의 색이 %d가지입니다. 그림 프로그램에서 256색으로 줄여 주십시오.";

constexpr uint32_t kTransparentKey = 1u << 24;  // beyond every red-green-blue key
constexpr uint32_t kKeyCount = kTransparentKey + 1;
constexpr uint32_t kNoKey = 0xFFFFFFFFu;

inline uint32_t ColorKey(const uint8_t* pixel, int red, int green, int blue)
{
    return (uint32_t(pixel[red]) << 16) | (uint32_t(pixel[green]) << 8) | pixel[blue];
}

// The colours met so far and their indices, in order of arrival.
class ColorTable {
public:
    ColorTable()
    {
        for (uint32_t& key : slotKeys_) key = kNoKey;
    }

    // The index of `key`, which becomes the next one when the key is new; -1 when the key is new
    // and every index is taken.
    int IndexOf(uint32_t key)
    {
        uint32_t slot = (key * 2654435761u) >> (32 - kSlotBits);
        for (;;) {
            if (slotKeys_[slot] == key) return slotIndices_[slot];
            if (slotKeys_[slot] == kNoKey) break;
            slot = (slot + 1) & (kSlots - 1);
        }
        if (count_ == kMaxSheetColors) return -1;
        slotKeys_[slot] = key;
        slotIndices_[slot] = uint8_t(count_);
        keys_[count_] = key;
        return count_++;
    }

    int Count() const { return count_; }
    uint32_t Key(int index) const { return keys_[index]; }

private:
    static constexpr int kSlotBits = 10;  // four slots a colour: probes stay short
    static constexpr int kSlots = 1 << kSlotBits;
    uint32_t slotKeys_[kSlots];
    uint8_t slotIndices_[kSlots];
    uint32_t keys_[kMaxSheetColors];
    int count_ = 0;
};

struct Stop {
    int64_t x = 0, y = 0;
};

// Writes the index of every pixel into the 8-bit rows (bottom row first, `stride` bytes a row).
// False at the first pixel whose colour finds no index left, with its place in *stop.
template <int kBytes, bool kAlpha>
bool IndexRows(const TrueColorPixels& in, ColorTable& table, uint8_t* rows, int64_t stride, Stop* stop)
{
    const int red = in.red, green = in.green, blue = in.blue, alpha = in.alpha;
    for (int64_t y = 0; y < in.height; ++y) {
        const uint8_t* pixel = in.topRow + y * in.rowStep;
        uint8_t* out = rows + (in.height - 1 - y) * stride;
        uint32_t lastKey = kNoKey;
        uint8_t lastIndex = 0;
        for (int64_t x = 0; x < in.width; ++x, pixel += kBytes) {
            const uint32_t key = (kAlpha && pixel[alpha] == 0) ? kTransparentKey : ColorKey(pixel, red, green, blue);
            if (key != lastKey) {
                const int index = table.IndexOf(key);
                if (index < 0) {
                    *stop = Stop{x, y};
                    return false;
                }
                lastKey = key;
                lastIndex = uint8_t(index);
            }
            out[x] = lastIndex;
        }
    }
    return true;
}

bool IndexAll(const TrueColorPixels& in, bool transparency, ColorTable& table, uint8_t* rows, int64_t stride,
              Stop* stop)
{
    if (in.bytesPerPixel == 3) return IndexRows<3, false>(in, table, rows, stride, stop);
    if (transparency) return IndexRows<4, true>(in, table, rows, stride, stop);
    return IndexRows<4, false>(in, table, rows, stride, stop);
}

// The key of every pixel from `from` on, in reading order, to `each`.
template <class Each>
void EachKeyFrom(const TrueColorPixels& in, bool transparency, Stop from, Each each)
{
    const int bytes = in.bytesPerPixel;
    for (int64_t y = from.y; y < in.height; ++y) {
        const uint8_t* row = in.topRow + y * in.rowStep;
        for (int64_t x = y == from.y ? from.x : 0; x < in.width; ++x) {
            const uint8_t* pixel = row + x * bytes;
            each(transparency && pixel[in.alpha] == 0 ? kTransparentKey : ColorKey(pixel, in.red, in.green, in.blue));
        }
    }
}

// Counts the distinct colours of a sheet known to have more than the table holds: the table's
// colours, and every pixel's from `from` on. The keys of a small rest are sorted; a large rest is
// marked in a bit set of every possible key (2 MiB). 0 when the memory cannot be had.
int64_t CountColors(const TrueColorPixels& in, bool transparency, const ColorTable& table, Stop from)
{
    constexpr int64_t kSortedRest = int64_t(1) << 16;
    const int64_t rest = (in.height - from.y) * in.width - from.x;
    if (rest <= kSortedRest) {
        auto* keys = static_cast<uint32_t*>(std::malloc(size_t(rest + table.Count()) * sizeof(uint32_t)));
        if (keys == nullptr) return 0;
        size_t count = 0;
        for (int i = 0; i < table.Count(); ++i) keys[count++] = table.Key(i);
        EachKeyFrom(in, transparency, from, [&](uint32_t key) { keys[count++] = key; });
        std::sort(keys, keys + count);
        const int64_t distinct = std::unique(keys, keys + count) - keys;
        std::free(keys);
        return distinct;
    }
    auto* seen = static_cast<uint64_t*>(std::calloc((kKeyCount + 63) / 64, sizeof(uint64_t)));
    if (seen == nullptr) return 0;
    int64_t count = 0;
    auto mark = [&](uint32_t key) {
        uint64_t& word = seen[key >> 6];
        const uint64_t bit = uint64_t(1) << (key & 63);
        count += (word & bit) == 0;
        word |= bit;
    };
    for (int i = 0; i < table.Count(); ++i) mark(table.Key(i));
    EachKeyFrom(in, transparency, from, mark);
    std::free(seen);
    return count;
}

// Looks through the alpha bytes: whether any pixel is transparent, and the first that is.
bool FindTransparent(const TrueColorPixels& in, const uint8_t** first)
{
    if (in.alpha < 0) return false;
    *first = nullptr;
    bool anyOther = false;
    for (int64_t y = 0; y < in.height; ++y) {
        const uint8_t* pixel = in.topRow + y * in.rowStep + in.alpha;
        for (int64_t x = 0; x < in.width; ++x, pixel += in.bytesPerPixel) {
            if (*pixel != 0) {
                anyOther = true;
            } else if (*first == nullptr) {
                *first = pixel - in.alpha;
            }
            if (*first != nullptr && (anyOther || !in.zeroAlphaMeansOpaque)) return true;
        }
    }
    // Every alpha byte 0: a file that keeps no alpha, when that may be.
    return *first != nullptr && (anyOther || !in.zeroAlphaMeansOpaque);
}

// A new block for an 8-bit picture of this size, its info header written, the rest zero; null
// when the size is refused or there is no memory.
uint8_t* NewIndexedBlock(int64_t width, int64_t height, PictureSize* rows)
{
    if (!CheckPictureSize(width, height, 8, rows)) return nullptr;
    const int64_t layoutBytes = kInfoHeaderSize + kPaletteBytes + rows->bytes;
    auto* block = static_cast<uint8_t*>(std::calloc(size_t(PictureBlockBytes(layoutBytes)), 1));
    if (block == nullptr) return nullptr;
    BITMAPINFOHEADER info;
    std::memset(&info, 0, sizeof info);
    info.biSize = kInfoHeaderSize;
    info.biWidth = LONG(width);
    info.biHeight = LONG(height);
    info.biPlanes = 1;
    info.biBitCount = 8;
    info.biCompression = BI_RGB;
    info.biSizeImage = DWORD(rows->bytes);
    std::memcpy(block, &info, sizeof info);
    return block;
}

RGBQUAD* TableOf(uint8_t* block) { return reinterpret_cast<RGBQUAD*>(block + kInfoHeaderSize); }
uint8_t* RowsOf(uint8_t* block) { return block + kInfoHeaderSize + kPaletteBytes; }

RGBQUAD Entry(uint8_t red, uint8_t green, uint8_t blue)
{
    RGBQUAD entry;
    entry.rgbBlue = blue;
    entry.rgbGreen = green;
    entry.rgbRed = red;
    entry.rgbReserved = 0;
    return entry;
}

void Adopt(ImageBuffer& image, uint8_t* block, const PictureSize& rows)
{
    image.block = block;
    image.info = reinterpret_cast<BITMAPINFOHEADER*>(block);
    image.bitmapInfo = reinterpret_cast<BITMAPINFO*>(block);
    image.stride = int32_t(rows.rowBytes);
    image.BuildPalette();  // a palette failure leaves its text but the picture stands
}

}  // namespace

int IndexTrueColor(ImageBuffer& image, const TrueColorPixels& in)
{
    image.Unload();
    image.sheetColors = 0;
    PictureSize rows;
    uint8_t* block = NewIndexedBlock(in.width, in.height, &rows);
    if (block == nullptr || (in.bytesPerPixel != 3 && in.bytesPerPixel != 4) ||
        (in.bytesPerPixel == 3 && in.alpha >= 0)) {
        std::free(block);
        return SetImageMessage(image, kMemoryText);
    }

    // Index 0 first: the background.
    ColorTable table;
    const uint8_t* firstTransparent = nullptr;
    const bool transparency = FindTransparent(in, &firstTransparent);
    const uint8_t* background = transparency ? firstTransparent : in.topRow;
    table.IndexOf(transparency ? kTransparentKey : ColorKey(in.topRow, in.red, in.green, in.blue));

    Stop stop;
    if (!IndexAll(in, transparency, table, RowsOf(block), rows.rowBytes, &stop)) {
        std::free(block);
        const int64_t count = CountColors(in, transparency, table, stop);
        if (count == 0) return SetImageMessage(image, kMemoryText);
        image.sheetColors = int32_t(count);
        char text[kImageMessageSize];
        std::snprintf(text, sizeof text, kTooManyColorsText, int(count));  // at most 2^24 + 1
        return SetImageText(image, text);
    }

    RGBQUAD* colors = TableOf(block);
    colors[0] = Entry(background[in.red], background[in.green], background[in.blue]);
    for (int i = 1; i < table.Count(); ++i) {
        const uint32_t key = table.Key(i);
        colors[i] = Entry(uint8_t(key >> 16), uint8_t(key >> 8), uint8_t(key));
    }
    image.sheetColors = table.Count();
    Adopt(image, block, rows);
    return 1;
}

int StoreIndexed(ImageBuffer& image, const uint8_t* indices, int32_t width, int32_t height, const RGBQUAD* table,
                 int entries)
{
    image.Unload();
    image.sheetColors = 0;
    PictureSize rows;
    uint8_t* block = NewIndexedBlock(width, height, &rows);
    if (block == nullptr) return SetImageMessage(image, kMemoryText);
    if (entries > kPaletteEntries) entries = kPaletteEntries;
    if (entries > 0) std::memcpy(TableOf(block), table, size_t(entries) * sizeof(RGBQUAD));
    uint8_t* out = RowsOf(block);
    for (int64_t y = 0; y < height; ++y)
        std::memcpy(out + (height - 1 - y) * rows.rowBytes, indices + y * width, size_t(width));
    Adopt(image, block, rows);
    return 1;
}
