#include "render/gif_frames.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <new>

#include "image/image_layout.h"
#include "render/dib_page.h"
#include "render/sprite_draw.h"
#include "sprite/box_geometry.h"

namespace {

constexpr int kPageBits = 8;

bool HasPixels(const Sprite& sprite) { return sprite.width > 0 && sprite.height > 0 && sprite.image != nullptr; }

}  // namespace

int GifDelay(int fps)
{
    if (fps <= 0) return kMinGifDelay;
    return std::max(kMinGifDelay, (200 + fps) / (2 * fps));
}

Reason LayOutGifFrames(const SpriteSet& set, const Palette& palette, int fps, int flips, GifFrames* out)
{
    *out = GifFrames{};
    if (set.sprites == nullptr || set.Count() <= 0) return Reason::kNoSprites;

    // The rectangle, relative to the anchor, that every sprite's pixels fall in (64-bit: a
    // coordinate and a width may each be near the 32-bit limits in a set made in memory).
    int64_t left = INT64_MAX, top = INT64_MAX, right = INT64_MIN, bottom = INT64_MIN;
    for (int i = 0; i < set.Count(); ++i) {
        const Sprite& s = set.sprites[i];
        if (!HasPixels(s)) continue;
        const int64_t x = (flips & kFlipHorizontal) ? -int64_t(s.rx) - s.width : s.rx;
        const int64_t y = (flips & kFlipVertical) ? -int64_t(s.ry) - s.height : s.ry;
        left = std::min(left, x);
        top = std::min(top, y);
        right = std::max(right, x + s.width);
        bottom = std::max(bottom, y + s.height);
    }
    if (right == INT64_MIN) return Reason::kNoImage;
    const int64_t width = right - left, height = bottom - top;
    PictureSize size;
    if (!CheckPictureSize(width, height, kPageBits, &size)) return Reason::kPictureTooLarge;
    if (width * height * set.Count() > kMaxPixelBytes) return Reason::kPictureTooLarge;

    DibPage page;
    if (!page.Create(int(width), int(height), kPageBits, &palette)) return Reason::kNoMemory;
    GifFrames frames;
    frames.width = int(width);
    frames.height = int(height);
    frames.anchorX = int(-left);
    frames.anchorY = int(-top);
    frames.palette = palette;
    try {
        frames.frames.reserve(size_t(set.Count()));
        frames.delays.assign(size_t(set.Count()), GifDelay(fps));
        for (int i = 0; i < set.Count(); ++i) {
            const Sprite& s = set.sprites[i];
            page.FillBox(0, 0, page.width - 1, page.height - 1, kGifTransparentIndex);
            if (HasPixels(s)) {
                const int x = frames.anchorX + FlippedLeft(s.rx, s.width, flips);
                const int y = frames.anchorY + FlippedTop(s.ry, s.height, flips);
                page.DrawSprite(x, y, &s, flips & (DRAW_HFLIP | DRAW_VFLIP), 0, 0);
            }
            std::vector<uint8_t> pixels(size_t(width) * size_t(height));
            for (int row = 0; row < frames.height; ++row)
                std::memcpy(&pixels[size_t(row) * size_t(width)], page.pixels + size_t(row) * size_t(page.pitch),
                            size_t(width));
            frames.frames.push_back(std::move(pixels));
        }
    } catch (const std::bad_alloc&) {
        return Reason::kNoMemory;
    }
    *out = std::move(frames);
    return Reason::kNone;
}
