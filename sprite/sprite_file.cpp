// The sprite file (.spr): reading and writing a whole sprite set.
//
// Layout, every number little-endian, nothing between the parts:
//
//   header, 24 bytes
//     0   13  the text "Zarvo sprite" and a zero byte
//    13    3  reserved; kept as read, zero in a set made here
//    16    2  version, int16; always written as 30, never looked at when reading
//    18    2  count, int16: the number of sprite entries that follow
//    20    4  action count, int32; kept as read, 0 in a set made here
//
//   sprite entry, `count` times, 28 bytes and then its variable parts
//     0    1  compressed: 0 raw image, 1 the run-length form of compress.h
//     1    1  reserved (written 0, not read)
//     2    2  rx        int16   the relative coordinate comes first,
//     4    2  ry        int16
//     6    2  width     int16   then the size,
//     8    2  height    int16
//    10    2  mx        int16   then the centre
//    12    2  my        int16
//    14    2  hit-box count    int16
//    16    2  attack-box count int16
//    18    2  reserved (written 0, not read)
//    20    4  image size in bytes, int32
//    24    4  reserved (written 0, not read)
//    28       the hit boxes, then the attack boxes: 12 bytes each, six int16 words
//             (reserved, x1, y1, x2, y2, reserved)
//     …       the image: `height` rows of `width` palette indices, or the compressed form
//
// The reader checks every count and size against the bytes the file still holds before it
// allocates anything, and refuses images that do not match their size: a raw image must be exactly
// width x height bytes, a compressed one must pass ValidateCompressedImage. Bytes after the last
// sprite are ignored.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "sprite/compress.h"
#include "sprite/file_io.h"
#include "sprite/sprite_set.h"

namespace {

constexpr size_t kHeaderSize = 24;
constexpr size_t kSignatureSize = 13;
constexpr size_t kEntrySize = 28;
constexpr size_t kBoxSize = 12;

// A file opened for reading that knows how many bytes it still holds.
class InputFile {
public:
    explicit InputFile(std::FILE* file) : file_(file)
    {
#ifdef _WIN32
        if (_fseeki64(file_, 0, SEEK_END) == 0) {
            long long end = _ftelli64(file_);
            if (end > 0) size_ = uint64_t(end);
        }
        _fseeki64(file_, 0, SEEK_SET);
#else
        if (fseeko(file_, 0, SEEK_END) == 0) {
            off_t end = ftello(file_);
            if (end > 0) size_ = uint64_t(end);
        }
        fseeko(file_, 0, SEEK_SET);
#endif
    }
    ~InputFile() { std::fclose(file_); }
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    uint64_t Left() const { return size_ - position_; }

