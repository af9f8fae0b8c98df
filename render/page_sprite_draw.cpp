// DrawSprite and DrawSpriteOpaque: the routine is chosen from a table by the image kind, the
// color mode (flags & 12) and the orientation (flags & 3).
#include "render/dib_page.h"
#include "render/draw_target.h"
#include "render/sprite_draw.h"

namespace {

// Every routine behind one signature; the adapters drop the arguments a family does not take.
using SpriteRoutine = void (*)(int x, int y, int width, int height, uint8_t* buffer, const uint8_t* image,
                               int color, int table);
using PlainRoutine = void (*)(int, int, int, int, uint8_t*, const uint8_t*);
using ColorRoutine = void (*)(int, int, int, int, uint8_t*, const uint8_t*, int);

template <PlainRoutine F>
void Plain(int x, int y, int w, int h, uint8_t* b, const uint8_t* i, int, int) { F(x, y, w, h, b, i); }
template <ColorRoutine F>
void Color(int x, int y, int w, int h, uint8_t* b, const uint8_t* i, int color, int) { F(x, y, w, h, b, i, color); }
template <ColorRoutine F>
void Table(int x, int y, int w, int h, uint8_t* b, const uint8_t* i, int, int table) { F(x, y, w, h, b, i, table); }

constexpr int kOrientationMask = DRAW_HFLIP | DRAW_VFLIP;
constexpr int kModeShift = 2;  // (flags & 12) >> 2: 0 plain, 1 blend, 2 solid, 3 tint
constexpr int kModeMask = (DRAW_BLEND | DRAW_SOLID) >> kModeShift;

// Rows by mode (plain, blend, solid, tint), columns by orientation (none, H, V, HV).
const SpriteRoutine kRunLength[4][4] = {
    {Plain<RleCopy>, Plain<RleCopyH>, Plain<RleCopyV>, Plain<RleCopyHV>},
    {Table<RleBlend>, Table<RleBlendH>, Table<RleBlendV>, Table<RleBlendHV>},
    {Color<RleSolid>, Color<RleSolidH>, Color<RleSolidV>, Color<RleSolidHV>},
    {RleTint, RleTintH, RleTintV, RleTintHV},
};

const SpriteRoutine kRawKeyed[4][4] = {
    {Plain<RawKey>, Plain<RawKeyH>, Plain<RawKeyV>, Plain<RawKeyHV>},
    {Table<RawBlend>, Table<RawBlendH>, Table<RawBlendV>, Table<RawBlendHV>},
    {Color<RawSolid>, Color<RawSolidH>, Color<RawSolidV>, Color<RawSolidHV>},
    {RawTint, RawTintH, RawTintV, RawTintHV},
};

// A raw image drawn opaquely has no color modes.
const SpriteRoutine kRawOpaque[4][4] = {
    {Plain<RawCopy>, Plain<RawCopyH>, Plain<RawCopyV>, Plain<RawCopyHV>},
    {nullptr, nullptr, nullptr, nullptr},
    {nullptr, nullptr, nullptr, nullptr},
    {nullptr, nullptr, nullptr, nullptr},
};

// A sprite without an image has nothing to draw; that is no failure (the animation would
// otherwise report it on every frame).
int DrawWith(const SpriteRoutine (&raw)[4][4], DibPage& page, int x, int y, const Sprite* sprite, int flags,
             int color, int table)
{
    if (sprite == nullptr || page.pixels == nullptr) return 0;
    if (!page.BeginDraw()) return 1;  // clipped to nothing: nothing to draw
    const int mode = (flags >> kModeShift) & kModeMask, orientation = flags & kOrientationMask;
    const SpriteRoutine routine = sprite->compressed ? kRunLength[mode][orientation] : raw[mode][orientation];
    if (routine != nullptr && sprite->image != nullptr)
        routine(x, y, sprite->width, sprite->height, page.pixels, sprite->image, color, table);
    return 1;
}

}  // namespace

int DibPage::DrawSprite(int x, int y, const Sprite* sprite, int flags, int color, int table)
{
    return DrawWith(kRawKeyed, *this, x, y, sprite, flags, color, table);
}

int DibPage::DrawSpriteOpaque(int x, int y, const Sprite* sprite, int flags, int color, int table)
{
    return DrawWith(kRawOpaque, *this, x, y, sprite, flags, color, table);
}
