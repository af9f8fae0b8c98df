// The sprite set's structure: making, inserting, deleting and reordering sprites, and the
// failure text. The file, compression and boxes live in sprite_file.cpp, compress.cpp and
// boxes.cpp.
#include "sprite/sprite_set.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "sprite/owned_array.h"

Sprite NewSprite(int width, int height, uint8_t* image)
{
    Sprite sprite{};
    sprite.compressed = 0;
    sprite.width = width;
    sprite.height = height;
    sprite.mx = width / 2;
    sprite.my = height / 2;
    sprite.imageSize = uint32_t(int64_t(width) * int64_t(height));
    sprite.image = image;
    return sprite;
}

void ReleaseSprite(Sprite& sprite)
{
    std::free(sprite.hitBoxes);
    std::free(sprite.atckBoxes);
    std::free(sprite.image);
    sprite.hitBoxes = nullptr;
    sprite.atckBoxes = nullptr;
    sprite.image = nullptr;
}

SpriteSet::SpriteSet() : message{}, header{}, sprites(nullptr) {}

SpriteSet::~SpriteSet() { Clear(); }

void SpriteSet::Clear()
{
    if (sprites == nullptr) return;
    for (int i = 0; i < header.count; ++i) ReleaseSprite(sprites[i]);
    std::free(sprites);
    sprites = nullptr;
    std::memset(&header, 0, sizeof header);
}

void SpriteSet::SetMessage(const char* format, ...)
{
    // vsnprintf cuts the text to 255 bytes and always ends it with a zero.
    std::va_list args;
    va_start(args, format);
    std::vsnprintf(message, sizeof message, format, args);
    va_end(args);
}

// NewSpace and TransToSpr: the set becomes exactly one raw sprite. The image is the set's from
// here on, so it is released when the record cannot be allocated.
static int MakeSingleSprite(SpriteSet& set, int width, int height, uint8_t* image, const char* noMemory)
{
    set.Clear();
    Sprite* record = static_cast<Sprite*>(std::malloc(sizeof(Sprite)));
    if (record == nullptr) {
        std::free(image);
        set.SetMessage("%s", noMemory);
        return 0;
    }
    *record = NewSprite(width, height, image);
    set.sprites = record;
    std::memcpy(set.header.signature, kSpriteSignature, sizeof set.header.signature);
    set.header.version = kSpriteFileVersion;
    set.header.count = 1;
    set.header.actionCount = 0;
    return 1;
}

int SpriteSet::NewSpace(int width, int height, uint8_t* image, int compress)
{
    if (image == nullptr) return 0;
    if (!MakeSingleSprite(*this, width, height, image, "메모리 할당 실패(At NewSpace)")) return 0;
    if (compress != 0 && !Compress(0)) return 0;  // the sprite stays, raw
    return 1;
}

int SpriteSet::TransToSpr(int width, int height, uint8_t* image)
{
    if (image == nullptr) return 0;
    return MakeSingleSprite(*this, width, height, image, "메모리 할당 실패(At TransToSpr)");
}

int SpriteSet::Insert(int index, int width, int height, uint8_t* image, int compress)
{
    if (image == nullptr) {
        SetMessage("이미지 포인터가 NULL입니다(At Insert)");
        return 0;
    }
    if (header.count <= 0) return NewSpace(width, height, image, compress);
    // A full set cannot grow: its count is a signed 16-bit number in the file.
    if (index < 0 || index > header.count || header.count >= kMaxSprites) {
        std::free(image);
        SetMessage("스프라이트 컷 삽입 범위 초과(At Insert)");
        return 0;
    }
    Sprite* grown = ArrayWithInserted(sprites, header.count, index, NewSprite(width, height, image));
    if (grown == nullptr) {
        std::free(image);
        SetMessage("메모리 할당 실패(At Insert)");
        return 0;
    }
    std::free(sprites);
    sprites = grown;
    ++header.count;
    if (compress != 0 && !Compress(index)) return 0;  // the sprite stays inserted, raw
    return 1;
}

