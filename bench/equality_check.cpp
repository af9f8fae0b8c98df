#include "bench/equality_check.h"

#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

#include "bench/contenders.h"
#include "render/draw_target.h"
#include "render/sprite_draw.h"

namespace {

using Page = std::vector<uint8_t>;
using DrawAll = std::function<void(const Page& background, Page* result)>;

constexpr double kShareTolerance = 0.02;  // the sets must stay close to the wanted transparency

Page Background()
{
    Page page(size_t(kPagePitch) * kPageHeight);
    FillCheckBackground(page.data(), kPageWidth, kPageHeight, kPagePitch);
    return page;
}

// Every sprite at its place, one pixel at a time: what everyone must produce.
Page Reference(const SpriteSetImages& set)
{
    Page page = Background();
    for (int k = 0; k < kSpriteCount; ++k)
        for (int y = 0; y < kSpriteSide; ++y)
            for (int x = 0; x < kSpriteSide; ++x) {
                const uint8_t s = set.raw[size_t(k)][size_t(y) * kSpriteSide + x];
                if (s != 0) page[size_t(kPlaces[k].y + y) * kPagePitch + size_t(kPlaces[k].x + x)] = s;
            }
    return page;
}

bool SamePage(const Page& want, const Page& got, const char* what, const char* set)
{
    for (int y = 0; y < kPageHeight; ++y)
        for (int x = 0; x < kPageWidth; ++x) {
            const size_t i = size_t(y) * kPagePitch + size_t(x);
            if (want[i] != got[i]) {
                std::fprintf(stderr, "check: %s on the %s set differs first at (%d, %d): %d instead of %d\n", what,
                             set, x, y, got[i], want[i]);
                return false;
            }
        }
    return true;
}

bool CheckSet(SetKind kind)
{
    Contenders& c = GetContenders(kind);
    const Page background = Background(), want = Reference(c.set);
    const char* name = c.set.name;
    bool same = true;

    auto ours = [&](void (*routine)(int, int, int, int, uint8_t*, const uint8_t*),
                    const std::vector<std::vector<uint8_t>>& images, const char* what) {
        c.TargetOurPage();
        std::memcpy(c.page.data(), background.data(), background.size());
        for (int k = 0; k < kSpriteCount; ++k)
            routine(kPlaces[k].x, kPlaces[k].y, kSpriteSide, kSpriteSide, c.page.data(), images[size_t(k)].data());
        same = SamePage(want, c.page, what, name) && same;
    };
    auto sdl = [&](void (SdlPeer::*draw)(int, int, int), const char* what) {
        Page got(background.size());
        c.sdl.SetPage(background.data());
        for (int k = 0; k < kSpriteCount; ++k) (c.sdl.*draw)(k, kPlaces[k].x, kPlaces[k].y);
        c.sdl.GetPage(got.data());
        same = SamePage(want, got, what, name) && same;
    };
    auto allegro = [&](void (AllegroPeer::*draw)(int, int, int), const char* what) {
        Page got(background.size());
        c.allegro.SetPage(background.data());
        for (int k = 0; k < kSpriteCount; ++k) (c.allegro.*draw)(k, kPlaces[k].x, kPlaces[k].y);
        c.allegro.GetPage(got.data());
        same = SamePage(want, got, what, name) && same;
    };

    ours(RawKey, c.set.raw, "RawKey");
    ours(RleCopy, c.set.compressed, "RleCopy of CompressImage's form");
    sdl(&SdlPeer::DrawKeyed, "SDL color-key blit");
    sdl(&SdlPeer::DrawRle, "SDL RLE blit");
    sdl(&SdlPeer::EncodeAndDraw, "SDL blit after encoding anew");
    sdl(&SdlPeer::DrawEncoded, "SDL RLE blit of the re-encoded surfaces");
    allegro(&AllegroPeer::DrawSprite, "Allegro draw_sprite");
    allegro(&AllegroPeer::DrawRleSprite, "Allegro draw_rle_sprite");

    const double share = c.set.transparentShare;
    std::printf("check: %s set, %.1f %% transparent: RawKey, RleCopy, SDL and Allegro %s\n", name, 100 * share,
                same ? "draw the same pixels" : "do NOT all draw the same pixels");
    if (share < kTransparentShare - kShareTolerance || share > kTransparentShare + kShareTolerance) {
        std::fprintf(stderr, "check: the %s set is %.1f %% transparent, not about %.0f %%\n", name, 100 * share,
                     100 * kTransparentShare);
        return false;
    }
    return same;
}

bool CheckSheetCopy()
{
    const std::vector<uint8_t>& sheet = GetWorkload().sheet;
    std::vector<uint8_t> page(sheet.size(), 0);
    SetDrawTarget(kSheetSide, kSheetSide, kSheetSide);
    RawCopy(0, 0, kSheetSide, kSheetSide, page.data(), sheet.data());
    const bool same = page == sheet;
    std::printf("check: RawCopy of the %d x %d sheet %s memcpy's bytes\n", kSheetSide, kSheetSide,
                same ? "gives" : "does NOT give");
    return same;
}

}  // namespace

bool CheckContendersAgree()
{
    const bool shaped = CheckSet(SetKind::kShaped);
    const bool noisy = CheckSet(SetKind::kNoisy);
    const bool sheet = CheckSheetCopy();
    return shaped && noisy && sheet;
}
