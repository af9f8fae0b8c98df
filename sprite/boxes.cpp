// Hit boxes and attack boxes: the two ordered box lists of each sprite and the six operations
// that change them. Both kinds behave alike; only their lists and their texts differ.
#include <algorithm>
#include <cstdlib>

#include "sprite/owned_array.h"
#include "sprite/sprite_set.h"

namespace {

// One kind of box: where its list lives in a sprite and what its failures say.
struct BoxKind {
    BoxRect* Sprite::*boxes;
    int32_t Sprite::*count;
    const char* insertNoSprite;
    const char* insertBadSprite;
    const char* insertBadBox;
    const char* insertNoMemory;
    const char* deleteNoSprite;
    const char* deleteBadSprite;
    const char* deleteNoBoxes;  // %d: the sprite
    const char* deleteNoBox;    // %d, %d: the sprite and the box
    const char* deleteNoMemory;
};

const BoxKind kHitBoxes = {
    &Sprite::hitBoxes,
    &Sprite::hitCount,
    "스프라이트가 존재하지 않습니다(At InsertHitBox)",
    "잘못된 스프라이트 번호지정(At InsertHitBox)",
    "잘못된 충돌상자 번호지정(At InsertHitBox)",
    "메모리 할당 실패(At InsertHitBox)",
    "스프라이트가 존재하지 않습니다(At DeleteHitBox)",
    "잘못된 스프라이트 번호지정(At DeleteHitBox)",
    "%d번 스프라이트는 충돌상자가 존재하지 않습니다(At DeleteHitBox)",
    "%d번 스프라이트의 %d번 충돌상자는 없습니다(At DeleteHitBox)",
    "메모리 할당 실패(At DeleteHitBox)",
};

const BoxKind kAtckBoxes = {
    &Sprite::atckBoxes,
    &Sprite::atckCount,
    "스프라이트가 존재하지 않습니다(At InsertAtckBox)",
    "잘못된 스프라이트 번호지정(At InsertAtckBox)",
    "잘못된 공격상자 번호지정(At InsertAtckBox)",
    "메모리 할당 실패(At InsertAtckBox)",
    "스프라이트가 존재하지 않습니다(At DeleteAtckBox)",
    "잘못된 스프라이트 번호지정(At DeleteAtckBox)",
    "%d번 스프라이트는 공격상자가 존재하지 않습니다(At DeleteAtckBox)",
    "%d번 스프라이트의 %d번 공격상자는 없습니다(At DeleteAtckBox)",
    "메모리 할당 실패(At DeleteAtckBox)",
};

// The stored corners: the low 16 bits of each number, smaller corner first.
void SetCorners(BoxRect& box, const PixelRect& rect)
{
    const int16_t left = int16_t(rect.x1), right = int16_t(rect.x2);
    const int16_t top = int16_t(rect.y1), bottom = int16_t(rect.y2);
    box.x1 = std::min(left, right);
    box.x2 = std::max(left, right);
    box.y1 = std::min(top, bottom);
    box.y2 = std::max(top, bottom);
}

// Insert (append at b == count) or, with `replace`, change box b of sprite s.
int PutBox(SpriteSet& set, const BoxKind& kind, int s, int b, const PixelRect& rect, bool replace)
{
    if (set.header.count <= 0 || set.sprites == nullptr) {
        set.SetMessage(Reason::kNoSprites, "%s", kind.insertNoSprite);
        return 0;
    }
    if (s < 0 || s >= set.header.count) {
        set.SetMessage(Reason::kIndexOutOfRange, "%s", kind.insertBadSprite);
        return 0;
    }
    Sprite& sprite = set.sprites[s];
    BoxRect*& boxes = sprite.*kind.boxes;
    int32_t& count = sprite.*kind.count;
    if (b < 0 || b > count || (replace && b == count)) {
        set.SetMessage(Reason::kIndexOutOfRange, "%s", kind.insertBadBox);
        return 0;
    }
    if (replace) {
        SetCorners(boxes[b], rect);
        return 1;
    }
    BoxRect box{};
    SetCorners(box, rect);
    BoxRect* grown = ArrayWithInserted(boxes, count, b, box);
    if (grown == nullptr) {
        set.SetMessage(Reason::kNoMemory, "%s", kind.insertNoMemory);
        return 0;
    }
    std::free(boxes);
    boxes = grown;
    ++count;
    return 1;
}

int DeleteBox(SpriteSet& set, const BoxKind& kind, int s, int b)
{
    if (set.header.count <= 0 || set.sprites == nullptr) {
        set.SetMessage(Reason::kNoSprites, "%s", kind.deleteNoSprite);
        return 0;
    }
    if (s < 0 || s >= set.header.count) {
        set.SetMessage(Reason::kIndexOutOfRange, "%s", kind.deleteBadSprite);
        return 0;
    }
    Sprite& sprite = set.sprites[s];
    BoxRect*& boxes = sprite.*kind.boxes;
    int32_t& count = sprite.*kind.count;
    if (count <= 0) {
        set.SetMessage(Reason::kIndexOutOfRange, kind.deleteNoBoxes, s);
        return 0;
    }
    if (b < 0 || b >= count) {
        set.SetMessage(Reason::kIndexOutOfRange, kind.deleteNoBox, s, b);
        return 0;
    }
    if (count == 1) {
        std::free(boxes);
        boxes = nullptr;
        count = 0;
        return 1;
    }
    BoxRect* shrunk = ArrayWithout(boxes, count, b);
    if (shrunk == nullptr) {
        set.SetMessage(Reason::kNoMemory, "%s", kind.deleteNoMemory);
        return 0;
    }
    std::free(boxes);
    boxes = shrunk;
    --count;
    return 1;
}

}  // namespace

int SpriteSet::InsertHitBox(int s, int b, const PixelRect& rect) { return PutBox(*this, kHitBoxes, s, b, rect, false); }
int SpriteSet::SetHitBox(int s, int b, const PixelRect& rect) { return PutBox(*this, kHitBoxes, s, b, rect, true); }
int SpriteSet::DeleteHitBox(int s, int b) { return DeleteBox(*this, kHitBoxes, s, b); }
int SpriteSet::InsertAtckBox(int s, int b, const PixelRect& rect) { return PutBox(*this, kAtckBoxes, s, b, rect, false); }
int SpriteSet::SetAtckBox(int s, int b, const PixelRect& rect) { return PutBox(*this, kAtckBoxes, s, b, rect, true); }
int SpriteSet::DeleteAtckBox(int s, int b) { return DeleteBox(*this, kAtckBoxes, s, b); }