int SpriteSet::Delete(int index)
{
    if (sprites == nullptr) {
        SetMessage("스프라이트가 존재하지 않습니다(At Delete)");
        return 0;
    }
    if (index < 0 || index >= header.count) {
        SetMessage("%d번 스프라이트는 존재하지 않습니다(At Delete)", index);
        return 0;
    }
    if (header.count <= 1) {
        Clear();
        return 1;
    }
    Sprite* shrunk = ArrayWithout(sprites, header.count, index);
    if (shrunk == nullptr) {
        SetMessage("메모리 할당 실패(At Delete)");
        return 0;
    }
    ReleaseSprite(sprites[index]);
    std::free(sprites);
    sprites = shrunk;
    --header.count;
    return 1;
}

int SpriteSet::Move(int to, int from)
{
    if (sprites == nullptr) {
        SetMessage("스프라이트가 존재하지 않습니다(At Move)");
        return 0;
    }
    const int count = header.count;
    if (from < 0 || from >= count) {
        SetMessage("%d번 스프라이트는 존재하지 않습니다(At Move)", from);
        return 0;
    }
    if (to < 0 || to >= count) {
        SetMessage("%d번 스프라이트를 %d번 위치에 옮길수 없습니다(At Move)", from, to);
        return 0;
    }
    if (count < 2 || to == from) return 1;
    Sprite* order = static_cast<Sprite*>(std::malloc(sizeof(Sprite) * size_t(count)));
    if (order == nullptr) {
        SetMessage("메모리 할당 실패(At Move)");
        return 0;
    }
    // New positions are filled from the old order with `from` left out; position `to` waits for it.
    int old = 0;
    for (int position = 0; position < count; ++position) {
        if (position == to) continue;
        if (old == from) ++old;
        order[position] = sprites[old++];
    }
    order[to] = sprites[from];
    std::free(sprites);
    sprites = order;
    return 1;
}

int SpriteSet::InsertRecords(int index, const Sprite* records, int count)
{
    const int have = sprites != nullptr ? header.count : 0;
    if (count <= 0) return 1;
    if (index < 0 || index > have || int64_t(have) + count > kMaxSprites) {
        SetMessage("스프라이트 컷 삽입 범위 초과(At Insert)");
        return 0;
    }
    auto* grown = static_cast<Sprite*>(std::malloc(sizeof(Sprite) * (size_t(have) + size_t(count))));
    if (grown == nullptr) {
        SetMessage("메모리 할당 실패(At Insert)");
        return 0;
    }
    if (index > 0) std::memcpy(grown, sprites, sizeof(Sprite) * size_t(index));
    std::memcpy(grown + index, records, sizeof(Sprite) * size_t(count));
    if (have > index) std::memcpy(grown + index + count, sprites + index, sizeof(Sprite) * size_t(have - index));
    std::free(sprites);
    sprites = grown;
    if (have == 0 && std::memcmp(header.signature, kSpriteSignature, sizeof header.signature) != 0) {
        std::memcpy(header.signature, kSpriteSignature, sizeof header.signature);
        header.version = kSpriteFileVersion;
    }
    header.count = int16_t(have + count);
    return 1;
}

int SpriteSet::RemoveRecords(int index, int count, Sprite* out)
{
    const int have = sprites != nullptr ? header.count : 0;
    if (count <= 0) return 1;
    if (index < 0 || index >= have || count > have - index) {
        SetMessage("%d번 스프라이트는 존재하지 않습니다(At Delete)", index < 0 || index >= have ? index : have);
        return 0;
    }
    std::memcpy(out, sprites + index, sizeof(Sprite) * size_t(count));
    std::memmove(sprites + index, sprites + index + count, sizeof(Sprite) * size_t(have - index - count));
    header.count = int16_t(have - count);
    if (header.count == 0) {
        // An empty set holds no array, as everywhere else; its header waits for the records' return.
        std::free(sprites);
        sprites = nullptr;
    }
    return 1;
}

void SpriteSet::Swap(SpriteSet& other)
{
    std::swap(header, other.header);
    std::swap(sprites, other.sprites);
}