    // Reads exactly `size` bytes, or nothing when the file holds fewer.
    bool Read(void* data, uint64_t size)
    {
        if (size > Left()) return false;
        if (size != 0 && std::fread(data, 1, size_t(size), file_) != size) return false;
        position_ += size;
        return true;
    }

private:
    std::FILE* file_;
    uint64_t size_ = 0;
    uint64_t position_ = 0;
};

enum class ReadResult { kOk, kDamaged, kNoMemory };

BoxRect DecodeBox(const uint8_t* p)
{
    BoxRect box;
    box.reserved0 = int16_t(ReadLe16(p));
    box.x1 = int16_t(ReadLe16(p + 2));
    box.y1 = int16_t(ReadLe16(p + 4));
    box.x2 = int16_t(ReadLe16(p + 6));
    box.y2 = int16_t(ReadLe16(p + 8));
    box.reserved1 = int16_t(ReadLe16(p + 10));
    return box;
}

void EncodeBox(uint8_t* p, const BoxRect& box)
{
    WriteLe16(p, uint16_t(box.reserved0));
    WriteLe16(p + 2, uint16_t(box.x1));
    WriteLe16(p + 4, uint16_t(box.y1));
    WriteLe16(p + 6, uint16_t(box.x2));
    WriteLe16(p + 8, uint16_t(box.y2));
    WriteLe16(p + 10, uint16_t(box.reserved1));
}

ReadResult ReadBoxes(InputFile& in, int count, BoxRect** boxes)
{
    if (count == 0) return ReadResult::kOk;
    const uint64_t bytes = uint64_t(count) * kBoxSize;
    if (bytes > in.Left()) return ReadResult::kDamaged;
    BoxRect* list = static_cast<BoxRect*>(std::malloc(size_t(bytes)));
    if (list == nullptr) return ReadResult::kNoMemory;
    *boxes = list;  // the set releases it from here on
    for (int i = 0; i < count; ++i) {
        uint8_t record[kBoxSize];
        if (!in.Read(record, kBoxSize)) return ReadResult::kDamaged;
        list[i] = DecodeBox(record);
    }
    return ReadResult::kOk;
}

// Fills one zeroed sprite record from the file. Whatever it allocates is stored in the record at
// once, so the caller releases it with the set on failure.
ReadResult ReadSprite(InputFile& in, Sprite& sprite)
{
    uint8_t entry[kEntrySize];
    if (!in.Read(entry, kEntrySize)) return ReadResult::kDamaged;
    if (entry[0] > 1) return ReadResult::kDamaged;
    sprite.compressed = entry[0];
    sprite.rx = int16_t(ReadLe16(entry + 2));
    sprite.ry = int16_t(ReadLe16(entry + 4));
    sprite.width = int16_t(ReadLe16(entry + 6));
    sprite.height = int16_t(ReadLe16(entry + 8));
    sprite.mx = int16_t(ReadLe16(entry + 10));
    sprite.my = int16_t(ReadLe16(entry + 12));
    sprite.hitCount = int16_t(ReadLe16(entry + 14));
    sprite.atckCount = int16_t(ReadLe16(entry + 16));
    const int32_t imageSize = int32_t(ReadLe32(entry + 20));
    if (sprite.width < 0 || sprite.height < 0 || sprite.hitCount < 0 || sprite.atckCount < 0 || imageSize < 0)
        return ReadResult::kDamaged;
    sprite.imageSize = uint32_t(imageSize);

    ReadResult boxes = ReadBoxes(in, sprite.hitCount, &sprite.hitBoxes);
    if (boxes != ReadResult::kOk) return boxes;
    boxes = ReadBoxes(in, sprite.atckCount, &sprite.atckBoxes);
    if (boxes != ReadResult::kOk) return boxes;

    if (sprite.imageSize > in.Left()) return ReadResult::kDamaged;
    if (sprite.compressed == 0 && uint64_t(sprite.imageSize) != uint64_t(sprite.width) * uint64_t(sprite.height))
        return ReadResult::kDamaged;
    sprite.image = static_cast<uint8_t*>(std::malloc(sprite.imageSize == 0 ? 1 : sprite.imageSize));
    if (sprite.image == nullptr) return ReadResult::kNoMemory;
    if (!in.Read(sprite.image, sprite.imageSize)) return ReadResult::kDamaged;
    if (sprite.compressed == 1 &&
        !ValidateCompressedImage(sprite.image, sprite.imageSize, sprite.width, sprite.height))
        return ReadResult::kDamaged;
    return ReadResult::kOk;
}

}  // namespace

