// Run-length compression of sprite images (the form is described in compress.h) and the set's
// Compress / Decompress operations.
#include "sprite/compress.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "sprite/file_io.h"
#include "sprite/sprite_set.h"

namespace {

constexpr int kMaxRun = 255;          // skip and count are one byte each
constexpr uint32_t kMaxPairs = 0xFFFF;  // the pair count of a row is 16 bits
constexpr size_t kCopySlack = 8;      // pixel copies may write up to 7 bytes past their end

// The longest row record `width` pixels can need. A pair covers at least two pixels except the
// row's first and last pair and a pair that continues a 255-pixel run, so a row has at most
// width/2 + width/255 + 2 pairs; each costs 2 bytes beside the opaque pixels it copies.
uint64_t RowWorstCase(uint64_t width) { return 2 + 2 * width + 2 * (width / kMaxRun) + 6; }

#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
constexpr bool kWordScan = true;
#else
constexpr bool kWordScan = false;
#endif
constexpr uint64_t kOnes = 0x0101010101010101ull;
constexpr uint64_t kHighs = 0x8080808080808080ull;

inline uint64_t Load64(const uint8_t* p)
{
    uint64_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

inline int FirstMarkedByte(uint64_t marks) { return __builtin_ctzll(marks) >> 3; }

// Number of zero pixels from column c, up to the row's end. Whole words are read while they lie
// inside the image (a word may reach into the next row; what lies past the row is not counted).
inline int ZeroRun(const uint8_t* row, int c, int width, const uint8_t* imageEnd)
{
    const int start = c;
    if (kWordScan) {
        for (; c < width && imageEnd - (row + c) >= 8; c += 8) {
            uint64_t v = Load64(row + c);
            if (v != 0) return std::min(c + FirstMarkedByte(v), width) - start;
        }
    }
    c = std::min(c, width);  // a last word may have reached past the row
    while (c < width && row[c] == 0) ++c;
    return c - start;
}

// Number of non-zero pixels from column c, up to the row's end; words as in ZeroRun.
inline int OpaqueRun(const uint8_t* row, int c, int width, const uint8_t* imageEnd)
{
    const int start = c;
    if (kWordScan) {
        for (; c < width && imageEnd - (row + c) >= 8; c += 8) {
            uint64_t v = Load64(row + c);
            // The lowest marked byte is exactly the first zero byte (borrows only spoil higher ones).
            uint64_t zeros = (v - kOnes) & ~v & kHighs;
            if (zeros != 0) return std::min(c + FirstMarkedByte(zeros), width) - start;
        }
    }
    c = std::min(c, width);  // a last word may have reached past the row
    while (c < width && row[c] != 0) ++c;
    return c - start;
}

// Copies n (<= 255) pixels. Whole words are copied when the source has room for them; the
// destination always does (the working area keeps kCopySlack bytes spare at its end).
inline void CopyPixels(uint8_t* out, const uint8_t* source, int n, const uint8_t* sourceEnd)
{
    if (size_t(sourceEnd - source) >= size_t(n) + 7) {
        for (int i = 0; i < n; i += 8) std::memcpy(out + i, source + i, 8);
    } else {
        std::memcpy(out, source, size_t(n));
    }
}

// The working area of CompressImage. Up to kKeptWorkArea bytes of it are kept from one call to the
// next, so compressing sprite after sprite neither maps nor faults in fresh pages each time; larger
// areas are allocated for the one call.
constexpr size_t kKeptWorkArea = size_t(4) << 20;

class WorkArea {
public:
    ~WorkArea() { std::free(kept_); }
    uint8_t* Take(size_t size)
    {
        if (size > kKeptWorkArea) return static_cast<uint8_t*>(std::malloc(size));
        if (size > keptSize_) {
            std::free(kept_);
            const size_t grown = std::min(kKeptWorkArea, 2 * size);
            kept_ = static_cast<uint8_t*>(std::malloc(grown));
            keptSize_ = kept_ != nullptr ? grown : 0;
        }
        return kept_;
    }
    void Give(uint8_t* area)
    {
        if (area != kept_) std::free(area);
    }

private:
    uint8_t* kept_ = nullptr;
    size_t keptSize_ = 0;
};

thread_local WorkArea t_workArea;

}  // namespace

uint8_t* CompressImage(const uint8_t* raw, int width, int height, uint32_t* length)
{
    *length = 0;
    if (raw == nullptr || width < 0 || height <= 0) return nullptr;
    const uint64_t worst = 4ull * uint64_t(height) + uint64_t(height) * RowWorstCase(uint64_t(width));
    if (worst > 0xFFFFFFFFull) return nullptr;  // row offsets and the length are 32-bit
    uint8_t* work = t_workArea.Take(size_t(worst) + kCopySlack);
    if (work == nullptr) return nullptr;

    const uint8_t* rawEnd = raw + size_t(width) * size_t(height);
    const uint8_t* row = raw;
    uint8_t* out = work + 4 * size_t(height);
    for (int r = 0; r < height; ++r, row += width) {
        WriteLe32(work + 4 * size_t(r), uint32_t(out - work));
        uint8_t* pairCount = out;
        out += 2;
        uint32_t pairs = 0;
        int c = 0;
        while (c < width) {
            int skip = ZeroRun(row, c, width, rawEnd);
            c += skip;
            int opaque = OpaqueRun(row, c, width, rawEnd);
            // Transparent stretches longer than a pair can skip become pairs that copy nothing.
            for (; skip > kMaxRun; skip -= kMaxRun, ++pairs) {
                out[0] = uint8_t(kMaxRun);
                out[1] = 0;
                out += 2;
            }
            // Then the opaque run, 255 pixels a pair; later pairs of one run skip nothing.
            do {
                int n = opaque < kMaxRun ? opaque : kMaxRun;
                out[0] = uint8_t(skip);
                out[1] = uint8_t(n);
                CopyPixels(out + 2, row + c, n, rawEnd);
                out += 2 + n;
                c += n;
                opaque -= n;
                skip = 0;
                ++pairs;
            } while (opaque > 0);
        }
        if (pairs > kMaxPairs) {  // only rows far wider than any sprite file can hold
            t_workArea.Give(work);
            return nullptr;
        }
        WriteLe16(pairCount, uint16_t(pairs));
    }

    const size_t size = size_t(out - work);
    uint8_t* form = static_cast<uint8_t*>(std::malloc(size));
    if (form != nullptr) std::memcpy(form, work, size);
    t_workArea.Give(work);
    if (form == nullptr) return nullptr;
    *length = uint32_t(size);
    return form;
}

const uint8_t* DecompressImage(uint8_t* dest, int stride, int rows, const uint8_t* form)
{
    const uint8_t* p = form + 4 * size_t(rows);
    for (int r = 0; r < rows; ++r, dest += stride) {
        unsigned pairs = ReadLe16(p);
        p += 2;
        uint8_t* out = dest;
        for (; pairs != 0; --pairs) {
            out += p[0];
            unsigned n = p[1];
            std::memcpy(out, p + 2, n);
            out += n;
            p += 2 + n;
        }
    }
    return p;
}

bool ValidateCompressedImage(const uint8_t* form, size_t size, int width, int height)
{
    if (width < 0 || height < 0) return false;
    if (form == nullptr) return size == 0 && height == 0;
    const uint64_t tableSize = 4ull * uint64_t(height);
    if (tableSize > size) return false;
    // Each row record must start where the row before it ended (row 0 right after the table), so
    // a reader may start at any row's entry and go on sequentially.
    uint64_t at = tableSize;
    for (int r = 0; r < height; ++r) {
        if (ReadLe32(form + 4 * size_t(r)) != at) return false;
        if (size - at < 2) return false;
        unsigned pairs = ReadLe16(form + at);
        at += 2;
        int64_t column = 0;
        for (; pairs != 0; --pairs) {
            if (size - at < 2) return false;
            unsigned skip = form[at];
            unsigned n = form[at + 1];
            at += 2;
            column += skip + n;
            if (column > width || size - at < n) return false;
            at += n;
        }
        if (column != width) return false;
    }
    return at == size;  // nothing after the last row
}

int SpriteSet::Compress(int index)
{
    if (sprites == nullptr) {
        SetMessage(Reason::kNoSprites, "압축할 스프라이트가 없습니다");
        return 0;
    }
    if (index < 0 || index >= header.count) {
        SetMessage(Reason::kIndexOutOfRange, "%d번 스프라이트는 없습니다", index);
        return 0;
    }
    Sprite& sprite = sprites[index];
    if (sprite.image == nullptr) {
        SetMessage(Reason::kNoImage, "이미지 데이타가 없습니다");
        return 0;
    }
    if (sprite.compressed == 1) {
        SetMessage(Reason::kAlreadyCompressed, "이미 압축되어 있습니다");
        return 0;
    }
    uint32_t length = 0;
    uint8_t* form = CompressImage(sprite.image, sprite.width, sprite.height, &length);
    if (length == 0) {
        std::free(form);
        SetMessage(Reason::kCannotCompress, "이미지 압축 실패");
        return 0;
    }
    std::free(sprite.image);
    sprite.compressed = 1;
    sprite.image = form;
    sprite.imageSize = length;
    return 1;
}

int SpriteSet::Decompress(int index)
{
    if (sprites == nullptr) {
        SetMessage(Reason::kNoSprites, "압축을 해제할 스프라이트가 없습니다");
        return 0;
    }
    if (index < 0 || index >= header.count) {
        SetMessage(Reason::kIndexOutOfRange, "%d번 스프라이트는 없습니다", index);
        return 0;
    }
    Sprite& sprite = sprites[index];
    if (sprite.image == nullptr) {
        SetMessage(Reason::kNoImage, "이미지 데이타가 없습니다");
        return 0;
    }
    if (sprite.compressed == 0) {
        SetMessage(Reason::kAlreadyRaw, "이미 압축이 해제되어 있습니다");
        return 0;
    }
    const uint64_t size = uint64_t(uint32_t(sprite.width)) * uint64_t(uint32_t(sprite.height));
    uint8_t* raw = nullptr;
    if (sprite.width >= 0 && sprite.height >= 0 && size <= 0xFFFFFFFFull)
        raw = static_cast<uint8_t*>(std::calloc(size == 0 ? 1 : size_t(size), 1));
    if (raw == nullptr) {
        SetMessage(Reason::kNoMemory, "메모리 할당 실패");
        return 0;
    }
    DecompressImage(raw, sprite.width, sprite.height, sprite.image);
    std::free(sprite.image);
    sprite.compressed = 0;
    sprite.image = raw;
    sprite.imageSize = uint32_t(size);
    return 1;
}
