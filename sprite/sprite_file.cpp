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
// sprite are ignored. The writer refuses a set with any value the file cannot hold (a width of
// 32768, say) before it writes a byte, so a saved file always loads again.
//
// Both work on bytes in memory; Load and Save move the whole file between disk and memory.
#include <climits>
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

ReadResult ReadBoxes(ByteReader& in, int count, BoxRect** boxes)
{
    if (count == 0) return ReadResult::kOk;
    const uint64_t bytes = uint64_t(count) * kBoxSize;
    const uint8_t* records = in.Take(bytes);
    if (records == nullptr) return ReadResult::kDamaged;
    BoxRect* list = static_cast<BoxRect*>(std::malloc(size_t(bytes)));
    if (list == nullptr) return ReadResult::kNoMemory;
    *boxes = list;  // the set releases it from here on
    for (int i = 0; i < count; ++i) list[i] = DecodeBox(records + size_t(i) * kBoxSize);
    return ReadResult::kOk;
}

// Fills one zeroed sprite record from the file. Whatever it allocates is stored in the record at
// once, so the caller releases it with the set on failure.
ReadResult ReadSprite(ByteReader& in, Sprite& sprite)
{
    const uint8_t* entry = in.Take(kEntrySize);
    if (entry == nullptr) return ReadResult::kDamaged;
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

    const uint8_t* image = in.Take(sprite.imageSize);
    if (image == nullptr) return ReadResult::kDamaged;
    if (sprite.compressed == 0 && uint64_t(sprite.imageSize) != uint64_t(sprite.width) * uint64_t(sprite.height))
        return ReadResult::kDamaged;
    if (sprite.compressed == 1 && !ValidateCompressedImage(image, sprite.imageSize, sprite.width, sprite.height))
        return ReadResult::kDamaged;
    sprite.image = static_cast<uint8_t*>(std::malloc(sprite.imageSize == 0 ? 1 : sprite.imageSize));
    if (sprite.image == nullptr) return ReadResult::kNoMemory;
    if (sprite.imageSize != 0) std::memcpy(sprite.image, image, sprite.imageSize);
    return ReadResult::kOk;
}

// A value a sprite holds and the range of it that the file can store.
struct StoredField {
    const char* name;
    int64_t value;
    int64_t low;
    int64_t high;
};

// The first value of the set that the file cannot hold: every 16-bit field within its range (the
// coordinates signed, sizes and counts not negative, as the reader demands), the image size
// within 31 bits and the compressed flag 0 or 1. False when every value fits.
bool FindUnstorable(const SpriteSet& set, int* index, StoredField* field)
{
    constexpr int64_t kWordLow = INT16_MIN, kWordHigh = INT16_MAX;
    for (int i = 0; i < set.header.count; ++i) {
        const Sprite& s = set.sprites[i];
        const StoredField fields[] = {
            {"압축 표시", s.compressed, 0, 1},
            {"상대좌표 x", s.rx, kWordLow, kWordHigh},
            {"상대좌표 y", s.ry, kWordLow, kWordHigh},
            {"너비", s.width, 0, kWordHigh},
            {"높이", s.height, 0, kWordHigh},
            {"중심좌표 x", s.mx, kWordLow, kWordHigh},
            {"중심좌표 y", s.my, kWordLow, kWordHigh},
            {"충돌상자 수", s.hitCount, 0, kWordHigh},
            {"공격상자 수", s.atckCount, 0, kWordHigh},
            {"이미지 크기", s.imageSize, 0, INT32_MAX},
        };
        for (const StoredField& f : fields) {
            if (f.value < f.low || f.value > f.high) {
                *index = i;
                *field = f;
                return true;
            }
        }
    }
    return false;
}

// Bytes of the whole file the set makes.
uint64_t StoredBytes(const SpriteSet& set)
{
    uint64_t bytes = kHeaderSize;
    for (int i = 0; i < set.header.count; ++i) {
        const Sprite& s = set.sprites[i];
        bytes += kEntrySize + kBoxSize * uint64_t(s.hitCount + s.atckCount) + s.imageSize;
    }
    return bytes;
}

// Collects the file's bytes in a block of exactly their size.
class MemorySink {
public:
    MemorySink(uint8_t* data, size_t size) : at_(data), left_(size) {}
    bool Write(const void* data, size_t size)
    {
        if (size > left_) return false;
        if (size != 0) std::memcpy(at_, data, size);
        at_ += size;
        left_ -= size;
        return true;
    }

private:
    uint8_t* at_;
    size_t left_;
};

// Writes the header and every sprite to `out` (a SafeFileWriter or a MemorySink).
template <class Sink>
bool WriteSet(const SpriteSet& set, Sink& out)
{
    const SpriteFileHeader& header = set.header;
    uint8_t head[kHeaderSize];
    std::memcpy(head, header.signature, kSignatureSize);
    std::memcpy(head + kSignatureSize, header.reserved, sizeof header.reserved);
    WriteLe16(head + 16, uint16_t(header.version));
    WriteLe16(head + 18, uint16_t(header.count));
    WriteLe32(head + 20, uint32_t(header.actionCount));
    bool ok = out.Write(head, kHeaderSize);

    for (int i = 0; ok && i < header.count; ++i) {
        const Sprite& sprite = set.sprites[i];
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
    return ok;
}

}  // namespace