int SpriteSet::Load(const char* path)
{
    std::FILE* file = path != nullptr ? std::fopen(path, "rb") : nullptr;
    if (file == nullptr) {
        SetMessage("파일이 없습니다(%s)", path != nullptr ? path : "");
        return 0;
    }
    InputFile in(file);

    uint8_t head[kHeaderSize];
    if (!in.Read(head, kSignatureSize) || std::memcmp(head, kSpriteSignature, kSignatureSize) != 0) {
        SetMessage("스프라이트 파일이 아닙니다(%s)", path);
        return 0;
    }

    // The set is replaced from here on; a failure leaves it empty.
    auto empty = [&] {
        Clear();
        std::memset(&header, 0, sizeof header);
    };
    empty();
    auto damaged = [&] {
        empty();
        SetMessage("스프라이트 파일이 손상되었습니다(%s)", path);
        return 0;
    };
    auto noMemory = [&](const char* text) {
        empty();
        SetMessage("%s", text);
        return 0;
    };
    if (!in.Read(head + kSignatureSize, kHeaderSize - kSignatureSize)) return damaged();
    std::memcpy(header.signature, head, kSignatureSize);
    std::memcpy(header.reserved, head + kSignatureSize, sizeof header.reserved);
    header.version = int16_t(ReadLe16(head + 16));
    const int16_t count = int16_t(ReadLe16(head + 18));
    header.actionCount = int32_t(ReadLe32(head + 20));

    if (count < 0) return noMemory("메모리 할당 실패(헤더)");
    if (count == 0) {
        header.count = 0;
        return 1;
    }
    if (uint64_t(count) * kEntrySize > in.Left()) return damaged();
    sprites = static_cast<Sprite*>(std::calloc(size_t(count), sizeof(Sprite)));
    if (sprites == nullptr) return noMemory("메모리 할당 실패(헤더)");
    header.count = count;  // Clear releases every record, filled or not

    for (int i = 0; i < count; ++i) {
        switch (ReadSprite(in, sprites[i])) {
        case ReadResult::kOk:
            break;
        case ReadResult::kDamaged:
            return damaged();
        case ReadResult::kNoMemory:
            return noMemory("메모리 할당 실패(이미지)");
        }
    }
    return 1;
}

int SpriteSet::Save(const char* path)
{
    if (sprites == nullptr || header.count <= 0) {
        SetMessage("저장할 스프라이트가 없습니다.");
        return 0;
    }
    SafeFileWriter out;
    if (!out.Open(path)) {
        SetMessage("파일생성 실패 (%s)", path != nullptr ? path : "");
        return 0;
    }
    std::memcpy(header.signature, kSpriteSignature, sizeof header.signature);
    header.version = kSpriteFileVersion;

    uint8_t head[kHeaderSize];
    std::memcpy(head, header.signature, kSignatureSize);
    std::memcpy(head + kSignatureSize, header.reserved, sizeof header.reserved);
    WriteLe16(head + 16, uint16_t(header.version));
    WriteLe16(head + 18, uint16_t(header.count));
    WriteLe32(head + 20, uint32_t(header.actionCount));
    bool ok = out.Write(head, kHeaderSize);

    for (int i = 0; ok && i < header.count; ++i) {
        const Sprite& sprite = sprites[i];
        uint8_t entry[kEntrySize] = {};
        entry[0] = uint8_t(sprite.compressed);
        WriteLe16(entry + 2, uint16_t(sprite.rx));
        WriteLe16(entry + 4, uint16_t(sprite.ry));
        WriteLe16(entry + 6, uint16_t(sprite.width));
        WriteLe16(entry + 8, uint16_t(sprite.height));
        WriteLe16(entry + 10, uint16_t(sprite.mx));
        WriteLe16(entry + 12, uint16_t(sprite.my));
        WriteLe16(entry + 14, uint16_t(sprite.hitCount));
        WriteLe16(entry + 16, uint16_t(sprite.atckCount));
        WriteLe32(entry + 20, sprite.imageSize);
        ok = out.Write(entry, kEntrySize);
        for (int b = 0; ok && b < sprite.hitCount; ++b) {
            uint8_t record[kBoxSize];
            EncodeBox(record, sprite.hitBoxes[b]);
            ok = out.Write(record, kBoxSize);
        }
        for (int b = 0; ok && b < sprite.atckCount; ++b) {
            uint8_t record[kBoxSize];
            EncodeBox(record, sprite.atckBoxes[b]);
            ok = out.Write(record, kBoxSize);
        }
        if (ok && sprite.imageSize != 0) ok = sprite.image != nullptr && out.Write(sprite.image, sprite.imageSize);
    }
    if (!ok || !out.Commit()) {
        SetMessage("파일생성 실패 (%s)", path);
        return 0;
    }
    return 1;
}
