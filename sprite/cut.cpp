#include "sprite/cut.h"

#include <algorithm>
#include <cstdlib>

#include "image/image_buffer.h"
#include "sprite/compress.h"

namespace {

// A box over the whole sprite, in a new one-box list; null when out of memory.
BoxRect* WholeSpriteBox(const Sprite& sprite)
{
    auto* box = static_cast<BoxRect*>(std::calloc(1, sizeof(BoxRect)));
    if (box == nullptr) return nullptr;
    box->x2 = int16_t(sprite.width - 1);
    box->y2 = int16_t(sprite.height - 1);
    return box;
}

// The sprite CutRegion puts in, made into *out (its blocks then the caller's). 1, or 0 with the
// reason in the set's message.
int MakeSprite(SpriteSet& set, ImageBuffer& picture, const PixelRect& rect, const CutOptions& options, Sprite* out)
{
    const int left = std::min(rect.x1, rect.x2), right = std::max(rect.x1, rect.x2);
    const int top = std::min(rect.y1, rect.y2), bottom = std::max(rect.y1, rect.y2);
    const int64_t width = int64_t(right) - left + 1, height = int64_t(bottom) - top + 1;
    // A sprite the file cannot hold would be saved as one that cannot be loaded again.
    if (width > kMaxSpriteSide || height > kMaxSpriteSide) {
        set.SetMessage("스프라이트가 너무 큽니다(%lld x %lld): 가로와 세로는 %d 이하여야 합니다",
                       static_cast<long long>(width), static_cast<long long>(height), kMaxSpriteSide);
        return 0;
    }
    const int w = int(width), h = int(height);
    uint8_t* block = picture.info != nullptr && picture.info->biBitCount == 8 ? picture.CopyRegion(left, top, w, h)
                                                                             : nullptr;
    if (block == nullptr) {
        set.SetMessage("이미지 포인터가 NULL입니다(At Insert)");
        return 0;
    }
    Sprite sprite = NewSprite(w, h, block);
    bool made = true;
    if (options.compress) {
        uint32_t length = 0;
        uint8_t* form = CompressImage(sprite.image, w, h, &length);
        if (form != nullptr && length != 0) {
            std::free(sprite.image);
            sprite.image = form;
            sprite.imageSize = length;
            sprite.compressed = 1;
        } else {
            std::free(form);
            made = false;
        }
    }
    if (made && options.hitBox) {
        sprite.hitBoxes = WholeSpriteBox(sprite);
        sprite.hitCount = 1;
        made = sprite.hitBoxes != nullptr;
    }
    if (made && options.attackBox) {
        sprite.atckBoxes = WholeSpriteBox(sprite);
        sprite.atckCount = 1;
        made = sprite.atckBoxes != nullptr;
    }
    if (!made) {
        ReleaseSprite(sprite);
        set.SetMessage("메모리 할당 실패(At Insert)");
        return 0;
    }
    *out = sprite;
    return 1;
}

}  // namespace

int CutRegion(SpriteSet& set, int index, ImageBuffer& picture, const PixelRect& rect, const CutOptions& options)
{
    Sprite sprite{};
    if (!MakeSprite(set, picture, rect, options, &sprite)) return 0;
    if (!set.InsertRecords(index, &sprite, 1)) {
        ReleaseSprite(sprite);
        return 0;
    }
    return 1;
}

int CutRegions(SpriteSet& set, ImageBuffer& picture, const std::vector<PixelRect>& rects, const CutOptions& options)
{
    std::vector<Sprite> made;
    made.reserve(rects.size());
    auto giveUp = [&made] {
        for (Sprite& sprite : made) ReleaseSprite(sprite);
        return 0;
    };
    for (const PixelRect& rect : rects) {
        Sprite sprite{};
        if (!MakeSprite(set, picture, rect, options, &sprite)) return giveUp();
        made.push_back(sprite);
    }
    // More than the file can count is refused by the set, whatever the number.
    const int count = made.size() > size_t(kMaxSprites) ? kMaxSprites + 1 : int(made.size());
    if (!set.InsertRecords(set.Count(), made.data(), count)) return giveUp();
    return 1;
}