int SpriteSet::Load(const char* path)
{
    FileBytes file;
    switch (file.Read(path)) {
    case FileBytes::kCannotOpen:
        SetMessage(Reason::kFileMissing, "파일이 없습니다(%s)", path != nullptr ? path : "");
        return 0;
    case FileBytes::kNoMemory:  // nothing was looked at: the set stays as it was
        SetMessage(Reason::kNoMemory, "메모리 할당 실패(헤더)");
        return 0;
    case FileBytes::kRead:
    case FileBytes::kReadError:  // the bytes before the error, which the checks refuse or take
        break;
    }
    return LoadFromMemory(file.Data(), file.Size(), path);
}

int SpriteSet::LoadFromMemory(const uint8_t* data, size_t size, const char* name)
{
    if (name == nullptr) name = "";
    ByteReader in(data, size);
    const uint8_t* head = in.Take(kSignatureSize);
    if (head == nullptr || std::memcmp(head, kSpriteSignature, kSignatureSize) != 0) {
        SetMessage(Reason::kNotSpriteFile, "스프라이트 파일이 아닙니다(%s)", name);
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
        SetMessage(Reason::kSpriteFileDamaged, "스프라이트 파일이 손상되었습니다(%s)", name);
        return 0;
    };
    auto refuse = [&](Reason cause, const char* text) {
        empty();
        SetMessage(cause, "%s", text);
        return 0;
    };
    if (in.Take(kHeaderSize - kSignatureSize) == nullptr) return damaged();
    std::memcpy(header.signature, head, kSignatureSize);
    std::memcpy(header.reserved, head + kSignatureSize, sizeof header.reserved);
    header.version = int16_t(ReadLe16(head + 16));
    const int16_t count = int16_t(ReadLe16(head + 18));
    header.actionCount = int32_t(ReadLe32(head + 20));

    // The window has always said "out of memory" here; the code tells what it is.
    if (count < 0) return refuse(Reason::kNegativeCount, "메모리 할당 실패(헤더)");
    if (count == 0) {
        header.count = 0;
        return 1;
    }
    if (uint64_t(count) * kEntrySize > in.Left()) return damaged();
    sprites = static_cast<Sprite*>(std::calloc(size_t(count), sizeof(Sprite)));
    if (sprites == nullptr) return refuse(Reason::kNoMemory, "메모리 할당 실패(헤더)");
    capacity = count;
    header.count = count;  // Clear releases every record, filled or not

    for (int i = 0; i < count; ++i) {
        switch (ReadSprite(in, sprites[i])) {
        case ReadResult::kOk:
            break;
        case ReadResult::kDamaged:
            return damaged();
        case ReadResult::kNoMemory:
            return refuse(Reason::kNoMemory, "메모리 할당 실패(이미지)");
        }
    }
    return 1;
}

// Empty sets and sets with a value the file cannot hold are refused before anything is written.
int SpriteSet::CheckStorable()
{
    if (sprites == nullptr || header.count <= 0) {
        SetMessage(Reason::kNothingToSave, "저장할 스프라이트가 없습니다.");
        return 0;
    }
    int index = 0;
    StoredField field{};
    if (FindUnstorable(*this, &index, &field)) {
        SetMessage(Reason::kValueTooLarge, "%d번 스프라이트의 %s(%lld)가 파일에 저장할 수 있는 범위(%lld~%lld)를 벗어났습니다", index,
                   field.name, static_cast<long long>(field.value), static_cast<long long>(field.low),
                   static_cast<long long>(field.high));
        return 0;
    }
    return 1;
}

int SpriteSet::Save(const char* path)
{
    if (!CheckStorable()) return 0;
    SafeFileWriter out;
    if (!out.Open(path)) {
        SetMessage(Reason::kCannotWrite, "파일생성 실패 (%s)", path != nullptr ? path : "");
        return 0;
    }
    std::memcpy(header.signature, kSpriteSignature, sizeof header.signature);
    header.version = kSpriteFileVersion;
    if (!WriteSet(*this, out) || !out.Commit()) {
        SetMessage(Reason::kCannotWrite, "파일생성 실패 (%s)", path);
        return 0;
    }
    return 1;
}

int SpriteSet::SaveToMemory(uint8_t** data, size_t* size)
{
    if (data == nullptr || size == nullptr) return 0;
    *data = nullptr;
    *size = 0;
    if (!CheckStorable()) return 0;
    const uint64_t bytes = StoredBytes(*this);
    uint8_t* block = bytes < SIZE_MAX ? static_cast<uint8_t*>(std::malloc(size_t(bytes))) : nullptr;
    if (block == nullptr) {
        SetMessage(Reason::kNoMemory, "메모리 할당 실패(At Save)");
        return 0;
    }
    std::memcpy(header.signature, kSpriteSignature, sizeof header.signature);
    header.version = kSpriteFileVersion;
    MemorySink out(block, size_t(bytes));
    if (!WriteSet(*this, out)) {  // only a sprite without its image
        std::free(block);
        SetMessage(Reason::kNoImage, "이미지 데이타가 없습니다");
        return 0;
    }
    *data = block;
    *size = size_t(bytes);
    return 1;
}
