#include "cli/dump.h"

#include <algorithm>
#include <cstring>

#include "render/dib_page.h"
#include "render/sprite_draw.h"

namespace {

// The largest picture written: the page magnified must stay a sane size in memory.
constexpr int64_t kMaxPicturePixels = int64_t(1) << 28;

// A box as drawn: mirrored with the sprite.
PixelRect Mirrored(const BoxRect& box, const Sprite& sprite, int flags)
{
    PixelRect r{box.x1, box.y1, box.x2, box.y2};
    if (flags & DRAW_HFLIP) r = PixelRect{sprite.width - 1 - r.x2, r.y1, sprite.width - 1 - r.x1, r.y2};
    if (flags & DRAW_VFLIP) r = PixelRect{r.x1, sprite.height - 1 - r.y2, r.x2, sprite.height - 1 - r.y1};
    return r;
}

}  // namespace

bool DumpSprite(const Sprite& sprite, const Palette& palette, const DumpOptions& options, DumpPicture* picture,
                std::string* error)
{
    if (sprite.width <= 0 || sprite.height <= 0) {
        *error = "the sprite has no pixels";
        return false;
    }
    const int flags = options.flags & (DRAW_HFLIP | DRAW_VFLIP);
    int64_t left = 0, top = 0, right = sprite.width - 1, bottom = sprite.height - 1;
    std::vector<std::pair<PixelRect, int>> frames;
    if (options.boxes) {
        for (int i = 0; i < sprite.hitCount; ++i)
            frames.push_back({Mirrored(sprite.hitBoxes[i], sprite, flags), kDefaultHitBoxColor});
        for (int i = 0; i < sprite.atckCount; ++i)
            frames.push_back({Mirrored(sprite.atckBoxes[i], sprite, flags), kDefaultAttackBoxColor});
        for (const auto& frame : frames) {
            left = std::min<int64_t>(left, frame.first.x1);
            top = std::min<int64_t>(top, frame.first.y1);
            right = std::max<int64_t>(right, frame.first.x2);
            bottom = std::max<int64_t>(bottom, frame.first.y2);
        }
    }
    const int64_t pageWidth = right - left + 1;
    const int64_t pageHeight = bottom - top + 1;
    const int zoom = std::clamp(options.zoom, 1, kMaxZoom);
    if (pageWidth * pageHeight * zoom * zoom > kMaxPicturePixels) {
        *error = "the picture would be " + std::to_string(pageWidth * zoom) + " x " + std::to_string(pageHeight * zoom) +
                 " pixels, too large to write";
        return false;
    }
    DibPage page;
    if (!page.Create(int(pageWidth), int(pageHeight), 8, &palette)) {
        *error = "the page of " + std::to_string(pageWidth) + " x " + std::to_string(pageHeight) + " pixels cannot be made";
        return false;
    }
    const int x0 = int(-left);
    const int y0 = int(-top);
    page.FillBox(0, 0, page.width - 1, page.height - 1, kDefaultBackColor);
    page.DrawSprite(x0, y0, &sprite, flags, 0, 0);
    for (const auto& frame : frames) {
        const PixelRect& r = frame.first;
        page.DrawFrame(x0 + r.x1, y0 + r.y1, x0 + r.x2, y0 + r.y2, frame.second, 0);
    }

    picture->width = page.width * zoom;
    picture->height = page.height * zoom;
    picture->pixels.assign(size_t(picture->width) * size_t(picture->height), 0);
    for (int y = 0; y < page.height; ++y) {
        const uint8_t* source = page.pixels + size_t(y) * size_t(page.pitch);
        uint8_t* row = &picture->pixels[size_t(y) * zoom * size_t(picture->width)];
        if (zoom == 1) {
            std::memcpy(row, source, size_t(page.width));
        } else {
            for (int x = 0; x < page.width; ++x) std::memset(row + size_t(x) * zoom, source[x], size_t(zoom));
        }
        for (int k = 1; k < zoom; ++k) std::memcpy(row + size_t(k) * picture->width, row, size_t(picture->width));
    }
    return true;
}
